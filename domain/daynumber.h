// Whole day numbers, as the calendar and the ledger count. A date-time counts by its date part
// (truncated, never rounded), so an entry made in the afternoon stays on its own day.
#pragma once

#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <cmath>
#include <cstdint>

namespace duebell {

using TDayNumber = std::int32_t;

// A value no day number can hold (NaN included) raises EConvertError.
inline TDayNumber DayOf(double dateTime) {
    const double day = std::trunc(dateTime);
    if (!(day >= -2147483648.0 && day <= 2147483647.0)) {
        throw EConvertError("Invalid argument to date decode");
    }
    return static_cast<TDayNumber>(day);
}

// The day some days from another; EConvertError when no day number can hold it.
inline TDayNumber DaysFrom(TDayNumber day, std::int64_t days) {
    const std::int64_t result = day + days;
    if (result < INT32_MIN || result > INT32_MAX) {
        throw EConvertError("Invalid argument to date encode");
    }
    return static_cast<TDayNumber>(result);
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
