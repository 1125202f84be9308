#include "domain/ledgerbuilds.h"

#include "domain/ledgerbuild.h"
#include "domain/ledgerinputs.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace duebell {

std::vector<TLedgerBuildResult> BuildLoanLedgers(std::span<TMorvaneMortgage* const> loans,
                                                 const TCalculationContext& context,
                                                 unsigned threads, std::vector<TLedger> storages) {
    storages.resize(loans.size());
    // Looked up here: a lookup moves the cursor of the configuration's list.
    std::vector<const TMorvaneMortgageRate*> rates;
    rates.reserve(loans.size());
    for (TMorvaneMortgage* loan : loans) {
        rates.push_back(FindMortgageRates(*loan, context.Configuration));
    }

    std::vector<TLedgerBuildResult> results(loans.size());
    std::atomic<std::size_t> next = 0;
    // Loans taken one at a time, so a thread that meets long ledgers does not hold up the rest.
    auto work = [&] {
        for (std::size_t i = next++; i < loans.size(); i = next++) {
            try {
                results[i].Ledger =
                    BuildLoanLedger(*loans[i], context, rates[i], std::move(storages[i]));
            } catch (...) {
                results[i].Failure = std::current_exception();
            }
        }
    };
    const std::size_t helpers =
        loans.empty() ? 0 : std::min<std::size_t>(std::max(threads, 1u), loans.size()) - 1;
    {
        std::vector<std::jthread> running;
        running.reserve(helpers);
        try {
            for (std::size_t t = 0; t < helpers; ++t) {
                running.emplace_back(work);
            }
        } catch (const std::system_error&) {
            // No more threads to be had: those running and this one build the rest.
        }
        work();
    } // every thread joined
    return results;
}

} // namespace duebell
