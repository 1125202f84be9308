// Rounding: RoundToDigits goes half away from zero through the 15-digit text; amounts
// multiplied or divided round half to even at the fourth decimal. Both rules exist.
#include "objectlist/currency.h"
#include "objectlist/rounding.h"

#include <cmath>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(RoundToDigits, HalfAwayFromZeroWithoutBinaryNoise) {
    EXPECT_EQ(RoundToDigits(2, 2.675), 2.68);
    EXPECT_EQ(RoundToDigits(2, -2.675), -2.68);
    EXPECT_EQ(RoundToDigits(0, 0.5), 1);
    EXPECT_EQ(RoundToDigits(0, -0.5), -1);
    EXPECT_EQ(RoundToDigits(0, 1.5), 2);
    EXPECT_EQ(RoundToDigits(0, 2.5), 3);
    EXPECT_EQ(RoundToDigits(2, 1.005), 1.01);
    EXPECT_EQ(RoundToDigits(2, 0.125), 0.13);
    EXPECT_EQ(RoundToDigits(2, 2.674), 2.67);
    EXPECT_EQ(RoundToDigits(2, 1234.5678), 1234.57);
}

TEST(RoundToDigits, ZeroIsPositiveZero) {
    double zero = RoundToDigits(2, 0);
    EXPECT_EQ(zero, 0);
    EXPECT_FALSE(std::signbit(zero));
    EXPECT_FALSE(std::signbit(RoundToDigits(2, -0.001)));
}

TEST(RoundToDigits, SevenDigitsForStoredFloatsAndDates) {
    EXPECT_EQ(RoundToDigits(7, 1.0 / 3), 0.3333333);
    EXPECT_EQ(RoundToDigits(7, 2.0 / 3), 0.6666667);
    // 05/03/2024 14:30 as day number 45356.604166666...
    EXPECT_EQ(RoundToDigits(7, 45356 + 14.5 / 24), 45356.6041667);
    EXPECT_EQ(RoundToDigits(5, 0.000004), 0);
    EXPECT_EQ(RoundToDigits(5, 0.000005), 0.00001);
}

TEST(RoundToDigits, HugeValuesComeBackUnchanged) {
    EXPECT_EQ(RoundToDigits(7, 1e300), 1e300);
    EXPECT_EQ(RoundToDigits(2, 1e20), 1e20);
}

TEST(CurrencyArithmetic, ProductsAndQuotientsRoundHalfToEven) {
    // 1.0001 x 0.5 = 0.50005 -> 0.5000; 1.0003 x 0.5 = 0.50015 -> 0.5002.
    EXPECT_EQ((Currency::fromRaw(10001) * Currency::fromRaw(5000)).raw(), 5000);
    EXPECT_EQ((Currency::fromRaw(10003) * Currency::fromRaw(5000)).raw(), 5002);
    EXPECT_EQ((Currency::fromRaw(-10003) * Currency::fromRaw(5000)).raw(), -5002);
    // 0.0001 / 2 = 0.00005 -> 0; 0.0003 / 2 = 0.00015 -> 0.0002.
    EXPECT_EQ((Currency::fromRaw(1) / 2).raw(), 0);
    EXPECT_EQ((Currency::fromRaw(3) / 2).raw(), 2);
    // 1 / 3 = 0.33333... -> 0.3333.
    EXPECT_EQ((Currency::fromUnits(1) / Currency::fromUnits(3)).raw(), 3333);
    // From a double to the nearest ten-thousandth.
    EXPECT_EQ(Currency::fromDouble(12.5).raw(), 125000);
    EXPECT_EQ(Currency::fromDouble(0.1).raw(), 1000);
    EXPECT_EQ(Currency::fromDouble(-2.675).raw(), -26750);
}

} // namespace
} // namespace duebell
