#include "controls/numeditrules.h"

#include "controls/exstrutils.h"
#include "controls/rangeerror.h"
#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

namespace duebell {

namespace {

constexpr char Decimal = FormatSettings::DecimalSeparator;
constexpr char Thousands = FormatSettings::ThousandSeparator;

std::string Fixed(double value, int decimals) {
    return FormatFloat(
        decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0", value);
}

} // namespace

std::string NumEditRules::RangeMessage() const {
    if (MinValue == MaxValue)
        return "Value must be a number";
    return "Value must be between " + Fixed(MinValue, DecimalPlaces) + " and " +
           Fixed(MaxValue, DecimalPlaces);
}

double NumEditRules::ClampToRange(double value, bool raise) const {
    double result = value;
    if (MinValue < MaxValue) {
        if (value < MinValue)
            result = MinValue;
        else if (value > MaxValue)
            result = MaxValue;
    } else if (MinValue > MaxValue) {
        if (MaxValue == 0) {
            if (value < MinValue)
                result = MinValue;
        } else if (MinValue == 0) {
            if (value > MaxValue)
                result = MaxValue;
        }
    }
    if (raise && result != value)
        throw ERangeError(RangeMessage());
    return result;
}

std::string NumEditRules::NormalizeNumberText(const std::string& text) {
    std::string s = TrimSpaces(text);
    if (Decimal != Thousands)
        s = DeleteChar(s, Thousands);
    if (Decimal != '.' && Thousands != '.')
        s = ReplaceSubstring(s, ".", std::string(1, Decimal));
    if (Decimal != ',' && Thousands != ',')
        s = ReplaceSubstring(s, ",", std::string(1, Decimal));
    if (s.empty())
        return "0";
    if (s == "-")
        return "-0";
    return s;
}

double NumEditRules::TextValue(const std::string& text) {
    return StrToFloat(NormalizeNumberText(text));
}

std::string NumEditRules::EditText(double value) const {
    if (value == 0 && ZeroEmpty)
        return {};
    const std::string pattern =
        DecimalPlaces > 0 ? "0." + std::string(static_cast<std::size_t>(DecimalPlaces), '#') : "0";
    return FormatFloat(pattern, value);
}

std::string NumEditRules::DisplayText(double value) const {
    return DisplayFormat.empty() ? FloatToStr(value) : FormatFloat(DisplayFormat, value);
}

bool NumEditRules::IsValidKey(char key, const std::string& text, int selStart,
                              int selLength) const {
    std::string t = text;
    const auto start =
        static_cast<std::size_t>(std::clamp(selStart, 0, static_cast<int>(t.size())));
    t.replace(
        start,
        static_cast<std::size_t>(std::clamp(selLength, 0, static_cast<int>(t.size() - start))), 1,
        key);
    return IsValidText(t);
}

bool NumEditRules::IsValidText(const std::string& text) const {
    const std::string t = NormalizeNumberText(text);
    const std::size_t point = t.find(Decimal);
    if (point != std::string::npos) {
        // Digits after the decimal point, up to an exponent.
        std::size_t exponent = t.find_first_of("Ee");
        const std::size_t end =
            exponent != std::string::npos && exponent > point ? exponent : t.size();
        // A field without decimals takes no decimal point either.
        if (DecimalPlaces == 0 || static_cast<int>(end - point - 1) > DecimalPlaces)
            return false;
    }
    for (char c : t)
        if (!(c == '+' || c == '-' || c == 'E' || c == 'e' || c == Decimal ||
              std::isdigit(static_cast<unsigned char>(c))))
            return false;
    double value = 0;
    if (!TryStrToFloat(t, value))
        return false;
    // A range of non-negative values takes no minus, not even before the first digit.
    if (MinValue >= 0 && MaxValue > 0 && std::signbit(value))
        return false;
    return true;
}

std::string NumEditRules::PastedNumber(const std::string& text) {
    std::string s = TrimSpaces(text);
    const std::size_t sign = !s.empty() && (s[0] == '-' || s[0] == '+') ? 1 : 0;
    const std::string_view currency = FormatSettings::CurrencyString;
    if (s.compare(sign, currency.size(), currency) == 0)
        s.erase(sign, currency.size());
    return Decimal != Thousands ? DeleteChar(s, Thousands) : s;
}

std::string NumEditRules::FormatNumberText(const std::string& text, bool thousands) {
    std::string sign;
    std::string s = text;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        sign = s.substr(0, 1);
        s.erase(0, 1);
    }
    std::size_t end = s.find_first_of(std::string(1, Decimal) + "Ee");
    if (end == std::string::npos)
        end = s.size();
    const std::string digits = s.substr(0, end);
    const std::string rest = s.substr(end);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t fromRight = digits.size() - i;
        grouped += digits[i];
        if (thousands && fromRight > 1 && (fromRight - 1) % 3 == 0)
            grouped += Thousands;
    }
    return sign + grouped + rest;
}

std::string DefaultNumberDisplayFormat() {
    return ",0.##";
}

std::string DefaultCurrencyDisplayFormat() {
    return CurrencyPattern();
}

} // namespace duebell
