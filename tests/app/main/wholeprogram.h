// The program as main() puts it together, for the tests that walk all of it (which register
// its windows with RegisterProgramWindows): a data folder holding the small book, with a full
// fee (number 7) charged to its loan, that the main window starts on.
#pragma once

#include "app/main/programwindows.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "support/smallbook.h"

#include <filesystem>
#include <string>

namespace duebell::test {

// Writes the set-up configuration and the small book, its loan charged full fee 7, into the
// folder; the process-wide objects are left empty.
inline void SeedDataFolder(const std::string& folder) {
    SetConfiguration(SetUpConfiguration());
    SetData(BookWithAlerts());
    auto& loan = static_cast<TMorvaneMortgage&>(*Data()->Mortgages->PeekFirst());
    auto fee = MakeItem<TMorvaneFeeTransaction>(&loan);
    fee->FeeNumber = 7;
    fee->TransactionDate = TDate(EncodeDate(2025, 5, 5));
    fee->FeeDescription = "Valuation";
    fee->FeeAmount = Currency::fromUnits(250);
    loan.FeeTransactions->Add(std::move(fee));
    SaveConfigurationFile((std::filesystem::path(folder) / ConfigurationFileName).string());
    SaveDataFile((std::filesystem::path(folder) / DataFileName).string());
    SetData(nullptr);
    SetConfiguration(nullptr);
}

} // namespace duebell::test
