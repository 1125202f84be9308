#include "controls/numeditrules.h"
#include "controls/rangeerror.h"
#include "objectlist/exceptions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace duebell {
namespace {

NumEditRules Range(double min, double max) {
    NumEditRules r;
    r.MinValue = min;
    r.MaxValue = max;
    return r;
}

TEST(NumEditRange, BothBoundsWhenMinIsBelowMax) {
    const NumEditRules r = Range(0, 100);
    EXPECT_EQ(r.ClampToRange(150, false), 100);
    EXPECT_EQ(r.ClampToRange(-3, false), 0);
    EXPECT_EQ(r.ClampToRange(42.5, false), 42.5);
}

TEST(NumEditRange, EqualBoundsMeanNoRange) {
    EXPECT_EQ(Range(0, 0).ClampToRange(-1e9, false), -1e9);
    EXPECT_EQ(Range(5, 5).ClampToRange(7, true), 7);
}

TEST(NumEditRange, OddBoundCombinations) {
    // Min 1, max 0: only the lower bound.
    EXPECT_EQ(Range(1, 0).ClampToRange(-4, false), 1);
    EXPECT_EQ(Range(1, 0).ClampToRange(1e6, false), 1e6);
    // Min 0, max -5: only the upper bound -5.
    EXPECT_EQ(Range(0, -5).ClampToRange(3, false), -5);
    EXPECT_EQ(Range(0, -5).ClampToRange(-80, false), -80);
    // Min 2, max 1: no clamping at all.
    EXPECT_EQ(Range(2, 1).ClampToRange(-7, false), -7);
    EXPECT_EQ(Range(2, 1).ClampToRange(70, false), 70);
}

TEST(NumEditRange, TheRaisingCheckNamesBothBoundsWithTheDecimals) {
    const NumEditRules r = Range(0, 100);
    try {
        r.ClampToRange(150, true);
        FAIL();
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "Value must be between 0.00 and 100.00");
    }
    NumEditRules whole = Range(1, 12);
    whole.DecimalPlaces = 0;
    EXPECT_THROW(whole.ClampToRange(13, true), ERangeError);
    try {
        whole.ClampToRange(0, true);
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "Value must be between 1 and 12");
    }
    EXPECT_NO_THROW(r.ClampToRange(100, true));
}

TEST(NumEditText, NormalizingDropsThousandsAndFillsEmptyTexts) {
    EXPECT_EQ(NumEditRules::NormalizeNumberText("  1,234.50 "), "1234.50");
    EXPECT_EQ(NumEditRules::NormalizeNumberText(""), "0");
    EXPECT_EQ(NumEditRules::NormalizeNumberText("-"), "-0");
    EXPECT_EQ(NumEditRules::TextValue("-1,234.5"), -1234.5);
    EXPECT_THROW(NumEditRules::TextValue("12a"), EConvertError);
}

TEST(NumEditText, EditTextDropsTrailingZerosAndHidesZero) {
    NumEditRules r;
    EXPECT_EQ(r.EditText(1.5), "1.5");
    EXPECT_EQ(r.EditText(1234.5), "1234.5");
    EXPECT_EQ(r.EditText(2.005), "2.01");
    EXPECT_EQ(r.EditText(0), "");
    r.ZeroEmpty = false;
    EXPECT_EQ(r.EditText(0), "0");
    r.DecimalPlaces = 0;
    EXPECT_EQ(r.EditText(7.5), "8");
}

TEST(NumEditText, CurrencyDisplayHasTheSymbolInBothSections) {
    EXPECT_EQ(DefaultCurrencyDisplayFormat(), "$,0.00;-$,0.00");
    EXPECT_EQ(DefaultNumberDisplayFormat(), ",0.##");
    NumEditRules r;
    r.DisplayFormat = DefaultCurrencyDisplayFormat();
    EXPECT_EQ(r.DisplayText(1234.5), "$1,234.50");
    EXPECT_EQ(r.DisplayText(-1234.5), "-$1,234.50");
    EXPECT_EQ(r.DisplayText(1.5), "$1.50");
    EXPECT_EQ(r.DisplayText(0), "$0.00");
    r.DisplayFormat = DefaultNumberDisplayFormat();
    EXPECT_EQ(r.DisplayText(1234567.891), "1,234,567.89");
    r.DisplayFormat.clear();
    EXPECT_EQ(r.DisplayText(0.25), "0.25");
}

TEST(NumEditKeys, AThirdDecimalIsRefused) {
    NumEditRules r;
    EXPECT_TRUE(r.IsValidKey('5', "1.2", 3, 0));
    EXPECT_FALSE(r.IsValidKey('5', "1.25", 4, 0));
    // Replacing a selected decimal keeps the count.
    EXPECT_TRUE(r.IsValidKey('9', "1.25", 3, 1));
    EXPECT_FALSE(r.IsValidKey('.', "1.25", 1, 0));
    // A whole-number field takes no decimal point at all ("2.5" is not 25 or 2).
    r.DecimalPlaces = 0;
    EXPECT_FALSE(r.IsValidKey('.', "2", 1, 0));
    EXPECT_TRUE(r.IsValidText("25"));
}

TEST(NumEditKeys, DecimalsBeforeAnExponentCountTheDigitsAfterThePointOnly) {
    NumEditRules r;
    r.DecimalPlaces = 1;
    EXPECT_TRUE(r.IsValidKey('3', "1.5E", 4, 0));
    EXPECT_TRUE(r.IsValidKey('3', "1.5E+", 5, 0));
    EXPECT_FALSE(r.IsValidKey('3', "1.5E", 2, 0)); // "1.35E": two decimals
}

TEST(NumEditKeys, OnlyNumbersMayBeTyped) {
    NumEditRules r;
    EXPECT_FALSE(r.IsValidKey('a', "12", 2, 0));
    EXPECT_FALSE(r.IsValidKey('$', "12", 0, 0));
    EXPECT_FALSE(r.IsValidKey('-', "12", 2, 0));  // "12-"
    EXPECT_TRUE(r.IsValidKey('-', "12", 0, 0));   // no range: negatives allowed
    EXPECT_TRUE(r.IsValidKey(',', "1234", 1, 0)); // a thousands separator reads away
}

TEST(NumEditKeys, ANonNegativeRangeRefusesTheMinus) {
    const NumEditRules r = Range(0, 99999999);
    EXPECT_FALSE(r.IsValidKey('-', "5", 0, 0));
    EXPECT_FALSE(r.IsValidKey('-', "", 0, 0));
    EXPECT_TRUE(r.IsValidKey('5', "", 0, 0));
    // A range reaching below zero takes it.
    EXPECT_TRUE(Range(-10, 10).IsValidKey('-', "", 0, 0));
}

TEST(NumEditText, APastedAmountIsItsNumber) {
    // Amounts as the program prints them lose their symbol and thousands separators.
    EXPECT_EQ(NumEditRules::PastedNumber(" $681.59 "), "681.59");
    EXPECT_EQ(NumEditRules::PastedNumber("-$1,234.50"), "-1234.50");
    EXPECT_EQ(NumEditRules::PastedNumber("1,234"), "1234");
    EXPECT_EQ(NumEditRules::PastedNumber("$ab"), "ab");
    EXPECT_EQ(NumEditRules::PastedNumber("681.59$"), "681.59$");
    const NumEditRules r = Range(0, 99999999);
    EXPECT_TRUE(r.IsValidText(NumEditRules::PastedNumber("$681.59")));
    EXPECT_FALSE(r.IsValidText(NumEditRules::PastedNumber("-$681.59")));
    EXPECT_FALSE(r.IsValidText(NumEditRules::PastedNumber("$681.599")));
    EXPECT_FALSE(r.IsValidText(NumEditRules::PastedNumber("681.59$")));
}

TEST(NumEditText, ThousandsWhileTyping) {
    EXPECT_EQ(NumEditRules::FormatNumberText("1234567.891", true), "1,234,567.891");
    EXPECT_EQ(NumEditRules::FormatNumberText("-1234", true), "-1,234");
    EXPECT_EQ(NumEditRules::FormatNumberText("123", true), "123");
    EXPECT_EQ(NumEditRules::FormatNumberText("12345E3", true), "12,345E3");
    EXPECT_EQ(NumEditRules::FormatNumberText("12345", false), "12345");
}

} // namespace
} // namespace duebell
