// Whole day numbers, as the calendar and the ledger count. A date-time counts by its date part
// (truncated, never rounded), so an entry made in the afternoon stays on its own day.
#pragma once

#include "objectlist/datetime.h"

#include <cmath>
#include <cstdint>

namespace duebell {

using TDayNumber = std::int32_t;

inline TDayNumber DayOf(double dateTime) {
    return static_cast<TDayNumber>(std::trunc(dateTime));
}
inline TDayNumber DayOf(TDate date) {
    return DayOf(date.value);
}
inline TDayNumber DayOf(TDateTime dateTime) {
    return DayOf(dateTime.value);
}

inline TDate AsDate(TDayNumber day) {
    return TDate(static_cast<double>(day));
}

// Day 0, 30/12/1899, was a Saturday.
inline bool IsWeekendDay(TDayNumber day) {
    const int weekday = ((day % 7) + 7) % 7; // 0 Saturday, 1 Sunday, 2 Monday ...
    return weekday < 2;
}

} // namespace duebell
