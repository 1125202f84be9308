// The windows of the loans and their payments, registered by class name: the "Loans" tab's
// frame (TfmeMortgages, over the list the request gives, else the loan book's loans), which
// saves the configuration to the given file when a deleted loan's rate history goes or the
// instalment fees of a new loan end with OK, and the "Loan Transactions" tab's frame
// (TfmeLoanTransactions, with the request's loan chosen).
#pragma once

#include <string>

namespace duebell {

void RegisterLoanWindows(const std::string& configurationFile);

} // namespace duebell
