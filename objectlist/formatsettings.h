// The program's fixed number, money and date settings. The original read these from the
// regional settings and then pinned the date and time formats at start-up; we never consult
// the locale, so every text the program shows, prints or stores is built from these values.
#pragma once

#include <string_view>

namespace duebell::FormatSettings {

// Numbers and money.
inline constexpr char DecimalSeparator = '.';
inline constexpr char ThousandSeparator = ',';
inline constexpr std::string_view CurrencyString = "$";
inline constexpr int CurrencyFormat = 0; // "$1": symbol, then the number
inline constexpr int NegCurrFormat = 1;  // "-$1": minus, symbol, number
inline constexpr int CurrencyDecimals = 2;

// Dates and times.
inline constexpr char DateSeparator = '/';
inline constexpr char TimeSeparator = ':';
inline constexpr std::string_view ShortDateFormat = "dd/mm/yyyy";
inline constexpr std::string_view LongDateFormat = "dddd, d mmmm yyyy";
inline constexpr std::string_view ShortTimeFormat = "hh:nn";
inline constexpr std::string_view LongTimeFormat = "hh:nn:ss";
inline constexpr std::string_view TimeAMString = "AM";
inline constexpr std::string_view TimePMString = "PM";

} // namespace duebell::FormatSettings
