// The four letters to a borrower whose loan is behind, one per stage of arrears: the Notice
// of Arrears, of Default, of Termination and to Vacate Property. Each is one page: the
// stage's letter from 115 mm, the "Arrears Details" table from 165 mm and the closing from
// 235 mm.
#pragma once

#include <string>

namespace duebell {

class TMorvaneMortgage;
class TfmCustomPrintedReport;

enum class TLoanNoticeStage { Arrears, Default, Termination, Vacate };

// "Notice of Arrears", "Notice of Default", "Notice of Termination", "Notice to Vacate Property".
std::string LoanNoticeTitle(TLoanNoticeStage stage);
// The description an arrears administration fee charged on printing the notice carries:
// "Arrears", "Default", "Termination", "Vacate".
std::string LoanNoticeFeeDescription(TLoanNoticeStage stage);

// Draws the notice's body for today on a client form framed already; `feeApplied` says that
// an arrears administration fee was charged when it was printed.
void DrawLoanNoticeBody(TfmCustomPrintedReport& form, TLoanNoticeStage stage,
                        const TMorvaneMortgage& mortgage, bool feeApplied);

} // namespace duebell
