// Stand-ins for the calendar, payment schedule and ledger calculations that the record classes
// call, until those calculations are built into this library. Each gives "no date" or an
// empty ledger: a zero date is never written to a file, so files saved meanwhile stay valid.
// This file goes when the schedule and ledger files define these members.
#include "domain/configuration.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"

namespace duebell {

TDate TMorvaneFeeTransaction::EffectiveFrom() const {
    return TDate();
}

TDate TMorvaneRateChange::EffectiveFrom() const {
    return TDate();
}

TDate TMorvaneInstallmentFee::FirstPaymentDate() const {
    return TDate();
}

TDate TMorvaneInstallmentFee::LastPaymentDate() const {
    return TDate();
}

void TMorvaneMortgage::BuildLedger() {
    LocalTransactionDays->FreeAll();
}

} // namespace duebell
