// The windows of the loans and their payments, registered by class name: the "Loans" tab's
// frame (TfmeMortgages, over the list the request gives, else the loan book's loans) and the
// "Loan Transactions" tab's frame (TfmeLoanTransactions, with the request's loan chosen).
#pragma once

namespace duebell {

void RegisterLoanWindows();

} // namespace duebell
