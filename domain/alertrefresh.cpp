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
#include "objectlist/exceptions.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace duebell {

namespace {

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

namespace {

// Enough loans for each thread that one long ledger does not hold up the others for long, when
// a book is checked run by run so that it never holds every ledger at once.
constexpr std::size_t LoansPerThreadAndRun = 32;

// The first loan, in the loans' order, whose ledger or alerts failed, and how.
struct TFirstFailure {
    std::exception_ptr Error;
    const TMorvaneMortgage* Loan = nullptr;
};

// Every loan of the book built in runs of `run` loans: the run's ledgers are built side by side,
// each in the storage of the loan's old one, then each loan of it is handed with its ledger to
// `take` in turn on this thread. A loan whose ledger cannot be built, or whose `take` fails, does
// not stop the others; the first failure is given back. `take` runs for a failed build too (with
// the failure), so that it can leave the loan as a failed build leaves it.
template <class Take>
TFirstFailure BuildEveryLedger(TMorvaneData& book, const TCalculationContext& context,
                               unsigned threads, std::size_t run, Take&& take) {
    TFirstFailure first;
    std::vector<TMorvaneMortgage*> loans;
    loans.reserve(static_cast<std::size_t>(book.Mortgages->Count()));
    for (TTovObjectItem* item : *book.Mortgages) {
        loans.push_back(static_cast<TMorvaneMortgage*>(item));
    }
    run = std::max<std::size_t>(run, 1);
    for (std::size_t start = 0; start < loans.size(); start += run) {
        const std::span<TMorvaneMortgage* const> loansOfRun =
            std::span(loans).subspan(start, std::min(run, loans.size() - start));
        std::vector<TLedger> storages;
        storages.reserve(loansOfRun.size());
        for (TMorvaneMortgage* loan : loansOfRun) {
            storages.push_back(loan->LocalTransactionDays.Release());
        }
        std::vector<TLedgerBuildResult> built =
            BuildLoanLedgers(loansOfRun, context, threads, std::move(storages));
        for (std::size_t i = 0; i < loansOfRun.size(); ++i) {
            try {
                take(*loansOfRun[i], built[i]);
            } catch (...) {
                if (!first.Error) {
                    first = {std::current_exception(), loansOfRun[i]};
                }
            }
        }
    }
    return first;
}

// The loan's new ledger; a failed build leaves the loan without ledger and raises its failure.
void TakeLedger(TMorvaneMortgage& loan, TLedgerBuildResult& built) {
    if (built.Failure) {
        std::rethrow_exception(built.Failure);
    }
    loan.LocalTransactionDays.Assign(std::move(built.Ledger), &loan);
}

unsigned MachineThreads() {
    return std::max(std::thread::hardware_concurrency(), 1u);
}

} // namespace

// A loan whose ledger cannot be built keeps no ledger and raises no alerts; the others are
// still refreshed, and the first failure (in the loans' order) is raised once the refresh is
// complete. Every ledger is built side by side in the storage of the loan's old one (so a
// refresh takes no more memory than the ledgers it replaces, and the threads meet once, not
// once per run of loans, which on a busy machine costs each time a thread waits its turn);
// then each loan takes its ledger and raises its alerts in turn on this thread, as the
// one-thread build did.
void TMorvaneData::RefreshAlerts() {
    RefreshAlerts(MachineThreads());
}

void TMorvaneData::RefreshAlerts(unsigned threads) {
    RefreshAlerts(ContextOfToday(), threads);
}

void TMorvaneData::RefreshAlerts(const TCalculationContext& context, unsigned threads) {
    TFirstFailure failure;
    {
        // One batch: whoever shows the alerts shows them again once, not once per alert.
        const TTovListUpdate batch(*CurrentAlerts);
        CurrentAlerts->FreeAll();
        HasAlerts = false;
        failure = BuildEveryLedger(*this, context, threads,
                                   static_cast<std::size_t>(Mortgages->Count()),
                                   [&](TMorvaneMortgage& loan, TLedgerBuildResult& built) {
                                       TakeLedger(loan, built);
                                       GenerateAlertsUnlessUnread(loan, *this, context);
                                   });
        HasAlerts = CurrentAlerts->Count() > 0;
    }
    Mortgages->NotifyListeners(ckItemAdded, nullptr);
    if (failure.Error) {
        std::rethrow_exception(failure.Error);
    }
}

void TMorvaneData::CheckLedgersBuild(
    const TMorvaneConfiguration& configuration,
    const std::function<void(std::size_t, std::size_t)>& progress) {
    CurrentAlerts->FreeAll();
    const TCalculationContext context(&configuration, Date());
    const auto total = static_cast<std::size_t>(Mortgages->Count());
    std::size_t done = 0;
    const unsigned threads = MachineThreads();
    const TFirstFailure failure = BuildEveryLedger(
        *this, context, threads, LoansPerThreadAndRun * threads,
        [&](TMorvaneMortgage& loan, TLedgerBuildResult& built) {
            if (progress) {
                progress(done++, total);
            }
            // Raised from the configuration given, whatever became of the live one.
            TakeLedger(loan, built);
            GenerateLoanAlerts(loan, *this, context);
            loan.LocalTransactionDays.Release(); // checked: dropped
        });
    if (!failure.Error) {
        return;
    }
    try {
        std::rethrow_exception(failure.Error);
    } catch (const Exception& error) {
        throw Exception("Loan \"" + failure.Loan->LoanNumber + "\": " + error.message());
    }
}

} // namespace duebell
