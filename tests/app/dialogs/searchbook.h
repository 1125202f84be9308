// A loan book for the loan search: four loans with their clients, properties and banks.
#pragma once

#include "domain/clients.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"

#include <string>

namespace duebell::test {

class SearchBook {
public:
    SearchBook() {
        SetData(MakeItem<TMorvaneData>(nullptr));
        Add("0000001", "SMITH", "J", "12 Main St", "Hilltop", "Bank of Hilltop", "Main Street",
            "064-000", "11111111");
        Add("0000002", "Goldsmith", "A", "3 Creek Rd", "Ipswich", "Coastal Credit Union", "Ipswich",
            "814-282", "22222222");
        Add("0000003", "Nguyen", "Anh", "7 Smithfield Ave", "Toowong", "First Bank", "Toowong",
            "064-123", "33333333");
        Add("0000004", "Brown", "Mary", "40 Main St", "Wynnum", "Bank of Hilltop", "Wynnum",
            "064-555", "44445555");
    }
    ~SearchBook() { SetData(nullptr); }
    SearchBook(const SearchBook&) = delete;
    SearchBook& operator=(const SearchBook&) = delete;

    TMorvaneMortgage& Loan(const std::string& number) { return *Data()->FindMortgage(number); }

private:
    void Add(const std::string& number, const std::string& surname, const std::string& given,
             const std::string& street, const std::string& suburb, const std::string& bank,
             const std::string& branch, const std::string& bsb, const std::string& account) {
        auto client = MakeItem<TMorvaneClient>(Data());
        client->ClientCode = number;
        client->Surname = surname;
        client->GivenNames = given;
        Data()->Clients->Add(std::move(client));
        auto property = MakeItem<TMorvaneProperty>(Data());
        property->PropertyCode = number;
        property->Address->StreetNo = street.substr(0, street.find(' '));
        property->Address->StreetName = street.substr(street.find(' ') + 1);
        property->Address->Suburb = suburb;
        property->Address->State = "QLD";
        property->Address->PostCode = "4000";
        Data()->Properties->Add(std::move(property));
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = number;
        loan->ClientCode = number;
        loan->PropertyCode = number;
        loan->BankDetails->BankName = bank;
        loan->BankDetails->BranchName = branch;
        loan->BankDetails->AccountName = given + " " + surname;
        loan->BankDetails->BSBNo = bsb;
        loan->BankDetails->AccountNo = account;
        Data()->Mortgages->Add(std::move(loan));
    }
};

} // namespace duebell::test
