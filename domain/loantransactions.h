// What a loan holds besides its contract: payments received, fees collected in instalments,
// full fees with the payments against them, arrears administration fees and the statements
// issued.
#pragma once

#include "objectlist/objectlist.h"

#include <cstdint>
#include <string>

namespace duebell {

// A payment received on a loan.
class TMorvaneLoanTransaction : public TTovRecord<TMorvaneLoanTransaction> {
public:
    explicit TMorvaneLoanTransaction(TTovObjectItem* owner);

    TDate TransactionDate;
    TDateTime DateAdded; // the moment of entry; part of the key
    std::string PaymentType;
    TPercentage Rate;
    Currency TransactionAmount;

    // The ClientCode of the loan holding the payment.
    std::string ParentClientCode() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneLoanTransaction>& table);
};

// A fee collected in instalments alongside the loan's payments.
class TMorvaneInstallmentFee : public TTovRecord<TMorvaneInstallmentFee> {
public:
    // A new fee goes after the loan's last one: its Priority is one more than the last.
    explicit TMorvaneInstallmentFee(TTovObjectItem* owner);

    Currency UserPaymentAmount; // as the user entered it, on the fee's own schedule
    std::int32_t UserNumberOfPayments = 0;
    std::string UserPaymentPeriod; // one of FrequencyNames
    std::int32_t Priority = 0;     // order in which payments settle fee arrears
    std::string FeeDescription;
    TDate TransactionDate;
    std::int32_t NumberOfPayments = 0; // on the loan's schedule
    double PaymentAmount = 0.0;        // per loan instalment, in currency units
    TDateTime StopTransactionDate;     // when the fee was stopped; zero while it runs
    TDateTime StopLastPaymentDate;

    // Kept by the ledger: instalments charged so far and the amount paid against them.
    std::int32_t PaymentsCharged = 0;
    double AmountPaid = 0.0;

    // The first and last loan payment dates that carry an instalment (defined with the
    // payment schedule).
    TDate FirstPaymentDate() const;
    TDate LastPaymentDate() const;
    // Instalments still to charge; none once the fee is stopped.
    std::int32_t PaymentsRemaining() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneInstallmentFee>& table);
};

// A payment against a full fee.
class TMorvaneFeePayment : public TTovRecord<TMorvaneFeePayment> {
public:
    explicit TMorvaneFeePayment(TTovObjectItem* owner);

    TDateTime TransactionDate;
    Currency FeePaymentAmount;
    TDateTime DateAdded;

    static void DeclareProperties(TTovPropertyTable<TMorvaneFeePayment>& table);
};

// A full fee charged to a loan (also the record of an instalment fee's charge).
class TMorvaneFeeTransaction : public TTovRecord<TMorvaneFeeTransaction> {
public:
    explicit TMorvaneFeeTransaction(TTovObjectItem* owner);

    std::int32_t FeeNumber = 0;
    TDate TransactionDate;
    std::string FeeDescription;
    Currency FeeAmount;
    TDateTime DateAdded;
    TTovOwnedObjectList FeePayments; // TMorvaneFeePayment by "TransactionDate,DateAdded"

    // The day the fee falls due: after the notice period of its fee type, on a business day
    // (defined with the payment schedule).
    TDate EffectiveFrom() const;
    // FeeAmount less every payment.
    Currency Balance() const;
    // FeeAmount less the payments dated on or before the date (defined with the alert rules).
    Currency BalanceAt(TDate date) const;
    std::string ParentClientCode() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneFeeTransaction>& table);
};

// An arrears administration fee charged to a loan.
class TMorvaneAdminFeeTransaction : public TTovRecord<TMorvaneAdminFeeTransaction> {
public:
    explicit TMorvaneAdminFeeTransaction(TTovObjectItem* owner);

    TDateTime TransactionDate;
    std::string FeeDescription;
    Currency FeeAmount;
    Currency AmountLeft;
    TDateTime DateAdded;

    static void DeclareProperties(TTovPropertyTable<TMorvaneAdminFeeTransaction>& table);
};

class TMorvaneIssuedStatement : public TTovRecord<TMorvaneIssuedStatement> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t StatementNumber = 0;

    static void DeclareProperties(TTovPropertyTable<TMorvaneIssuedStatement>& table);
};

} // namespace duebell
