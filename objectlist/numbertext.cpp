// The plain number texts: general format, exact amounts, money, integers.
#include "objectlist/decimaldigits.h"
#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <array>
#include <charconv>
#include <cmath>

namespace duebell {

namespace {

constexpr int GeneralPrecision = 15;

std::string nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    return value < 0 ? "-INF" : "INF";
}

// Digits laid out without an exponent: "1234.5", "0.075".
std::string fixedText(const DecimalDigits& d) {
    std::string result = d.integerDigits();
    if (result.empty()) {
        result = "0";
    }
    int decimals = static_cast<int>(d.digits.size()) - d.exponent;
    if (decimals > 0) {
        result += FormatSettings::DecimalSeparator;
        result += d.fractionDigits(decimals);
    }
    return result;
}

} // namespace

std::string FloatToStr(double value) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    DecimalDigits d = DecimalDigits::fromDouble(value, GeneralPrecision);
    if (d.isZero()) {
        return "0";
    }
    std::string result = d.negative ? "-" : "";
    if (d.exponent > GeneralPrecision || d.exponent < -3) {
        result += d.digits[0];
        if (d.digits.size() > 1) {
            result += FormatSettings::DecimalSeparator;
            result += d.digits.substr(1);
        }
        result += 'E';
        result += IntToStr(d.exponent - 1);
        return result;
    }
    return result + fixedText(d);
}

std::string CurrToStr(Currency value) {
    DecimalDigits d = DecimalDigits::fromCurrency(value);
    if (d.isZero()) {
        return "0";
    }
    return (d.negative ? "-" : "") + fixedText(d);
}

std::string CurrencyPattern() {
    namespace fs = FormatSettings;
    const std::string number = ",0." + std::string(fs::CurrencyDecimals, '0');
    // The symbol as literal text: its separators quoted so the pattern does not read them.
    std::string symbol;
    for (char c : fs::CurrencyString) {
        if (c == ',' || c == '.') {
            symbol += '\'';
            symbol += c;
            symbol += '\'';
        } else {
            symbol += c;
        }
    }
    std::string positive = number;
    if (!symbol.empty()) {
        switch (fs::CurrencyFormat) {
        case 0:
            positive = symbol + number;
            break;
        case 1:
            positive = number + symbol;
            break;
        case 2:
            positive = symbol + " " + number;
            break;
        default:
            positive = number + " " + symbol;
            break;
        }
    }
    // Negative currency format 1: a minus before the positive form.
    return positive + ";-" + positive;
}

std::string FormatMoneyText(Currency value) {
    static const std::string pattern = CurrencyPattern();
    return FormatCurr(pattern, value);
}

std::string IntToStr(std::int64_t value) {
    std::array<char, 24> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;
    return std::string(buffer.data(), end);
}

std::string FormatInt(std::int64_t value, int minDigits) {
    std::string digits = IntToStr(value);
    bool negative = value < 0;
    if (negative) {
        digits.erase(0, 1);
    }
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

} // namespace duebell
