// Building a loan's daily ledger: one day at a time from the draw-down date to the end of the
// term, or to the first statement date more than a year after today, whichever comes first.
#pragma once

#include "domain/calculationcontext.h"
#include "domain/ledger.h"
#include "objectlist/objectlist.h"

namespace duebell {

class TMorvaneMortgage;

// The ledger of the loan. Also sets PaymentsCharged and AmountPaid of its instalment fees and
// NewPaymentAmount of the rate changes that take effect within the ledger. A payment period
// other than weekly, fortnightly or monthly raises "Internal error.  Unknown frequency".
// The storage of an earlier ledger, when given, is used again.
TLedger BuildLoanLedger(TMorvaneMortgage& loan, const TCalculationContext& context,
                        TLedger storage = TLedger());

// Replaces the loan's ledger with a new build in the old one's storage. The ledger is emptied
// first, so a build that fails leaves it empty.
void RebuildLedger(TMorvaneMortgage& loan, const TCalculationContext& context);

// Makes ready ahead the storage that builds of these loans (TMorvaneMortgage) will take: a
// refresh of a book just read then writes every ledger into memory already in place.
void PrepareLedgerStorage(const TTovObjectList& loans, const TCalculationContext& context);

} // namespace duebell
