#include "objectlist/rounding.h"

#include "objectlist/numberformat.h"

#include <cmath>

namespace duebell {

double RoundToDigits(int digits, double value) {
    double scale = 1;
    for (int i = 0; i < std::abs(digits); ++i) {
        scale *= 10;
    }
    if (digits < 0) {
        scale = 1 / scale;
    }
    double x = value * scale;
    x += x > 0 ? 0.5 : -0.5;
    if (!std::isfinite(x)) {
        return value; // too large to carry any decimals
    }
    // The text form drops the noise below 15 significant digits before the cut.
    double result = std::trunc(StrToFloat(FloatToStr(x))) / scale;
    return result + 0.0; // never -0
}

} // namespace duebell
