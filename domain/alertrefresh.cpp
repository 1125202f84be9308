// Rebuilding ledgers and alerts: one loan after a change to it, or every loan at start-up and
// once a day.
#include "domain/alertrules.h"
#include "domain/calculationcontext.h"
#include "domain/ledgerbuild.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"

#include <exception>

namespace duebell {

namespace {

TCalculationContext ContextOfToday() {
    return TCalculationContext(Configuration(), Date());
}

} // namespace

void TMorvaneMortgage::GenerateAlerts() {
    if (TMorvaneData* book = OwningLoanBook(*this)) {
        GenerateLoanAlerts(*this, *book, ContextOfToday());
    }
}

void TMorvaneMortgage::Recalculate() {
    const TCalculationContext context = ContextOfToday();
    RebuildLedger(*this, context);
    if (TMorvaneData* book = OwningLoanBook(*this)) {
        GenerateLoanAlerts(*this, *book, context);
    }
}

void TMorvaneData::RecalculateMortgage(std::string_view loanNumber) {
    if (TMorvaneMortgage* loan = FindMortgage(loanNumber)) {
        loan->Recalculate();
    }
}

// A loan whose ledger cannot be built keeps no ledger and raises no alerts; the others are
// still refreshed, and the first failure is raised once the refresh is complete.
void TMorvaneData::RefreshAlerts() {
    std::exception_ptr firstFailure;
    {
        // One batch: whoever shows the alerts shows them again once, not once per alert.
        const TTovListUpdate batch(*CurrentAlerts);
        CurrentAlerts->FreeAll();
        HasAlerts = false;
        const TCalculationContext context = ContextOfToday();
        PrepareLedgerStorage(*Mortgages, context);
        for (TTovObjectItem* item : *Mortgages) {
            auto& loan = *static_cast<TMorvaneMortgage*>(item);
            try {
                RebuildLedger(loan, context);
                GenerateLoanAlerts(loan, *this, context);
            } catch (...) {
                if (!firstFailure) {
                    firstFailure = std::current_exception();
                }
            }
            HasAlerts = HasAlerts || CurrentAlerts->Count() > 0;
        }
    }
    Mortgages->NotifyListeners(ckItemAdded, nullptr);
    if (firstFailure) {
        std::rethrow_exception(firstFailure);
    }
}

} // namespace duebell
