// What the ledger builds and alert rules of one refresh share: the configuration (absent
// before one is loaded), the business days it sets, and today's date from the clock.
#pragma once

#include "domain/calendar.h"

namespace duebell {

class TMorvaneConfiguration;

struct TCalculationContext {
    TCalculationContext(const TMorvaneConfiguration* configuration, double today)
        : Configuration(configuration), Calendar(configuration), Today(DayOf(today)) {}

    const TMorvaneConfiguration* Configuration;
    TBusinessCalendar Calendar;
    TDayNumber Today;
};

} // namespace duebell
