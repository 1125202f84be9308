// A small, fully set-up loan book for the program's tests: a configuration that passes every
// set-up step (address, notice periods of 14, 30, 60 and 14 days, an arrears administration
// fee, a recurring and a once-off holiday) and a loan book with one client, one property and
// one loan drawn down on 3 March 2025, monthly, never paid: on 1 July 2025 it is behind.
#pragma once

#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/details.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "objectlist/datetime.h"

#include <memory>

namespace duebell::test {

inline const double BookToday = EncodeDate(2025, 7, 1);

inline std::unique_ptr<TMorvaneConfiguration> SetUpConfiguration() {
    std::unique_ptr<TMorvaneConfiguration> configuration(
        CreateItem<TMorvaneConfiguration>(nullptr));
    configuration->Company = "Hilltop Homes";
    configuration->Address->UnstructuredAddress = "1 Main St\r\nHilltop";
    configuration->Address->PostCode = "4000";
    configuration->ContactDetails->PhoneNo = "07 3123 4567";
    TMorvaneSystemConfiguration& periods = *configuration->SystemConfiguration;
    periods.DefaultPeriod = 14;
    periods.ForeclosePeriod = 30;
    periods.EvictionPeriod = 60;
    periods.InstallmentFeePeriod = 14;
    auto fee = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(configuration.get());
    fee->TransactionDate = TDate(EncodeDate(2024, 1, 1));
    fee->PenaltyAmount = Currency::fromUnits(55);
    configuration->InstallmentFeePenalties->Add(std::move(fee));
    auto christmas = MakeItem<TMorvaneRecurringPublicHoliday>(configuration.get());
    christmas->Month = 12;
    christmas->Day = 25;
    christmas->Description = "Christmas Day";
    configuration->RecurringPublicHolidayList->Add(std::move(christmas));
    auto easter = MakeItem<TMorvanePublicHoliday>(configuration.get());
    easter->TransactionDate = TDate(EncodeDate(2025, 4, 18));
    easter->Description = "Good Friday";
    configuration->PublicHolidayList->Add(std::move(easter));
    return configuration;
}

inline std::unique_ptr<TMorvaneData> BookWithAlerts() {
    std::unique_ptr<TMorvaneData> book(CreateItem<TMorvaneData>(nullptr));
    auto client = MakeItem<TMorvaneClient>(book.get());
    client->ClientCode = "0000001";
    client->Surname = "Nguyen";
    client->GivenNames = "Anh";
    book->Clients->Add(std::move(client));
    auto property = MakeItem<TMorvaneProperty>(book.get());
    property->PropertyCode = "0000001";
    property->Address->StreetNo = "12";
    property->Address->StreetName = "Main St";
    property->Address->Suburb = "Hilltop";
    book->Properties->Add(std::move(property));
    auto loan = MakeItem<TMorvaneMortgage>(book.get());
    loan->LoanNumber = "0000001";
    loan->ClientCode = "0000001";
    loan->PropertyCode = "0000001";
    loan->Contract->PossessionDate = TDate(EncodeDate(2025, 3, 3));
    loan->Contract->ContractAmount = Currency::fromUnits(300000);
    loan->Contract->Deposit = Currency::fromUnits(30000);
    loan->Contract->ContractTerm = 25;
    loan->Contract->ReferenceRate = TPercentage{Currency::fromUnits(7)};
    loan->Contract->PaymentPeriod = "Monthly";
    loan->Contract->StatementPeriod = "Half-Yearly";
    book->Mortgages->Add(std::move(loan));
    return book;
}

} // namespace duebell::test
