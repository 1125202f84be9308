// The detail records that people, places and loans hold: an address, contact details and bank
// details.
#pragma once

#include "objectlist/objectitem.h"

#include <string>

namespace duebell {

class TMorvaneAddress : public TTovRecord<TMorvaneAddress> {
public:
    using TTovRecord::TTovRecord;

    std::string UnstructuredAddress; // free text, kept beside the structured parts
    std::string StreetNo;
    std::string StreetName;
    std::string Suburb;
    std::string State;
    std::string PostCode;

    // "12 Main St"
    std::string FullStreetStr() const;
    // "Hilltop, QLD, 4000"
    std::string FullSuburbStr() const;
    // "12 Main St, Hilltop, QLD, 4000"; the unstructured text takes no part.
    std::string AddressStr() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneAddress>& table);
};

class TMorvaneContactDetails : public TTovRecord<TMorvaneContactDetails> {
public:
    using TTovRecord::TTovRecord;

    std::string PhoneNo;
    std::string FaxNo;
    std::string MobileNo;
    std::string EmailAddress;
    std::string WebAddress;

    // The lines letterheads and client blocks print: "Ph: ...", empty when there is no number.
    std::string PhoneText() const;
    std::string MobileText() const;
    std::string FaxText() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneContactDetails>& table);
};

class TMorvaneBankDetails : public TTovRecord<TMorvaneBankDetails> {
public:
    using TTovRecord::TTovRecord;

    std::string BankName;
    std::string BranchName;
    std::string AccountName;
    std::string BSBNo;
    std::string AccountNo;

    static void DeclareProperties(TTovPropertyTable<TMorvaneBankDetails>& table);
};

} // namespace duebell
