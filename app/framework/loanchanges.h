// The one call after anything that changes a loan's contract, payments, fees or rate changes,
// and the one after a change that moves every loan's figures or alerts. No window rebuilds a
// ledger itself: it calls one of these once the change is whole.
#pragma once

namespace duebell {

class TMorvaneMortgage;

// Rebuilds the loan's daily ledger and its alerts as at today, sets the loan book's HasAlerts
// from its current alerts, and tells the listeners of the loan book's loan list that it
// changed (the refresh signal: record added, no record), so the alert list rebinds and the
// "Duebells" caption follows. When the ledger cannot be built the loan keeps no ledger and no
// alerts, the listeners are still told, and the error is raised afterwards.
void LoanChanged(TMorvaneMortgage& loan);

// Rebuilds every loan of the loan book as the daily refresh does, their ledgers side by side
// on the machine's cores, after a setting that moves every loan (holidays, notice periods,
// arrears administration fee amounts, a fee type's notice period or name): the loans' figures
// and alerts are those LoanChanged gives each, and the windows are told once, when all are
// done. A loan whose ledger cannot be built does not keep the others from being rebuilt: the
// first failure, in the loans' order, is raised once all have been.
void RebuildAllLoans();

} // namespace duebell
