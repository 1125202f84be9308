// Number and money texts. Expected texts are Delphi's documented results and hand-rounded
// figures (half away from zero on the 15-digit decimal text).
#include "objectlist/numberformat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace duebell {
namespace {

Currency amount(std::int64_t raw) {
    return Currency::fromRaw(raw);
}

TEST(FormatFloat, DocumentedPatternsOnFourValues) {
    struct Row {
        const char* pattern;
        const char* results[4]; // 1234, -1234, 0.5, 0
    };
    const Row rows[] = {
        {"0", {"1234", "-1234", "1", "0"}},
        {"0.00", {"1234.00", "-1234.00", "0.50", "0.00"}},
        {"#.##", {"1234", "-1234", ".5", ""}},
        {"#,##0.00", {"1,234.00", "-1,234.00", "0.50", "0.00"}},
        {"#,##0.00;(#,##0.00)", {"1,234.00", "(1,234.00)", "0.50", "0.00"}},
        {"#,##0.00;;Zero", {"1,234.00", "-1,234.00", "0.50", "Zero"}},
        {"0.000E+00", {"1.234E+03", "-1.234E+03", "5.000E-01", "0.000E+00"}},
        {"#.###E-0", {"1.234E3", "-1.234E3", "5E-1", "0E0"}},
    };
    const double values[4] = {1234, -1234, 0.5, 0};
    for (const Row& row : rows) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(FormatFloat(row.pattern, values[i]), row.results[i])
                << row.pattern << " with " << values[i];
        }
    }
}

TEST(FormatFloat, RoundsHalfAwayFromZeroOnTheDecimalText) {
    // The double nearest 2.675 lies below it; its 15-digit text is 2.675, which rounds up.
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(FormatFloat("0.00", -2.675), "-2.68");
    EXPECT_EQ(FormatFloat("0.00", 1.005), "1.01");
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");
    EXPECT_EQ(FormatFloat("0", 0.5), "1");
    EXPECT_EQ(FormatFloat("0", 1.5), "2");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("0", -2.5), "-3");
    EXPECT_EQ(FormatFloat("0.00", 9.995), "10.00");
    EXPECT_EQ(FormatFloat("0.00##", 7.12345), "7.1235");
}

TEST(FormatFloat, PercentIsLiteral) {
    EXPECT_EQ(FormatFloat("0.0#%", 7.75), "7.75%");
    EXPECT_EQ(FormatFloat("0.0#%", 7.5), "7.5%");
    EXPECT_EQ(FormatFloat("0.0#%", 7), "7.0%");
    EXPECT_EQ(FormatFloat("0.0#%", 7.125), "7.13%");
}

TEST(FormatFloat, ThousandsAndLeadingZeros) {
    EXPECT_EQ(FormatFloat(",0.00", 1234567.891), "1,234,567.89");
    EXPECT_EQ(FormatFloat(",0", 999), "999");
    EXPECT_EQ(FormatFloat(",0", 1000), "1,000");
    EXPECT_EQ(FormatFloat(",0", 100000), "100,000");
    EXPECT_EQ(FormatFloat(",0", -1234567), "-1,234,567");
    EXPECT_EQ(FormatFloat(",0;-,0", 12), "12");
    EXPECT_EQ(FormatFloat("0000000", 42), "0000042");
    EXPECT_EQ(FormatFloat("0000000", 12345678), "12345678");
    EXPECT_EQ(FormatFloat("0.00", 1e20), "100000000000000000000.00");
    EXPECT_EQ(FormatFloat(",0.#####", 7.75), "7.75");
    EXPECT_EQ(FormatFloat(",0.#####", 1234.5), "1,234.5");
}

TEST(FormatFloat, SectionsAndTheirFallbacks) {
    const char* pattern = "$,0.00;($,0.00);nothing";
    EXPECT_EQ(FormatFloat(pattern, 1234.5), "$1,234.50");
    EXPECT_EQ(FormatFloat(pattern, -1234.5), "($1,234.50)"); // absolute value
    EXPECT_EQ(FormatFloat(pattern, 0), "nothing");
    EXPECT_EQ(FormatFloat(pattern, 0.004), "nothing"); // rounds to zero
    EXPECT_EQ(FormatFloat(pattern, -0.004), "nothing");
    // Negative without a section of its own: the positive one after a minus sign.
    EXPECT_EQ(FormatFloat("$,0.00", -5), "-$5.00");
    EXPECT_EQ(FormatFloat("0.00;;", -5), "-5.00");
    // Something that rounds to zero never shows a minus sign.
    EXPECT_EQ(FormatFloat("0.00", -0.001), "0.00");
    EXPECT_EQ(FormatFloat("0", -0.4), "0");
    // The currency edit's formats.
    EXPECT_EQ(FormatFloat("$,0.00###;-$,0.00###", 12.5), "$12.50");
    EXPECT_EQ(FormatFloat("$,0.00###;-$,0.00###", 12.123456), "$12.12346");
    EXPECT_EQ(FormatFloat("$,0.00###;-$,0.00###", -3), "-$3.00");
    // An empty pattern, or an empty first section, gives the general format.
    EXPECT_EQ(FormatFloat("", 2.675), "2.675");
    EXPECT_EQ(FormatFloat(";0", 1e20), "1E20");
    EXPECT_EQ(FormatFloat(";(0)", -0.001), "0");
}

TEST(FormatFloat, QuotedTextStaysAsItIs) {
    EXPECT_EQ(FormatFloat("0 'kg'", 5), "5 kg");
    EXPECT_EQ(FormatFloat("\"#\"0", 5), "#5");
    EXPECT_EQ(FormatFloat("0'a;b'", 5), "5a;b"); // a ";" inside quotes starts no section
    EXPECT_EQ(FormatFloat("0'a;b';(0)", -5), "(5)");
    EXPECT_EQ(FormatFloat("'Total: '#,##0", 1500), "Total: 1,500");
}

TEST(FormatFloat, ScientificNotation) {
    EXPECT_EQ(FormatFloat("0.00E+00", 1234.5), "1.23E+03");
    EXPECT_EQ(FormatFloat("0.00E+00", 0.000123), "1.23E-04");
    EXPECT_EQ(FormatFloat("0.00E-00", 1234.5), "1.23E03");
    EXPECT_EQ(FormatFloat("0.00e+0", 99999), "1.00e+5");
    EXPECT_EQ(FormatFloat("0E+0", -0.5), "-5E-1");
}

TEST(FormatFloat, NonFiniteValues) {
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
}

TEST(FormatCurr, WorksFromTheExactAmount) {
    EXPECT_EQ(FormatCurr("0.00", amount(1250)), "0.13");    // 0.125 rounds up
    EXPECT_EQ(FormatCurr("0.000", amount(12345)), "1.235"); // 1.2345
    EXPECT_EQ(FormatCurr("0.000", amount(-12345)), "-1.235");
    EXPECT_EQ(FormatCurr("0.00", amount(-49)), "0.00"); // -0.0049
    const Currency largest = amount(std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(FormatCurr(",0.0000", largest), "922,337,203,685,477.5807");
    EXPECT_EQ(FormatCurr("0.00", largest), "922337203685477.58");
    const Currency smallest = amount(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(FormatCurr(",0.0000", smallest), "-922,337,203,685,477.5808");
    EXPECT_EQ(FormatCurr("0.00;(0.00);-", Currency()), "-");
}

TEST(MoneyText, FixedDollarFormat) {
    EXPECT_EQ(FormatMoneyText(amount(-125000)), "-$12.50");
    EXPECT_EQ(FormatMoneyText(Currency::fromUnits(1234567)), "$1,234,567.00");
    EXPECT_EQ(FormatMoneyText(amount(12345000)), "$1,234.50");
    EXPECT_EQ(FormatMoneyText(Currency()), "$0.00");
    EXPECT_EQ(FormatMoneyText(amount(50)), "$0.01");  // 0.005 rounds away from zero
    EXPECT_EQ(FormatMoneyText(amount(-40)), "$0.00"); // -0.004 is no debt
    EXPECT_EQ(FormatMoneyText(amount(-50)), "-$0.01");
}

TEST(GeneralFormat, ShortestTextOfFifteenDigits) {
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1250), "1250");
    EXPECT_EQ(FloatToStr(0.075), "0.075");
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(-1e-300), "-1E-300");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max()), "1.79769313486232E308");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(GeneralFormat, CurrencyKeepsEveryDecimal) {
    EXPECT_EQ(CurrToStr(amount(125000)), "12.5");
    EXPECT_EQ(CurrToStr(amount(1)), "0.0001");
    EXPECT_EQ(CurrToStr(amount(-30000)), "-3");
    EXPECT_EQ(CurrToStr(Currency()), "0");
    EXPECT_EQ(CurrToStr(amount(std::numeric_limits<std::int64_t>::min())), "-922337203685477.5808");
}

TEST(IntegerText, PlainAndZeroPadded) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(FormatInt(42, 7), "0000042");
    EXPECT_EQ(FormatInt(1, 7), "0000001");
    EXPECT_EQ(FormatInt(0, 7), "0000000");
    EXPECT_EQ(FormatInt(-42, 7), "-0000042");
    EXPECT_EQ(FormatInt(12345678, 7), "12345678");
}

} // namespace
} // namespace duebell
