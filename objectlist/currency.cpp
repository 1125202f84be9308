#include "objectlist/currency.h"

#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <cmath>
#include <limits>

namespace duebell {

namespace detail {

void RaiseCurrencyOverflow() {
    throw EOverflow("The amount is beyond the largest amount of money, 922337203685477.5807.");
}

} // namespace detail

namespace {

// 2^63: the first whole number beyond the range of a raw amount, exact as a double.
constexpr double RawLimit = 9223372036854775808.0;

bool FitsRaw(double raw) {
    return raw >= -RawLimit && raw < RawLimit; // false for NaN too
}

// Quotient of num / den rounded half to even, as the FPU rounds a Currency result.
std::int64_t divideHalfEven(__int128 num, __int128 den) {
    if (den == 0) {
        throw Exception("Division by zero");
    }
    if (den < 0) {
        num = -num;
        den = -den;
    }
    __int128 q = num / den;
    __int128 r = num % den;
    if (r < 0) {
        r = -r;
    }
    __int128 twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0))) {
        q += (num < 0) ? -1 : 1;
    }
    if (q > std::numeric_limits<std::int64_t>::max() ||
        q < std::numeric_limits<std::int64_t>::min()) {
        detail::RaiseCurrencyOverflow();
    }
    return static_cast<std::int64_t>(q);
}

} // namespace

Currency Currency::fromUnits(std::int64_t whole) {
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(whole, Scale, &raw)) {
        throw EConvertError(IntToStr(whole) + " is beyond the range of money");
    }
    return Currency(raw);
}

Currency Currency::fromDouble(double value) {
    const double raw = std::nearbyint(value * Scale);
    if (!FitsRaw(raw)) {
        throw EConvertError(FloatToStr(value) + " is beyond the range of money");
    }
    return Currency(static_cast<std::int64_t>(raw));
}

Currency Currency::fromRawDouble(double raw) {
    if (!FitsRaw(raw)) {
        detail::RaiseCurrencyOverflow();
    }
    return Currency(static_cast<std::int64_t>(raw));
}

Currency Currency::operator*(Currency o) const {
    return Currency(divideHalfEven(static_cast<__int128>(raw_) * o.raw_, Scale));
}

Currency Currency::operator/(Currency o) const {
    return Currency(divideHalfEven(static_cast<__int128>(raw_) * Scale, o.raw_));
}

Currency Currency::operator/(std::int64_t n) const {
    return Currency(divideHalfEven(raw_, n));
}

} // namespace duebell
