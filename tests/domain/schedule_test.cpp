#include "domain/calendar.h"
#include "domain/schedule.h"
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"

#include <climits>
#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

constexpr int Weekly = 0;
constexpr int Fortnightly = 1;
constexpr int Monthly = 2;

TEST(DateSteps, DaysWeeksMonthsAndYears) {
    EXPECT_EQ(IncDate(duDays, 3, Day(2024, 2, 27)), Day(2024, 3, 1));
    EXPECT_EQ(IncDate(duWeeks, 2, Day(2024, 2, 27)), Day(2024, 3, 12));
    EXPECT_EQ(IncDate(duMonths, 1, Day(2024, 1, 31)), Day(2024, 2, 29));
    EXPECT_EQ(IncDate(duMonths, 1, Day(2023, 1, 31)), Day(2023, 2, 28));
    EXPECT_EQ(IncDate(duMonths, -1, Day(2023, 3, 31)), Day(2023, 2, 28));
    EXPECT_EQ(IncDate(duYears, 1, Day(2024, 2, 29)), Day(2025, 2, 28));
    EXPECT_EQ(IncDate(duYears, 25, Day(2020, 3, 16)), Day(2045, 3, 16));
}

TEST(DateSteps, PaymentDatesStepByWeekFortnightOrMonth) {
    EXPECT_EQ(NextPaymentDate(Weekly, Day(2024, 12, 27)), Day(2025, 1, 3));
    EXPECT_EQ(NextPaymentDate(Fortnightly, Day(2024, 12, 27)), Day(2025, 1, 10));
    EXPECT_EQ(NextPaymentDate(Monthly, Day(2024, 12, 27)), Day(2025, 1, 27));
    EXPECT_EQ(NextPaymentDate(Monthly, Day(2023, 1, 31)), Day(2023, 2, 28));
    EXPECT_EQ(NextPaymentDate(Monthly, Day(2024, 1, 31)), Day(2024, 2, 29));
    try {
        NextPaymentDate(3, Day(2024, 12, 27));
        FAIL() << "an unknown period stepped";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), "Internal error.  Unknown frequency");
    }
}

TEST(DateSteps, StatementDatesStepByOneThreeFourOrSixMonths) {
    EXPECT_EQ(NextStatementDate(0, Day(2024, 1, 31)), Day(2024, 2, 29));
    EXPECT_EQ(NextStatementDate(1, Day(2024, 1, 31)), Day(2024, 4, 30));
    EXPECT_EQ(NextStatementDate(2, Day(2024, 1, 31)), Day(2024, 5, 31));
    EXPECT_EQ(NextStatementDate(3, Day(2024, 1, 31)), Day(2024, 7, 31));
    EXPECT_EQ(NextStatementDate(-1, Day(2024, 1, 31)), Day(2024, 1, 31));
}

TEST(DateSteps, AdvanceToDateStopsOnOrAfterTheBound) {
    // Monthly from the 31st each step clamps to the shorter month and keeps the clamped day:
    // 28/02, 28/03, 28/04; in a leap year 29/02, 29/03, 29/04.
    EXPECT_EQ(AdvanceToDate(Monthly, Day(2023, 4, 15), Day(2023, 1, 31)), Day(2023, 4, 28));
    EXPECT_EQ(AdvanceToDate(Monthly, Day(2024, 4, 1), Day(2024, 1, 31)), Day(2024, 4, 29));
    EXPECT_EQ(AdvanceToDate(Monthly, Day(2023, 3, 28), Day(2023, 1, 31)), Day(2023, 3, 28));
    EXPECT_EQ(AdvanceToDate(Weekly, Day(2024, 1, 20), Day(2024, 1, 1)), Day(2024, 1, 22));
    EXPECT_EQ(AdvanceToDate(Weekly, Day(2024, 1, 22), Day(2024, 1, 1)), Day(2024, 1, 22));
    EXPECT_EQ(AdvanceToDate(Fortnightly, Day(2024, 1, 16), Day(2024, 1, 1)), Day(2024, 1, 29));
    // A start already on or after the bound is the answer itself.
    EXPECT_EQ(AdvanceToDate(Monthly, Day(2023, 1, 1), Day(2023, 1, 31)), Day(2023, 1, 31));
}

TEST(DateSteps, NthPaymentDateAddsTheMonthsInOneStepAndMovesToABusinessDay) {
    EngineBook book;
    // 31/01/2023 plus two months in one step is 31/03/2023 (a Friday), not the 28th that
    // stepping month by month reaches.
    EXPECT_EQ(NthPaymentDate(Monthly, 3, Day(2023, 1, 31)), Day(2023, 3, 31));
    EXPECT_EQ(NthPaymentDate(Monthly, 1, Day(2023, 1, 31)), Day(2023, 1, 31));
    // Four weeks after Monday 01/07/2024 is Monday 29/07/2024, a holiday here: Tuesday.
    book.AddHoliday(Day(2024, 7, 29));
    EXPECT_EQ(NthPaymentDate(Weekly, 5, Day(2024, 7, 1)), Day(2024, 7, 30));
    // Six fortnights after Monday 01/07/2024 is Monday 23/09/2024.
    EXPECT_EQ(NthPaymentDate(Fortnightly, 7, Day(2024, 7, 1)), Day(2024, 9, 23));
    // 15/04/2023 is a Saturday.
    EXPECT_EQ(NthPaymentDate(Monthly, 2, Day(2023, 3, 15)), Day(2023, 4, 17));
}

TEST(DateSteps, StepsBeyondTheCalendarRaiseInsteadOfWrapping) {
    EngineBook book;
    const TDayNumber start = DayOf(Day(2024, 1, 1));
    EXPECT_THROW(IncDate(duYears, 200000000, start), EConvertError); // 12 x count
    EXPECT_THROW(IncDate(duYears, 200000000, Day(2024, 1, 1)), EConvertError);
    EXPECT_THROW(IncDate(duWeeks, 400000000, start), EConvertError); // 7 x count
    EXPECT_THROW(IncDate(duDays, INT_MAX, start), EConvertError);
    EXPECT_THROW(NthPaymentDate(Weekly, INT_MAX, Day(2024, 1, 1)), EConvertError);
    EXPECT_THROW(NthPaymentDate(Monthly, INT_MIN, Day(2024, 1, 1)), EConvertError);
    EXPECT_THROW(AdvanceToDate(Fortnightly, INT_MAX, start), EConvertError);
    EXPECT_THROW(DayOf(1e300), EConvertError);
}

TEST(DateSteps, StatementDatesCountedUpToADay) {
    // Quarterly from 01/01/2024: 01/04 and 01/07 fall on or before 15/07; 01/10 follows.
    TStatementDates dates = CountStatementDates(1, DayOf(Day(2024, 1, 1)), DayOf(Day(2024, 7, 15)));
    EXPECT_EQ(dates.Count, 2);
    EXPECT_EQ(dates.Following, DayOf(Day(2024, 10, 1)));
    // A statement date on the day itself counts.
    dates = CountStatementDates(1, DayOf(Day(2024, 1, 1)), DayOf(Day(2024, 7, 1)));
    EXPECT_EQ(dates.Count, 2);
    // Monthly from 31/01, each counted from the 31st: 29/02, 31/03, 30/04.
    dates = CountStatementDates(0, DayOf(Day(2024, 1, 31)), DayOf(Day(2024, 4, 29)));
    EXPECT_EQ(dates.Count, 2);
    EXPECT_EQ(dates.Following, DayOf(Day(2024, 4, 30)));
    dates = CountStatementDates(0, DayOf(Day(2024, 1, 31)), DayOf(Day(2024, 3, 30)));
    EXPECT_EQ(dates.Count, 1);
    EXPECT_EQ(dates.Following, DayOf(Day(2024, 3, 31)));
    // An unknown statement period has none.
    dates = CountStatementDates(7, DayOf(Day(2024, 1, 1)), DayOf(Day(2030, 1, 1)));
    EXPECT_EQ(dates.Count, 0);
}

// Instalments P r / (1 - (1 + r)^-n), worked on a calculator:
//   200,000 at 6 % monthly over 25 years: r = 0.005, n = 300 -> 1,288.6028 -> 1,288.60
//   200,000 at 6.5 % fortnightly over 25 years: r = 0.0025, n = 650 -> 622.9066 -> 622.91
//   100,000 at 5.2 % weekly over 20 years: r = 0.001, n = 1040 -> 154.7122 -> 154.71
//   100,000 at 7.3 % monthly over 1 year: r = 0.0060833, n = 12 -> 8,666.5108 -> 8,666.51
TEST(Instalments, MonthlyFortnightlyAndWeeklyContracts) {
    EXPECT_EQ(Instalment(Cents(20000000), 6, 12, 300), Cents(128860));
    EXPECT_EQ(Instalment(Cents(20000000), 6.5, 26, 650), Cents(62291));
    EXPECT_EQ(Instalment(Cents(10000000), 5.2, 52, 1040), Cents(15471));
    EXPECT_EQ(Instalment(Cents(10000000), 7.3, 12, 12), Cents(866651));
}

TEST(Instalments, LoanInstalmentFromContractAmountDepositAndBothRates) {
    EngineBook book;
    TMorvaneMortgage& loan =
        book.AddLoan("0000001", Day(2020, 3, 16), Cents(20000000), 5.25, "Monthly", 25);
    loan.Contract->RateSpread = Percent(0.75);
    EXPECT_EQ(loan.CalcPaymentAmount(), Cents(128860));
    loan.Contract->PaymentPeriod = "fortnightly";
    loan.Contract->ReferenceRate = Percent(5.75);
    EXPECT_EQ(loan.CalcPaymentAmount(), Cents(62291));
    EXPECT_EQ(loan.Contract->CompletionDate(), Day(2045, 3, 16));
}

TEST(Instalments, ZeroRateRepaysEvenlyAndNoPaymentsOweNothing) {
    // 120,000 over 10 years of months at no interest: 1,000.00 a month.
    EXPECT_EQ(Instalment(Cents(12000000), 0, 12, 120), Cents(100000));
    // 1,000 over three payments: 333.33 each, to the cent.
    EXPECT_EQ(Instalment(Cents(100000), 0, 12, 3), Cents(33333));
    EXPECT_EQ(Instalment(Cents(12000000), 6, 12, 0), Currency());
    EXPECT_EQ(Instalment(Cents(12000000), 6, 12, -4), Currency());

    EngineBook book;
    TMorvaneMortgage& loan =
        book.AddLoan("0000001", Day(2020, 3, 16), Cents(12000000), 0, "Monthly", 10);
    EXPECT_EQ(loan.CalcPaymentAmount(), Cents(100000));
    loan.Contract->ContractTerm = 0;
    EXPECT_EQ(loan.CalcPaymentAmount(), Currency());
}

TEST(Instalments, RoundsHalfACentAwayFromZero) {
    // 1,000.05 over two payments at no interest: 500.025 -> 500.03.
    EXPECT_EQ(Instalment(Cents(100005), 0, 12, 2), Cents(50003));
}

} // namespace
} // namespace duebell::enginetest
