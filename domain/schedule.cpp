#include "domain/schedule.h"

#include "domain/calendar.h"
#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"
#include "objectlist/rounding.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace duebell {

namespace {

constexpr int MonthlyPeriod = 2;
constexpr int DaysPerPeriod[] = {7, 14};

bool IsPaymentPeriod(int paymentPeriod) {
    return paymentPeriod >= 0 && paymentPeriod < static_cast<int>(PeriodsPerYear.size());
}

void CheckPaymentPeriod(int paymentPeriod) {
    if (!IsPaymentPeriod(paymentPeriod)) {
        throw InternalError("Unknown frequency");
    }
}

// A calendar date as its parts, stepped a month at a time without converting back each time.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;

    explicit CivilDate(TDayNumber dayNumber) { DecodeDate(dayNumber, year, month, day); }
    TDayNumber DayNumber() const { return DayOf(EncodeDate(year, month, day)); }
    void AddMonths(int months) {
        month += months;
        while (month > 12) {
            month -= 12;
            ++year;
        }
        day = std::min(day, DaysInMonth(year, month));
    }
    auto operator<=>(const CivilDate&) const = default;
};

// Whole years as months; no date lies ten thousand years from another.
int YearsInMonths(int years) {
    if (years > 10000 || years < -10000) {
        throw EConvertError("Invalid argument to date encode");
    }
    return 12 * years;
}

} // namespace

TDayNumber IncDate(TDateUnit unit, int count, TDayNumber day) {
    switch (unit) {
    case duDays:
        return DaysFrom(day, count);
    case duWeeks:
        return DaysFrom(day, std::int64_t{7} * count);
    case duMonths:
        return DayOf(IncMonth(day, count));
    case duYears:
        return DayOf(IncMonth(day, YearsInMonths(count)));
    }
    throw InternalError("Unknown date unit");
}

TDate IncDate(TDateUnit unit, int count, TDate date) {
    switch (unit) {
    case duDays:
        return TDate(date.value + count);
    case duWeeks:
        return TDate(date.value + 7.0 * count);
    case duMonths:
        return TDate(IncMonth(date.value, count));
    case duYears:
        return TDate(IncMonth(date.value, YearsInMonths(count)));
    }
    throw InternalError("Unknown date unit");
}

TDayNumber NextPaymentDate(int paymentPeriod, TDayNumber day) {
    CheckPaymentPeriod(paymentPeriod);
    if (paymentPeriod == MonthlyPeriod) {
        return IncDate(duMonths, 1, day);
    }
    return day + DaysPerPeriod[paymentPeriod];
}

TDate NextPaymentDate(int paymentPeriod, TDate date) {
    CheckPaymentPeriod(paymentPeriod);
    if (paymentPeriod == MonthlyPeriod) {
        return IncDate(duMonths, 1, date);
    }
    return IncDate(duDays, DaysPerPeriod[paymentPeriod], date);
}

TDayNumber NextStatementDate(int statementPeriod, TDayNumber day) {
    if (statementPeriod < 0 || statementPeriod >= static_cast<int>(StatementPeriodMonths.size())) {
        return day;
    }
    return IncDate(duMonths, StatementPeriodMonths[statementPeriod], day);
}

TDate NextStatementDate(int statementPeriod, TDate date) {
    if (statementPeriod < 0 || statementPeriod >= static_cast<int>(StatementPeriodMonths.size())) {
        return date;
    }
    return IncDate(duMonths, StatementPeriodMonths[statementPeriod], date);
}

TDayNumber NthStatementDate(int statementPeriod, int n, TDayNumber start) {
    if (statementPeriod < 0 || statementPeriod >= static_cast<int>(StatementPeriodMonths.size())) {
        return start;
    }
    return IncDate(duMonths, StatementPeriodMonths[statementPeriod] * n, start);
}

TStatementDates CountStatementDates(int statementPeriod, TDayNumber start, TDayNumber through) {
    if (statementPeriod < 0 || statementPeriod >= static_cast<int>(StatementPeriodMonths.size())) {
        return {0, start};
    }
    TStatementDates dates;
    for (;;) {
        const TDayNumber date = NthStatementDate(statementPeriod, dates.Count + 1, start);
        if (date > through) {
            dates.Following = date;
            return dates;
        }
        ++dates.Count;
    }
}

TDayNumber AdvanceToDate(int paymentPeriod, TDayNumber bound, TDayNumber start) {
    CheckPaymentPeriod(paymentPeriod);
    if (start >= bound) {
        return start;
    }
    if (paymentPeriod != MonthlyPeriod) {
        const std::int64_t step = DaysPerPeriod[paymentPeriod];
        return DaysFrom(start, (std::int64_t{bound} - start + step - 1) / step * step);
    }
    // Month by month, so that a day clamped by a short month stays clamped.
    CivilDate date(start);
    const CivilDate until(bound);
    while (date < until) {
        date.AddMonths(1);
    }
    return date.DayNumber();
}

TDate AdvanceToDate(int paymentPeriod, TDate bound, TDate start) {
    if (start >= bound) {
        CheckPaymentPeriod(paymentPeriod);
        return start;
    }
    // A bound part-way through a day is reached by the next whole day.
    return AsDate(AdvanceToDate(paymentPeriod, DayOf(std::ceil(bound.value)), DayOf(start)));
}

TDayNumber NthPaymentDate(int paymentPeriod, int n, TDayNumber start,
                          const TBusinessCalendar& calendar) {
    CheckPaymentPeriod(paymentPeriod);
    const std::int64_t periods = std::int64_t{n} - 1;
    if (paymentPeriod != MonthlyPeriod) {
        return calendar.NextBusinessDay(DaysFrom(start, DaysPerPeriod[paymentPeriod] * periods));
    }
    if (periods < INT_MIN) {
        throw EConvertError("Invalid argument to date encode");
    }
    return calendar.NextBusinessDay(IncDate(duMonths, static_cast<int>(periods), start));
}

TDate NthPaymentDate(int paymentPeriod, int n, TDate start) {
    return AsDate(
        NthPaymentDate(paymentPeriod, n, DayOf(start), TBusinessCalendar(Configuration())));
}

Currency Instalment(Currency principal, double annualRate, int paymentsPerYear, int payments) {
    if (payments <= 0) {
        return Currency();
    }
    const double amount = principal.toDouble();
    const double rate = annualRate / 100 / paymentsPerYear;
    const double denominator = 1 - std::pow(1 + rate, -payments);
    const double instalment =
        (rate == 0 || denominator == 0) ? amount / payments : amount * rate / denominator;
    return Currency::fromDouble(RoundToDigits(2, instalment));
}

TDate TMorvaneContract::CompletionDate() const {
    return IncDate(duYears, ContractTerm, PossessionDate);
}

Currency TMorvaneMortgage::CalcPaymentAmount() const {
    CheckContract();
    const int paymentPeriod = Contract->PaymentPeriodIndex();
    CheckPaymentPeriod(paymentPeriod);
    const int perYear = PeriodsPerYear[paymentPeriod];
    const Currency rate = Contract->ReferenceRate.value + Contract->RateSpread.value;
    return Instalment(Contract->ContractAmount - Contract->Deposit, rate.toDouble(), perYear,
                      Contract->ContractTerm * perYear);
}

} // namespace duebell
