// The two questions the fee and notice windows ask about the loan book.
#pragma once

#include <string>

namespace duebell {

class TMorvaneMortgage;

// "Would you like to print a payment change notice for this change?" True on Yes.
bool AskPrintPaymentChangeNotice();

// Offers the arrears administration fee in force today. Yes charges it to the loan (dated
// today, with the given description), marks the loan book changed, rebuilds the loan's ledger
// and gives true; No gives false; Cancel ends the calling operation silently (EAbort). When
// the loan was charged such fees today already, the question names what, and No is its
// default answer.
bool ApplyArrearsAdminFee(TMorvaneMortgage& loan, const std::string& description);

} // namespace duebell
