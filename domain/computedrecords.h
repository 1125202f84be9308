// The records the ledger builds: one per calendar day of a loan with the day's movements, and
// the working record of instalment-fee arrears. Never stored; published so that grids and the
// list library can read them by name.
#pragma once

#include "domain/enums.h"
#include "objectlist/objectlist.h"

#include <cstdint>
#include <string>

namespace duebell {

// One movement of a ledger day.
class TMorvaneLocalTransaction : public TTovRecord<TMorvaneLocalTransaction> {
public:
    using TTovRecord::TTovRecord;

    std::string PaymentType; // the movement's text
    TMorvaneLocalTransactionType LocalTransactionType = ltOpeningBalance;
    Currency TransactionAmount;
    TPercentage Rate;
    TDateTime DateAdded;

    static void DeclareProperties(TTovPropertyTable<TMorvaneLocalTransaction>& table);
};

// One calendar day of a loan's ledger: the balances after the day and its movements.
class TMorvaneLocalTransactionDay : public TTovRecord<TMorvaneLocalTransactionDay> {
public:
    explicit TMorvaneLocalTransactionDay(TTovObjectItem* owner);

    TDate TransactionDate;
    Currency Balance;       // the actual balance
    Currency ShadowBalance; // the balance the contract schedule expects
    Currency FeeBalance;
    Currency StatementBalance;
    Currency PMTAmount;      // the contract instalment
    double ActualRate = 0.0; // per cent
    Currency DailyInterest;
    Currency AccumulatedInterest;
    Currency TotalInstallmentPenalties; // instalment-fee instalments charged and not yet paid
    TTovOwnedObjectList InstallmentFeeArrears; // published but never created
    // TMorvaneLocalTransaction by "LocalTransactionType,PaymentType,DateAdded"
    TTovOwnedObjectList LocalTransactions;

    static void DeclareProperties(TTovPropertyTable<TMorvaneLocalTransactionDay>& table);
};

// What one instalment fee has outstanding.
class TMorvanePaymentDateFee : public TTovRecord<TMorvanePaymentDateFee> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t Priority = 0;
    std::string FeeDescription;
    Currency OutstandingPayments;
    Currency OutstandingTotal;

    static void DeclareProperties(TTovPropertyTable<TMorvanePaymentDateFee>& table);
};

// The ledger's working record of instalment-fee arrears.
class TMorvanePaymentDate : public TTovRecord<TMorvanePaymentDate> {
public:
    explicit TMorvanePaymentDate(TTovObjectItem* owner);

    TDateTime PaymentDate;
    TTovOwnedObjectList InstallmentFees; // TMorvanePaymentDateFee by "Priority"

    static void DeclareProperties(TTovPropertyTable<TMorvanePaymentDate>& table);
};

} // namespace duebell
