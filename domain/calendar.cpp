#include "domain/calendar.h"

#include "domain/configuration.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"

#include <algorithm>

namespace duebell {

namespace {

// A walk this long without a business day means the holidays cover every weekday: the
// configuration is unusable, and the walk must end rather than hang the program.
constexpr TDayNumber LongestWalk = 8 * 366;

} // namespace

TBusinessCalendar::TBusinessCalendar(const TMorvaneConfiguration* configuration) {
    if (configuration == nullptr) {
        return;
    }
    for (TTovObjectItem* item : *configuration->PublicHolidayList) {
        onceOff_.push_back(DayOf(static_cast<TMorvanePublicHoliday*>(item)->TransactionDate));
    }
    std::sort(onceOff_.begin(), onceOff_.end());
    for (TTovObjectItem* item : *configuration->RecurringPublicHolidayList) {
        const auto* holiday = static_cast<TMorvaneRecurringPublicHoliday*>(item);
        if (holiday->Month >= 1 && holiday->Month <= 12 && holiday->Day >= 1 &&
            holiday->Day <= 31) {
            recurring_[holiday->Month] |= 1u << holiday->Day;
        }
    }
}

bool TBusinessCalendar::IsPublicHoliday(TDayNumber day) const {
    if (std::binary_search(onceOff_.begin(), onceOff_.end(), day)) {
        return true;
    }
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    return (recurring_[month] >> dayOfMonth & 1u) != 0;
}

TDayNumber TBusinessCalendar::NextBusinessDay(TDayNumber day) const {
    const TDayNumber limit =
        DaysFrom(day, LongestWalk + static_cast<std::int64_t>(onceOff_.size()));
    int owed = 0;
    for (TDayNumber d = day; d <= limit; ++d) {
        const bool holiday = IsPublicHoliday(d);
        if (holiday) {
            ++owed;
        } else if (!IsWeekendDay(d)) {
            if (--owed <= 0) {
                return d;
            }
        }
    }
    throw Exception("No business day follows " + DateToStr(day) +
                    ": the public holidays cover every weekday.");
}

bool IsWeekend(TDate date) {
    return IsWeekendDay(DayOf(date));
}

bool IsPublicHoliday(TDate date) {
    return TBusinessCalendar(Configuration()).IsPublicHoliday(DayOf(date));
}

TDate NextBusinessDay(TDate date) {
    return AsDate(TBusinessCalendar(Configuration()).NextBusinessDay(DayOf(date)));
}

} // namespace duebell
