// Conversion between the units a caller works in and the inches the library stores.
#pragma once

#include "print/types.h"

#include <cstdint>

namespace duebell {

// Exact conversion through hundredths of a millimetre; no rounding.
double ConvertValue(TPqMeasurement fromUnit, TPqMeasurement toUnit, double value);
InchPoint ConvertPoint(InchPoint point, TPqMeasurement fromUnit, TPqMeasurement toUnit);

struct IntRect {
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Right = 0;
    std::int64_t Bottom = 0;
};
InchRect ConvertRect(const IntRect& rect, TPqMeasurement fromUnit, TPqMeasurement toUnit);

// Round to the nearest integer, halves to even (as the FPU rounds by default).
std::int64_t RoundHalfEven(double value);

// Hit test in inches: all six numbers times 1000 rounded, left and top inclusive, right and
// bottom exclusive.
bool PointInObjectRect(const InchRect& rect, InchPoint point);

} // namespace duebell
