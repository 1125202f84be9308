#include "objectlist/xmltext.h"

#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "objectlist/objectitem.h"
#include "objectlist/rounding.h"

#include <cmath>
#include <cstdint>

namespace duebell {

namespace {

void appendDigits(std::string& out, int value, int width) {
    char digits[8];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 || count < width);
    while (count > 0)
        out.push_back(digits[--count]);
}

void appendDate(std::string& out, double value) {
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    appendDigits(out, year, 4);
    out.push_back('-');
    appendDigits(out, month, 2);
    out.push_back('-');
    appendDigits(out, day, 2);
}

constexpr std::int64_t SecondsPerDay = 86400;

// The whole second the record lists compare a date-time by (the value rounded to 7 decimals,
// a moment within 4.5 ms below a second counting as that second). Writing exactly that second
// means two keys a list tells apart are never written alike, so a file always reads back.
std::int64_t ComparedSecond(double value) {
    return static_cast<std::int64_t>(
        std::floor(RoundToDigits(7, value) * static_cast<double>(SecondsPerDay) + 0.0045));
}

} // namespace

std::string FormatXMLDate(double value, bool withTime) {
    if (RoundToDigits(5, value) <= 0)
        return {};
    std::string text;
    text.reserve(25);
    if (!withTime) {
        appendDate(text, value);
        return text;
    }
    const std::int64_t seconds = ComparedSecond(value);
    appendDate(text, static_cast<double>(seconds / SecondsPerDay));
    const auto time = static_cast<int>(seconds % SecondsPerDay);
    text.push_back('T');
    appendDigits(text, time / 3600, 2);
    text.push_back(':');
    appendDigits(text, time / 60 % 60, 2);
    text.push_back(':');
    appendDigits(text, time % 60, 2);
    text.append("+10:00");
    return text;
}

std::string XmlPropertyText(const TTovObjectItem& item, const TTovPropInfo& prop) {
    switch (prop.Kind()) {
    case TTovPropertyKind::Integer:
        return IntToStr(prop.GetOrdinal(item));
    case TTovPropertyKind::Enumeration:
        if (prop.IsBoolean())
            return prop.GetOrdinal(item) != 0 ? "True" : "False";
        return IntToStr(prop.GetOrdinal(item));
    case TTovPropertyKind::Char:
        // The NUL character is "no character": left out like an empty text.
        return prop.GetOrdinal(item) == 0 ? std::string() : prop.GetString(item);
    case TTovPropertyKind::String:
        return prop.GetString(item);
    case TTovPropertyKind::Float:
        switch (prop.FloatType()) {
        case TTovFloatType::Date:
            return FormatXMLDate(prop.GetFloat(item), false);
        case TTovFloatType::DateTime:
            return FormatXMLDate(prop.GetFloat(item), true);
        case TTovFloatType::Currency:
        case TTovFloatType::Percentage:
            return CurrToStr(prop.GetCurrency(item));
        case TTovFloatType::Double:
            return FloatToStr(prop.GetFloat(item));
        }
        break;
    case TTovPropertyKind::Int64:
        return IntToStr(prop.GetInt64(item));
    case TTovPropertyKind::Class:
        break;
    }
    return {};
}

} // namespace duebell
