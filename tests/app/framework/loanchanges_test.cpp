// After a loan changes, its ledger and alerts are rebuilt and the loan list's listeners hear of
// it, also when the ledger cannot be built.
#include "app/framework/loanchanges.h"
#include "domain/alert.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace duebell {
namespace {

struct ListListener : ITovListListener {
    std::vector<std::pair<TTovChangeKind, TTovObjectItem*>> heard;
    void ListChanged(TTovObjectList*, TTovObjectItem* item, TTovChangeKind kind) override {
        heard.emplace_back(kind, item);
    }
};

std::vector<std::string> AlertsOf(const TMorvaneData& book) {
    std::vector<std::string> messages;
    for (TTovObjectItem* item : *book.CurrentAlerts)
        messages.push_back(static_cast<TMorvaneAlert*>(item)->LoanNumber + " " +
                           static_cast<TMorvaneAlert*>(item)->AlertMessage);
    return messages;
}

TEST(LoanChanged, RebuildsTheLoansAlertsAndTellsTheLoanListAlsoWhenTheLedgerFails) {
    ScopedFixedClock clock(EncodeDate(2025, 7, 1) + 0.5);
    std::unique_ptr<TMorvaneData> book(CreateItem<TMorvaneData>(nullptr));
    // Drawn down on 3 March, monthly, nothing paid by 1 July: three instalments behind, and
    // with no notice periods configured every stage has passed.
    auto made = MakeItem<TMorvaneMortgage>(book.get());
    TMorvaneMortgage* loan = made.get();
    loan->LoanNumber = "0000001";
    loan->Contract->PossessionDate = TDate(EncodeDate(2025, 3, 3));
    loan->Contract->ContractAmount = Currency::fromUnits(300000);
    loan->Contract->Deposit = Currency::fromUnits(30000);
    loan->Contract->ContractTerm = 25;
    loan->Contract->ReferenceRate = TPercentage{Currency::fromUnits(7)};
    loan->Contract->PaymentPeriod = "Monthly";
    loan->Contract->StatementPeriod = "Half-Yearly";
    book->Mortgages->Add(std::move(made));
    ListListener listener;
    book->Mortgages->AddListener(&listener);

    LoanChanged(*loan);
    EXPECT_EQ(AlertsOf(*book),
              (std::vector<std::string>{"0000001 VACATE notice for LOAN now due"}));
    EXPECT_TRUE(book->HasAlerts);
    EXPECT_FALSE(loan->LocalTransactionDays.Ledger().Days().empty());
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0],
              std::make_pair(ckItemAdded, static_cast<TTovObjectItem*>(nullptr)));

    // Paid up well ahead: the arrears alert goes and the caption may turn black.
    auto payment = MakeItem<TMorvaneLoanTransaction>(loan);
    payment->TransactionDate = TDate(EncodeDate(2025, 4, 1));
    payment->PaymentType = "Payment";
    payment->TransactionAmount = Currency::fromUnits(20000);
    TMorvaneLoanTransaction* paid = loan->LoanTransactions->Add(std::move(payment));
    LoanChanged(*loan);
    EXPECT_TRUE(AlertsOf(*book).empty());
    EXPECT_FALSE(book->HasAlerts);
    EXPECT_EQ(listener.heard.size(), 2u);

    // A ledger that cannot be built leaves no ledger and none of the loan's alerts, the list
    // is still told, and the error comes afterwards.
    loan->LoanTransactions->First();
    loan->LoanTransactions->Delete();
    delete paid; // unlinked: ours again
    LoanChanged(*loan);
    ASSERT_TRUE(book->HasAlerts);
    loan->Contract->PaymentPeriod = "Daily";
    try {
        LoanChanged(*loan);
        FAIL() << "a loan paid daily got a ledger";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Internal error.  Unknown frequency");
    }
    EXPECT_TRUE(loan->LocalTransactionDays.Ledger().Days().empty());
    EXPECT_TRUE(AlertsOf(*book).empty());
    EXPECT_FALSE(book->HasAlerts);
    EXPECT_EQ(listener.heard.size(), 4u);
    book->Mortgages->RemoveListener(&listener);
}

} // namespace
} // namespace duebell
