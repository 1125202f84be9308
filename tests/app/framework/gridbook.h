// A loan book and configuration installed as the program's own for the length of a test, with
// short ways to add clients, properties, loans and payments for the grids to show.
#pragma once

#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"

#include <memory>
#include <string>

namespace duebell::testing {

inline TDate Day(int year, int month, int day) {
    return TDate(EncodeDate(year, month, day));
}

// Amounts in cents: 123450 is 1,234.50.
inline Currency Cents(std::int64_t cents) {
    return Currency::fromRaw(cents * 100);
}

class GridBook {
public:
    GridBook() {
        SetConfiguration(MakeItem<TMorvaneConfiguration>(nullptr));
        SetData(MakeItem<TMorvaneData>(nullptr));
    }
    ~GridBook() {
        SetData(nullptr);
        SetConfiguration(nullptr);
    }
    GridBook(const GridBook&) = delete;
    GridBook& operator=(const GridBook&) = delete;

    TMorvaneData& Book() { return *Data(); }

    // Loan n (seven digits) with its own client and property: client "Surname n, Given",
    // property "n Main St, Suburb, QLD, 4000".
    TMorvaneMortgage& AddLoan(int n, const std::string& surname, const std::string& suburb,
                              TDate possession, Currency amount) {
        const std::string code = FormatInt(n, 7);
        auto client = MakeItem<TMorvaneClient>(&Book());
        client->ClientCode = code;
        client->Surname = surname;
        client->GivenNames = "Pat";
        Book().Clients->Add(std::move(client));
        auto property = MakeItem<TMorvaneProperty>(&Book());
        property->PropertyCode = code;
        property->Address->StreetNo = std::to_string(n);
        property->Address->StreetName = "Main St";
        property->Address->Suburb = suburb;
        property->Address->State = "QLD";
        property->Address->PostCode = "4000";
        Book().Properties->Add(std::move(property));
        auto loan = MakeItem<TMorvaneMortgage>(&Book());
        loan->LoanNumber = code;
        loan->ClientCode = code;
        loan->PropertyCode = code;
        loan->Contract->PossessionDate = possession;
        loan->Contract->ContractAmount = amount;
        loan->Contract->Deposit = Cents(1000000);
        loan->Contract->ContractTerm = 25;
        loan->Contract->ReferenceRate = TPercentage{Currency::fromRaw(72500)}; // 7.25
        loan->Contract->PaymentPeriod = "Monthly";
        loan->Contract->StatementPeriod = "Quarterly";
        return *Book().Mortgages->Add(std::move(loan));
    }

    TMorvaneLoanTransaction& AddPayment(TMorvaneMortgage& loan, TDate date, Currency amount) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(&loan);
        payment->TransactionDate = date;
        payment->DateAdded = TDateTime(date.value + 0.375 + ++entries_ / 86400.0);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = amount;
        return *loan.LoanTransactions->Add(std::move(payment));
    }

private:
    int entries_ = 0;
};

} // namespace duebell::testing
