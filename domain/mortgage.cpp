#include "domain/mortgage.h"

#include "domain/clients.h"
#include "domain/computedrecords.h"
#include "domain/loanbook.h"
#include "domain/money.h"
#include "domain/periods.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

namespace duebell {

int TMorvaneContract::PaymentPeriodIndex() const {
    return duebell::PaymentPeriodIndex(PaymentPeriod);
}

void TMorvaneContract::DeclareProperties(TTovPropertyTable<TMorvaneContract>& table) {
    using T = TMorvaneContract;
    table.Property("PossessionDate", &T::PossessionDate)
        .Property("ContractAmount", &T::ContractAmount)
        .Property("Deposit", &T::Deposit)
        .Property("ContractTerm", &T::ContractTerm)
        .Property("ReferenceRate", &T::ReferenceRate)
        .Property("RateSpread", &T::RateSpread)
        .Property("PaymentPeriod", &T::PaymentPeriod)
        .Property("StatementPeriod", &T::StatementPeriod);
}

TMorvaneMortgage::TMorvaneMortgage(TTovObjectItem* owner)
    : TTovRecord(owner), Contract(CreateItem<TMorvaneContract>(this)),
      BankDetails(CreateItem<TMorvaneBankDetails>(this)),
      LoanTransactions(
          MakeOwnedObjectList<TMorvaneLoanTransaction>("TransactionDate,PaymentType,DateAdded")),
      InstallmentFees(MakeOwnedObjectList<TMorvaneInstallmentFee>("Priority")),
      InstallmentFeeTransactions(
          MakeOwnedObjectList<TMorvaneFeeTransaction>("TransactionDate,FeeDescription")),
      AdminFeeTransactions(
          MakeOwnedObjectList<TMorvaneAdminFeeTransaction>("TransactionDate,DateAdded")),
      FeeTransactions(MakeOwnedObjectList<TMorvaneFeeTransaction>("TransactionDate,FeeNumber")),
      IssuedStatements(MakeOwnedObjectList<TMorvaneIssuedStatement>("StatementNumber")),
      InitialAccountingReport(CreateItem<TMorvaneInitialAccountingReport>(this)),
      FinalAccountingReport(CreateItem<TMorvaneFinalAccountingReport>(this)),
      LocalTransactionDays(MakeOwnedObjectList<TMorvaneLocalTransactionDay>("TransactionDate")) {}

void TMorvaneMortgage::CheckContract() const {
    const std::string loan = "The contract of loan " + LoanNumber;
    if (Contract->ContractTerm < 0 || Contract->ContractTerm > MaxContractYears) {
        throw Exception(loan + " runs " + IntToStr(Contract->ContractTerm) +
                        " years; a contract runs from 0 to " + IntToStr(MaxContractYears) +
                        " years.");
    }
    for (const Currency amount : {Contract->ContractAmount, Contract->Deposit}) {
        if (amount > MaxContractAmount || amount < -MaxContractAmount) {
            throw Exception(loan + " is for " + FormatMoney(amount) +
                            "; a contract amount or deposit is at most " +
                            FormatMoney(MaxContractAmount) + ".");
        }
    }
}

void TMorvaneMortgage::AfterLoad() {
    CheckContract();
}

std::string TMorvaneMortgage::ClientName() const {
    const TMorvaneClient* client = FindClient();
    return client != nullptr ? client->FullNameStr() : std::string();
}

std::string TMorvaneMortgage::ClientName2() const {
    const TMorvaneClient* client = FindClient();
    return client != nullptr ? client->FullName2Str() : std::string();
}

std::string TMorvaneMortgage::PropertyAddress() const {
    const TMorvaneProperty* property = FindProperty();
    return property != nullptr ? property->Address->AddressStr() : std::string();
}

TMorvaneClient* TMorvaneMortgage::FindClient() const {
    const TMorvaneData* data = LookupLoanBook(*this);
    return data != nullptr ? data->FindClient(ClientCode) : nullptr;
}

TMorvaneProperty* TMorvaneMortgage::FindProperty() const {
    const TMorvaneData* data = LookupLoanBook(*this);
    return data != nullptr ? data->FindProperty(PropertyCode) : nullptr;
}

void TMorvaneMortgage::DeclareProperties(TTovPropertyTable<TMorvaneMortgage>& table) {
    using T = TMorvaneMortgage;
    table.Property("LoanNumber", &T::LoanNumber)
        .Property("PropertyCode", &T::PropertyCode)
        .Property("ClientCode", &T::ClientCode)
        .Property("LastFeeNumber", &T::LastFeeNumber)
        .Property("LastStatementNumber", &T::LastStatementNumber)
        .Property("RateChangePeriod", &T::RateChangePeriod)
        .Property("ClientName", &T::ClientName)
        .Property("ClientName2", &T::ClientName2)
        .Property("PropertyAddress", &T::PropertyAddress)
        .SubRecord("Contract", &T::Contract)
        .SubRecord("BankDetails", &T::BankDetails)
        .ChildList("LoanTransactions", &T::LoanTransactions)
        .ChildList("InstallmentFees", &T::InstallmentFees)
        .ChildList("InstallmentFeePenalties", &T::InstallmentFeePenalties)
        .ChildList("InstallmentFeeTransactions", &T::InstallmentFeeTransactions)
        .ChildList("AdminFeeTransactions", &T::AdminFeeTransactions)
        .ChildList("FeeTransactions", &T::FeeTransactions)
        .ChildList("IssuedStatements", &T::IssuedStatements)
        .SubRecord("InitialAccountingReport", &T::InitialAccountingReport)
        .SubRecord("FinalAccountingReport", &T::FinalAccountingReport);
}

} // namespace duebell
