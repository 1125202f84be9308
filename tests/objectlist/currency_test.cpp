// Money that cannot overflow: conversions refuse what does not fit, and sums and products
// beyond the range raise instead of wrapping. The range is that of a 64-bit count of
// ten-thousandths: -922,337,203,685,477.5808 to 922,337,203,685,477.5807.
#include "objectlist/currency.h"
#include "objectlist/exceptions.h"

#include <cmath>
#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

namespace duebell {
namespace {

constexpr std::int64_t MaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinRaw = std::numeric_limits<std::int64_t>::min();

TEST(CurrencyConversion, RefusesWhatDoesNotFit) {
    const double refused[] = {std::nan(""),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              1e300,
                              9.3e14,
                              -9.3e14,
                              922337203685477.6};
    for (double value : refused) {
        EXPECT_THROW(Currency::fromDouble(value), EConvertError) << value;
    }
    EXPECT_THAT([] { Currency::fromDouble(9.3e14); },
                ::testing::ThrowsMessage<EConvertError>(
                    ::testing::StrEq("930000000000000 is beyond the range of money")));
    EXPECT_THROW(Currency::fromUnits(922337203685478), EConvertError);
    EXPECT_THROW(Currency::fromUnits(-922337203685478), EConvertError);
    // Large amounts within the range still convert.
    EXPECT_EQ(Currency::fromDouble(9e14).raw(), 9000000000000000000);
    EXPECT_EQ(Currency::fromDouble(-9e14).raw(), -9000000000000000000);
    EXPECT_EQ(Currency::fromUnits(-922337203685477).raw(), -9223372036854770000);
}

TEST(CurrencyArithmetic, BeyondTheRangeRaisesInsteadOfWrapping) {
    const Currency max = Currency::fromRaw(MaxRaw);
    const Currency min = Currency::fromRaw(MinRaw);
    const Currency tiny = Currency::fromRaw(1);
    EXPECT_THROW(max + tiny, EOverflow);
    EXPECT_THROW(min - tiny, EOverflow);
    EXPECT_THROW(-min, EOverflow);
    EXPECT_THROW(max * 2, EOverflow);
    EXPECT_THROW(max * Currency::fromUnits(2), EOverflow);  // the 128-bit product narrowed
    EXPECT_THROW(max / Currency::fromRaw(5000), EOverflow); // divided by 0.5
    EXPECT_THROW(Currency::fromRawDouble(std::nan("")), EOverflow);
    EXPECT_THROW(Currency::fromRawDouble(1e19), EOverflow);
    Currency sum = max;
    EXPECT_THROW(sum += tiny, EOverflow);
    EXPECT_EQ(sum, max); // a refused sum leaves the amount as it was
    sum -= tiny;
    EXPECT_THROW(sum -= min, EOverflow);
    // Up to the edges everything still adds up.
    EXPECT_EQ((max - tiny + tiny).raw(), MaxRaw);
    EXPECT_EQ((min + tiny - tiny).raw(), MinRaw);
    EXPECT_EQ((-max).raw(), -MaxRaw);
    EXPECT_EQ(Currency::fromRawDouble(-9223372036854775808.0).raw(), MinRaw);
    EXPECT_THROW(Currency::fromUnits(1) / Currency(), Exception); // division by zero
}

} // namespace
} // namespace duebell
