#include "app/main/fixedtoday.h"

#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <cstdio>
#include <cstdlib>

namespace duebell {

std::optional<double> ReadFixedToday(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    int year = 0, month = 0, day = 0, length = 0;
    double result = 0;
    if (text.size() != 10 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &length) != 3 ||
        length != 10 || !TryEncodeDate(year, month, day, result))
        throw Exception(std::string(FixedTodayVariable) + " must be a date as YYYY-MM-DD, not \"" +
                        text + "\".");
    return result;
}

void FixTodayFromEnvironment() {
    const char* text = std::getenv(FixedTodayVariable);
    if (const std::optional<double> day = ReadFixedToday(text != nullptr ? text : ""))
        SetFixedToday(*day);
}

} // namespace duebell
