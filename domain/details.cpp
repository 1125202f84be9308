#include "domain/details.h"

namespace duebell {

namespace {

// Appends part after the text, with the separator only when both are non-empty.
void AppendPart(std::string& text, const std::string& part, const char* separator) {
    if (!text.empty() && !part.empty()) {
        text += separator;
    }
    text += part;
}

std::string Labelled(const char* label, const std::string& number) {
    return number.empty() ? std::string() : label + number;
}

} // namespace

std::string TMorvaneAddress::FullStreetStr() const {
    std::string text = StreetNo;
    AppendPart(text, StreetName, " ");
    return text;
}

std::string TMorvaneAddress::FullSuburbStr() const {
    std::string text = Suburb;
    AppendPart(text, State, ", ");
    AppendPart(text, PostCode, ", ");
    return text;
}

std::string TMorvaneAddress::AddressStr() const {
    std::string text = FullStreetStr();
    AppendPart(text, Suburb, ", ");
    AppendPart(text, State, ", ");
    AppendPart(text, PostCode, ", ");
    return text;
}

void TMorvaneAddress::DeclareProperties(TTovPropertyTable<TMorvaneAddress>& table) {
    using T = TMorvaneAddress;
    table.Property("UnstructuredAddress", &T::UnstructuredAddress)
        .Property("StreetNo", &T::StreetNo)
        .Property("StreetName", &T::StreetName)
        .Property("Suburb", &T::Suburb)
        .Property("State", &T::State)
        .Property("PostCode", &T::PostCode)
        .Property("FullStreetStr", &T::FullStreetStr)
        .Property("FullSuburbStr", &T::FullSuburbStr)
        .Property("AddressStr", &T::AddressStr);
}

std::string TMorvaneContactDetails::PhoneText() const {
    return Labelled("Ph: ", PhoneNo);
}

std::string TMorvaneContactDetails::MobileText() const {
    return Labelled("Mob: ", MobileNo);
}

std::string TMorvaneContactDetails::FaxText() const {
    return Labelled("Fax: ", FaxNo);
}

void TMorvaneContactDetails::DeclareProperties(TTovPropertyTable<TMorvaneContactDetails>& table) {
    using T = TMorvaneContactDetails;
    table.Property("PhoneNo", &T::PhoneNo)
        .Property("FaxNo", &T::FaxNo)
        .Property("MobileNo", &T::MobileNo)
        .Property("EmailAddress", &T::EmailAddress)
        .Property("WebAddress", &T::WebAddress);
}

void TMorvaneBankDetails::DeclareProperties(TTovPropertyTable<TMorvaneBankDetails>& table) {
    using T = TMorvaneBankDetails;
    table.Property("BankName", &T::BankName)
        .Property("BranchName", &T::BranchName)
        .Property("AccountName", &T::AccountName)
        .Property("BSBNo", &T::BSBNo)
        .Property("AccountNo", &T::AccountNo);
}

} // namespace duebell
