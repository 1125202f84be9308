// Rebuilding several loans after one change that touched them all.
#pragma once

#include <vector>

namespace duebell {

class TMorvaneMortgage;

// LoanChanged on each loan in turn. A loan whose ledger cannot be built does not keep the
// others from being rebuilt: the first failure is raised once all have been tried.
void RebuildLoans(const std::vector<TMorvaneMortgage*>& loans);
// RebuildLoans on every loan of the loan book, after a setting that moves every loan's figures
// or alerts (holidays, notice periods, arrears administration fee amounts).
void RebuildAllLoans();

} // namespace duebell
