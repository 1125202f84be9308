// The ledgers of many loans built side by side on the machine's cores. The ledgers of different
// loans are independent; what each build reads of the configuration is only read, and what it
// writes (the loan's instalment fees and its rate history) is the loan's own.
#pragma once

#include "domain/calculationcontext.h"
#include "domain/ledger.h"

#include <exception>
#include <span>
#include <vector>

namespace duebell {

class TMorvaneMortgage;

struct TLedgerBuildResult {
    TLedger Ledger;
    std::exception_ptr Failure; // the build's exception; the ledger is then empty
};

// The ledger of each loan, built as BuildLoanLedger builds it, on up to `threads` threads (one:
// on the calling thread alone), result i being loan i's, in storage i when given (an earlier
// ledger's, so a rebuild takes no fresh memory). Nothing is assigned to the loans, and no list
// of the configuration or the loan book is touched off the calling thread. The caller waits:
// no listener runs while the builds write to the loans' records.
std::vector<TLedgerBuildResult> BuildLoanLedgers(std::span<TMorvaneMortgage* const> loans,
                                                 const TCalculationContext& context,
                                                 unsigned threads,
                                                 std::vector<TLedger> storages = {});

} // namespace duebell
