// FormatFloat and FormatCurr: Delphi's format patterns laid over decimal digits.
#include "objectlist/decimaldigits.h"
#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace duebell {

namespace {

constexpr int MaxExponentDigits = 4;

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

// Position just past the quoted text that starts at `pos` (an unclosed quote runs to the end).
std::size_t skipQuoted(std::string_view text, std::size_t pos) {
    std::size_t close = text.find(text[pos], pos + 1);
    return close == std::string_view::npos ? text.size() : close + 1;
}

// Number of "0" after an "E+" / "E-" at `pos`; 0 when there is no exponent there.
int exponentZerosAt(std::string_view section, std::size_t pos) {
    if ((section[pos] != 'E' && section[pos] != 'e') || pos + 1 >= section.size() ||
        (section[pos + 1] != '+' && section[pos + 1] != '-')) {
        return 0;
    }
    int zeros = 0;
    while (pos + 2 + static_cast<std::size_t>(zeros) < section.size() &&
           section[pos + 2 + static_cast<std::size_t>(zeros)] == '0') {
        ++zeros;
    }
    return zeros;
}

struct Sections {
    std::array<std::string_view, 3> text;
    int count = 0;
    bool has(int i) const { return i < count && !text[static_cast<std::size_t>(i)].empty(); }
};

Sections splitSections(std::string_view pattern) {
    Sections s;
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < pattern.size() && s.count < 2) {
        if (isQuote(pattern[pos])) {
            pos = skipQuoted(pattern, pos);
        } else if (pattern[pos] == ';') {
            s.text[static_cast<std::size_t>(s.count++)] = pattern.substr(start, pos - start);
            start = ++pos;
        } else {
            ++pos;
        }
    }
    // The last section ends at the next unquoted ";" or at the end.
    for (pos = start; pos < pattern.size() && pattern[pos] != ';';) {
        pos = isQuote(pattern[pos]) ? skipQuoted(pattern, pos) : pos + 1;
    }
    s.text[static_cast<std::size_t>(s.count++)] = pattern.substr(start, pos - start);
    return s;
}

// What a section asks for: how many digit places, where the point is, which are forced.
struct Layout {
    int digitCount = 0;     // "0" and "#" places
    int integerPlaces = 0;  // places before the first "."
    int forcedInteger = 0;  // integer places from the first "0" on
    int forcedDecimals = 0; // decimal places up to the last "0"
    bool thousands = false;
    bool scientific = false;

    int decimalPlaces() const { return digitCount - integerPlaces; }
};

Layout scanSection(std::string_view section) {
    Layout layout;
    int pointAt = -1;
    int firstZero = -1;
    int lastZeroEnd = 0;
    for (std::size_t pos = 0; pos < section.size();) {
        char c = section[pos];
        if (isQuote(c)) {
            pos = skipQuoted(section, pos);
            continue;
        }
        if (int zeros = exponentZerosAt(section, pos); zeros > 0) {
            layout.scientific = true;
            pos += 2 + static_cast<std::size_t>(zeros);
            continue;
        }
        if (c == '0') {
            if (firstZero < 0) {
                firstZero = layout.digitCount;
            }
            lastZeroEnd = ++layout.digitCount;
        } else if (c == '#') {
            ++layout.digitCount;
        } else if (c == '.' && pointAt < 0) {
            pointAt = layout.digitCount;
        } else if (c == ',') {
            layout.thousands = true;
        }
        ++pos;
    }
    layout.integerPlaces = pointAt < 0 ? layout.digitCount : pointAt;
    layout.forcedInteger = firstZero < 0 ? 0 : std::max(0, layout.integerPlaces - firstZero);
    layout.forcedDecimals = std::max(0, lastZeroEnd - layout.integerPlaces);
    return layout;
}

void roundForLayout(DecimalDigits& value, const Layout& layout, int maxSignificant) {
    if (layout.scientific) {
        value.roundToSignificant(std::clamp(layout.digitCount, 1, maxSignificant));
    } else {
        value.roundToDecimals(layout.decimalPlaces());
    }
}

// Lays the rounded, unsigned digits out over the section's characters.
std::string render(std::string_view section, const Layout& layout, const DecimalDigits& value) {
    std::string integer;
    std::string fraction;
    int exponent = 0;
    if (layout.scientific) {
        if (value.isZero()) {
            integer = layout.integerPlaces > 0 ? "0" : ""; // "#.###E-0" shows 0 as "0E0"
        } else {
            integer = value.digits.substr(0, static_cast<std::size_t>(layout.integerPlaces));
            integer.resize(static_cast<std::size_t>(layout.integerPlaces), '0');
            if (value.digits.size() > integer.size()) {
                fraction = value.digits.substr(integer.size());
            }
            exponent = value.exponent - layout.integerPlaces;
        }
    } else {
        integer = value.integerDigits();
        fraction = value.fractionDigits(layout.decimalPlaces());
    }
    if (static_cast<int>(integer.size()) < layout.forcedInteger) {
        integer.insert(0, static_cast<std::size_t>(layout.forcedInteger) - integer.size(), '0');
    }
    std::size_t keep = fraction.find_last_not_of('0') + 1; // 0 when all zeros
    keep = std::max(keep, static_cast<std::size_t>(layout.forcedDecimals));
    fraction.resize(std::min(keep, fraction.size()));
    fraction.resize(std::max(fraction.size(), static_cast<std::size_t>(layout.forcedDecimals)),
                    '0');

    const bool grouped = layout.thousands && !layout.scientific;
    const auto integerCount = static_cast<int>(integer.size());
    int nextInteger = 0; // index of the next integer digit to write
    // Writes the integer digits up to the one `position` places from the right (1-based).
    auto writeIntegerDigits = [&](std::string& out, int position) {
        for (; nextInteger <= integerCount - position; ++nextInteger) {
            out += integer[static_cast<std::size_t>(nextInteger)];
            int fromRight = integerCount - nextInteger;
            if (grouped && fromRight > 1 && fromRight % 3 == 1) {
                out += FormatSettings::ThousandSeparator;
            }
        }
    };

    std::string out;
    int place = 0;
    bool pointWritten = false;
    for (std::size_t pos = 0; pos < section.size();) {
        char c = section[pos];
        if (isQuote(c)) {
            std::size_t end = skipQuoted(section, pos);
            std::size_t close = section[end - 1] == c && end - 1 > pos ? end - 1 : end;
            out += section.substr(pos + 1, close - pos - 1);
            pos = end;
            continue;
        }
        if (int zeros = exponentZerosAt(section, pos); zeros > 0) {
            out += c;
            if (exponent < 0) {
                out += '-';
            } else if (section[pos + 1] == '+') {
                out += '+';
            }
            out += FormatInt(std::abs(exponent), std::min(zeros, MaxExponentDigits));
            pos += 2 + static_cast<std::size_t>(zeros);
            continue;
        }
        if (c == '0' || c == '#') {
            if (place < layout.integerPlaces) {
                writeIntegerDigits(out, layout.integerPlaces - place);
            } else if (auto k = static_cast<std::size_t>(place - layout.integerPlaces);
                       k < fraction.size()) {
                out += fraction[k];
            }
            ++place;
        } else if (c == '.') {
            if (!pointWritten) {
                pointWritten = true;
                writeIntegerDigits(out, 1); // a section with no integer places
                if (!fraction.empty()) {
                    out += FormatSettings::DecimalSeparator;
                }
            }
        } else if (c != ',') {
            out += c;
        }
        ++pos;
    }
    return out;
}

std::string formatDigits(std::string_view pattern, const DecimalDigits& value, int maxSignificant,
                         const std::function<std::string()>& generalText) {
    Sections sections = splitSections(pattern);
    int chosen = 0;
    if (value.isZero()) {
        chosen = sections.has(2) ? 2 : 0;
    } else if (value.negative && sections.has(1)) {
        chosen = 1;
    }
    if (!sections.has(chosen)) {
        return generalText();
    }
    Layout layout = scanSection(sections.text[static_cast<std::size_t>(chosen)]);
    DecimalDigits rounded = value;
    roundForLayout(rounded, layout, maxSignificant);
    if (rounded.isZero() && !value.isZero()) {
        // Rounds to nothing: shown as a zero, never as "-0.00".
        chosen = sections.has(2) ? 2 : 0;
        if (!sections.has(chosen)) {
            return "0";
        }
        layout = scanSection(sections.text[static_cast<std::size_t>(chosen)]);
    }
    std::string sign = value.negative && chosen == 0 && !rounded.isZero() ? "-" : "";
    return sign + render(sections.text[static_cast<std::size_t>(chosen)], layout, rounded);
}

} // namespace

std::string FormatFloat(std::string_view pattern, double value) {
    if (!std::isfinite(value)) {
        return FloatToStr(value);
    }
    return formatDigits(pattern, DecimalDigits::fromDouble(value), 15,
                        [value] { return FloatToStr(value); });
}

std::string FormatCurr(std::string_view pattern, Currency value) {
    return formatDigits(pattern, DecimalDigits::fromCurrency(value), 19,
                        [value] { return CurrToStr(value); });
}

} // namespace duebell
