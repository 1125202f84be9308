#include "domain/computedrecords.h"

namespace duebell {

void TMorvaneLocalTransaction::DeclareProperties(
    TTovPropertyTable<TMorvaneLocalTransaction>& table) {
    using T = TMorvaneLocalTransaction;
    table.Property("PaymentType", &T::PaymentType)
        .Property("LocalTransactionType", &T::LocalTransactionType)
        .Property("TransactionAmount", &T::TransactionAmount)
        .Property("Rate", &T::Rate)
        .Property("DateAdded", &T::DateAdded);
}

TMorvaneLocalTransactionDay::TMorvaneLocalTransactionDay(TTovObjectItem* owner)
    : TTovRecord(owner), LocalTransactions(MakeOwnedObjectList<TMorvaneLocalTransaction>(
                             "LocalTransactionType,PaymentType,DateAdded")) {}

void TMorvaneLocalTransactionDay::DeclareProperties(
    TTovPropertyTable<TMorvaneLocalTransactionDay>& table) {
    using T = TMorvaneLocalTransactionDay;
    table.Property("TransactionDate", &T::TransactionDate)
        .Property("Balance", &T::Balance)
        .Property("ShadowBalance", &T::ShadowBalance)
        .Property("FeeBalance", &T::FeeBalance)
        .Property("StatementBalance", &T::StatementBalance)
        .Property("PMTAmount", &T::PMTAmount)
        .Property("ActualRate", &T::ActualRate)
        .Property("DailyInterest", &T::DailyInterest)
        .Property("AccumulatedInterest", &T::AccumulatedInterest)
        .Property("TotalInstallmentPenalties", &T::TotalInstallmentPenalties)
        .ChildList("InstallmentFeeArrears", &T::InstallmentFeeArrears)
        .ChildList("LocalTransactions", &T::LocalTransactions);
}

void TMorvanePaymentDateFee::DeclareProperties(TTovPropertyTable<TMorvanePaymentDateFee>& table) {
    using T = TMorvanePaymentDateFee;
    table.Property("Priority", &T::Priority)
        .Property("FeeDescription", &T::FeeDescription)
        .Property("OutstandingPayments", &T::OutstandingPayments)
        .Property("OutstandingTotal", &T::OutstandingTotal);
}

TMorvanePaymentDate::TMorvanePaymentDate(TTovObjectItem* owner)
    : TTovRecord(owner), InstallmentFees(MakeOwnedObjectList<TMorvanePaymentDateFee>("Priority")) {}

void TMorvanePaymentDate::DeclareProperties(TTovPropertyTable<TMorvanePaymentDate>& table) {
    table.Property("PaymentDate", &TMorvanePaymentDate::PaymentDate)
        .ChildList("InstallmentFees", &TMorvanePaymentDate::InstallmentFees);
}

} // namespace duebell
