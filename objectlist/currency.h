// Money as Delphi's Currency: a 64-bit integer scaled by 10000. Stored amounts never
// pass through double except where a rule says so (fromDouble rounds exactly like the
// original: half to even at the fourth decimal).
#pragma once

#include <compare>
#include <cstdint>

namespace duebell {

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency fromUnits(std::int64_t whole) { return Currency(whole * Scale); }
    // Half to even at the fourth decimal, as the FPU stores a Currency.
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / Scale; }
    constexpr bool isZero() const { return raw_ == 0; }

    constexpr Currency operator-() const { return Currency(-raw_); }
    constexpr Currency operator+(Currency o) const { return Currency(raw_ + o.raw_); }
    constexpr Currency operator-(Currency o) const { return Currency(raw_ - o.raw_); }
    constexpr Currency& operator+=(Currency o) { raw_ += o.raw_; return *this; }
    constexpr Currency& operator-=(Currency o) { raw_ -= o.raw_; return *this; }
    constexpr Currency operator*(std::int64_t n) const { return Currency(raw_ * n); }
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
