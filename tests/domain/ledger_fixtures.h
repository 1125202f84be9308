// A configuration and loan book installed as the program's own for the length of a test, with
// short ways to add the loans, payments, fees, rate changes and holidays the engine reads.
#pragma once

#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/ledger.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"

#include <memory>
#include <string>
#include <vector>

namespace duebell::enginetest {

inline TDate Day(int year, int month, int day) {
    return TDate(EncodeDate(year, month, day));
}

inline TDateTime At(TDate day, int hour, int minute) {
    return TDateTime(day.value + EncodeTime(hour, minute, 0, 0));
}

// Amounts in cents, so a test reads 1234567 for 12,345.67.
inline Currency Cents(std::int64_t cents) {
    return Currency::fromRaw(cents * 100);
}

inline TPercentage Percent(double rate) {
    return TPercentage{Currency::fromDouble(rate)};
}

class EngineBook {
public:
    EngineBook() {
        SetConfiguration(
            std::unique_ptr<TMorvaneConfiguration>(CreateItem<TMorvaneConfiguration>(nullptr)));
        SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
    }
    ~EngineBook() {
        SetData(nullptr);
        SetConfiguration(nullptr);
    }
    EngineBook(const EngineBook&) = delete;
    EngineBook& operator=(const EngineBook&) = delete;

    TMorvaneConfiguration& Config() { return *Configuration(); }
    TMorvaneData& Book() { return *Data(); }

    void SetNoticePeriods(int defaultPeriod, int foreclosePeriod, int evictionPeriod) {
        TMorvaneSystemConfiguration& periods = *Config().SystemConfiguration;
        periods.DefaultPeriod = defaultPeriod;
        periods.ForeclosePeriod = foreclosePeriod;
        periods.EvictionPeriod = evictionPeriod;
    }

    // A loan of the principal (a contract amount 10,000 above it, less a deposit of 10,000) at
    // the rate, with no spread.
    TMorvaneMortgage& AddLoan(const std::string& number, TDate possession, Currency principal,
                              double rate, const std::string& paymentPeriod, int termYears,
                              const std::string& statementPeriod = "Quarterly") {
        auto loan = MakeItem<TMorvaneMortgage>(&Book());
        loan->LoanNumber = number;
        TMorvaneContract& contract = *loan->Contract;
        contract.PossessionDate = possession;
        contract.Deposit = Currency::fromUnits(10000);
        contract.ContractAmount = principal + contract.Deposit;
        contract.ReferenceRate = Percent(rate);
        contract.PaymentPeriod = paymentPeriod;
        contract.ContractTerm = termYears;
        contract.StatementPeriod = statementPeriod;
        return *Book().Mortgages->Add(std::move(loan));
    }

    TMorvaneLoanTransaction& AddPayment(TMorvaneMortgage& loan, TDate date, Currency amount) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(&loan);
        payment->TransactionDate = date;
        payment->DateAdded = NextEntryTime(date);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = amount;
        return *loan.LoanTransactions->Add(std::move(payment));
    }

    TMorvaneAdminFeeTransaction& AddAdminFee(TMorvaneMortgage& loan, TDateTime date,
                                             Currency amount, const std::string& description) {
        auto fee = MakeItem<TMorvaneAdminFeeTransaction>(&loan);
        fee->TransactionDate = date;
        fee->DateAdded = NextEntryTime(TDate(date.value));
        fee->FeeDescription = description;
        fee->FeeAmount = amount;
        fee->AmountLeft = amount;
        return *loan.AdminFeeTransactions->Add(std::move(fee));
    }

    TMorvaneInstallmentFee& AddInstalmentFee(TMorvaneMortgage& loan, const std::string& description,
                                             TDate date, int payments, double amount) {
        auto fee = MakeItem<TMorvaneInstallmentFee>(&loan);
        fee->FeeDescription = description;
        fee->TransactionDate = date;
        fee->NumberOfPayments = payments;
        fee->PaymentAmount = amount;
        return *loan.InstallmentFees->Add(std::move(fee));
    }

    TMorvaneFeeTransaction& AddFullFee(TMorvaneMortgage& loan, int number, TDate date,
                                       const std::string& description, Currency amount) {
        auto fee = MakeItem<TMorvaneFeeTransaction>(&loan);
        fee->FeeNumber = number;
        fee->TransactionDate = date;
        fee->FeeDescription = description;
        fee->FeeAmount = amount;
        fee->DateAdded = NextEntryTime(date);
        return *loan.FeeTransactions->Add(std::move(fee));
    }

    void AddFeePayment(TMorvaneFeeTransaction& fee, TDateTime date, Currency amount) {
        auto payment = MakeItem<TMorvaneFeePayment>(&fee);
        payment->TransactionDate = date;
        payment->FeePaymentAmount = amount;
        payment->DateAdded = NextEntryTime(TDate(date.value));
        fee.FeePayments->Add(std::move(payment));
    }

    void AddFeeType(const std::string& description, int noticePeriod) {
        auto type = MakeItem<TMorvaneFeeConfiguration>(&Config());
        type->FeeDescription = description;
        type->NoticePeriod = noticePeriod;
        Config().FeeList->Add(std::move(type));
    }

    TMorvaneRateChange& AddRateChange(TMorvaneMortgage& loan, TDate date, double rate) {
        auto* rates = static_cast<TMorvaneMortgageRate*>(
            Config().MortgageRates->LocateNoMove(Variant(loan.LoanNumber)));
        if (rates == nullptr) {
            auto made = MakeItem<TMorvaneMortgageRate>(&Config());
            made->LoanNumber = loan.LoanNumber;
            rates = Config().MortgageRates->Add(std::move(made));
        }
        auto change = MakeItem<TMorvaneRateChange>(rates);
        change->TransactionDate = date;
        change->Rate = Percent(rate);
        change->DateAdded = NextEntryTime(date);
        return *rates->RateChanges->Add(std::move(change));
    }

    void AddHoliday(TDate date) {
        auto holiday = MakeItem<TMorvanePublicHoliday>(&Config());
        holiday->TransactionDate = date;
        Config().PublicHolidayList->Add(std::move(holiday));
    }

    void AddRecurringHoliday(int month, int day) {
        auto holiday = MakeItem<TMorvaneRecurringPublicHoliday>(&Config());
        holiday->Month = month;
        holiday->Day = day;
        Config().RecurringPublicHolidayList->Add(std::move(holiday));
    }

private:
    // Entries made one second apart in the morning of their day, so their keys differ.
    TDateTime NextEntryTime(TDate date) {
        return TDateTime(date.value + EncodeTime(9, 0, 0, 0) + ++entries_ / 86400.0);
    }

    int entries_ = 0;
};

// The compact ledger's day of the date; fails the test when there is none.
inline const TLedgerDay& LedgerDay(const TMorvaneMortgage& loan, TDate date) {
    const TLedgerDay* day = loan.LocalTransactionDays.Ledger().Find(DayOf(date));
    if (day == nullptr) {
        throw std::runtime_error("no ledger day " + DateToStr(date.value));
    }
    return *day;
}

// The movements of the day, in the order they were made.
inline std::vector<TLedgerMovement> MovementsOn(const TMorvaneMortgage& loan, TDate date) {
    std::vector<TLedgerMovement> movements;
    for (const TLedgerMovement& movement : loan.LocalTransactionDays.Ledger().Movements()) {
        if (movement.Date == DayOf(date)) {
            movements.push_back(movement);
        }
    }
    return movements;
}

} // namespace duebell::enginetest
