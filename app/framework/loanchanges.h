// The one call after anything that changes a loan's contract, payments, fees or rate changes.
// No window rebuilds a ledger itself: it calls LoanChanged once the change is whole.
#pragma once

namespace duebell {

class TMorvaneMortgage;

// Rebuilds the loan's daily ledger and its alerts as at today, sets the loan book's HasAlerts
// from its current alerts, and tells the listeners of the loan book's loan list that it
// changed (the refresh signal: record added, no record), so the alert list rebinds and the
// "Duebells" caption follows. When the ledger cannot be built the loan keeps no ledger and no
// alerts, the listeners are still told, and the error is raised afterwards.
void LoanChanged(TMorvaneMortgage& loan);

} // namespace duebell
