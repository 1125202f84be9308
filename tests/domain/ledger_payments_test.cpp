// How payments, fees and rate changes move the daily ledger, with figures worked by hand. The
// loan: drawn down on Wednesday 15/03/2023, principal 100,000 at 7.3 % (20.0000 interest a
// day), monthly over one year, instalment 8,666.51; first payment date Saturday 15/04/2023.
#include "domain/feedates.h"
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

class LedgerPayments : public ::testing::Test {
protected:
    LedgerPayments()
        : loan(book.AddLoan("0000001", Day(2023, 3, 15), Cents(10000000), 7.3, "Monthly", 1)) {}

    // An instalment fee of 50 charged with the loan: its first payment date is the draw-down
    // date and its second 15/04 (moved to Monday 17/04), so the instalment due on 15/04 is
    // charged on 16/03, the day after the draw-down date.
    TMorvaneInstallmentFee& AddInsurance(const std::string& description = "Insurance") {
        return book.AddInstalmentFee(loan, description, Day(2023, 3, 15), 2, 50);
    }

    static std::vector<std::pair<TMorvaneLocalTransactionType, Currency>>
    Amounts(const std::vector<TLedgerMovement>& movements) {
        std::vector<std::pair<TMorvaneLocalTransactionType, Currency>> amounts;
        for (const TLedgerMovement& movement : movements) {
            amounts.emplace_back(movement.Type, movement.Amount);
        }
        return amounts;
    }

    using Amount = std::pair<TMorvaneLocalTransactionType, Currency>;

    EngineBook book;
    ScopedFixedClock clock{EncodeDate(2024, 1, 1) + 0.5};
    TMorvaneMortgage& loan;
};

TEST_F(LedgerPayments, PaymentSettlesAdminFeeThenInstalmentFeeArrearsThenTheLoan) {
    TMorvaneInstallmentFee& insurance = AddInsurance();
    // Charged in the afternoon: it counts on its own day.
    book.AddAdminFee(loan, At(Day(2023, 3, 20), 15, 30), Cents(3000), "Late notice");
    book.AddPayment(loan, Day(2023, 3, 22), Cents(10000));
    loan.BuildLedger();

    const std::vector<TLedgerMovement> charged = MovementsOn(loan, Day(2023, 3, 16));
    ASSERT_EQ(charged.size(), 1u);
    EXPECT_EQ(charged[0].Type, ltInstallmentFee);
    EXPECT_EQ(charged[0].Text, "Insurance");
    EXPECT_EQ(charged[0].Amount, Cents(5000));

    const std::vector<TLedgerMovement> admin = MovementsOn(loan, Day(2023, 3, 20));
    ASSERT_EQ(admin.size(), 1u);
    EXPECT_EQ(admin[0].Type, ltAdminFee);
    EXPECT_EQ(admin[0].Text, "Arrears Admin Fee - Late notice");

    const std::vector<TLedgerMovement> paid = MovementsOn(loan, Day(2023, 3, 22));
    EXPECT_EQ(Amounts(paid), (std::vector<Amount>{{ltAdminFeePayment, Cents(3000)},
                                                  {ltInstallmentFeePayment, Cents(5000)},
                                                  {ltLoanPayment, Cents(2000)}}));
    EXPECT_EQ(paid[0].Text, "Arrears Admin Fee - Late notice");
    EXPECT_EQ(paid[1].Text, "Insurance");
    EXPECT_EQ(paid[2].Text, "Payment");
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 22)).Balance, Cents(10000000 - 2000));
    EXPECT_DOUBLE_EQ(insurance.AmountPaid, 50.0);
    // One instalment charged (on 16/03, before today) of the two.
    EXPECT_EQ(insurance.PaymentsCharged, 1);
    EXPECT_EQ(insurance.PaymentsRemaining(), 1);
}

TEST_F(LedgerPayments, AdminFeeChargedInTheAfternoonIsPaidByThatDaysPayment) {
    // Charged at 18:00 on 20/03: still 20/03, so the payment of that day settles it.
    book.AddAdminFee(loan, At(Day(2023, 3, 20), 18, 0), Cents(3000), "Late notice");
    book.AddPayment(loan, Day(2023, 3, 20), Cents(10000));
    loan.BuildLedger();
    EXPECT_EQ(Amounts(MovementsOn(loan, Day(2023, 3, 20))),
              (std::vector<Amount>{{ltAdminFee, Cents(3000)},
                                   {ltAdminFeePayment, Cents(3000)},
                                   {ltLoanPayment, Cents(7000)}}));
    EXPECT_TRUE(MovementsOn(loan, Day(2023, 3, 21)).empty());
}

TEST_F(LedgerPayments, PaymentSmallerThanTheAdminFeeLeavesTheRestForTheNext) {
    AddInsurance();
    book.AddAdminFee(loan, At(Day(2023, 3, 20), 10, 0), Cents(3000), "Late notice");
    book.AddPayment(loan, Day(2023, 3, 21), Cents(1000));
    book.AddPayment(loan, Day(2023, 3, 22), Cents(10000));
    loan.BuildLedger();
    EXPECT_EQ(Amounts(MovementsOn(loan, Day(2023, 3, 21))),
              (std::vector<Amount>{{ltAdminFeePayment, Cents(1000)}, {ltLoanPayment, Cents(0)}}));
    EXPECT_EQ(Amounts(MovementsOn(loan, Day(2023, 3, 22))),
              (std::vector<Amount>{{ltAdminFeePayment, Cents(2000)},
                                   {ltInstallmentFeePayment, Cents(5000)},
                                   {ltLoanPayment, Cents(3000)}}));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 22)).Balance, Cents(10000000 - 3000));
}

TEST_F(LedgerPayments, PaymentOfNothingStillShowsALoanPayment) {
    AddInsurance();
    book.AddPayment(loan, Day(2023, 3, 22), Currency());
    loan.BuildLedger();
    EXPECT_EQ(Amounts(MovementsOn(loan, Day(2023, 3, 22))),
              (std::vector<Amount>{{ltLoanPayment, Currency()}}));
}

TEST_F(LedgerPayments, NegativePaymentPassesTheFeesAndRaisesTheBalance) {
    AddInsurance();
    book.AddAdminFee(loan, At(Day(2023, 3, 20), 10, 0), Cents(3000), "Late notice");
    book.AddPayment(loan, Day(2023, 3, 22), Cents(-5000));
    loan.BuildLedger();
    EXPECT_EQ(Amounts(MovementsOn(loan, Day(2023, 3, 22))),
              (std::vector<Amount>{{ltLoanPayment, Cents(-5000)}}));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 22)).Balance, Cents(10000000 + 5000));
    // The fees stay owed: the next payment settles them.
    book.AddPayment(loan, Day(2023, 3, 23), Cents(8000));
    loan.BuildLedger();
    EXPECT_EQ(Amounts(MovementsOn(loan, Day(2023, 3, 23))),
              (std::vector<Amount>{{ltAdminFeePayment, Cents(3000)},
                                   {ltInstallmentFeePayment, Cents(5000)},
                                   {ltLoanPayment, Cents(0)}}));
}

TEST_F(LedgerPayments, InstalmentFeeArrearsAreSettledInPriorityOrder) {
    TMorvaneInstallmentFee& first = AddInsurance("Insurance");
    TMorvaneInstallmentFee& second = AddInsurance("Rates");
    ASSERT_EQ(second.Priority, first.Priority + 1);
    book.AddPayment(loan, Day(2023, 3, 22), Cents(7000));
    loan.BuildLedger();
    const std::vector<TLedgerMovement> paid = MovementsOn(loan, Day(2023, 3, 22));
    EXPECT_EQ(Amounts(paid), (std::vector<Amount>{{ltInstallmentFeePayment, Cents(5000)},
                                                  {ltInstallmentFeePayment, Cents(2000)},
                                                  {ltLoanPayment, Cents(0)}}));
    EXPECT_EQ(paid[0].Text, "Insurance");
    EXPECT_EQ(paid[1].Text, "Rates");
    EXPECT_DOUBLE_EQ(first.AmountPaid, 50.0);
    EXPECT_DOUBLE_EQ(second.AmountPaid, 20.0);
    // Each day holds what is still owed: 50 + 50 charged on 16/03, then 70 paid.
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 21)).InstalmentFeeArrears, Cents(10000));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 22)).InstalmentFeeArrears, Cents(3000));
}

TEST_F(LedgerPayments, AStoppedFeeIsNotChargedPastItsStop) {
    TMorvaneInstallmentFee& fee = book.AddInstalmentFee(loan, "Insurance", Day(2023, 3, 15), 3, 50);
    fee.StopTransactionDate = TDateTime(EncodeDate(2023, 4, 1));
    fee.StopLastPaymentDate = TDateTime(EncodeDate(2023, 4, 15));
    loan.BuildLedger();
    // Charged for 15/04 (on 16/03); the charge for 15/05 (due on 16/04) is past the stop.
    EXPECT_EQ(MovementsOn(loan, Day(2023, 3, 16)).size(), 1u);
    EXPECT_TRUE(MovementsOn(loan, Day(2023, 4, 16)).empty());
    EXPECT_EQ(fee.PaymentsRemaining(), 0);
}

TEST_F(LedgerPayments, RateChangeTakesEffectTheDayAfterAPaymentDate) {
    // Notified on 20/03 with no notice period: effective 16/04, the day after the payment
    // date 15/04. The new rate 10.95 % is 0.0003 a day over 365 days.
    TMorvaneRateChange& change = book.AddRateChange(loan, Day(2023, 3, 20), 10.95);
    loan.BuildLedger();
    const std::vector<TLedgerMovement> movements = MovementsOn(loan, Day(2023, 4, 16));
    ASSERT_EQ(movements.size(), 1u);
    EXPECT_EQ(movements[0].Type, ltRateChange);
    EXPECT_EQ(movements[0].Text, "Interest Rate Change");
    EXPECT_EQ(movements[0].Rate, Percent(10.95).value);
    EXPECT_EQ(movements[0].DateAdded, change.DateAdded.value);

    // That day's interest is still at the old rate; the next day's at the new one:
    // 0.0003 x 100,620.00 = 30.1860.
    const TLedgerDay& effective = LedgerDay(loan, Day(2023, 4, 16));
    EXPECT_EQ(effective.ActualRate, Percent(10.95).value);
    EXPECT_EQ(effective.DailyInterest, Currency::fromRaw(201240));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 4, 17)).DailyInterest, Currency::fromRaw(301860));

    // The new payment re-amortises the scheduled balance over the 11 payments left at
    // 10.95 % / 12. By hand: 31 days at 20.0000 is 620.00 of interest to 15/04, so the
    // scheduled balance is 100,000 - 8,666.51 + 620.00 = 91,953.49, and
    // 91,953.49 x r / (1 - (1 + r)^-11) with r = 0.009125 is 8,824.0136 -> 8,824.01.
    // The schedule expects that same payment from the next day on (spread over a whole new
    // twelve it would be 8,124.86, and the term would end with 8,046.90 still scheduled).
    EXPECT_EQ(change.NewPaymentAmount, Cents(882401));
    EXPECT_EQ(effective.PMTAmount, Cents(866651));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 4, 17)).PMTAmount, Cents(882401));
    // So the schedule repays the loan within its term: after the last payment date only
    // the rounding of the twelve payments and of the daily interest is left.
    const Currency last = LedgerDay(loan, Day(2024, 3, 15)).ShadowBalance;
    EXPECT_LT(std::abs(last.toDouble()), 10.0) << last.toDouble();
}

TEST_F(LedgerPayments, RateChangeOutsideTheLedgerKeepsItsPaymentAmount) {
    TMorvaneRateChange& change = book.AddRateChange(loan, Day(2025, 6, 1), 10.95);
    change.NewPaymentAmount = Cents(12345);
    loan.BuildLedger();
    EXPECT_EQ(change.NewPaymentAmount, Cents(12345));
    EXPECT_EQ(LedgerDay(loan, Day(2024, 3, 15)).ActualRate, Percent(7.3).value);
}

TEST_F(LedgerPayments, RateChangeToZeroSpreadsTheScheduledBalanceOverThePaymentsLeft) {
    // Notified on 10/02/2024: effective 16/02/2024, when eleven payment dates have passed and
    // one is left. At no interest the new payment is the scheduled balance divided by one, to
    // the cent.
    TMorvaneRateChange& change = book.AddRateChange(loan, Day(2024, 2, 10), 0);
    loan.BuildLedger();
    const Currency scheduled = LedgerDay(loan, Day(2024, 2, 16)).ShadowBalance;
    ASSERT_GT(scheduled, Currency());
    EXPECT_EQ(change.NewPaymentAmount.raw(), (scheduled.raw() + 50) / 100 * 100);
    EXPECT_EQ(LedgerDay(loan, Day(2024, 2, 17)).DailyInterest, Currency());
}

TEST_F(LedgerPayments, FullFeesAndTheirPaymentsMoveTheFeeBalance) {
    book.AddFeeType("Valuation", 14);
    TMorvaneFeeTransaction& fee =
        book.AddFullFee(loan, 1, Day(2023, 3, 20), "Valuation", Cents(50000));
    book.AddFeePayment(fee, At(Day(2023, 3, 25), 16, 45), Cents(20000));
    // A payment dated before its fee is never met.
    book.AddFeePayment(fee, At(Day(2023, 3, 18), 9, 0), Cents(1000));
    loan.BuildLedger();
    // The ledger charges the fee on its own date; its notice period matters to the alerts.
    EXPECT_EQ(fee.EffectiveFrom(), Day(2023, 4, 3));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 19)).FeeBalance, Currency());
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 20)).FeeBalance, Cents(50000));
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 25)).FeeBalance, Cents(30000));
    EXPECT_EQ(LedgerDay(loan, Day(2024, 3, 15)).FeeBalance, Cents(30000));
    const std::vector<TLedgerMovement> charged = MovementsOn(loan, Day(2023, 3, 20));
    ASSERT_EQ(charged.size(), 1u);
    EXPECT_EQ(charged[0].Type, ltFee);
    EXPECT_EQ(charged[0].Text, "Valuation");
    EXPECT_EQ(charged[0].Amount, Cents(50000));
    const std::vector<TLedgerMovement> paid = MovementsOn(loan, Day(2023, 3, 25));
    ASSERT_EQ(paid.size(), 1u);
    EXPECT_EQ(paid[0].Type, ltFeePayment);
    EXPECT_EQ(paid[0].Text, "Payment - Valuation");
    EXPECT_EQ(paid[0].Amount, Cents(20000));
    // Full fees never touch the loan balance.
    EXPECT_EQ(LedgerDay(loan, Day(2023, 3, 25)).Balance, Cents(10000000));
}

TEST_F(LedgerPayments, UnknownPaymentPeriodLeavesTheLedgerEmpty) {
    TMorvaneInstallmentFee& fee = AddInsurance();
    loan.BuildLedger();
    ASSERT_EQ(fee.PaymentsCharged, 1);
    loan.Contract->PaymentPeriod = "Daily";
    try {
        loan.BuildLedger();
        FAIL() << "a ledger was built";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), "Internal error.  Unknown frequency");
    }
    EXPECT_TRUE(loan.LocalTransactionDays.Ledger().Empty());
    EXPECT_EQ(loan.LocalTransactionDays->Count(), 0);
    EXPECT_EQ(fee.PaymentsCharged, 0);
}

} // namespace
} // namespace duebell::enginetest
