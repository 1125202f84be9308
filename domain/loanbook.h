// The loan book: the root record of the loan book file, holding the properties, clients,
// loans and cleared alerts, and (in memory only) the current alerts.
#pragma once

#include "objectlist/objectlist.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace duebell {

class TMorvaneClient;
class TMorvaneConfiguration;
class TMorvaneMortgage;
class TMorvaneProperty;
struct TCalculationContext;

class TMorvaneData : public TTovRecord<TMorvaneData> {
public:
    explicit TMorvaneData(TTovObjectItem* owner);

    TTovOwnedObjectList Properties;      // TMorvaneProperty by "PropertyCode"
    TTovOwnedObjectList Clients;         // TMorvaneClient by "ClientCode"
    TTovOwnedObjectList Mortgages;       // TMorvaneMortgage by "LoanNumber"
    TTovOwnedObjectList ClearedDuebells; // TMorvaneAlert by "LoanNumber,AlertDay,AlertMessage"

    // The alerts of the last refresh, by "LoanNumber,AlertDay,AlertMessage"; never stored.
    TTovOwnedObjectList CurrentAlerts;
    bool HasAlerts = false;

    // The next free code of a list keyed by seven-digit codes: the last (highest) code plus
    // one, "0000001" for an empty list. A last code that is no number, or one no number
    // follows, raises EConvertError.
    static std::string NextCode(const TTovObjectList& list, std::string_view keyProperty);
    std::string NextClientCode() const;
    std::string NextPropertyCode() const;
    std::string NextLoanNumber() const;

    // Whether some loan is made out to the client / finances the property.
    bool ClientInUse(std::string_view clientCode) const;
    bool PropertyInUse(std::string_view propertyCode) const;

    // Records by their code; nothing when there is none. The lists' cursors stay put.
    TMorvaneClient* FindClient(std::string_view clientCode) const;
    TMorvaneProperty* FindProperty(std::string_view propertyCode) const;
    TMorvaneMortgage* FindMortgage(std::string_view loanNumber) const;

    // Rebuilding ledgers and alerts (defined with the alert rules): every loan, its ledgers
    // built on the machine's cores (or on as many threads as given) and its alerts raised in
    // the loans' order, as at today with the process-wide configuration (or as the context
    // gives: a book of its own refreshed against a configuration of its own), or the loan of
    // one number.
    void RefreshAlerts();
    void RefreshAlerts(unsigned threads);
    void RefreshAlerts(const TCalculationContext& context, unsigned threads);
    void RecalculateMortgage(std::string_view loanNumber);
    // Whether a book read from a file of its own can be run on the configuration given: every
    // loan's ledger built and its alerts raised as the refresh does, each ledger dropped once
    // its alerts are raised, so that no more than one run of ledgers is held at a time; the
    // book keeps the alerts and no ledger. `progress` hears the loans done and the loans in
    // all as it goes. The first failure in the loans' order raises Exception
    // "Loan "<number>": <what failed>".
    void CheckLedgersBuild(const TMorvaneConfiguration& configuration,
                           const std::function<void(std::size_t, std::size_t)>& progress = {});

    static void DeclareProperties(TTovPropertyTable<TMorvaneData>& table);
};

// The loan book a record belongs to: the nearest loan book among its owners; nothing for a
// record no book owns (a dialog's scratch copy of a loan). Changes go only to this book.
TMorvaneData* OwningLoanBook(const TTovObjectItem& item);
// The loan book a record's codes are looked up in: its own, else the process-wide one, so a
// scratch copy of a loan still shows its client's name. Nothing when there is neither.
TMorvaneData* LookupLoanBook(const TTovObjectItem& item);

} // namespace duebell
