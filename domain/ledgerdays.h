// A loan's daily ledger as the rest of the program reads it: the record list of
// TMorvaneLocalTransactionDay by "TransactionDate" (each day with its movements), used like any
// other owned list (`loan.LocalTransactionDays->Locate(...)`).
//
// A build keeps its result in compact form (ledger.h), and the day records are made from it
// when the list is first read: a refresh of every loan needs only the compact form, and a
// record per day costs far more than the day's arithmetic. Once the records have been read,
// every later build remakes them at once, so a list handed out earlier stays current.
//
// Day and movement records are transient: every build frees them and makes new ones. Keep a
// loan number and a date (or copy the figures), never a record pointer, past a recalculation.
// A listener of the day list hears ckListCleared while the old records still live, then one
// ckItemAdded per new day; a listener of a day's movements hears that list go away
// (ckListDestroying) with its day.
#pragma once

#include "domain/ledger.h"
#include "objectlist/objectlist.h"

namespace duebell {

class TLedgerDayList {
public:
    // Takes the (empty) record list its loan made. Not explicit, so the loan initialises it
    // like its other lists.
    TLedgerDayList(TTovOwnedObjectList records); // NOLINT(google-explicit-constructor)

    TTovObjectList* operator->() const { return &Records(); }
    TTovObjectList& operator*() const { return Records(); }
    TTovObjectList* get() const { return &Records(); }

    const TLedger& Ledger() const { return ledger_; }
    // The ledger of the last build; the owner (the loan) owns the day records made from it.
    void Assign(TLedger ledger, TTovObjectItem* owner);
    // Empties the ledger (and the records), handing its storage to the next build.
    TLedger Release();

private:
    TTovObjectList& Records() const;

    TTovOwnedObjectList records_;
    TLedger ledger_;
    TTovObjectItem* owner_ = nullptr;
    mutable bool recordsMade_ = true; // the records show ledger_
    mutable bool recordsRead_ = false;
};

// Adds a record per ledger day, with its movements, to an empty list of day records. A
// movement whose key (type, text, time of entry) is already taken on its day is entered one
// second later, so that both are kept in the order they were made.
void MakeLedgerRecords(const TLedger& ledger, TTovObjectList& days, TTovObjectItem* owner);

} // namespace duebell
