// The day records that reports and grids read: made from the computed ledger when first read,
// kept current once read, and every movement kept even when two share a key.
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"
#include "scriptedprompter.h"
#include "watchinggrid.h"

#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

class LedgerRecords : public ::testing::Test {
protected:
    LedgerRecords()
        : loan(book.AddLoan("0000001", Day(2023, 3, 15), Cents(10000000), 7.3, "Monthly", 1)) {}

    TMorvaneLocalTransactionDay& Record(TDate date) {
        auto* day = static_cast<TMorvaneLocalTransactionDay*>(
            loan.LocalTransactionDays->LocateNoMove(Variant(date)));
        if (day == nullptr) {
            throw std::runtime_error("no day record " + DateToStr(date.value));
        }
        return *day;
    }

    static std::vector<TMorvaneLocalTransaction*> Movements(TMorvaneLocalTransactionDay& day) {
        std::vector<TMorvaneLocalTransaction*> movements;
        for (TTovObjectItem* item : *day.LocalTransactions) {
            movements.push_back(static_cast<TMorvaneLocalTransaction*>(item));
        }
        return movements;
    }

    EngineBook book;
    ScopedFixedClock clock{EncodeDate(2024, 1, 1) + 0.5};
    TMorvaneMortgage& loan;
};

TEST_F(LedgerRecords, OneRecordPerDayWithTheDaysFigures) {
    loan.BuildLedger();
    ASSERT_EQ(loan.LocalTransactionDays->Count(), 367);
    TMorvaneLocalTransactionDay& day = Record(Day(2023, 4, 17));
    EXPECT_EQ(day.Owner(), &loan);
    EXPECT_EQ(day.Balance, Cents(10062000));
    EXPECT_EQ(day.ShadowBalance, Cents(9195349));
    EXPECT_EQ(day.PMTAmount, Cents(866651));
    EXPECT_DOUBLE_EQ(day.ActualRate, 7.3);
    EXPECT_EQ(day.DailyInterest, Currency::fromRaw(201240));
    EXPECT_EQ(day.AccumulatedInterest, Currency::fromRaw(603720));
    EXPECT_EQ(day.StatementBalance, Currency());
    EXPECT_EQ(day.TotalInstallmentPenalties, Currency());
    EXPECT_EQ(day.InstallmentFeeArrears, nullptr);
    const std::vector<TMorvaneLocalTransaction*> movements = Movements(day);
    ASSERT_EQ(movements.size(), 1u);
    EXPECT_EQ(movements[0]->PaymentType, "Interest- Effective Date: 15/04/2023");
    EXPECT_EQ(movements[0]->LocalTransactionType, ltLoanInterest);
    EXPECT_EQ(movements[0]->TransactionAmount, Cents(62000));
}

TEST_F(LedgerRecords, MovementsOfADayFollowTheirKeyOrder) {
    book.AddAdminFee(loan, At(Day(2023, 3, 20), 10, 0), Cents(3000), "Late notice");
    book.AddPayment(loan, Day(2023, 3, 20), Cents(10000));
    loan.BuildLedger();
    // Made in the order admin fee, admin fee payment, loan payment; kept by type: loan
    // payment (5), admin fee (8), admin fee payment (9).
    const std::vector<TMorvaneLocalTransaction*> movements = Movements(Record(Day(2023, 3, 20)));
    ASSERT_EQ(movements.size(), 3u);
    EXPECT_EQ(movements[0]->LocalTransactionType, ltLoanPayment);
    EXPECT_EQ(movements[0]->TransactionAmount, Cents(7000));
    EXPECT_EQ(movements[1]->LocalTransactionType, ltAdminFee);
    EXPECT_EQ(movements[2]->LocalTransactionType, ltAdminFeePayment);
}

TEST_F(LedgerRecords, TwoPaymentsOfOneAdminFeeOnADayAreBothKept) {
    TMorvaneAdminFeeTransaction& fee =
        book.AddAdminFee(loan, At(Day(2023, 3, 20), 10, 0), Cents(3000), "Late notice");
    book.AddPayment(loan, Day(2023, 3, 22), Cents(1000));
    book.AddPayment(loan, Day(2023, 3, 22), Cents(1500));
    loan.BuildLedger();
    // Both payments go to the fee; the movements share type, text and the fee's entry time.
    const std::vector<TMorvaneLocalTransaction*> movements = Movements(Record(Day(2023, 3, 22)));
    ASSERT_EQ(movements.size(), 4u);
    EXPECT_EQ(movements[2]->LocalTransactionType, ltAdminFeePayment);
    EXPECT_EQ(movements[2]->TransactionAmount, Cents(1000));
    EXPECT_EQ(movements[2]->DateAdded, fee.DateAdded);
    EXPECT_EQ(movements[3]->LocalTransactionType, ltAdminFeePayment);
    EXPECT_EQ(movements[3]->TransactionAmount, Cents(1500));
    EXPECT_NEAR(movements[3]->DateAdded.value, fee.DateAdded.value + 1.0 / 86400, 1e-9);
    // And the 500 left of the fee waits for the next payment.
    EXPECT_EQ(Record(Day(2023, 3, 22)).Balance, Cents(10000000));
}

TEST_F(LedgerRecords, TwoInstalmentFeesOfOneDescriptionChargedOnADayAreBothKept) {
    book.AddInstalmentFee(loan, "Insurance", Day(2023, 3, 15), 2, 50);
    book.AddInstalmentFee(loan, "Insurance", Day(2023, 3, 15), 2, 25);
    book.AddPayment(loan, Day(2023, 3, 16), Cents(10000));
    loan.BuildLedger();
    // Charged together on 16/03 and paid by one payment that day.
    const std::vector<TMorvaneLocalTransaction*> movements = Movements(Record(Day(2023, 3, 16)));
    ASSERT_EQ(movements.size(), 5u);
    EXPECT_EQ(movements[0]->LocalTransactionType, ltInstallmentFee);
    EXPECT_EQ(movements[0]->TransactionAmount, Cents(5000));
    EXPECT_EQ(movements[1]->LocalTransactionType, ltInstallmentFee);
    EXPECT_EQ(movements[1]->TransactionAmount, Cents(2500));
    EXPECT_EQ(movements[2]->LocalTransactionType, ltInstallmentFeePayment);
    EXPECT_EQ(movements[2]->TransactionAmount, Cents(5000));
    EXPECT_EQ(movements[3]->LocalTransactionType, ltInstallmentFeePayment);
    EXPECT_EQ(movements[3]->TransactionAmount, Cents(2500));
    EXPECT_EQ(movements[4]->LocalTransactionType, ltLoanPayment);
    EXPECT_EQ(movements[4]->TransactionAmount, Cents(2500));
    // Every later day is built too: the build did not stop at the shared key.
    EXPECT_EQ(loan.LocalTransactionDays->Count(), 367);
}

TEST_F(LedgerRecords, AListReadOnceStaysCurrentAcrossRebuilds) {
    loan.BuildLedger();
    TTovObjectList* days = loan.LocalTransactionDays.get();
    ASSERT_EQ(days->Count(), 367);
    book.AddPayment(loan, Day(2023, 3, 22), Cents(10000));
    loan.BuildLedger();
    // Read through the list taken before the rebuild.
    auto* day =
        static_cast<TMorvaneLocalTransactionDay*>(days->LocateNoMove(Variant(Day(2023, 3, 22))));
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->Balance, Cents(10000000 - 10000));
}

TEST_F(LedgerRecords, GridsOnTheDaysAndOnADaysMovementsSurviveARecalculation) {
    loan.Recalculate();
    duebell::testing::WatchingGrid days(*loan.LocalTransactionDays, "TransactionDate");
    days.Select(33);
    {
        duebell::testing::WatchingGrid movements(*Record(Day(2023, 4, 17)).LocalTransactions,
                                                 "PaymentType");
        EXPECT_EQ(movements.Keys(),
                  (std::vector<std::string>{"Interest- Effective Date: 15/04/2023"}));
        loan.Recalculate(); // the days and their movements go, and are made again
        EXPECT_FALSE(movements.Watching());
    } // the grid closes without touching the list that went away
    EXPECT_EQ(Movements(Record(Day(2023, 4, 17))).size(), 1u);
    // The grid on the days read its rows while they were being replaced, and kept its day.
    EXPECT_EQ(days.Keys().size(), 367u);
    EXPECT_EQ(days.SelectedKey(), "45033"); // 17/04/2023
}

// A listener that fails when told of the third record added to its list.
struct FailingOnTheThird : ITovListListener {
    void ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind kind) override {
        if (kind == ckItemAdded && ++added == 3) {
            throw Exception("The grid could not show the day.");
        }
    }
    int added = 0;
};

TEST_F(LedgerRecords, AListenerThatFailsIsReportedAndTheBuildCompletes) {
    loan.BuildLedger();
    FailingOnTheThird listener;
    loan.LocalTransactionDays->AddListener(&listener);
    duebell::testing::ScriptedPrompter prompter;
    prompter.Expect(PromptType::Error, PromptButtons::Ok, "The grid could not show the day.",
                    PromptAnswer::Ok);
    loan.BuildLedger();
    EXPECT_EQ(listener.added, 367);
    EXPECT_EQ(loan.LocalTransactionDays->Count(), 367);
    EXPECT_EQ(Record(Day(2023, 4, 17)).Balance, Cents(10062000));
    loan.LocalTransactionDays->RemoveListener(&listener);
}

TEST_F(LedgerRecords, RecordsAreMadeOnlyWhenRead) {
    const int before = TMorvaneLocalTransactionDay::ClassManager().InstanceCount();
    loan.BuildLedger();
    EXPECT_EQ(TMorvaneLocalTransactionDay::ClassManager().InstanceCount(), before);
    EXPECT_EQ(loan.LocalTransactionDays->Count(), 367);
    EXPECT_EQ(TMorvaneLocalTransactionDay::ClassManager().InstanceCount(), before + 367);
}

} // namespace
} // namespace duebell::enginetest
