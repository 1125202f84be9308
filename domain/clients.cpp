#include "domain/clients.h"

namespace duebell {

namespace {

std::string FullName(const std::string& surname, const std::string& givenNames) {
    if (surname.empty() || givenNames.empty()) {
        return surname + givenNames;
    }
    return surname + ", " + givenNames;
}

} // namespace

TMorvaneProperty::TMorvaneProperty(TTovObjectItem* owner)
    : TTovRecord(owner), Address(CreateItem<TMorvaneAddress>(this)) {}

void TMorvaneProperty::DeclareProperties(TTovPropertyTable<TMorvaneProperty>& table) {
    table.Property("PropertyCode", &TMorvaneProperty::PropertyCode)
        .SubRecord("Address", &TMorvaneProperty::Address);
}

TMorvaneClient::TMorvaneClient(TTovObjectItem* owner)
    : TTovRecord(owner), ContactDetails(CreateItem<TMorvaneContactDetails>(this)),
      PostalAddress(CreateItem<TMorvaneAddress>(this)) {}

std::string TMorvaneClient::FullNameStr() const {
    return FullName(Surname, GivenNames);
}

std::string TMorvaneClient::FullName2Str() const {
    return FullName(Surname2, GivenNames2);
}

void TMorvaneClient::DeclareProperties(TTovPropertyTable<TMorvaneClient>& table) {
    using T = TMorvaneClient;
    table.Property("ClientCode", &T::ClientCode)
        .Property("Surname", &T::Surname)
        .Property("GivenNames", &T::GivenNames)
        .Property("Surname2", &T::Surname2)
        .Property("GivenNames2", &T::GivenNames2)
        .Property("FullNameStr", &T::FullNameStr)
        .Property("FullName2Str", &T::FullName2Str)
        .SubRecord("ContactDetails", &T::ContactDetails)
        .SubRecord("PostalAddress", &T::PostalAddress);
}

} // namespace duebell
