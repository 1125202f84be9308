// The two questions of the fee and notice windows, answered from a script.
#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/questions.h"
#include "ledger_fixtures.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "scriptedprompter.h"

#include <gtest/gtest.h>
#include <memory>

namespace duebell::enginetest {
namespace {

using duebell::testing::ScriptedPrompter;

const char* const PaymentChangeQuestion =
    "Would you like to print a payment change notice for this change?";

TEST(PaymentChangeQuestion, YesAndNo) {
    ScriptedPrompter prompter;
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, PaymentChangeQuestion,
                    PromptAnswer::Yes);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, PaymentChangeQuestion,
                    PromptAnswer::No);
    EXPECT_TRUE(AskPrintPaymentChangeNotice());
    EXPECT_FALSE(AskPrintPaymentChangeNotice());
}

class AdminFeeQuestionTest : public ::testing::Test {
protected:
    AdminFeeQuestionTest() {
        AddPenalty(Day(2020, 1, 1), Cents(2550));
        AddPenalty(Day(2024, 3, 6), Cents(4000)); // from tomorrow
        SetDataModified(false);
    }
    ~AdminFeeQuestionTest() override { SetDataModified(false); }
    void AddPenalty(TDate date, Currency amount) {
        auto entry = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(&book.Config());
        entry->TransactionDate = date;
        entry->PenaltyAmount = amount;
        book.Config().InstallmentFeePenalties->Add(std::move(entry));
    }
    void ExpectQuestion(PromptAnswer answer) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                        "Do you want to apply an arrears administration fee of $25.50?", answer);
    }

    ScopedFixedClock clock{EncodeDate(2024, 3, 5) + EncodeTime(16, 45, 0, 0)};
    ScriptedPrompter prompter;
    EngineBook book;
    TMorvaneMortgage* loan =
        &book.AddLoan("0000001", Day(2023, 1, 16), Cents(20000000), 6, "Monthly", 25);
};

TEST_F(AdminFeeQuestionTest, YesChargesTheFeeInForceToday) {
    ExpectQuestion(PromptAnswer::Yes);
    EXPECT_TRUE(ApplyArrearsAdminFee(*loan, "Loan Arrears"));
    ASSERT_EQ(loan->AdminFeeTransactions->Count(), 1);
    auto* fee = static_cast<TMorvaneAdminFeeTransaction*>(loan->AdminFeeTransactions->PeekFirst());
    EXPECT_EQ(fee->Owner(), loan);
    EXPECT_EQ(fee->TransactionDate.value, EncodeDate(2024, 3, 5)); // today, no time
    EXPECT_EQ(fee->DateAdded.value, EncodeDate(2024, 3, 5) + EncodeTime(16, 45, 0, 0));
    EXPECT_EQ(fee->FeeDescription, "Loan Arrears");
    EXPECT_EQ(fee->FeeAmount, Currency::fromRaw(255000));
    EXPECT_EQ(fee->AmountLeft, Currency());
    EXPECT_TRUE(DataModified());

    // The loan's ledger was rebuilt with the fee on today's day.
    auto* today = static_cast<TMorvaneLocalTransactionDay*>(
        loan->LocalTransactionDays->Locate(Variant(TDate(EncodeDate(2024, 3, 5)))));
    ASSERT_NE(today, nullptr);
    bool charged = false;
    for (TTovObjectItem* item : *today->LocalTransactions) {
        const auto* movement = static_cast<TMorvaneLocalTransaction*>(item);
        if (movement->LocalTransactionType == ltAdminFee) {
            EXPECT_EQ(movement->PaymentType, "Arrears Admin Fee - Loan Arrears");
            EXPECT_EQ(movement->TransactionAmount, Currency::fromRaw(255000));
            charged = true;
        }
    }
    EXPECT_TRUE(charged);
}

TEST_F(AdminFeeQuestionTest, NoAddsNothingAndLetsTheCallerGoOn) {
    ExpectQuestion(PromptAnswer::No);
    EXPECT_FALSE(ApplyArrearsAdminFee(*loan, "Loan Arrears"));
    EXPECT_EQ(loan->AdminFeeTransactions->Count(), 0);
    EXPECT_FALSE(DataModified());
}

TEST_F(AdminFeeQuestionTest, CancelAddsNothingAndEndsTheOperationSilently) {
    ExpectQuestion(PromptAnswer::Cancel);
    EXPECT_THROW(ApplyArrearsAdminFee(*loan, "Loan Arrears"), EAbort);
    EXPECT_EQ(loan->AdminFeeTransactions->Count(), 0);
    EXPECT_FALSE(DataModified());
}

TEST_F(AdminFeeQuestionTest, TheAmountAskedIsTheOneInForceOnTheClocksDay) {
    clock.Advance(1); // the 40.00 entry applies from this day
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                    "Do you want to apply an arrears administration fee of $40.00?",
                    PromptAnswer::Yes);
    EXPECT_TRUE(ApplyArrearsAdminFee(*loan, "Fee Arrears"));
    auto* fee = static_cast<TMorvaneAdminFeeTransaction*>(loan->AdminFeeTransactions->PeekFirst());
    EXPECT_EQ(fee->FeeAmount, Currency::fromUnits(40));
    EXPECT_EQ(fee->TransactionDate.value, EncodeDate(2024, 3, 6));
}

TEST_F(AdminFeeQuestionTest, FeesChargedTodayAreNamedAndNoIsThenTheDefault) {
    auto yesterdays = MakeItem<TMorvaneAdminFeeTransaction>(loan);
    yesterdays->TransactionDate = TDateTime(EncodeDate(2024, 3, 4));
    yesterdays->FeeAmount = Currency::fromUnits(40);
    loan->AdminFeeTransactions->Add(std::move(yesterdays));
    ExpectQuestion(PromptAnswer::Yes); // yesterday's fee is no reason to hesitate
    EXPECT_TRUE(ApplyArrearsAdminFee(*loan, "Loan Arrears"));
    // Each later question names what today's charges come to: 25.50, then 25.50 x 2 = 51.00.
    for (const char* charged : {"$25.50", "$51.00"}) {
        clock.Advance(1.0 / 24 / 60); // a minute on, the same day
        prompter.ExpectDefaultNo(PromptType::Confirmation, PromptButtons::YesNoCancel,
                                 std::string("Loan 0000001 has already been charged ") + charged +
                                     " in arrears administration fees today.\rDo you want to "
                                     "apply another arrears administration fee of $25.50?",
                                 PromptAnswer::Yes);
        EXPECT_TRUE(ApplyArrearsAdminFee(*loan, "Loan Arrears"));
    }
    EXPECT_EQ(loan->AdminFeeTransactions->Count(), 4);
}

TEST_F(AdminFeeQuestionTest, TwoFeesAtTheSameMomentAreRefusedWithoutLosingTheFirst) {
    ExpectQuestion(PromptAnswer::Yes);
    prompter.ExpectDefaultNo(PromptType::Confirmation, PromptButtons::YesNoCancel,
                             "Loan 0000001 has already been charged $25.50 in arrears "
                             "administration fees today.\rDo you want to apply another arrears "
                             "administration fee of $25.50?",
                             PromptAnswer::Yes);
    EXPECT_TRUE(ApplyArrearsAdminFee(*loan, "Loan Arrears"));
    SetDataModified(false);
    EXPECT_THROW(ApplyArrearsAdminFee(*loan, "Loan Arrears"), Exception);
    EXPECT_EQ(loan->AdminFeeTransactions->Count(), 1);
    EXPECT_FALSE(DataModified());
}

} // namespace
} // namespace duebell::enginetest
