// The daily ledger's interest and schedule, with figures worked by hand.
//
// The loan of most cases: drawn down on Wednesday 15/03/2023, principal 100,000 (contract
// 110,000 less a deposit of 10,000), 7.3 % a year, monthly payments over one year, quarterly
// statements. 7.3 % over 365 days is 0.0002 a day: 20.0000 a day on 100,000. The instalment
// is 100,000 x r / (1 - (1 + r)^-12) with r = 0.073 / 12: 8,666.5108 -> 8,666.51.
#include "ledger_fixtures.h"
#include "objectlist/numberformat.h"

#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

class LedgerInterest : public ::testing::Test {
protected:
    TMorvaneMortgage& AddLoan(TDate possession = Day(2023, 3, 15), double rate = 7.3,
                              int termYears = 1) {
        return book.AddLoan("0000001", possession, Cents(10000000), rate, "Monthly", termYears);
    }

    EngineBook book;
    ScopedFixedClock clock{EncodeDate(2024, 1, 1) + 0.5};
};

TEST_F(LedgerInterest, FirstDayCarriesThePrincipalRateAndInstalment) {
    TMorvaneMortgage& loan = AddLoan();
    loan.BuildLedger();
    const TLedgerDay& first = LedgerDay(loan, Day(2023, 3, 15));
    EXPECT_EQ(first.Balance, Cents(10000000));
    EXPECT_EQ(first.ShadowBalance, Cents(10000000));
    EXPECT_EQ(first.FeeBalance, Currency());
    EXPECT_EQ(first.PMTAmount, Cents(866651));
    EXPECT_EQ(first.ActualRate, Percent(7.3).value);
    EXPECT_EQ(first.DailyInterest, Cents(2000));
    EXPECT_EQ(first.AccumulatedInterest, Cents(2000));
    EXPECT_TRUE(MovementsOn(loan, Day(2023, 3, 15)).empty());
}

TEST_F(LedgerInterest, InterestAccruesDailyAtTheRateOverA365DayYear) {
    TMorvaneMortgage& loan = AddLoan();
    loan.BuildLedger();
    // 15/03 to 14/04 is 31 days at 20.0000.
    const TLedgerDay& day = LedgerDay(loan, Day(2023, 4, 14));
    EXPECT_EQ(day.DailyInterest, Cents(2000));
    EXPECT_EQ(day.AccumulatedInterest, Cents(62000));
    EXPECT_EQ(day.Balance, Cents(10000000));
}

TEST_F(LedgerInterest, InterestOnAWeekendDateIsPostedOnTheNextBusinessDay) {
    TMorvaneMortgage& loan = AddLoan();
    loan.BuildLedger();
    // Saturday 15/04/2023 is both the first payment date and the first interest date. The
    // instalment comes off the scheduled balance and 620.00 of interest is added to both:
    // balance 100,620.00, scheduled 100,000 - 8,666.51 + 620 = 91,953.49. The posting goes to
    // Monday 17/04 with the interest date in its text.
    const std::vector<TLedgerMovement> monday = MovementsOn(loan, Day(2023, 4, 17));
    ASSERT_EQ(monday.size(), 1u);
    EXPECT_EQ(monday[0].Type, ltLoanInterest);
    EXPECT_EQ(monday[0].Text, "Interest- Effective Date: 15/04/2023");
    EXPECT_EQ(monday[0].Amount, Cents(62000));
    EXPECT_TRUE(MovementsOn(loan, Day(2023, 4, 15)).empty());

    // The interest date's own record keeps the figures it opened with; the 620.00 posted ahead
    // and the Saturday's own 20.1240 (on 100,620.00) are interest still owed on it.
    const TLedgerDay& saturday = LedgerDay(loan, Day(2023, 4, 15));
    EXPECT_EQ(saturday.Balance, Cents(10000000));
    EXPECT_EQ(saturday.ShadowBalance, Cents(10000000));
    EXPECT_EQ(saturday.DailyInterest, Currency::fromRaw(201240));
    EXPECT_EQ(saturday.AccumulatedInterest, Currency::fromRaw(6401240));

    // From the Saturday on, interest runs on 100,620.00: 20.1240 a day.
    const TLedgerDay& sunday = LedgerDay(loan, Day(2023, 4, 16));
    EXPECT_EQ(sunday.Balance, Cents(10062000));
    EXPECT_EQ(sunday.ShadowBalance, Cents(9195349));
    EXPECT_EQ(sunday.DailyInterest, Currency::fromRaw(201240));
    EXPECT_EQ(sunday.AccumulatedInterest, Currency::fromRaw(402480));
    const TLedgerDay& posting = LedgerDay(loan, Day(2023, 4, 17));
    EXPECT_EQ(posting.Balance, Cents(10062000));
    EXPECT_EQ(posting.AccumulatedInterest, Currency::fromRaw(603720));
}

TEST_F(LedgerInterest, AWeekendInterestDateOwesItsInterestWhateverElseHappensThatDay) {
    // Weekly from Friday 02/02/2024, 100,000 at 7.32 %: 0.0002 a day over 2024's 366 days.
    // Unpaid, 29 days of 20.0000 are 580.00 of interest on Saturday 02/03, posted on Monday
    // 04/03. A payout on the Saturday owes 100,580.00 and the Saturday's own 0.0002 x
    // 100,580.00 = 20.1160: 100,600.1160, also with a full fee charged or paid that day, or a
    // rate change taking effect then (the day after the payment date of Friday 01/03).
    enum Event { Nothing, FullFee, FullFeePayment, RateChange };
    const TDate saturday = Day(2024, 3, 2);
    for (Event event : {Nothing, FullFee, FullFeePayment, RateChange}) {
        TMorvaneMortgage& loan = book.AddLoan("000000" + std::to_string(event), Day(2024, 2, 2),
                                              Cents(10000000), 7.32, "Weekly", 1);
        if (event == FullFee)
            book.AddFullFee(loan, 1, saturday, "Valuation", Cents(50000));
        if (event == FullFeePayment)
            book.AddFeePayment(book.AddFullFee(loan, 1, Day(2024, 3, 1), "Valuation", Cents(50000)),
                               At(saturday, 10, 0), Cents(20000));
        if (event == RateChange)
            book.AddRateChange(loan, Day(2024, 3, 1), 8);
        loan.BuildLedger();
        const TLedgerDay& day = LedgerDay(loan, saturday);
        EXPECT_EQ(day.Balance + day.AccumulatedInterest, Currency::fromRaw(1006001160)) << event;
        EXPECT_EQ(day.DailyInterest, Currency::fromRaw(201160)) << event;
    }
}

TEST_F(LedgerInterest, InterestOnABusinessDayIsPostedThatDay) {
    TMorvaneMortgage& loan = AddLoan();
    loan.BuildLedger();
    // Monday 15/05/2023: 30 days (15/04 to 14/05) at 20.1240 = 603.72. The scheduled balance
    // earned 30 x 18.3907 (0.0002 x 91,953.49 = 18.390698) = 551.721 and loses the second
    // instalment: 91,953.49 - 8,666.51 + 551.721 = 83,838.701.
    const std::vector<TLedgerMovement> movements = MovementsOn(loan, Day(2023, 5, 15));
    ASSERT_EQ(movements.size(), 1u);
    EXPECT_EQ(movements[0].Text, "Interest");
    EXPECT_EQ(movements[0].Amount, Cents(60372));
    const TLedgerDay& day = LedgerDay(loan, Day(2023, 5, 15));
    EXPECT_EQ(day.Balance, Cents(10122372));
    EXPECT_EQ(day.ShadowBalance, Currency::fromRaw(838387010));
}

TEST_F(LedgerInterest, LeapYearDaysCountOverThreeHundredAndSixtySix) {
    // 7.32 % is 0.0002 a day over 366 days (2024) and 0.00020054794... over 365 (2023):
    // 20.0548 a day on 100,000 in December 2023, 20.0000 in January 2024.
    TMorvaneMortgage& loan = AddLoan(Day(2023, 12, 15), 7.32);
    loan.BuildLedger();
    EXPECT_EQ(LedgerDay(loan, Day(2023, 12, 31)).DailyInterest, Currency::fromRaw(200548));
    EXPECT_EQ(LedgerDay(loan, Day(2024, 1, 1)).DailyInterest, Cents(2000));
    // 17 days of December at 20.0548 and 14 of January at 20.0000: 620.9316, posted on
    // Monday 15/01/2024.
    const std::vector<TLedgerMovement> movements = MovementsOn(loan, Day(2024, 1, 15));
    ASSERT_EQ(movements.size(), 1u);
    EXPECT_EQ(movements[0].Text, "Interest");
    EXPECT_EQ(movements[0].Amount, Currency::fromRaw(6209316));
    EXPECT_EQ(LedgerDay(loan, Day(2024, 1, 15)).Balance, Currency::fromRaw(1006209316));
}

TEST_F(LedgerInterest, InterestDatesCountFromTheDrawDownDate) {
    // Drawn on 31/01/2023: interest on 28/02, 31/03 (a Friday), 30/04 (a Sunday: posted on
    // Monday 01/05), each counted from the 31st; payment dates step from the clamped date:
    // 28/02, 28/03, 28/04.
    TMorvaneMortgage& loan = AddLoan(Day(2023, 1, 31));
    loan.BuildLedger();
    EXPECT_EQ(MovementsOn(loan, Day(2023, 2, 28)).size(), 1u);
    EXPECT_EQ(MovementsOn(loan, Day(2023, 3, 31)).size(), 1u);
    ASSERT_EQ(MovementsOn(loan, Day(2023, 5, 1)).size(), 1u);
    EXPECT_EQ(MovementsOn(loan, Day(2023, 5, 1))[0].Text, "Interest- Effective Date: 30/04/2023");
    // The scheduled balance loses an instalment on 28/03 (no interest then) ...
    const Currency before = LedgerDay(loan, Day(2023, 3, 27)).ShadowBalance;
    EXPECT_EQ(before - LedgerDay(loan, Day(2023, 3, 28)).ShadowBalance, Cents(866651));
    // ... and on 28/04, again without interest that day.
    const Currency april = LedgerDay(loan, Day(2023, 4, 27)).ShadowBalance;
    EXPECT_EQ(april - LedgerDay(loan, Day(2023, 4, 28)).ShadowBalance, Cents(866651));
}

TEST_F(LedgerInterest, ClosingMarkerSitsOnTheDayBeforeEachStatementDate) {
    TMorvaneMortgage& loan = AddLoan();
    loan.BuildLedger();
    // Quarterly statements from 15/03/2023: 15/06, 15/09, 15/12/2023, 15/03/2024.
    for (TDate day : {Day(2023, 6, 14), Day(2023, 9, 14), Day(2023, 12, 14), Day(2024, 3, 14)}) {
        const std::vector<TLedgerMovement> movements = MovementsOn(loan, day);
        ASSERT_EQ(movements.size(), 1u) << DateToStr(day.value);
        EXPECT_EQ(movements[0].Type, ltClosingBalance);
        EXPECT_EQ(movements[0].Text, "Closing Balance");
        EXPECT_EQ(movements[0].Amount, Currency());
    }
}

TEST_F(LedgerInterest, StatementDatesCountFromTheDrawDownDateToo) {
    // Drawn on 31/01/2023, monthly statements: 28/02, 31/03, 30/04, each counted from the 31st
    // as the statements print them, so the markers sit on 27/02, 30/03 and 29/04 (stepping
    // from the clamped 28/02 would put them on 27/03 and 27/04).
    TMorvaneMortgage& loan = AddLoan(Day(2023, 1, 31));
    loan.Contract->StatementPeriod = "Monthly";
    loan.BuildLedger();
    auto closes = [&](TDate day) {
        for (const TLedgerMovement& movement : MovementsOn(loan, day))
            if (movement.Type == ltClosingBalance)
                return true;
        return false;
    };
    for (TDate day : {Day(2023, 2, 27), Day(2023, 3, 30), Day(2023, 4, 29)})
        EXPECT_TRUE(closes(day)) << DateToStr(day.value);
    for (TDate day : {Day(2023, 3, 27), Day(2023, 4, 27)})
        EXPECT_FALSE(closes(day)) << DateToStr(day.value);
}

TEST_F(LedgerInterest, ZeroRateLoanRepaysEvenlyWithoutInterest) {
    TMorvaneMortgage& loan = AddLoan(Day(2023, 3, 15), 0);
    loan.BuildLedger();
    // 100,000 over 12 months: 8,333.33.
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 15)).PMTAmount, Cents(833333));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 5, 15)).ShadowBalance, Cents(10000000 - 2 * 833333));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 5, 15)).Balance, Cents(10000000));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 5, 15)).AccumulatedInterest, Currency());
}

TEST_F(LedgerInterest, ScheduleAmortisesToAboutNothingByTheEndOfTheTerm) {
    TMorvaneMortgage& loan = AddLoan();
    loan.BuildLedger();
    // Twelve instalments of 8,666.51 against the interest leave little: not nothing, since the
    // instalment assumes a twelfth of the rate each month while interest runs by the day.
    // Missing an instalment or a month of interest would leave thousands.
    const Currency left = LedgerDay(loan, Day(2024, 3, 15)).ShadowBalance;
    EXPECT_GT(left, Currency()) << CurrToStr(left);
    EXPECT_LT(left, Cents(5000)) << CurrToStr(left);
}

} // namespace
} // namespace duebell::enginetest
