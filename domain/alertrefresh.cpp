// Rebuilding ledgers and alerts: one loan after a change to it, or every loan at start-up and
// once a day.
#include "domain/alertrules.h"
#include "domain/calculationcontext.h"
#include "domain/datafiles.h"
#include "domain/ledgerbuild.h"
#include "domain/ledgerbuilds.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"

#include <algorithm>
#include <exception>
#include <span>
#include <thread>
#include <vector>

namespace duebell {

namespace {

// Enough loans for each thread that one long ledger does not hold up the others for long.
constexpr std::size_t LoansPerThreadAndRun = 32;

TCalculationContext ContextOfToday() {
    return TCalculationContext(Configuration(), Date());
}

// A configuration that stands in for an unreadable file has no notice periods, rate changes or
// holidays: the alerts it would raise are false, so none is raised from it.
void GenerateAlertsUnlessUnread(TMorvaneMortgage& loan, TMorvaneData& book,
                                const TCalculationContext& context) {
    if (!LiveConfigurationUnread())
        GenerateLoanAlerts(loan, book, context);
}

} // namespace

void TMorvaneMortgage::GenerateAlerts() {
    if (TMorvaneData* book = OwningLoanBook(*this)) {
        GenerateAlertsUnlessUnread(*this, *book, ContextOfToday());
    }
}

void TMorvaneMortgage::Recalculate() {
    const TCalculationContext context = ContextOfToday();
    RebuildLedger(*this, context);
    if (TMorvaneData* book = OwningLoanBook(*this)) {
        GenerateAlertsUnlessUnread(*this, *book, context);
    }
}

void TMorvaneData::RecalculateMortgage(std::string_view loanNumber) {
    if (TMorvaneMortgage* loan = FindMortgage(loanNumber)) {
        loan->Recalculate();
    }
}

// A loan whose ledger cannot be built keeps no ledger and raises no alerts; the others are
// still refreshed, and the first failure (in the loans' order) is raised once the refresh is
// complete. The loans go in runs: the run's ledgers are built side by side, then each loan of
// it takes its ledger and raises its alerts in turn on this thread, as the one-thread build
// did. A run holds few enough loans that its new ledgers beside the old ones cost little
// memory, and the next run's builds reuse what the old ones freed.
void TMorvaneData::RefreshAlerts() {
    RefreshAlerts(std::max(std::thread::hardware_concurrency(), 1u));
}

void TMorvaneData::RefreshAlerts(unsigned threads) {
    std::exception_ptr firstFailure;
    {
        // One batch: whoever shows the alerts shows them again once, not once per alert.
        const TTovListUpdate batch(*CurrentAlerts);
        CurrentAlerts->FreeAll();
        HasAlerts = false;
        const TCalculationContext context = ContextOfToday();
        std::vector<TMorvaneMortgage*> loans;
        loans.reserve(static_cast<std::size_t>(Mortgages->Count()));
        for (TTovObjectItem* item : *Mortgages) {
            loans.push_back(static_cast<TMorvaneMortgage*>(item));
        }
        const std::size_t run = LoansPerThreadAndRun * std::max(threads, 1u);
        for (std::size_t first = 0; first < loans.size(); first += run) {
            const std::span<TMorvaneMortgage* const> loansOfRun =
                std::span(loans).subspan(first, std::min(run, loans.size() - first));
            std::vector<TLedgerBuildResult> built = BuildLoanLedgers(loansOfRun, context, threads);
            for (std::size_t i = 0; i < loansOfRun.size(); ++i) {
                TMorvaneMortgage& loan = *loansOfRun[i];
                loan.LocalTransactionDays.Release();
                try {
                    if (built[i].Failure) {
                        std::rethrow_exception(built[i].Failure);
                    }
                    loan.LocalTransactionDays.Assign(std::move(built[i].Ledger), &loan);
                    GenerateAlertsUnlessUnread(loan, *this, context);
                } catch (...) {
                    if (!firstFailure) {
                        firstFailure = std::current_exception();
                    }
                }
                HasAlerts = HasAlerts || CurrentAlerts->Count() > 0;
            }
        }
    }
    Mortgages->NotifyListeners(ckItemAdded, nullptr);
    if (firstFailure) {
        std::rethrow_exception(firstFailure);
    }
}

} // namespace duebell
