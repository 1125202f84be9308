// The alert rules against ledgers worked by hand. The loan of most cases: drawn down on Monday
// 15/05/2023, principal 100,000 at 7.3 %, monthly over one year, instalment 8,666.51. Without
// payments it falls behind on Thursday 15/06/2023, its first payment date, when the instalment
// leaves the scheduled balance: 14/06 is its last day on schedule, so on a reference day R it
// is R - 14/06 days behind. The reference day is the day before today.
#include "domain/alert.h"
#include "domain/alertrules.h"
#include "domain/clients.h"
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

class AlertRules : public ::testing::Test {
protected:
    AlertRules()
        : loan(book.AddLoan("0000001", Day(2023, 5, 15), Cents(10000000), 7.3, "Monthly", 1)) {
        book.SetNoticePeriods(10, 20, 30);
        loan.LastStatementNumber = 99; // no statements due unless a case asks
    }

    // The loan's alerts as at today.
    std::vector<TMorvaneAlert*> AlertsOn(TDate today) {
        clock.Set(today.value + 0.4);
        loan.Recalculate();
        return CurrentAlerts();
    }

    std::vector<TMorvaneAlert*> CurrentAlerts() {
        std::vector<TMorvaneAlert*> alerts;
        for (TTovObjectItem* item : *book.Book().CurrentAlerts) {
            alerts.push_back(static_cast<TMorvaneAlert*>(item));
        }
        return alerts;
    }

    // The one alert as at today, its message; "none" without one.
    std::string OnlyMessageOn(TDate today) {
        const std::vector<TMorvaneAlert*> alerts = AlertsOn(today);
        if (alerts.empty()) {
            return "none";
        }
        EXPECT_EQ(alerts.size(), 1u);
        return alerts.front()->AlertMessage;
    }

    // A payment on the draw-down day that keeps the loan well ahead of its schedule.
    void PayWellAhead() { book.AddPayment(loan, Day(2023, 5, 16), Cents(6000000)); }

    EngineBook book;
    ScopedFixedClock clock{EncodeDate(2023, 6, 1)};
    TMorvaneMortgage& loan;
};

TEST_F(AlertRules, LoanArrearsEscalateAsTheNoticePeriodsPass) {
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 24)), "ARREARS notice for LOAN now due");     // 9 days
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 25)), "DEFAULT notice for LOAN now due");     // 10
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 14)), "DEFAULT notice for LOAN now due");     // 29
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 15)), "TERMINATION notice for LOAN now due"); // 30
    EXPECT_EQ(OnlyMessageOn(Day(2023, 8, 13)), "TERMINATION notice for LOAN now due"); // 59
    EXPECT_EQ(OnlyMessageOn(Day(2023, 8, 14)), "VACATE notice for LOAN now due");      // 60
    // Behind by no day at all is still in arrears.
    EXPECT_EQ(ArrearsStage(0, book.Config().SystemConfiguration.get()), msInArrears);
    // Fee numbers of more than one digit are quoted whole.
    EXPECT_EQ(FeeArrearsMessage(msDefaulted, 12), "DEFAULT notice for FEE \"12\" now due");
}

TEST_F(AlertRules, LoanArrearsAlertCarriesTheLoanAndTheReferenceDay) {
    auto client = MakeItem<TMorvaneClient>(&book.Book());
    client->ClientCode = "0000004";
    client->Surname = "Nguyen";
    client->GivenNames = "Anh";
    book.Book().Clients->Add(std::move(client));
    auto property = MakeItem<TMorvaneProperty>(&book.Book());
    property->PropertyCode = "0000002";
    property->Address->StreetNo = "12";
    property->Address->StreetName = "Main St";
    property->Address->Suburb = "Hilltop";
    property->Address->PostCode = "4000";
    book.Book().Properties->Add(std::move(property));
    loan.ClientCode = "0000004";
    loan.PropertyCode = "0000002";

    const std::vector<TMorvaneAlert*> alerts = AlertsOn(Day(2023, 6, 25));
    ASSERT_EQ(alerts.size(), 1u);
    const TMorvaneAlert& alert = *alerts[0];
    EXPECT_EQ(alert.LoanNumber, "0000001");
    EXPECT_EQ(alert.ClientName, "Nguyen, Anh");
    EXPECT_EQ(alert.PropertyAddress, "12 Main St, Hilltop, 4000");
    EXPECT_EQ(alert.AlertType, atLoanArrears);
    EXPECT_EQ(alert.MortgageStatus, msDefaulted);
    EXPECT_EQ(alert.AlertDay, TDateTime(EncodeDate(2023, 6, 24)));
    EXPECT_EQ(alert.StatementNumber, 0);
    EXPECT_EQ(alert.FeeNumber, 0);
    EXPECT_EQ(alert.FeeTransactionDate, TDate());
}

TEST_F(AlertRules, LoanOnItsScheduleRaisesNoArrears) {
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 15)), "none"); // reference day 14/06, on schedule
    // Paying the instalment on the payment date keeps it on schedule.
    book.AddPayment(loan, Day(2023, 6, 15), Cents(866651));
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 25)), "none");
}

TEST_F(AlertRules, LoanIsInArrearsOnlyOnceItIsACentBehind) {
    // The instalment of 15/06 paid 0.0049 short: behind by 0.0049, $0.00 to the cent.
    book.AddPayment(loan, Day(2023, 6, 15), Cents(866651) - Currency::fromRaw(49));
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 25)), "none");
    // A reversal of 0.0001 on 20/06 leaves it 0.0050 behind, $0.01: in arrears from 20/06,
    // counted from 19/06, its last day less than a cent behind. Reference 24/06: 5 days;
    // 28/06: 9; 29/06: 10, the default period.
    book.AddPayment(loan, Day(2023, 6, 20), Currency::fromRaw(-1));
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 25)), "ARREARS notice for LOAN now due");
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 29)), "ARREARS notice for LOAN now due");
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 30)), "DEFAULT notice for LOAN now due");
}

TEST_F(AlertRules, LoanDrawnDownTodayHasNoAlerts) {
    loan.LastStatementNumber = 0;
    EXPECT_EQ(OnlyMessageOn(Day(2023, 5, 15)), "none");
    EXPECT_EQ(OnlyMessageOn(Day(2023, 5, 1)), "none");
}

TEST_F(AlertRules, PaymentRecordedTodayCountsFromTomorrow) {
    book.AddPayment(loan, Day(2023, 6, 25), Cents(1000000));
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 25)), "DEFAULT notice for LOAN now due");
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 26)), "none");
}

class FeeAlerts : public AlertRules {
protected:
    FeeAlerts() {
        PayWellAhead();
        book.AddFeeType("Valuation", 14);
    }

    // Fee 1 of 500, charged on Monday 19/06/2023, falls due after 14 days on Monday 03/07.
    TMorvaneFeeTransaction& AddValuation() {
        return book.AddFullFee(loan, 1, Day(2023, 6, 19), "Valuation", Cents(50000));
    }
};

TEST_F(FeeAlerts, FeeFallsIntoArrearsOnceItsNoticePeriodHasPassed) {
    AddValuation();
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 3)), "none"); // reference day 02/07
    const std::vector<TMorvaneAlert*> alerts = AlertsOn(Day(2023, 7, 4));
    ASSERT_EQ(alerts.size(), 1u);
    const TMorvaneAlert& alert = *alerts[0];
    EXPECT_EQ(alert.AlertMessage, "ARREARS notice for FEE \"1\" now due");
    EXPECT_EQ(alert.AlertType, atFeeArrears);
    EXPECT_EQ(alert.MortgageStatus, msInArrears);
    EXPECT_EQ(alert.FeeNumber, 1);
    EXPECT_EQ(alert.FeeTransactionDate, Day(2023, 6, 19));
    EXPECT_EQ(alert.AlertDay, TDateTime(EncodeDate(2023, 7, 3)));
}

TEST_F(FeeAlerts, FeeArrearsEscalateFromTheDayTheFeeFellDue) {
    AddValuation();
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 13)), "ARREARS notice for FEE \"1\" now due");    // 9
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 14)), "DEFAULT notice for FEE \"1\" now due");    // 10
    EXPECT_EQ(OnlyMessageOn(Day(2023, 8, 2)), "DEFAULT notice for FEE \"1\" now due");     // 29
    EXPECT_EQ(OnlyMessageOn(Day(2023, 8, 3)), "TERMINATION notice for FEE \"1\" now due"); // 30
    EXPECT_EQ(OnlyMessageOn(Day(2023, 9, 1)), "TERMINATION notice for FEE \"1\" now due"); // 59
    EXPECT_EQ(OnlyMessageOn(Day(2023, 9, 2)), "VACATE notice for FEE \"1\" now due");      // 60
}

TEST_F(FeeAlerts, FeePaidInFullBeforeTheReferenceDayRaisesNothing) {
    TMorvaneFeeTransaction& fee = AddValuation();
    book.AddFeePayment(fee, At(Day(2023, 7, 5), 10, 0), Cents(50000));
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 10)), "none");
}

TEST_F(FeeAlerts, PartPaymentLeavesTheFeeInArrears) {
    TMorvaneFeeTransaction& fee = AddValuation();
    book.AddFeePayment(fee, At(Day(2023, 7, 5), 10, 0), Cents(49999));
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 10)), "ARREARS notice for FEE \"1\" now due");
}

TEST_F(FeeAlerts, FeePaymentCountsFromItsOwnDayWhateverTheHour) {
    TMorvaneFeeTransaction& fee = AddValuation();
    book.AddFeePayment(fee, At(Day(2023, 7, 13), 15, 30), Cents(50000));
    EXPECT_EQ(fee.BalanceAt(Day(2023, 7, 12)), Cents(50000));
    EXPECT_EQ(fee.BalanceAt(Day(2023, 7, 13)), Currency());
    // Dated today: not yet counted. The next day it was made in the afternoon of the
    // reference day: counted.
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 13)), "ARREARS notice for FEE \"1\" now due");
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 14)), "none");
}

TEST_F(FeeAlerts, FeeChargedAfterTheReferenceDayIsNotYetLookedAt) {
    book.AddFullFee(loan, 2, Day(2023, 7, 20), "Other", Cents(50000));
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 20)), "none");
    // Not in the fee list: due on its own date.
    EXPECT_EQ(OnlyMessageOn(Day(2023, 7, 21)), "ARREARS notice for FEE \"2\" now due");
}

TEST_F(AlertRules, StatementFallsDueWhenItsDateHasPassed) {
    // Quarterly from Monday 01/01/2024: 01/04 and 01/07 are on or before the reference day
    // 15/07; the user has printed statement 1.
    TMorvaneMortgage& quarterly =
        book.AddLoan("0000002", Day(2024, 1, 1), Cents(10000000), 7.3, "Monthly", 5);
    quarterly.LastStatementNumber = 1;
    clock.Set(EncodeDate(2024, 7, 16));
    quarterly.Recalculate();
    std::vector<TMorvaneAlert*> statements;
    for (TMorvaneAlert* alert : CurrentAlerts()) {
        if (alert->AlertType == atStatementDue) {
            statements.push_back(alert);
        }
    }
    ASSERT_EQ(statements.size(), 1u);
    EXPECT_EQ(statements[0]->AlertMessage, "Statement \"2\" now due");
    EXPECT_EQ(statements[0]->StatementNumber, 2);
    EXPECT_EQ(statements[0]->AlertDay, TDateTime(EncodeDate(2024, 10, 1)));
    EXPECT_EQ(statements[0]->MortgageStatus, msAhead);

    quarterly.LastStatementNumber = 2;
    quarterly.Recalculate();
    for (TMorvaneAlert* alert : CurrentAlerts()) {
        EXPECT_NE(alert->AlertType, atStatementDue);
    }
}

TEST_F(AlertRules, InstalmentFeeEndingOnTheReferenceDayHoldsBackThePayout) {
    // The fee runs two payment dates from the draw-down date: its last is Thursday 15/06/2023.
    book.AddInstalmentFee(loan, "Insurance", Day(2023, 5, 15), 2, 50);
    book.AddPayment(loan, Day(2023, 5, 20), Cents(20000000)); // pays the loan out
    const std::vector<TMorvaneAlert*> alerts = AlertsOn(Day(2023, 6, 16));
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->AlertMessage, "PAYMENT CHANGE notice now due");
    EXPECT_EQ(alerts[0]->AlertType, atPaymentChange);
    EXPECT_EQ(alerts[0]->AlertDay, TDateTime(EncodeDate(2023, 6, 15)));
}

TEST_F(AlertRules, PaidOutLoanRaisesThePayoutNoticeOnItsLastDay) {
    book.AddPayment(loan, Day(2023, 5, 20), Cents(20000000));
    // The term ends on Wednesday 15/05/2024, within a year of today.
    const std::vector<TMorvaneAlert*> alerts = AlertsOn(Day(2023, 6, 17));
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->AlertMessage, "PAYOUT notice now due");
    EXPECT_EQ(alerts[0]->AlertType, atPayoutNotice);
    EXPECT_EQ(alerts[0]->MortgageStatus, msAhead);
    EXPECT_EQ(alerts[0]->AlertDay, TDateTime(EncodeDate(2024, 5, 15)));
}

TEST_F(AlertRules, ClearedAlertIsNotRaisedAgainWhileLoanDayAndMessageMatch) {
    std::vector<TMorvaneAlert*> alerts = AlertsOn(Day(2023, 6, 25));
    ASSERT_EQ(alerts.size(), 1u);
    TMorvaneAlert* cleared = alerts[0];
    ClearAlert(book.Book(), *cleared);
    EXPECT_EQ(book.Book().CurrentAlerts->Count(), 0);
    ASSERT_EQ(book.Book().ClearedDuebells->Count(), 1);
    EXPECT_EQ(book.Book().ClearedDuebells->PeekFirst(), cleared);

    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 25)), "none");
    // The next day the reference day, and so the alert, is a new one.
    EXPECT_EQ(OnlyMessageOn(Day(2023, 6, 26)), "DEFAULT notice for LOAN now due");
}

TEST_F(AlertRules, ClearingAnAlertThatIsNotCurrentMovesNothing) {
    AlertsOn(Day(2023, 6, 25));
    std::unique_ptr<TMorvaneAlert> stranger(CreateItem<TMorvaneAlert>(nullptr));
    stranger->LoanNumber = "0000001";
    stranger->AlertMessage = "DEFAULT notice for LOAN now due";
    stranger->AlertDay = TDateTime(EncodeDate(2023, 6, 23));
    try {
        ClearAlert(book.Book(), *stranger);
        FAIL() << "a stranger was cleared";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), "Internal error.  Attempted to clear non-existent alert");
    }
    EXPECT_EQ(book.Book().CurrentAlerts->Count(), 1);
    EXPECT_EQ(book.Book().ClearedDuebells->Count(), 0);
}

TEST_F(AlertRules, RegeneratingReplacesOnlyThisLoansAlerts) {
    TMorvaneMortgage& other =
        book.AddLoan("0000002", Day(2023, 5, 15), Cents(10000000), 7.3, "Monthly", 1);
    other.LastStatementNumber = 99;
    clock.Set(EncodeDate(2023, 6, 25));
    other.Recalculate();
    AlertsOn(Day(2023, 6, 25));
    ASSERT_EQ(CurrentAlerts().size(), 2u);
    // Back on schedule: the loan's alert goes, the other loan's stays.
    book.AddPayment(loan, Day(2023, 6, 15), Cents(866651));
    const std::vector<TMorvaneAlert*> alerts = AlertsOn(Day(2023, 6, 25));
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->LoanNumber, "0000002");
}

} // namespace
} // namespace duebell::enginetest
