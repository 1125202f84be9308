// Building a loan's daily ledger: one day at a time from the draw-down date to the end of the
// term, or to the first statement date more than a year after today, whichever comes first.
#pragma once

#include "domain/calculationcontext.h"
#include "domain/ledger.h"

namespace duebell {

class TMorvaneMortgage;
class TMorvaneMortgageRate;

// The ledger of the loan. Also sets PaymentsCharged and AmountPaid of its instalment fees and
// NewPaymentAmount of the rate changes that take effect within the ledger. A payment period
// other than weekly, fortnightly or monthly raises "Internal error.  Unknown frequency".
// The storage of an earlier ledger, when given, is used again.
TLedger BuildLoanLedger(TMorvaneMortgage& loan, const TCalculationContext& context,
                        TLedger storage = TLedger());
// The same with the loan's rate history looked up beforehand (FindMortgageRates), so that the
// build reads the configuration without moving its lists' cursors and may run on any thread.
// It writes only to the loan's own records and to its rate history.
TLedger BuildLoanLedger(TMorvaneMortgage& loan, const TCalculationContext& context,
                        const TMorvaneMortgageRate* rates, TLedger storage);

// Replaces the loan's ledger with a new build in the old one's storage. The ledger is emptied
// first, so a build that fails leaves it empty.
void RebuildLedger(TMorvaneMortgage& loan, const TCalculationContext& context);

} // namespace duebell
