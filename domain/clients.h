// The people and places of the loan book: clients (up to two applicants each) and the
// properties their loans finance.
#pragma once

#include "domain/details.h"

#include <memory>
#include <string>

namespace duebell {

class TMorvaneProperty : public TTovRecord<TMorvaneProperty> {
public:
    explicit TMorvaneProperty(TTovObjectItem* owner);

    std::string PropertyCode; // seven digits, "0000001"
    std::unique_ptr<TMorvaneAddress> Address;

    static void DeclareProperties(TTovPropertyTable<TMorvaneProperty>& table);
};

class TMorvaneClient : public TTovRecord<TMorvaneClient> {
public:
    explicit TMorvaneClient(TTovObjectItem* owner);

    std::string ClientCode; // seven digits, "0000001"
    std::string Surname;
    std::string GivenNames;
    std::string Surname2; // the second applicant
    std::string GivenNames2;
    std::unique_ptr<TMorvaneContactDetails> ContactDetails;
    std::unique_ptr<TMorvaneAddress> PostalAddress;

    // "Surname, Given Names" of the first and of the second applicant.
    std::string FullNameStr() const;
    std::string FullName2Str() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneClient>& table);
};

} // namespace duebell
