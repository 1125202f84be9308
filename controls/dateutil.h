// Whether dates are shown with four-digit years: decided once from the short date format.
#pragma once

#include <string_view>

namespace duebell {

// The program's fixed short date format; the regional settings never change it.
inline constexpr std::string_view ShortDateFormat = "dd/mm/yyyy";

// True when the upper-cased format contains "YYYY".
bool IsFourDigitYearFormat(std::string_view format);
// The flag for the program's short date format.
bool FourDigitYear();

} // namespace duebell
