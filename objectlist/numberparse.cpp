// Reading numbers, amounts and integers from text without the locale.
#include "objectlist/exceptions.h"
#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace duebell {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A decimal number split into its parts: [sign] digits [. digits] [E [sign] digits].
struct DecimalText {
    bool negative = false;
    std::string_view integer;
    std::string_view fraction;
    long long exponent = 0;
};

bool scanDecimal(std::string_view text, DecimalText& result) {
    text = trimmed(text);
    std::size_t pos = 0;
    auto digitsFrom = [&](std::size_t start) {
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
        }
        return text.substr(start, pos - start);
    };
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        result.negative = text[pos++] == '-';
    }
    result.integer = digitsFrom(pos);
    if (pos < text.size() && text[pos] == FormatSettings::DecimalSeparator) {
        ++pos;
        result.fraction = digitsFrom(pos);
    }
    if (result.integer.empty() && result.fraction.empty()) {
        return false;
    }
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos++] == '-';
        }
        std::string_view digits = digitsFrom(pos);
        if (digits.empty()) {
            return false;
        }
        // Far beyond any double; keeps the arithmetic below from overflowing.
        constexpr long long Cap = 100000;
        for (char d : digits) {
            result.exponent = std::min(Cap, result.exponent * 10 + (d - '0'));
        }
        if (negativeExponent) {
            result.exponent = -result.exponent;
        }
    }
    return pos == text.size();
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// Magnitude of an integer text in the given base; false on a bad digit or above `limit`.
bool readMagnitude(std::string_view digits, int base, std::uint64_t limit, std::uint64_t& value) {
    if (digits.empty()) {
        return false;
    }
    value = 0;
    for (char c : digits) {
        int digit = -1;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || value > (limit - static_cast<std::uint64_t>(digit)) / base) {
            return false;
        }
        value = value * base + static_cast<std::uint64_t>(digit);
    }
    return true;
}

template <typename Int> bool tryReadInteger(std::string_view text, Int& result) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    auto max = static_cast<std::uint64_t>(std::numeric_limits<Int>::max());
    std::uint64_t magnitude = 0;
    if (!readMagnitude(text, base, negative ? max + 1 : max, magnitude)) {
        return false;
    }
    result = negative ? static_cast<Int>(0 - magnitude) : static_cast<Int>(magnitude);
    return true;
}

} // namespace

bool TryStrToFloat(std::string_view text, double& result) {
    DecimalText parts;
    if (!scanDecimal(text, parts)) {
        return false;
    }
    std::string plain(parts.integer.empty() ? "0" : parts.integer);
    plain += '.';
    plain += parts.fraction.empty() ? "0" : parts.fraction;
    plain += 'e';
    plain += IntToStr(parts.exponent);
    double value = 0;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (parts.exponent > 0) {
            return false; // too large for a double
        }
        value = 0; // too small: underflows to zero
    } else if (ec != std::errc()) {
        return false;
    }
    result = parts.negative ? -value : value;
    return true;
}

double StrToFloat(std::string_view text) {
    double result = 0;
    if (!TryStrToFloat(text, result)) {
        throw EConvertError(quoted(text) + " is not a valid floating point value");
    }
    return result;
}

bool TryStrToCurr(std::string_view text, Currency& result) {
    DecimalText parts;
    if (!scanDecimal(text, parts)) {
        return false;
    }
    std::string digits(parts.integer);
    digits += parts.fraction;
    std::size_t first = digits.find_first_not_of('0');
    digits.erase(0, first == std::string::npos ? digits.size() : first);
    // The amount is digits x 10^shift in units of 0.0001.
    long long shift = parts.exponent - static_cast<long long>(parts.fraction.size()) + 4;
    const std::uint64_t limit =
        parts.negative ? std::uint64_t{1} << 63
                       : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t units = 0;
    if (!digits.empty()) {
        long long kept = static_cast<long long>(digits.size()) + shift;
        if (kept > 19) {
            return false;
        }
        std::string_view whole(digits);
        std::string_view dropped;
        if (shift < 0) {
            whole = kept > 0 ? whole.substr(0, static_cast<std::size_t>(kept)) : std::string_view();
            dropped = std::string_view(digits).substr(whole.size());
        }
        std::string scaled(whole);
        if (shift > 0) {
            scaled.append(static_cast<std::size_t>(shift), '0');
        }
        if (!scaled.empty() && !readMagnitude(scaled, 10, limit, units)) {
            return false;
        }
        // Half to even on the dropped digits. With kept < 0 zeros precede them: below a half.
        bool beyondHalf = false;
        bool exactHalf = false;
        if (kept >= 0 && !dropped.empty()) {
            char head = dropped.front();
            bool restNonZero = dropped.substr(1).find_first_not_of('0') != std::string_view::npos;
            beyondHalf = head > '5' || (head == '5' && restNonZero);
            exactHalf = head == '5' && !restNonZero;
        }
        if (beyondHalf || (exactHalf && units % 2 == 1)) {
            if (units == limit) {
                return false;
            }
            ++units;
        }
    }
    std::int64_t raw =
        parts.negative ? static_cast<std::int64_t>(0 - units) : static_cast<std::int64_t>(units);
    result = Currency::fromRaw(raw);
    return true;
}

Currency StrToCurr(std::string_view text) {
    Currency result;
    if (!TryStrToCurr(text, result)) {
        throw EConvertError(quoted(text) + " is not a valid floating point value");
    }
    return result;
}

bool TryStrToInt(std::string_view text, int& result) {
    return tryReadInteger(text, result);
}

int StrToInt(std::string_view text) {
    int result = 0;
    if (!TryStrToInt(text, result)) {
        throw EConvertError(quoted(text) + " is not a valid integer value");
    }
    return result;
}

bool TryStrToInt64(std::string_view text, std::int64_t& result) {
    return tryReadInteger(text, result);
}

std::int64_t StrToInt64(std::string_view text) {
    std::int64_t result = 0;
    if (!TryStrToInt64(text, result)) {
        throw EConvertError(quoted(text) + " is not a valid integer value");
    }
    return result;
}

} // namespace duebell
