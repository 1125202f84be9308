// Number and money texts, compatible with the Delphi routines of the same names and built
// from the fixed settings of formatsettings.h. Nothing here reads the locale: digits are
// produced with std::to_chars and read with std::from_chars or by hand.
//
// Rounding rule of the formatter: a double is first reduced to its 15 significant decimal
// digits, and that decimal text is then rounded half away from zero to the digits the pattern
// shows. So FormatFloat("0.00", 2.675) is "2.68" although the double lies just below 2.675.
// A Currency is formatted from its exact integer, also half away from zero.
// (Currency arithmetic and Delphi's Round round half to even instead; see currency.h.)
#pragma once

#include "objectlist/currency.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace duebell {

// Delphi format patterns: up to three sections "positive;negative;zero". In a section:
// "0" a digit (zero when there is none), "#" a digit when there is one, "." the decimal point,
// "," anywhere: thousands grouping, "E+0" / "E-0" (1 to 4 zeros) scientific notation, text in
// single or double quotes as it is, every other character ("$", "%", "-", blanks) as it is.
// The negative section shows the absolute value; without one the positive section is used
// with a leading "-". A zero, or a value that rounds to zero, uses the zero section when there
// is one (and never shows "-"). An empty pattern gives the general format.
std::string FormatFloat(std::string_view pattern, double value);
std::string FormatCurr(std::string_view pattern, Currency value);

// General format: the shortest text of up to 15 significant digits; exponent form ("1E20",
// "1.5E-7") when the value needs more than 15 integer digits or is below 0.0001.
std::string FloatToStr(double value);
// Every decimal of the amount, no trailing zeros: "12.5", "0.0001", "-3".
std::string CurrToStr(Currency value);
// The money pattern of the currency settings: "$,0.00;-$,0.00".
std::string CurrencyPattern();
// Money as Format("%m") shows it: "$1,234,567.00", "-$12.50".
std::string FormatMoneyText(Currency value);

std::string IntToStr(std::int64_t value);
// Format("%.7d")-style: at least minDigits digits, zero-padded after the sign ("0000042").
std::string FormatInt(std::int64_t value, int minDigits);

// Readers. Blanks around the number are allowed. Numbers: optional sign, digits with an
// optional "." and decimals, optional exponent ("1.5E3"); no thousands separators.
// The Try forms return false and leave the result alone; the others raise EConvertError.
bool TryStrToFloat(std::string_view text, double& result);
double StrToFloat(std::string_view text);
// Exact decimal reading into the fixed point; digits past the fourth decimal round half to
// even, as the FPU stored a Currency. Out of range is no amount.
bool TryStrToCurr(std::string_view text, Currency& result);
Currency StrToCurr(std::string_view text);
// Integers: optional sign, then decimal digits or hexadecimal after "$" or "0x"; leading blanks
// only. StrToInt is 32-bit, StrToInt64 64-bit; out of range is no integer.
bool TryStrToInt(std::string_view text, int& result);
int StrToInt(std::string_view text);
bool TryStrToInt64(std::string_view text, std::int64_t& result);
std::int64_t StrToInt64(std::string_view text);

} // namespace duebell
