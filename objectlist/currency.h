// Money as Delphi's Currency: a 64-bit integer scaled by 10000. Stored amounts never
// pass through double except where a rule says so (fromDouble rounds exactly like the
// original: half to even at the fourth decimal).
//
// Nothing wraps: a conversion that does not fit raises EConvertError, and a sum, difference or
// product beyond the range (-922,337,203,685,477.5808 to 922,337,203,685,477.5807) raises
// EOverflow, so no amount is ever computed into garbage.
#pragma once

#include <compare>
#include <cstdint>

namespace duebell {

namespace detail {
[[noreturn]] void RaiseCurrencyOverflow();
} // namespace detail

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    // Whole units; EConvertError beyond the range.
    static Currency fromUnits(std::int64_t whole);
    // Half to even at the fourth decimal, as the FPU stores a Currency. NaN, infinities and
    // values beyond the range raise EConvertError.
    static Currency fromDouble(double value);
    // A count of ten-thousandths worked out in floating point and already whole; EOverflow
    // beyond the range (NaN included).
    static Currency fromRawDouble(double raw);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / Scale; }
    constexpr bool isZero() const { return raw_ == 0; }

    constexpr Currency operator-() const { return Currency(0) - *this; }
    constexpr Currency operator+(Currency o) const {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(raw_, o.raw_, &sum)) {
            detail::RaiseCurrencyOverflow();
        }
        return Currency(sum);
    }
    constexpr Currency operator-(Currency o) const {
        std::int64_t difference = 0;
        if (__builtin_sub_overflow(raw_, o.raw_, &difference)) {
            detail::RaiseCurrencyOverflow();
        }
        return Currency(difference);
    }
    constexpr Currency& operator+=(Currency o) { return *this = *this + o; }
    constexpr Currency& operator-=(Currency o) { return *this = *this - o; }
    constexpr Currency operator*(std::int64_t n) const {
        std::int64_t product = 0;
        if (__builtin_mul_overflow(raw_, n, &product)) {
            detail::RaiseCurrencyOverflow();
        }
        return Currency(product);
    }
    // Products and quotients of two amounts round half to even at the fourth decimal.
    Currency operator*(Currency o) const;
    Currency operator/(Currency o) const;
    Currency operator/(std::int64_t n) const;

    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

// Every rate of the loan book: a percentage (7.75 means 7.75 %) held as a Currency.
// A distinct type so generic code can tell a rate from an amount.
struct TPercentage {
    Currency value;
    constexpr auto operator<=>(const TPercentage&) const = default;
};

} // namespace duebell
