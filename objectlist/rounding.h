// Decimal rounding the way the stored figures were rounded: half away from zero, through the
// 15-digit text of the scaled value, so binary noise cannot tip a figure (2.675 -> 2.68).
// Stored dates and floats use 7 digits; the zero test of file dates uses 5.
#pragma once

namespace duebell {

// Value rounded half away from zero to `digits` decimal places.
double RoundToDigits(int digits, double value);

} // namespace duebell
