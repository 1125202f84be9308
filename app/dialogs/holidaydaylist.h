// The day list of the recurring holiday dialog: the days a month can have, as the holiday's
// day texts ("1st" .. "29th" for February), and which day stays chosen when the month changes.
#pragma once

#include <string>
#include <vector>

namespace duebell {

// The days of the month (1 to 12) in a leap year, so February offers the 29th; none for a
// month that is no month.
std::vector<std::string> HolidayDayTexts(int month);
// The position kept when the list changes to `dayCount` days: the same position, the last day
// when it was beyond the new list, the first when there was none.
int KeptDayIndex(int index, int dayCount);

} // namespace duebell
