// Business days: Monday to Friday, except the lender's public holidays (once-off dates and
// dates that recur every year on the same day of the same month).
#pragma once

#include "domain/daynumber.h"

#include <array>
#include <cstdint>
#include <vector>

namespace duebell {

class TMorvaneConfiguration;

// The public holidays of a configuration, taken once, so that a ledger build or an alert
// refresh asks about many days without walking the holiday lists each time.
class TBusinessCalendar {
public:
    TBusinessCalendar() = default; // no public holidays
    // Nothing (no configuration loaded) gives the calendar without public holidays.
    explicit TBusinessCalendar(const TMorvaneConfiguration* configuration);

    bool IsPublicHoliday(TDayNumber day) const;
    // The business day on or after the day. Walking forward from it, every public holiday met
    // (on a weekday or a weekend) asks for one more plain weekday, the first holiday being
    // absorbed by the first plain weekday reached: a Friday holiday gives the Monday, holidays
    // on both Saturday and Sunday give the Tuesday.
    TDayNumber NextBusinessDay(TDayNumber day) const;

private:
    std::vector<TDayNumber> onceOff_;              // sorted
    std::array<std::uint32_t, 13> recurring_ = {}; // by month, one bit per day of the month
};

// The same questions on the holidays of the loaded configuration.
bool IsWeekend(TDate date);
bool IsPublicHoliday(TDate date);
TDate NextBusinessDay(TDate date);

} // namespace duebell
