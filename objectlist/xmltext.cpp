#include "objectlist/xmltext.h"

#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "objectlist/objectitem.h"
#include "objectlist/rounding.h"

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

} // namespace

std::string FormatXMLDate(double value, bool withTime) {
    if (RoundToDigits(5, value) <= 0)
        return {};
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    std::string text;
    text.reserve(25);
    appendDigits(text, year, 4);
    text.push_back('-');
    appendDigits(text, month, 2);
    text.push_back('-');
    appendDigits(text, day, 2);
    if (withTime) {
        int hour = 0, minute = 0, second = 0, msec = 0;
        DecodeTime(value, hour, minute, second, msec);
        text.push_back('T');
        appendDigits(text, hour, 2);
        text.push_back(':');
        appendDigits(text, minute, 2);
        text.push_back(':');
        appendDigits(text, second, 2);
        text.append("+10:00");
    }
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
