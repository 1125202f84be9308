#include "objectlist/propertytext.h"

#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <algorithm>

namespace duebell {

namespace {

// The XML form: the date before the first "T", the time after it with any zone cut off.
bool TryReadXmlDateTime(std::string_view text, double& result) {
    std::size_t t = text.find('T');
    std::string_view datePart = text.substr(0, t);
    std::string_view timePart =
        t == std::string_view::npos ? std::string_view{} : text.substr(t + 1);

    std::size_t zone = timePart.find('+');
    if (zone == std::string_view::npos) {
        zone = timePart.find('-');
    }
    if (zone == std::string_view::npos) {
        zone = timePart.find('Z');
    }
    if (zone != std::string_view::npos) {
        timePart = timePart.substr(0, zone);
    }

    std::size_t firstDash = datePart.find('-');
    if (firstDash == std::string_view::npos) {
        return false;
    }
    std::size_t secondDash = datePart.find('-', firstDash + 1);
    if (secondDash == std::string_view::npos) {
        return false;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    if (!TryStrToInt(datePart.substr(0, firstDash), year) ||
        !TryStrToInt(datePart.substr(firstDash + 1, secondDash - firstDash - 1), month) ||
        !TryStrToInt(datePart.substr(secondDash + 1), day)) {
        return false;
    }
    double date = 0.0;
    if (!TryEncodeDate(year, month, day, date)) {
        return false;
    }
    if (timePart.empty()) {
        result = date;
        return true;
    }
    double time = 0.0;
    if (!TryStrToTime(ReplaceChar(timePart, ':', FormatSettings::TimeSeparator), time)) {
        return false;
    }
    result = CombineDateTime(date, time);
    return true;
}

} // namespace

std::string ReplaceChar(std::string_view text, char from, char to) {
    std::string result(text);
    if (from != to) {
        std::replace(result.begin(), result.end(), from, to);
    }
    return result;
}

double StrToDateTimeXML(std::string_view text) {
    double result = 0.0;
    if (TryStrToDateTime(text, result) || TryReadXmlDateTime(text, result)) {
        return result;
    }
    throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
}

} // namespace duebell
