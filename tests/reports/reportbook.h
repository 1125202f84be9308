// A lender and a loan book for the report tests, with the clock fixed at 10:00 on Sunday
// 1 March 2026: a configuration with every letterhead line, notice periods of 14 (default),
// 7 (foreclosure) and 30 (eviction) days and an arrears administration fee of $50.00, and
// loans with two applicants, a property and bank details, drawn down on 2 March 2025, monthly
// at 7 %, never paid, so well behind by now.
#pragma once

#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"

#include <memory>
#include <string>

namespace duebell::test {

inline const double ReportToday = EncodeDate(2026, 3, 1);

class ReportBook {
public:
    ReportBook() {
        auto configuration = MakeItem<TMorvaneConfiguration>(nullptr);
        configuration->UserName = "Jane Citizen";
        configuration->Company = "Bellwether Finance";
        configuration->OperatingNumber = "ACN 123 456 789";
        TMorvaneAddress& address = *configuration->Address;
        address.UnstructuredAddress = "PO Box 12";
        address.StreetNo = "5";
        address.StreetName = "Creek St";
        address.Suburb = "Brisbane";
        address.State = "QLD";
        address.PostCode = "4000";
        TMorvaneContactDetails& contact = *configuration->ContactDetails;
        contact.PhoneNo = "07 3000 1111";
        contact.MobileNo = "0400 111 222";
        contact.FaxNo = "07 3000 1112";
        contact.EmailAddress = "loans@bellwether.example";
        contact.WebAddress = "www.bellwether.example";
        TMorvaneSystemConfiguration& periods = *configuration->SystemConfiguration;
        periods.DefaultPeriod = 14;
        periods.ForeclosePeriod = 7;
        periods.EvictionPeriod = 30;
        auto fee = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(configuration.get());
        fee->TransactionDate = TDate(EncodeDate(2020, 1, 1));
        fee->PenaltyAmount = Currency::fromUnits(50);
        configuration->InstallmentFeePenalties->Add(std::move(fee));
        SetConfiguration(std::move(configuration));
        SetData(MakeItem<TMorvaneData>(nullptr));
        SetDataModified(false);
    }
    ~ReportBook() {
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }
    ReportBook(const ReportBook&) = delete;
    ReportBook& operator=(const ReportBook&) = delete;

    TMorvaneConfiguration& Config() { return *Configuration(); }
    TMorvaneData& Book() { return *Data(); }

    // A loan (client and property of the same number) with its ledger built.
    TMorvaneMortgage& AddLoan(const std::string& number, const std::string& surname,
                              const std::string& givenNames, const std::string& suburb) {
        auto client = MakeItem<TMorvaneClient>(Data());
        client->ClientCode = number;
        client->Surname = surname;
        client->GivenNames = givenNames;
        client->Surname2 = surname;
        client->GivenNames2 = "Mary";
        Data()->Clients->Add(std::move(client));
        auto property = MakeItem<TMorvaneProperty>(Data());
        property->PropertyCode = number;
        property->Address->StreetNo = "12";
        property->Address->StreetName = "Main St";
        property->Address->Suburb = suburb;
        property->Address->State = "QLD";
        property->Address->PostCode = "4000";
        Data()->Properties->Add(std::move(property));
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = number;
        loan->ClientCode = number;
        loan->PropertyCode = number;
        TMorvaneContract& contract = *loan->Contract;
        contract.PossessionDate = TDate(EncodeDate(2025, 3, 2));
        contract.ContractAmount = Currency::fromUnits(300000);
        contract.Deposit = Currency::fromUnits(30000);
        contract.ContractTerm = 25;
        contract.ReferenceRate = TPercentage{Currency::fromUnits(7)};
        contract.PaymentPeriod = "Monthly";
        contract.StatementPeriod = "Quarterly";
        TMorvaneBankDetails& bank = *loan->BankDetails;
        bank.BankName = "Bank of Hilltop";
        bank.BranchName = "Main Street";
        bank.AccountName = givenNames + " " + surname;
        bank.BSBNo = "064-000";
        bank.AccountNo = "1234" + number.substr(3);
        TMorvaneMortgage* added = Data()->Mortgages->Add(std::move(loan));
        added->BuildLedger();
        return *added;
    }

private:
    ScopedFixedClock clock_{ReportToday + EncodeTime(10, 0, 0, 0)};
};

// A payment of the loan, entered at noon on its day; the ledger is built again by the caller.
inline void AddPayment(TMorvaneMortgage& loan, double date, Currency amount) {
    auto payment = MakeItem<TMorvaneLoanTransaction>(&loan);
    payment->TransactionDate = TDate(date);
    payment->DateAdded = TDateTime(date + 0.5);
    payment->PaymentType = "Payment";
    payment->TransactionAmount = amount;
    loan.LoanTransactions->Add(std::move(payment));
}

} // namespace duebell::test
