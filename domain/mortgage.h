// A loan: its contract, bank details, everything charged and paid on it, and its daily ledger
// (computed, never stored).
#pragma once

#include "domain/accountingreports.h"
#include "domain/details.h"
#include "domain/ledgerdays.h"
#include "domain/loantransactions.h"

#include <cstdint>
#include <memory>
#include <string>

namespace duebell {

class TMorvaneClient;
class TMorvaneProperty;

// The contract terms of a loan.
class TMorvaneContract : public TTovRecord<TMorvaneContract> {
public:
    using TTovRecord::TTovRecord;

    TDate PossessionDate; // the draw-down date
    Currency ContractAmount;
    Currency Deposit;
    std::int32_t ContractTerm = 0; // years
    TPercentage ReferenceRate;
    TPercentage RateSpread;
    std::string PaymentPeriod;   // one of PaymentPeriodNames
    std::string StatementPeriod; // one of StatementPeriodNames

    // Position of PaymentPeriod in PaymentPeriodNames; -1 when it is none of them.
    int PaymentPeriodIndex() const;
    // PossessionDate plus ContractTerm years (defined with the payment schedule).
    TDate CompletionDate() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneContract>& table);
};

class TMorvaneMortgage : public TTovRecord<TMorvaneMortgage> {
public:
    explicit TMorvaneMortgage(TTovObjectItem* owner);

    std::string LoanNumber; // seven digits, "0000001"
    std::string PropertyCode;
    std::string ClientCode;
    std::int32_t LastFeeNumber = 0;
    std::int32_t LastStatementNumber = 0;
    std::int32_t RateChangePeriod = 0; // days of notice before a rate change applies
    std::unique_ptr<TMorvaneContract> Contract;
    std::unique_ptr<TMorvaneBankDetails> BankDetails;
    TTovOwnedObjectList LoanTransactions;           // by "TransactionDate,PaymentType,DateAdded"
    TTovOwnedObjectList InstallmentFees;            // by "Priority"
    TTovOwnedObjectList InstallmentFeePenalties;    // published but never created
    TTovOwnedObjectList InstallmentFeeTransactions; // by "TransactionDate,FeeDescription"
    TTovOwnedObjectList AdminFeeTransactions;       // by "TransactionDate,DateAdded"
    TTovOwnedObjectList FeeTransactions;            // by "TransactionDate,FeeNumber"
    TTovOwnedObjectList IssuedStatements;           // by "StatementNumber"
    std::unique_ptr<TMorvaneInitialAccountingReport> InitialAccountingReport;
    std::unique_ptr<TMorvaneFinalAccountingReport> FinalAccountingReport;

    // The daily ledger, one TMorvaneLocalTransactionDay per day by "TransactionDate".
    TLedgerDayList LocalTransactionDays;

    // The names of the loan's client and the address of its property, looked up in the loan
    // book by code; empty when the code matches nothing.
    std::string ClientName() const;
    std::string ClientName2() const;
    std::string PropertyAddress() const;
    TMorvaneProperty* FindProperty() const;

    // Refuses, naming the loan, a contract no calculation can work with: a term outside 0 to
    // MaxContractYears years, or an amount or deposit beyond MaxContractAmount either way.
    // Runs when the loan is read from a file and before every calculation on it.
    static constexpr std::int32_t MaxContractYears = 100;
    static constexpr Currency MaxContractAmount = Currency::fromRaw(1'000'000'000'000 * 10000);
    void CheckContract() const;
    void AfterLoad() override;

    // The calculations on a loan, defined with the payment schedule, the ledger and the alert
    // rules: the contract instalment; rebuilding LocalTransactionDays; raising the loan's
    // alerts in the loan book that owns it (none for a loan no book owns); and both in turn.
    Currency CalcPaymentAmount() const;
    void BuildLedger();
    // Whether the ledger holds today and yesterday, which a notice of today's changes compares
    // (not so for a loan drawn down today, or not yet).
    bool LedgerHoldsTodayAndYesterday() const;
    void GenerateAlerts();
    void Recalculate();

    static void DeclareProperties(TTovPropertyTable<TMorvaneMortgage>& table);

private:
    TMorvaneClient* FindClient() const;
};

} // namespace duebell
