// The arrears administration fee that the notices of arrears, default, termination and
// vacating offer as they print, and what a notice remembers of the fee it charged, so that a
// later Preview or Print says the fee was debited only for what the fee was charged for.
#pragma once

#include <string>

namespace duebell {

class TfmCustomReport;

class TNoticeArrearsFee {
public:
    // Prints the notice, offering the fee: after the notice's parameters are checked the
    // printer (or file) is chosen, then the fee in force today is offered (a loan charged one
    // today already is told so, and No is the default); Yes charges it to the notice's loan,
    // with the description given. A cancelled print dialog or Cancel on the question ends
    // everything quietly, nothing charged, nothing printed; a print that fails after the
    // charge says so. `subject` names what the notice is about (its loan, and the full fee of
    // a letter about one). True when the notice printed.
    bool Print(TfmCustomReport& notice, const std::string& feeDescription,
               const std::string& subject);

    // Whether the last Print charged a fee for that subject.
    bool AppliedTo(const std::string& subject) const;

private:
    std::string chargedFor_; // the subject of the last Print that charged a fee
};

} // namespace duebell
