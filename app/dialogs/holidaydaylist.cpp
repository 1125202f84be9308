#include "app/dialogs/holidaydaylist.h"

#include "domain/periods.h"
#include "objectlist/datetime.h"

#include <algorithm>

namespace duebell {

namespace {

constexpr int LeapYear = 2004;

} // namespace

std::vector<std::string> HolidayDayTexts(int month) {
    std::vector<std::string> days;
    if (month < 1 || month > 12)
        return days;
    const int count = DaysInMonth(LeapYear, month);
    for (int day = 1; day <= count; ++day)
        days.push_back(OrdinalDayText(day));
    return days;
}

int KeptDayIndex(int index, int dayCount) {
    return std::max(0, std::min(index, dayCount - 1));
}

} // namespace duebell
