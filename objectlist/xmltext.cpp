#include "objectlist/xmltext.h"

#include "objectlist/datetime.h"
#include "objectlist/listdescriptor.h"
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

// Almost-zero values are no dates. Exactly RoundToDigits(5, value) <= 0, with the text-based
// rounding needed only next to the edge at 0.000005.
bool IsNoDate(double value) {
    if (value <= 0.0)
        return true;
    if (value >= 0.00001)
        return false;
    return RoundToDigits(5, value) <= 0;
}

// The value of `count` decimal digits at text[at], or -1 when they are not all digits.
int readDigits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

bool TryReadXmlDate(std::string_view text, double& value) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return false;
    const int year = readDigits(text, 0, 4);
    const int month = readDigits(text, 5, 2);
    const int day = readDigits(text, 8, 2);
    double date = 0.0;
    if (year < 0 || month < 0 || day < 0 || !TryEncodeDate(year, month, day, date))
        return false;
    if (text.size() == 10) {
        value = date;
        return true;
    }
    if (text.size() < 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return false;
    if (text.size() > 19 && text[19] != '+' && text[19] != '-' && text[19] != 'Z')
        return false;
    const int hour = readDigits(text, 11, 2);
    const int minute = readDigits(text, 14, 2);
    const int second = readDigits(text, 17, 2);
    double time = 0.0;
    if (hour < 0 || minute < 0 || second < 0 || !TryEncodeTime(hour, minute, second, 0, time))
        return false;
    value = CombineDateTime(date, time);
    return true;
}

std::string FormatXMLDate(double value, bool withTime) {
    if (IsNoDate(value))
        return {};
    std::string text;
    text.reserve(25);
    if (!withTime) {
        appendDate(text, value);
        return text;
    }
    // The second the lists compare the value by, so two keys a list tells apart are never
    // written alike and a file always reads back. A value beyond the calendar is refused by
    // the date's own check first, before its seconds could overflow.
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(value, year, month, day);
    const auto seconds = static_cast<std::int64_t>(DateKeySeconds(value));
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
