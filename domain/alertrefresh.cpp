// Rebuilding ledgers and alerts: one loan after a change to it, or every loan at start-up and
// once a day.
#include "domain/alertrules.h"
#include "domain/calculationcontext.h"
#include "domain/ledgerbuild.h"
#include "domain/ledgerbuilds.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

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
// still refreshed, and the first failure (in the loans' order) is raised once the refresh is
// complete. Every ledger is built side by side in the storage of the loan's old one (so a
// refresh takes no more memory than the ledgers it replaces, and the threads meet once, not
// once per batch of loans, which on a busy machine costs each time a thread waits its turn);
// then each loan takes its ledger and raises its alerts in turn on this thread, as the
// one-thread build did.
void TMorvaneData::RefreshAlerts() {
    RefreshAlerts(std::max(std::thread::hardware_concurrency(), 1u));
}

void TMorvaneData::RefreshAlerts(unsigned threads) {
    RefreshAlerts(ContextOfToday(), threads);
}

void TMorvaneData::RefreshAlerts(const TCalculationContext& context, unsigned threads) {
    std::exception_ptr firstFailure;
    {
        // One batch: whoever shows the alerts shows them again once, not once per alert.
        const TTovListUpdate batch(*CurrentAlerts);
        CurrentAlerts->FreeAll();
        HasAlerts = false;
        std::vector<TMorvaneMortgage*> loans;
        loans.reserve(static_cast<std::size_t>(Mortgages->Count()));
        for (TTovObjectItem* item : *Mortgages) {
            loans.push_back(static_cast<TMorvaneMortgage*>(item));
        }
        std::vector<TLedger> storages;
        storages.reserve(loans.size());
        for (TMorvaneMortgage* loan : loans) {
            storages.push_back(loan->LocalTransactionDays.Release());
        }
        std::vector<TLedgerBuildResult> built =
            BuildLoanLedgers(loans, context, threads, std::move(storages));
        for (std::size_t i = 0; i < loans.size(); ++i) {
            TMorvaneMortgage& loan = *loans[i];
            try {
                if (built[i].Failure) {
                    std::rethrow_exception(built[i].Failure);
                }
                loan.LocalTransactionDays.Assign(std::move(built[i].Ledger), &loan);
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
