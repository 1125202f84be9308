// The record classes as the files see them: each class's published properties in the
// documented order, which of them are computed, and what the constructors create.
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

std::vector<std::string> PropertyNames(const TTovObjectItemManager& manager) {
    std::vector<std::string> names;
    for (const TTovPropInfo* prop : manager.Properties()) {
        names.push_back(prop->Name());
    }
    return names;
}

std::vector<std::string> ReadOnlyNames(const TTovObjectItemManager& manager) {
    std::vector<std::string> names;
    for (const TTovPropInfo* prop : manager.Properties()) {
        if (!prop->HasSetter()) {
            names.push_back(prop->Name());
        }
    }
    return names;
}

using Names = std::vector<std::string>;

TEST(PropertyOrder, LoanBookAndPeople) {
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneData>()),
              (Names{"Properties", "Clients", "Mortgages", "ClearedDuebells"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneProperty>()),
              (Names{"PropertyCode", "Address"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneClient>()),
              (Names{"ClientCode", "Surname", "GivenNames", "Surname2", "GivenNames2",
                     "FullNameStr", "FullName2Str", "ContactDetails", "PostalAddress"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneAddress>()),
              (Names{"UnstructuredAddress", "StreetNo", "StreetName", "Suburb", "State", "PostCode",
                     "FullStreetStr", "FullSuburbStr", "AddressStr"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneContactDetails>()),
              (Names{"PhoneNo", "FaxNo", "MobileNo", "EmailAddress", "WebAddress"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneBankDetails>()),
              (Names{"BankName", "BranchName", "AccountName", "BSBNo", "AccountNo"}));
}

TEST(PropertyOrder, LoanAndWhatItHolds) {
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneMortgage>()),
              (Names{"LoanNumber",
                     "PropertyCode",
                     "ClientCode",
                     "LastFeeNumber",
                     "LastStatementNumber",
                     "RateChangePeriod",
                     "ClientName",
                     "ClientName2",
                     "PropertyAddress",
                     "Contract",
                     "BankDetails",
                     "LoanTransactions",
                     "InstallmentFees",
                     "InstallmentFeePenalties",
                     "InstallmentFeeTransactions",
                     "AdminFeeTransactions",
                     "FeeTransactions",
                     "IssuedStatements",
                     "InitialAccountingReport",
                     "FinalAccountingReport"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneContract>()),
              (Names{"PossessionDate", "ContractAmount", "Deposit", "ContractTerm", "ReferenceRate",
                     "RateSpread", "PaymentPeriod", "StatementPeriod"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneLoanTransaction>()),
              (Names{"TransactionDate", "DateAdded", "PaymentType", "Rate", "TransactionAmount",
                     "ParentClientCode"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneInstallmentFee>()),
              (Names{"UserPaymentAmount", "UserNumberOfPayments", "UserPaymentPeriod", "Priority",
                     "FeeDescription", "TransactionDate", "FirstPaymentDate", "NumberOfPayments",
                     "PaymentsRemaining", "PaymentAmount", "LastPaymentDate", "StopTransactionDate",
                     "StopLastPaymentDate"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneFeeTransaction>()),
              (Names{"FeeNumber", "TransactionDate", "EffectiveFrom", "FeeDescription", "FeeAmount",
                     "Balance", "DateAdded", "FeePayments", "ParentClientCode"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneFeePayment>()),
              (Names{"TransactionDate", "FeePaymentAmount", "DateAdded"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneAdminFeeTransaction>()),
              (Names{"TransactionDate", "FeeDescription", "FeeAmount", "AmountLeft", "DateAdded"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneIssuedStatement>()), (Names{"StatementNumber"}));
    EXPECT_EQ(
        PropertyNames(GetItemManager<TMorvaneInitialAccountingReport>()),
        (Names{"NameOfPurchaser", "DateOfPurchase", "PurchasePriceLand", "PurchasePriceBuilding",
               "LegalFeeCost", "InspectionReportCost", "GovernmentTaxCost", "OtherCost"}));
}

const Names FinalFigures{"OtherAmount",
                         "DisbursementFirstMortgage",
                         "DisbursementOtherMortgages",
                         "DisbursementJVPayments",
                         "DisbursementMarketingCosts",
                         "DisbursementFeePaymentsBank",
                         "DisbursementFeePaymentsLegal",
                         "DisbursementFeePaymentsTaxes",
                         "DisbursementFeePaymentsReports",
                         "DisbursementOther",
                         "FirstMortgageInterestCharges",
                         "FirstMortgageBankCharges",
                         "FirstMortgageAddOther",
                         "FirstMortgageRepayments",
                         "FirstMortgageLessOther",
                         "FinanceDetailsInterestCharges",
                         "FinanceDetailsBankCharges",
                         "FinanceDetailsAddOther",
                         "FinanceDetailsRepayments",
                         "FinanceDetailsLessOther"};

TEST(PropertyOrder, AccountingFiguresInheritTheFinalReportFirst) {
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneFinalAccountingReport>()), FinalFigures);
    Names periodic = FinalFigures;
    periodic.insert(periodic.end(), {"LoanNumber", "ClientName", "ClientName2", "PropertyAddress"});
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvanePeriodicAccountingMortgage>()), periodic);
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvanePeriodicAccountingReport>()),
              (Names{"AccountingReportNo", "StartDate", "EndDate", "ReportStatus", "Mortgages"}));
    for (const TTovPropInfo* prop : GetItemManager<TMorvaneFinalAccountingReport>().Properties()) {
        EXPECT_EQ(prop->TypeName(), "Currency") << prop->Name();
    }
}

TEST(PropertyOrder, Configuration) {
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneConfiguration>()),
              (Names{"UserName", "Company", "OperatingNumber", "Address", "ContactDetails",
                     "SystemConfiguration", "FeeList", "MortgageRates", "PublicHolidayList",
                     "RecurringPublicHolidayList", "InstallmentFeePenalties",
                     "AccountingPeriodicalReports"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneSystemConfiguration>()),
              (Names{"DefaultPeriod", "ForeclosePeriod", "EvictionPeriod", "InstallmentFeePeriod",
                     "FinancialYearDay", "FinancialYearMonth", "AccountingReportPeriod",
                     "FirstAccountingYear"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneFeeConfiguration>()),
              (Names{"FeeDescription", "NoticePeriod"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneInstallmentFeePenaltyConfig>()),
              (Names{"TransactionDate", "PenaltyAmount"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvanePublicHoliday>()),
              (Names{"TransactionDate", "Description"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneRecurringPublicHoliday>()),
              (Names{"Month", "Day", "Description", "DayStr", "MonthStr"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneMortgageRate>()),
              (Names{"LoanNumber", "RateChanges"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneRateChange>()),
              (Names{"TransactionDate", "Rate", "NewPaymentAmount", "EffectiveFrom", "DateAdded"}));
}

TEST(PropertyOrder, ComputedResultsAlertsAndHelp) {
    EXPECT_EQ(
        PropertyNames(GetItemManager<TMorvaneLocalTransactionDay>()),
        (Names{"TransactionDate", "Balance", "ShadowBalance", "FeeBalance", "StatementBalance",
               "PMTAmount", "ActualRate", "DailyInterest", "AccumulatedInterest",
               "TotalInstallmentPenalties", "InstallmentFeeArrears", "LocalTransactions"}));
    EXPECT_EQ(
        PropertyNames(GetItemManager<TMorvaneLocalTransaction>()),
        (Names{"PaymentType", "LocalTransactionType", "TransactionAmount", "Rate", "DateAdded"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvanePaymentDate>()),
              (Names{"PaymentDate", "InstallmentFees"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvanePaymentDateFee>()),
              (Names{"Priority", "FeeDescription", "OutstandingPayments", "OutstandingTotal"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneAlert>()),
              (Names{"LoanNumber", "PropertyAddress", "ClientName", "AlertMessage", "AlertType",
                     "MortgageStatus", "StatementNumber", "FeeNumber", "FeeTransactionDate",
                     "AlertDay"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneHelpFile>()),
              (Names{"HelpMeWithTopics", "FormHelpTopics"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneHelpMeWithTopic>()),
              (Names{"HelpContext", "Description"}));
    EXPECT_EQ(PropertyNames(GetItemManager<TMorvaneFormHelpTopic>()),
              (Names{"HelpContext", "FormClassName"}));
}

TEST(PropertyKinds, ComputedPropertiesAreReadOnlyAndNothingElseIs) {
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvaneAddress>()),
              (Names{"FullStreetStr", "FullSuburbStr", "AddressStr"}));
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvaneClient>()),
              (Names{"FullNameStr", "FullName2Str"}));
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvaneMortgage>()),
              (Names{"ClientName", "ClientName2", "PropertyAddress"}));
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvaneLoanTransaction>()),
              (Names{"ParentClientCode"}));
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvaneInstallmentFee>()),
              (Names{"FirstPaymentDate", "PaymentsRemaining", "LastPaymentDate"}));
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvaneFeeTransaction>()),
              (Names{"EffectiveFrom", "Balance", "ParentClientCode"}));
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvaneRateChange>()), (Names{"EffectiveFrom"}));
    EXPECT_EQ(ReadOnlyNames(GetItemManager<TMorvanePeriodicAccountingMortgage>()),
              (Names{"ClientName", "ClientName2", "PropertyAddress"}));
    // Day and month texts are written and read: reading them sets the day and month.
    EXPECT_TRUE(ReadOnlyNames(GetItemManager<TMorvaneRecurringPublicHoliday>()).empty());
}

TEST(PropertyKinds, TypesThatDecideHowValuesAreConverted) {
    const TTovObjectItemManager& contract = GetItemManager<TMorvaneContract>();
    EXPECT_EQ(contract.FindPropInfo("PossessionDate")->TypeName(), "TDate");
    EXPECT_EQ(contract.FindPropInfo("ContractAmount")->TypeName(), "Currency");
    EXPECT_EQ(contract.FindPropInfo("ReferenceRate")->TypeName(), "TPercentage");
    EXPECT_EQ(contract.FindPropInfo("ContractTerm")->TypeName(), "Integer");
    const TTovObjectItemManager& fee = GetItemManager<TMorvaneInstallmentFee>();
    EXPECT_EQ(fee.FindPropInfo("PaymentAmount")->TypeName(), "Double");
    EXPECT_EQ(fee.FindPropInfo("StopTransactionDate")->TypeName(), "TDateTime");
    EXPECT_EQ(GetItemManager<TMorvaneFeePayment>().FindPropInfo("TransactionDate")->TypeName(),
              "TDateTime");
    EXPECT_EQ(GetItemManager<TMorvaneAlert>().FindPropInfo("AlertType")->TypeName(),
              "TMorvaneAlertType");
    EXPECT_EQ(GetItemManager<TMorvaneAlert>().FindPropInfo("MortgageStatus")->TypeName(),
              "TMorvaneMortgageStatus");
    EXPECT_EQ(
        GetItemManager<TMorvaneLocalTransaction>().FindPropInfo("LocalTransactionType")->TypeName(),
        "TMorvaneLocalTransactionType");
}

// A list's sort description as the list reports it: "A,B".
template <class List> std::string SortOf(const List& list) {
    EXPECT_TRUE((*list).Sorted());
    return (*list).SortFields();
}

TEST(Constructors, LoanBookListsAreSortedByTheirKeys) {
    std::unique_ptr<TMorvaneData> data(CreateItem<TMorvaneData>(nullptr));
    EXPECT_EQ(SortOf(data->Properties), "PROPERTYCODE");
    EXPECT_EQ(SortOf(data->Clients), "CLIENTCODE");
    EXPECT_EQ(SortOf(data->Mortgages), "LOANNUMBER");
    EXPECT_EQ(SortOf(data->ClearedDuebells), "LOANNUMBER,ALERTDAY,ALERTMESSAGE");
    EXPECT_EQ(SortOf(data->CurrentAlerts), "LOANNUMBER,ALERTDAY,ALERTMESSAGE");
    EXPECT_FALSE(data->HasAlerts);
}

TEST(Constructors, LoanCreatesItsRecordsAndListsButNotThePenaltyList) {
    std::unique_ptr<TMorvaneMortgage> loan(CreateItem<TMorvaneMortgage>(nullptr));
    ASSERT_NE(loan->Contract, nullptr);
    ASSERT_NE(loan->BankDetails, nullptr);
    ASSERT_NE(loan->InitialAccountingReport, nullptr);
    ASSERT_NE(loan->FinalAccountingReport, nullptr);
    EXPECT_EQ(loan->Contract->Owner(), loan.get());
    EXPECT_EQ(SortOf(loan->LoanTransactions), "TRANSACTIONDATE,PAYMENTTYPE,DATEADDED");
    EXPECT_EQ(SortOf(loan->InstallmentFees), "PRIORITY");
    EXPECT_EQ(SortOf(loan->InstallmentFeeTransactions), "TRANSACTIONDATE,FEEDESCRIPTION");
    EXPECT_EQ(SortOf(loan->AdminFeeTransactions), "TRANSACTIONDATE,DATEADDED");
    EXPECT_EQ(SortOf(loan->FeeTransactions), "TRANSACTIONDATE,FEENUMBER");
    EXPECT_EQ(SortOf(loan->IssuedStatements), "STATEMENTNUMBER");
    EXPECT_EQ(SortOf(loan->LocalTransactionDays), "TRANSACTIONDATE");
    EXPECT_EQ(loan->InstallmentFeePenalties, nullptr);
    EXPECT_EQ(&loan->InstallmentFeeTransactions->ItemClass(),
              &GetItemManager<TMorvaneFeeTransaction>());
}

TEST(Constructors, ConfigurationCreatesItsRecordsAndLists) {
    std::unique_ptr<TMorvaneConfiguration> config(CreateItem<TMorvaneConfiguration>(nullptr));
    ASSERT_NE(config->Address, nullptr);
    ASSERT_NE(config->ContactDetails, nullptr);
    ASSERT_NE(config->SystemConfiguration, nullptr);
    EXPECT_EQ(config->SystemConfiguration->DefaultPeriod, 0);
    EXPECT_EQ(SortOf(config->FeeList), "FEEDESCRIPTION");
    EXPECT_EQ(SortOf(config->MortgageRates), "LOANNUMBER");
    EXPECT_EQ(SortOf(config->PublicHolidayList), "TRANSACTIONDATE");
    EXPECT_EQ(SortOf(config->RecurringPublicHolidayList), "MONTH,DAY");
    EXPECT_EQ(SortOf(config->InstallmentFeePenalties), "TRANSACTIONDATE");
    EXPECT_EQ(SortOf(config->AccountingPeriodicalReports), "ACCOUNTINGREPORTNO");

    std::unique_ptr<TMorvaneMortgageRate> rates(CreateItem<TMorvaneMortgageRate>(nullptr));
    EXPECT_EQ(SortOf(rates->RateChanges), "TRANSACTIONDATE");
    std::unique_ptr<TMorvanePeriodicAccountingReport> report(
        CreateItem<TMorvanePeriodicAccountingReport>(nullptr));
    EXPECT_EQ(SortOf(report->Mortgages), "LOANNUMBER");
}

TEST(Constructors, OtherListsAndTheLedgerDay) {
    std::unique_ptr<TMorvaneFeeTransaction> fee(CreateItem<TMorvaneFeeTransaction>(nullptr));
    EXPECT_EQ(SortOf(fee->FeePayments), "TRANSACTIONDATE,DATEADDED");
    std::unique_ptr<TMorvaneLocalTransactionDay> day(
        CreateItem<TMorvaneLocalTransactionDay>(nullptr));
    EXPECT_EQ(SortOf(day->LocalTransactions), "LOCALTRANSACTIONTYPE,PAYMENTTYPE,DATEADDED");
    EXPECT_EQ(day->InstallmentFeeArrears, nullptr);
    std::unique_ptr<TMorvanePaymentDate> arrears(CreateItem<TMorvanePaymentDate>(nullptr));
    EXPECT_EQ(SortOf(arrears->InstallmentFees), "PRIORITY");
    std::unique_ptr<TMorvaneHelpFile> help(CreateItem<TMorvaneHelpFile>(nullptr));
    EXPECT_EQ(SortOf(help->HelpMeWithTopics), "HELPCONTEXT");
    EXPECT_EQ(SortOf(help->FormHelpTopics), "FORMCLASSNAME");
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
    auto* first = CreateItem<TMorvaneInstallmentFee>(loan.get());
    EXPECT_EQ(first->Priority, 0);
    loan->InstallmentFees->Add(first);
    auto* second = CreateItem<TMorvaneInstallmentFee>(loan.get());
    EXPECT_EQ(second->Priority, 1);
    second->Priority = 7; // priorities may have gaps after deletions and edits
    loan->InstallmentFees->Add(second);
    auto* third = CreateItem<TMorvaneInstallmentFee>(loan.get());
    EXPECT_EQ(third->Priority, 8);
    loan->InstallmentFees->Add(third);
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
        auto* loan = CreateItem<TMorvaneMortgage>(data.get());
        loan->LoanNumber = "0000001";
        data->Mortgages->Add(loan);
        auto* payment = CreateItem<TMorvaneLoanTransaction>(loan);
        loan->LoanTransactions->Add(payment);
        auto* fee = CreateItem<TMorvaneFeeTransaction>(loan);
        loan->FeeTransactions->Add(fee);
        fee->FeePayments->Add(CreateItem<TMorvaneFeePayment>(fee));
        data->ClearedDuebells->Add(CreateItem<TMorvaneAlert>(data.get()));
        data->CurrentAlerts->Add(CreateItem<TMorvaneAlert>(data.get()));
        loan->LocalTransactionDays->Add(CreateItem<TMorvaneLocalTransactionDay>(loan));
        EXPECT_GT(GetItemManager<TMorvaneMortgage>().InstanceCount(), loansBefore);
    }
    EXPECT_EQ(GetItemManager<TMorvaneMortgage>().InstanceCount(), loansBefore);
    EXPECT_EQ(GetItemManager<TMorvaneLoanTransaction>().InstanceCount(), paymentsBefore);
    EXPECT_EQ(GetItemManager<TMorvaneFeePayment>().InstanceCount(), feePaymentsBefore);
    EXPECT_EQ(GetItemManager<TMorvaneAlert>().InstanceCount(), alertsBefore);
}

} // namespace
} // namespace duebell
