#include "domain/loantransactions.h"

#include "domain/mortgage.h"
#include "domain/recordowners.h"
#include "objectlist/clock.h"

namespace duebell {

namespace {

std::string ClientCodeOfLoan(const TTovObjectItem& item) {
    const TMorvaneMortgage* loan = FindOwner<TMorvaneMortgage>(item);
    return loan != nullptr ? loan->ClientCode : std::string();
}

} // namespace

TMorvaneLoanTransaction::TMorvaneLoanTransaction(TTovObjectItem* owner)
    : TTovRecord(owner), DateAdded(Now()) {}

std::string TMorvaneLoanTransaction::ParentClientCode() const {
    return ClientCodeOfLoan(*this);
}

void TMorvaneLoanTransaction::DeclareProperties(TTovPropertyTable<TMorvaneLoanTransaction>& table) {
    using T = TMorvaneLoanTransaction;
    table.Property("TransactionDate", &T::TransactionDate)
        .Property("DateAdded", &T::DateAdded)
        .Property("PaymentType", &T::PaymentType)
        .Property("Rate", &T::Rate)
        .Property("TransactionAmount", &T::TransactionAmount)
        .Property("ParentClientCode", &T::ParentClientCode);
}

TMorvaneInstallmentFee::TMorvaneInstallmentFee(TTovObjectItem* owner) : TTovRecord(owner) {
    auto* loan = dynamic_cast<TMorvaneMortgage*>(owner);
    if (loan != nullptr) {
        if (auto* last = static_cast<TMorvaneInstallmentFee*>(loan->InstallmentFees->PeekLast())) {
            Priority = last->Priority + 1;
        }
    }
}

std::int32_t TMorvaneInstallmentFee::PaymentsRemaining() const {
    if (StopTransactionDate.value > 0) {
        return 0;
    }
    return NumberOfPayments - PaymentsCharged;
}

void TMorvaneInstallmentFee::DeclareProperties(TTovPropertyTable<TMorvaneInstallmentFee>& table) {
    using T = TMorvaneInstallmentFee;
    table.Property("UserPaymentAmount", &T::UserPaymentAmount)
        .Property("UserNumberOfPayments", &T::UserNumberOfPayments)
        .Property("UserPaymentPeriod", &T::UserPaymentPeriod)
        .Property("Priority", &T::Priority)
        .Property("FeeDescription", &T::FeeDescription)
        .Property("TransactionDate", &T::TransactionDate)
        .Property("FirstPaymentDate", &T::FirstPaymentDate)
        .Property("NumberOfPayments", &T::NumberOfPayments)
        .Property("PaymentsRemaining", &T::PaymentsRemaining)
        .Property("PaymentAmount", &T::PaymentAmount)
        .Property("LastPaymentDate", &T::LastPaymentDate)
        .Property("StopTransactionDate", &T::StopTransactionDate)
        .Property("StopLastPaymentDate", &T::StopLastPaymentDate);
}

TMorvaneFeePayment::TMorvaneFeePayment(TTovObjectItem* owner)
    : TTovRecord(owner), DateAdded(Now()) {}

void TMorvaneFeePayment::DeclareProperties(TTovPropertyTable<TMorvaneFeePayment>& table) {
    using T = TMorvaneFeePayment;
    table.Property("TransactionDate", &T::TransactionDate)
        .Property("FeePaymentAmount", &T::FeePaymentAmount)
        .Property("DateAdded", &T::DateAdded);
}

TMorvaneFeeTransaction::TMorvaneFeeTransaction(TTovObjectItem* owner)
    : TTovRecord(owner), DateAdded(Now()),
      FeePayments(MakeOwnedObjectList<TMorvaneFeePayment>("TransactionDate,DateAdded")) {}

Currency TMorvaneFeeTransaction::Balance() const {
    Currency balance = FeeAmount;
    for (TTovObjectItem* item : *FeePayments) {
        balance -= static_cast<TMorvaneFeePayment*>(item)->FeePaymentAmount;
    }
    return balance;
}

std::string TMorvaneFeeTransaction::ParentClientCode() const {
    return ClientCodeOfLoan(*this);
}

void TMorvaneFeeTransaction::DeclareProperties(TTovPropertyTable<TMorvaneFeeTransaction>& table) {
    using T = TMorvaneFeeTransaction;
    table.Property("FeeNumber", &T::FeeNumber)
        .Property("TransactionDate", &T::TransactionDate)
        .Property("EffectiveFrom", &T::EffectiveFrom)
        .Property("FeeDescription", &T::FeeDescription)
        .Property("FeeAmount", &T::FeeAmount)
        .Property("Balance", &T::Balance)
        .Property("DateAdded", &T::DateAdded)
        .ChildList("FeePayments", &T::FeePayments)
        .Property("ParentClientCode", &T::ParentClientCode);
}

TMorvaneAdminFeeTransaction::TMorvaneAdminFeeTransaction(TTovObjectItem* owner)
    : TTovRecord(owner), DateAdded(Now()) {}

void TMorvaneAdminFeeTransaction::DeclareProperties(
    TTovPropertyTable<TMorvaneAdminFeeTransaction>& table) {
    using T = TMorvaneAdminFeeTransaction;
    table.Property("TransactionDate", &T::TransactionDate)
        .Property("FeeDescription", &T::FeeDescription)
        .Property("FeeAmount", &T::FeeAmount)
        .Property("AmountLeft", &T::AmountLeft)
        .Property("DateAdded", &T::DateAdded);
}

void TMorvaneIssuedStatement::DeclareProperties(TTovPropertyTable<TMorvaneIssuedStatement>& table) {
    table.Property("StatementNumber", &TMorvaneIssuedStatement::StatementNumber);
}

} // namespace duebell
