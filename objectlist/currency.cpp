#include "objectlist/currency.h"

#include <cmath>

#include "objectlist/exceptions.h"

namespace duebell {

namespace {

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
    return static_cast<std::int64_t>(q);
}

} // namespace

Currency Currency::fromDouble(double value) {
    return Currency(static_cast<std::int64_t>(std::nearbyint(value * Scale)));
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
