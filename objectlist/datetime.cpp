#include "objectlist/datetime.h"

#include "objectlist/exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace duebell {

namespace {

constexpr std::int64_t MSecsPerDay = 86400000;
// Day numbers of 01/01/0001 and of 31/12/9999, the calendar's range.
constexpr double FirstDay = -693593;
constexpr double LastDay = 2958465;
// Days from 01/01/0001 (day 1) to 30/12/1899 (day 0 of our count).
constexpr std::int64_t DateDelta = 693594;

// Whole day and milliseconds since that day's midnight. The fraction is rounded to
// milliseconds first; a rounding that reaches midnight moves to the next day.
struct DayAndTime {
    std::int64_t day;
    std::int64_t msec;
};

DayAndTime splitDateTime(double value) {
    if (!std::isfinite(value) || value < FirstDay - 1 || value > LastDay + 1) {
        throw EConvertError("Invalid argument to date decode");
    }
    double whole = std::trunc(value);
    auto day = static_cast<std::int64_t>(whole);
    auto msec = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * MSecsPerDay));
    if (msec >= MSecsPerDay) {
        msec -= MSecsPerDay;
        day += value < 0 ? -1 : 1;
    }
    if (day < FirstDay || day > LastDay) {
        throw EConvertError("Invalid argument to date decode");
    }
    return {day, msec};
}

// Calendar date of a count of days since 01/01/0001 (day 1), proleptic Gregorian.
void civilFromDayCount(std::int64_t dayCount, int& year, int& month, int& day) {
    // Shift to days since 01/03/0000 so that the leap day ends each 4-year cycle.
    std::int64_t z = dayCount + 305; // 01/01/0001 is day 306 of the year starting 01/03/0000
    std::int64_t era = z / 146097;
    std::int64_t dayOfEra = z - era * 146097;
    std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t monthIndex = (5 * dayOfYear + 2) / 153; // 0 = March
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, double& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return false;
    }
    std::int64_t dayCount = day;
    for (int m = 1; m < month; ++m) {
        dayCount += DaysInMonth(year, m);
    }
    std::int64_t before = year - 1;
    dayCount += before * 365 + before / 4 - before / 100 + before / 400;
    result = static_cast<double>(dayCount - DateDelta);
    return true;
}

double EncodeDate(int year, int month, int day) {
    double result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        throw EConvertError("Invalid argument to date encode");
    }
    return result;
}

void DecodeDate(double dateTime, int& year, int& month, int& day) {
    civilFromDayCount(splitDateTime(dateTime).day + DateDelta, year, month, day);
}

bool TryEncodeTime(int hour, int minute, int second, int msec, double& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999) {
        return false;
    }
    std::int64_t total = ((hour * 60 + minute) * 60 + second) * 1000 + msec;
    result = static_cast<double>(total) / MSecsPerDay;
    return true;
}

double EncodeTime(int hour, int minute, int second, int msec) {
    double result = 0;
    if (!TryEncodeTime(hour, minute, second, msec, result)) {
        throw EConvertError("Invalid argument to time encode");
    }
    return result;
}

void DecodeTime(double dateTime, int& hour, int& minute, int& second, int& msec) {
    std::int64_t ms = splitDateTime(dateTime).msec;
    msec = static_cast<int>(ms % 1000);
    second = static_cast<int>(ms / 1000 % 60);
    minute = static_cast<int>(ms / 60000 % 60);
    hour = static_cast<int>(ms / 3600000);
}

void DecodeDateTime(double dateTime, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec) {
    DecodeDate(dateTime, year, month, day);
    DecodeTime(dateTime, hour, minute, second, msec);
}

double CombineDateTime(double date, double time) {
    return date >= 0 ? date + time : date - time;
}

int DayOfWeek(double dateTime) {
    std::int64_t dayCount = splitDateTime(dateTime).day + DateDelta;
    return static_cast<int>(dayCount % 7) + 1;
}

double IncMonth(double dateTime, int months) {
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(dateTime, year, month, day);
    std::int64_t monthIndex = std::int64_t{year} * 12 + (month - 1) + months;
    std::int64_t newYear = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    year = static_cast<int>(newYear);
    month = static_cast<int>(monthIndex - newYear * 12) + 1;
    if (year < 1 || year > 9999) {
        throw EConvertError("Invalid argument to date encode");
    }
    day = std::min(day, DaysInMonth(year, month));
    double time = std::fabs(dateTime - std::trunc(dateTime));
    return CombineDateTime(EncodeDate(year, month, day), time);
}

} // namespace duebell
