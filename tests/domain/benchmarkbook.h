// The loan book of the start-up benchmarks, for a number of loans: 25-year loans (weekly,
// fortnightly, monthly in turn) drawn down over the ten years before Today and paid on most
// payment dates, each with its client and property, an instalment fee, full fees with payments,
// an arrears fee and rate changes. The same every time for the same number of loans.
#pragma once

#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/schedule.h"
#include "objectlist/numberformat.h"

#include <memory>
#include <random>
#include <utility>

namespace duebell::benchbook {

inline const double Today = EncodeDate(2025, 7, 1);

struct Generator {
    std::mt19937 random{20250701};
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
};

inline TDateTime Entered(double day, int& sequence) {
    return TDateTime(day + 0.375 + ++sequence / 86400.0);
}

inline std::unique_ptr<TMorvaneConfiguration> MakeConfiguration() {
    std::unique_ptr<TMorvaneConfiguration> configuration(
        CreateItem<TMorvaneConfiguration>(nullptr));
    configuration->Address->UnstructuredAddress = "1 Main St";
    configuration->Address->PostCode = "4000";
    configuration->ContactDetails->PhoneNo = "07 3123 4567";
    configuration->SystemConfiguration->DefaultPeriod = 14;
    configuration->SystemConfiguration->ForeclosePeriod = 30;
    configuration->SystemConfiguration->EvictionPeriod = 60;
    configuration->SystemConfiguration->InstallmentFeePeriod = 14;
    for (auto [month, day] : {std::pair{1, 1}, {1, 26}, {4, 25}, {12, 25}, {12, 26}}) {
        auto holiday = MakeItem<TMorvaneRecurringPublicHoliday>(configuration.get());
        holiday->Month = month;
        holiday->Day = day;
        configuration->RecurringPublicHolidayList->Add(std::move(holiday));
    }
    for (int year = 2015; year <= 2027; ++year) {
        auto easter = MakeItem<TMorvanePublicHoliday>(configuration.get());
        easter->TransactionDate = TDate(EncodeDate(year, 4, 3 + year % 20));
        configuration->PublicHolidayList->Add(std::move(easter));
    }
    auto fee = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(configuration.get());
    fee->TransactionDate = TDate(EncodeDate(2015, 1, 1));
    fee->PenaltyAmount = Currency::fromUnits(55);
    configuration->InstallmentFeePenalties->Add(std::move(fee));
    return configuration;
}

inline void AddLoan(TMorvaneData& book, TMorvaneConfiguration& configuration, int n,
                    Generator& generate) {
    const std::string code = FormatInt(n, 7);
    auto client = MakeItem<TMorvaneClient>(&book);
    client->ClientCode = code;
    client->Surname = "Client " + code;
    client->GivenNames = "Anh";
    book.Clients->Add(std::move(client));
    auto property = MakeItem<TMorvaneProperty>(&book);
    property->PropertyCode = code;
    property->Address->StreetNo = IntToStr(n % 200 + 1);
    property->Address->StreetName = "Main St";
    property->Address->Suburb = "Hilltop";
    book.Properties->Add(std::move(property));

    auto made = MakeItem<TMorvaneMortgage>(&book);
    TMorvaneMortgage* loan = made.get();
    loan->LoanNumber = code;
    loan->ClientCode = code;
    loan->PropertyCode = code;
    loan->RateChangePeriod = 30;
    TMorvaneContract& contract = *loan->Contract;
    const int period = n % 3;
    const double drawDown = Today - generate.Between(30, 3650);
    contract.PossessionDate = TDate(drawDown);
    contract.ContractAmount = Currency::fromUnits(generate.Between(200, 600) * 1000);
    contract.Deposit = Currency::fromUnits(20000);
    contract.ContractTerm = 25;
    contract.ReferenceRate = TPercentage{Currency::fromRaw(generate.Between(50000, 90000))};
    contract.RateSpread = TPercentage{Currency::fromRaw(generate.Between(0, 20000))};
    contract.PaymentPeriod = std::string(PaymentPeriodNames[period]);
    contract.StatementPeriod = std::string(StatementPeriodNames[n % 4]);
    book.Mortgages->Add(std::move(made));

    int sequence = 0;
    const Currency instalment = loan->CalcPaymentAmount();
    for (TDayNumber due = NextPaymentDate(period, DayOf(drawDown)); due < Today;
         due = NextPaymentDate(period, due)) {
        if (generate.Between(0, 19) == 0)
            continue; // now and then a payment is missed
        auto payment = MakeItem<TMorvaneLoanTransaction>(loan);
        payment->TransactionDate = AsDate(due);
        payment->DateAdded = Entered(due, sequence);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = instalment;
        loan->LoanTransactions->Add(std::move(payment));
    }
    auto insurance = MakeItem<TMorvaneInstallmentFee>(loan);
    insurance->FeeDescription = "Insurance";
    insurance->TransactionDate = TDate(drawDown + 20);
    insurance->NumberOfPayments = 26;
    insurance->PaymentAmount = 12.5;
    loan->InstallmentFees->Add(std::move(insurance));
    for (int f = 1; f <= 3; ++f) {
        const double charged = drawDown + generate.Between(0, static_cast<int>(Today - drawDown));
        auto fee = MakeItem<TMorvaneFeeTransaction>(loan);
        fee->FeeNumber = f;
        fee->TransactionDate = TDate(charged);
        fee->FeeDescription = "Council Rates";
        fee->FeeAmount = Currency::fromUnits(generate.Between(100, 900));
        fee->DateAdded = Entered(charged, sequence);
        auto payment = MakeItem<TMorvaneFeePayment>(fee.get());
        payment->TransactionDate = TDateTime(charged + 20.6);
        payment->FeePaymentAmount = fee->FeeAmount / 2;
        payment->DateAdded = Entered(charged + 20, sequence);
        fee->FeePayments->Add(std::move(payment));
        loan->FeeTransactions->Add(std::move(fee));
    }
    auto admin = MakeItem<TMorvaneAdminFeeTransaction>(loan);
    admin->TransactionDate = TDateTime(drawDown + 200.6);
    admin->FeeDescription = "Arrears notice";
    admin->FeeAmount = Currency::fromUnits(55);
    admin->AmountLeft = admin->FeeAmount;
    admin->DateAdded = Entered(drawDown + 200, sequence);
    loan->AdminFeeTransactions->Add(std::move(admin));

    auto rates = MakeItem<TMorvaneMortgageRate>(&configuration);
    rates->LoanNumber = loan->LoanNumber;
    for (int c = 1; c <= 3; ++c) {
        auto change = MakeItem<TMorvaneRateChange>(rates.get());
        change->TransactionDate = TDate(drawDown + 400 * c + generate.Between(0, 200));
        change->Rate = TPercentage{Currency::fromRaw(generate.Between(50000, 90000))};
        change->DateAdded = Entered(change->TransactionDate.value, sequence);
        rates->RateChanges->Add(std::move(change));
    }
    configuration.MortgageRates->Add(std::move(rates));
}

struct TBook {
    std::unique_ptr<TMorvaneConfiguration> Configuration;
    std::unique_ptr<TMorvaneData> Data;
};

inline TBook MakeBook(int loans) {
    Generator generate;
    TBook book{MakeConfiguration(),
               std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr))};
    for (int n = 1; n <= loans; ++n)
        AddLoan(*book.Data, *book.Configuration, n, generate);
    return book;
}

} // namespace duebell::benchbook
