// Reading amounts, floats and integers from text: exact amounts, no thousands separators.
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <gtest/gtest.h>
#include <limits>

namespace duebell {
namespace {

std::int64_t rawOf(std::string_view text) {
    Currency c;
    EXPECT_TRUE(TryStrToCurr(text, c)) << text;
    return c.raw();
}

bool readsAsAmount(std::string_view text) {
    Currency c;
    return TryStrToCurr(text, c);
}

TEST(StrToCurr, ReadsExactDecimals) {
    EXPECT_EQ(rawOf("0.0001"), 1);
    EXPECT_EQ(rawOf("-12.5"), -125000);
    EXPECT_EQ(rawOf("1234.50"), 12345000);
    EXPECT_EQ(rawOf(" 12 "), 120000);
    EXPECT_EQ(rawOf("+5"), 50000);
    EXPECT_EQ(rawOf(".5"), 5000);
    EXPECT_EQ(rawOf("5."), 50000);
    EXPECT_EQ(rawOf("1.5E3"), 15000000);
    EXPECT_EQ(rawOf("125e-2"), 12500);
    EXPECT_EQ(rawOf("-0"), 0);
    // 0.1 has no exact double, but it is exact here.
    EXPECT_EQ(rawOf("0.1"), 1000);
    EXPECT_EQ(rawOf("922337203685477.5807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(rawOf("-922337203685477.5808"), std::numeric_limits<std::int64_t>::min());
}

TEST(StrToCurr, DigitsPastTheFourthDecimalRoundHalfToEven) {
    EXPECT_EQ(rawOf("0.00005"), 0);
    EXPECT_EQ(rawOf("0.00015"), 2);
    EXPECT_EQ(rawOf("0.00025"), 2);
    EXPECT_EQ(rawOf("0.00035"), 4);
    EXPECT_EQ(rawOf("0.000251"), 3);
    EXPECT_EQ(rawOf("0.000249999"), 2);
    EXPECT_EQ(rawOf("-0.00015"), -2);
    EXPECT_EQ(rawOf("0.000001"), 0);
    EXPECT_EQ(rawOf("1e-100000"), 0);
}

TEST(StrToCurr, RefusesWhatIsNoAmount) {
    // "1,234.50": no thousands separators, as StrToCurr.
    for (const char* text :
         {"1,234.50", "", "   ", ".", "-", "1e", "12abc", "$12", "1 2", "922337203685477.5808",
          "-922337203685477.5809", "99999999999999999999", "1e100000"})
        EXPECT_FALSE(readsAsAmount(text)) << text;
    try {
        StrToCurr("1,234.50");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,234.50' is not a valid floating point value");
    }
}

TEST(StrToCurr, RefusalLeavesTheTargetAlone) {
    Currency c = Currency::fromUnits(7);
    EXPECT_FALSE(TryStrToCurr("x", c));
    EXPECT_EQ(c, Currency::fromUnits(7));
}

TEST(StrToFloat, ReadsPlainAndExponentForms) {
    EXPECT_EQ(StrToFloat("2.675"), 2.675);
    EXPECT_EQ(StrToFloat("-1.5E-3"), -0.0015);
    EXPECT_EQ(StrToFloat("  3  "), 3);
    EXPECT_EQ(StrToFloat(".25"), 0.25);
    EXPECT_EQ(StrToFloat("1e-400"), 0); // underflow is zero
    double value = 9;
    for (const char* text : {"1,5", "1e400", "nan", "inf", "0x10"})
        EXPECT_FALSE(TryStrToFloat(text, value)) << text;
    EXPECT_EQ(value, 9);
    EXPECT_THROW(StrToFloat("abc"), EConvertError);
}

TEST(StrToInt, DecimalAndHexadecimal) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("-42"), -42);
    EXPECT_EQ(StrToInt("  42"), 42);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt("0000042"), 42);
    int value = 5;
    for (const char* text : {"2147483648", "-2147483649", "42 ", "12.0", "", "-", "$", "$G"})
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
    EXPECT_EQ(value, 5);
    try {
        StrToInt("seven");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'seven' is not a valid integer value");
    }
}

TEST(StrToInt, SixtyFourBitRange) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToInt64("18446744073709551616"), EConvertError);
}

} // namespace
} // namespace duebell
