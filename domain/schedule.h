// The payment schedule: stepping dates by days, weeks, months and years, the contract payment
// and statement dates, and the instalment that repays a principal over a number of payments.
// Months keep their day and clamp it to a shorter month's last day; stepping on from a clamped
// date keeps the clamped day (31 January, 28 February, 28 March).
#pragma once

#include "domain/daynumber.h"
#include "objectlist/currency.h"

namespace duebell {

class TBusinessCalendar;

enum TDateUnit { duDays, duWeeks, duMonths, duYears };

TDate IncDate(TDateUnit unit, int count, TDate date);
TDayNumber IncDate(TDateUnit unit, int count, TDayNumber day);

// One contract payment period on (payment period index 0 weekly, 1 fortnightly, 2 monthly).
// Any other index raises "Internal error.  Unknown frequency".
TDayNumber NextPaymentDate(int paymentPeriod, TDayNumber day);
TDate NextPaymentDate(int paymentPeriod, TDate date);
// One statement period on (index 0 monthly, 1 quarterly, 2 tri-yearly, 3 half-yearly); any
// other index leaves the date where it is.
TDayNumber NextStatementDate(int statementPeriod, TDayNumber day);
TDate NextStatementDate(int statementPeriod, TDate date);
// The n-th statement date after the start: n statement periods on, counted from the start so a
// start past the 28th does not drift (31/01 monthly: 28/02, 31/03, 30/04). The statement of
// account prints the periods between these dates. An unknown index leaves the start.
TDayNumber NthStatementDate(int statementPeriod, int n, TDayNumber start);
// The statement dates after the start (NthStatementDate for n = 1, 2, ...) up to and including
// the date, and the first statement date after it. An unknown statement period has no dates.
struct TStatementDates {
    int Count = 0;
    TDayNumber Following = 0;
};
TStatementDates CountStatementDates(int statementPeriod, TDayNumber start, TDayNumber through);
// The start stepped by whole payment periods until it is on or after the bound.
TDayNumber AdvanceToDate(int paymentPeriod, TDayNumber bound, TDayNumber start);
TDate AdvanceToDate(int paymentPeriod, TDate bound, TDate start);
// The n-th payment date of a schedule starting at start (n - 1 periods on, the months added in
// one step), moved to a business day.
TDayNumber NthPaymentDate(int paymentPeriod, int n, TDayNumber start,
                          const TBusinessCalendar& calendar);
TDate NthPaymentDate(int paymentPeriod, int n, TDate start); // holidays of the configuration

// The instalment, rounded to the cent, that repays the principal in the number of payments at
// the annual rate (per cent) with that many payments a year: P r / (1 - (1 + r)^-n) with
// r = rate / 100 / per year. At a rate of 0 it is P / n; with no payments left it is 0.
Currency Instalment(Currency principal, double annualRate, int paymentsPerYear, int payments);

} // namespace duebell
