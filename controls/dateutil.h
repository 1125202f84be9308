// Whether dates are shown with four-digit years: decided once from the short date format.
#pragma once

#include <string_view>

namespace duebell {

// True when the upper-cased format contains "YYYY".
bool IsFourDigitYearFormat(std::string_view format);
// The flag for the program's fixed short date format.
bool FourDigitYear();

} // namespace duebell
