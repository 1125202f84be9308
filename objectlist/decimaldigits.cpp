#include "objectlist/decimaldigits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace duebell {

namespace {

void trimZeros(DecimalDigits& d) {
    std::size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    d.digits.erase(0, first);
    d.exponent -= static_cast<int>(first);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
}

} // namespace

DecimalDigits DecimalDigits::fromDouble(double value, int significant) {
    DecimalDigits d;
    d.negative = std::signbit(value);
    if (value == 0 || !std::isfinite(value)) {
        return d;
    }
    // "d.ddddde+xx": correctly rounded to the requested significant digits.
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                   std::chars_format::scientific, significant - 1);
    (void)ec;
    std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    std::size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c != '.') {
            d.digits += c;
        }
    }
    int power = 0;
    std::string_view exponentText = text.substr(e + 1);
    if (!exponentText.empty() && exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), power);
    d.exponent = power + 1;
    trimZeros(d);
    return d;
}

DecimalDigits DecimalDigits::fromCurrency(Currency value) {
    DecimalDigits d;
    std::int64_t raw = value.raw();
    d.negative = raw < 0;
    // Magnitude as unsigned, so the most negative amount has one too.
    std::uint64_t magnitude =
        d.negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    std::array<char, 24> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude);
    (void)ec;
    d.digits.assign(buffer.data(), end);
    d.exponent = static_cast<int>(d.digits.size()) - 4; // four implied decimals
    trimZeros(d);
    return d;
}

void DecimalDigits::roundAt(int keep) {
    if (keep >= static_cast<int>(digits.size())) {
        return;
    }
    if (keep < 0) {
        digits.clear();
        exponent = 0;
        return;
    }
    bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++exponent;
        }
    }
    trimZeros(*this);
}

void DecimalDigits::roundToDecimals(int decimals) {
    roundAt(exponent + decimals);
}

void DecimalDigits::roundToSignificant(int count) {
    roundAt(count);
}

std::string DecimalDigits::integerDigits() const {
    if (exponent <= 0) {
        return {};
    }
    auto length = static_cast<std::size_t>(exponent);
    std::string result = digits.substr(0, length);
    result.resize(length, '0');
    return result;
}

std::string DecimalDigits::fractionDigits(int count) const {
    std::string result;
    for (int position = exponent; static_cast<int>(result.size()) < count; ++position) {
        bool inDigits = position >= 0 && position < static_cast<int>(digits.size());
        result += inDigits ? digits[static_cast<std::size_t>(position)] : '0';
    }
    return result;
}

} // namespace duebell
