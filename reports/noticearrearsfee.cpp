#include "reports/noticearrearsfee.h"

#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "domain/prompt.h"
#include "domain/questions.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "print/previewmodel.h"
#include "print/printer.h"
#include "reports/customreport.h"
#include "reports/reportconfiguration.h"

namespace duebell {

bool TNoticeArrearsFee::Print(TfmCustomReport& notice, const std::string& feeDescription,
                              const std::string& subject) {
    if (!notice.ValidateParameters())
        return false;
    TMorvaneMortgage* loan = notice.Mortgage();
    if (loan == nullptr)
        throw InternalError("A notice was printed without its loan.");
    // Where the letter goes is settled before anything is charged.
    TPqPreviewModel preview;
    if (!preview.Printer().ChooseDevice())
        return false;
    bool charged = false;
    try {
        charged = ApplyArrearsAdminFee(*loan, feeDescription);
    } catch (const EAbort&) {
        return false;
    }
    chargedFor_ = charged ? subject : std::string();
    BuildDocument(notice, preview);
    if (preview.Print() == TPqPrintResult::Printed)
        return true;
    if (charged)
        CurrentPrompter().Ask(
            PromptType::Error, PromptButtons::Ok,
            "The arrears administration fee of " +
                FormatMoneyText(LoadedConfiguration().AdminFeeAmountAt(TDate(Date()))) +
                " has been charged to loan " + loan->LoanNumber + ", but the " +
                notice.ReportTitle() + " did not print.");
    return false;
}

bool TNoticeArrearsFee::AppliedTo(const std::string& subject) const {
    return !chargedFor_.empty() && chargedFor_ == subject;
}

} // namespace duebell
