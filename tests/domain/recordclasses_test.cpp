// What the record constructors create: sorted lists, parts, entry stamps and priorities, and
// that freeing the loan book frees every record in it.
#include "domain/accountingreports.h"
#include "domain/alert.h"
#include "domain/clients.h"
#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace duebell {
namespace {

// Every list a constructor creates is sorted by its record's key: the order files and grids
// show, and what makes two records of one key a duplicate.
TEST(Constructors, ListsAreSortedByTheirRecordsKeys) {
    std::unique_ptr<TMorvaneData> data(CreateItem<TMorvaneData>(nullptr));
    std::unique_ptr<TMorvaneMortgage> loan(CreateItem<TMorvaneMortgage>(nullptr));
    std::unique_ptr<TMorvaneConfiguration> config(CreateItem<TMorvaneConfiguration>(nullptr));
    std::unique_ptr<TMorvaneMortgageRate> rates(CreateItem<TMorvaneMortgageRate>(nullptr));
    std::unique_ptr<TMorvanePeriodicAccountingReport> report(
        CreateItem<TMorvanePeriodicAccountingReport>(nullptr));
    std::unique_ptr<TMorvaneFeeTransaction> fee(CreateItem<TMorvaneFeeTransaction>(nullptr));
    std::unique_ptr<TMorvaneLocalTransactionDay> day(
        CreateItem<TMorvaneLocalTransactionDay>(nullptr));
    std::unique_ptr<TMorvanePaymentDate> arrears(CreateItem<TMorvanePaymentDate>(nullptr));
    std::unique_ptr<TMorvaneHelpFile> help(CreateItem<TMorvaneHelpFile>(nullptr));
    const std::pair<const char*, const TTovObjectList*> lists[] = {
        {"PROPERTYCODE", data->Properties.get()},
        {"CLIENTCODE", data->Clients.get()},
        {"LOANNUMBER", data->Mortgages.get()},
        {"LOANNUMBER,ALERTDAY,ALERTMESSAGE", data->ClearedDuebells.get()},
        {"LOANNUMBER,ALERTDAY,ALERTMESSAGE", data->CurrentAlerts.get()},
        {"TRANSACTIONDATE,PAYMENTTYPE,DATEADDED", loan->LoanTransactions.get()},
        {"PRIORITY", loan->InstallmentFees.get()},
        {"TRANSACTIONDATE,FEEDESCRIPTION", loan->InstallmentFeeTransactions.get()},
        {"TRANSACTIONDATE,DATEADDED", loan->AdminFeeTransactions.get()},
        {"TRANSACTIONDATE,FEENUMBER", loan->FeeTransactions.get()},
        {"STATEMENTNUMBER", loan->IssuedStatements.get()},
        {"TRANSACTIONDATE", loan->LocalTransactionDays.get()},
        {"FEEDESCRIPTION", config->FeeList.get()},
        {"LOANNUMBER", config->MortgageRates.get()},
        {"TRANSACTIONDATE", config->PublicHolidayList.get()},
        {"MONTH,DAY", config->RecurringPublicHolidayList.get()},
        {"TRANSACTIONDATE", config->InstallmentFeePenalties.get()},
        {"ACCOUNTINGREPORTNO", config->AccountingPeriodicalReports.get()},
        {"TRANSACTIONDATE", rates->RateChanges.get()},
        {"LOANNUMBER", report->Mortgages.get()},
        {"TRANSACTIONDATE,DATEADDED", fee->FeePayments.get()},
        {"LOCALTRANSACTIONTYPE,PAYMENTTYPE,DATEADDED", day->LocalTransactions.get()},
        {"PRIORITY", arrears->InstallmentFees.get()},
        {"HELPCONTEXT", help->HelpMeWithTopics.get()},
        {"FORMCLASSNAME", help->FormHelpTopics.get()},
    };
    for (const auto& [fields, list] : lists) {
        SCOPED_TRACE(fields);
        EXPECT_TRUE(list->Sorted());
        EXPECT_EQ(list->SortFields(), fields);
    }
}

TEST(Constructors, RecordsCreateTheirPartsButNotTheListsNoRecordFills) {
    std::unique_ptr<TMorvaneData> data(CreateItem<TMorvaneData>(nullptr));
    EXPECT_FALSE(data->HasAlerts);
    std::unique_ptr<TMorvaneMortgage> loan(CreateItem<TMorvaneMortgage>(nullptr));
    ASSERT_NE(loan->Contract, nullptr);
    EXPECT_NE(loan->BankDetails, nullptr);
    EXPECT_NE(loan->InitialAccountingReport, nullptr);
    EXPECT_NE(loan->FinalAccountingReport, nullptr);
    EXPECT_EQ(loan->Contract->Owner(), loan.get());
    EXPECT_EQ(loan->InstallmentFeePenalties, nullptr);
    EXPECT_EQ(&loan->InstallmentFeeTransactions->ItemClass(),
              &GetItemManager<TMorvaneFeeTransaction>());
    std::unique_ptr<TMorvaneConfiguration> config(CreateItem<TMorvaneConfiguration>(nullptr));
    EXPECT_NE(config->Address, nullptr);
    EXPECT_NE(config->ContactDetails, nullptr);
    ASSERT_NE(config->SystemConfiguration, nullptr);
    EXPECT_EQ(config->SystemConfiguration->DefaultPeriod, 0);
    std::unique_ptr<TMorvaneLocalTransactionDay> day(
        CreateItem<TMorvaneLocalTransactionDay>(nullptr));
    EXPECT_EQ(day->InstallmentFeeArrears, nullptr);
}

TEST(Constructors, EntriesAreStampedWithTheClocksNow) {
    const double now = EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 15, 0);
    ScopedFixedClock clock(now);
    std::unique_ptr<TMorvaneLoanTransaction> payment(CreateItem<TMorvaneLoanTransaction>(nullptr));
    std::unique_ptr<TMorvaneFeeTransaction> fee(CreateItem<TMorvaneFeeTransaction>(nullptr));
    std::unique_ptr<TMorvaneFeePayment> feePayment(CreateItem<TMorvaneFeePayment>(nullptr));
    std::unique_ptr<TMorvaneAdminFeeTransaction> adminFee(
        CreateItem<TMorvaneAdminFeeTransaction>(nullptr));
    std::unique_ptr<TMorvaneRateChange> rateChange(CreateItem<TMorvaneRateChange>(nullptr));
    EXPECT_EQ(payment->DateAdded.value, now);
    EXPECT_EQ(fee->DateAdded.value, now);
    EXPECT_EQ(feePayment->DateAdded.value, now);
    EXPECT_EQ(adminFee->DateAdded.value, now);
    EXPECT_EQ(rateChange->DateAdded.value, now);
    // Nothing else is stamped.
    EXPECT_EQ(payment->TransactionDate.value, 0.0);
    EXPECT_EQ(adminFee->TransactionDate.value, 0.0);
}

TEST(Constructors, InstallmentFeeTakesTheNextPriorityOfItsLoan) {
    std::unique_ptr<TMorvaneMortgage> loan(CreateItem<TMorvaneMortgage>(nullptr));
    auto first = MakeItem<TMorvaneInstallmentFee>(loan.get());
    EXPECT_EQ(first->Priority, 0);
    loan->InstallmentFees->Add(std::move(first));
    auto second = MakeItem<TMorvaneInstallmentFee>(loan.get());
    EXPECT_EQ(second->Priority, 1);
    second->Priority = 7; // priorities may have gaps after deletions and edits
    loan->InstallmentFees->Add(std::move(second));
    auto third = MakeItem<TMorvaneInstallmentFee>(loan.get());
    EXPECT_EQ(third->Priority, 8);
    loan->InstallmentFees->Add(std::move(third));
    // Without a loan there is nothing to follow.
    std::unique_ptr<TMorvaneInstallmentFee> loose(CreateItem<TMorvaneInstallmentFee>(nullptr));
    EXPECT_EQ(loose->Priority, 0);
}

TEST(Ownership, FreeingTheLoanBookFreesEveryRecordItHolds) {
    const int loansBefore = GetItemManager<TMorvaneMortgage>().InstanceCount();
    const int paymentsBefore = GetItemManager<TMorvaneLoanTransaction>().InstanceCount();
    const int feePaymentsBefore = GetItemManager<TMorvaneFeePayment>().InstanceCount();
    const int alertsBefore = GetItemManager<TMorvaneAlert>().InstanceCount();
    {
        std::unique_ptr<TMorvaneData> data(CreateItem<TMorvaneData>(nullptr));
        auto made = MakeItem<TMorvaneMortgage>(data.get());
        made->LoanNumber = "0000001";
        TMorvaneMortgage* loan = data->Mortgages->Add(std::move(made));
        loan->LoanTransactions->Add(MakeItem<TMorvaneLoanTransaction>(loan));
        auto* fee = loan->FeeTransactions->Add(MakeItem<TMorvaneFeeTransaction>(loan));
        fee->FeePayments->Add(MakeItem<TMorvaneFeePayment>(fee));
        data->ClearedDuebells->Add(MakeItem<TMorvaneAlert>(data.get()));
        data->CurrentAlerts->Add(MakeItem<TMorvaneAlert>(data.get()));
        loan->LocalTransactionDays->Add(MakeItem<TMorvaneLocalTransactionDay>(loan));
        EXPECT_GT(GetItemManager<TMorvaneMortgage>().InstanceCount(), loansBefore);
    }
    EXPECT_EQ(GetItemManager<TMorvaneMortgage>().InstanceCount(), loansBefore);
    EXPECT_EQ(GetItemManager<TMorvaneLoanTransaction>().InstanceCount(), paymentsBefore);
    EXPECT_EQ(GetItemManager<TMorvaneFeePayment>().InstanceCount(), feePaymentsBefore);
    EXPECT_EQ(GetItemManager<TMorvaneAlert>().InstanceCount(), alertsBefore);
}

} // namespace
} // namespace duebell
