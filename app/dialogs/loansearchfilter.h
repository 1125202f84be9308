// Which loans the loan search lists: a loan is found by its property's address, its client's
// name or its bank details holding the search text anywhere, whatever the case.
#pragma once

#include <string>

namespace duebell {

class TMorvaneMortgage;

// The choices of "Search By", in their order.
enum TLoanSearchField { lsfPropertyAddress, lsfClientName, lsfBankDetails };

// Every loan for an empty text. Bank details are the bank's and the branch's names, the
// account's name, the BSB and the account number.
bool LoanMatchesSearch(const TMorvaneMortgage& loan, TLoanSearchField field,
                       const std::string& text);

} // namespace duebell
