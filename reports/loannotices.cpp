#include "reports/loannotices.h"

#include "domain/money.h"
#include "domain/mortgage.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "reports/arrearstable.h"
#include "reports/printedform.h"

namespace duebell {

TfmCustomLoanNotice::TfmCustomLoanNotice(TLoanNoticeStage stage, QWidget* parent)
    : TfmCustomReport(parent), stage_(stage) {}

std::string TfmCustomLoanNotice::ReportTitle() const {
    return LoanNoticeTitle(stage_);
}

std::unique_ptr<TfmCustomPrintedReport>
TfmCustomLoanNotice::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmCustomLoanNotice::DrawBody(TfmCustomPrintedReport& form) {
    if (Mortgage() == nullptr)
        throw InternalError("A notice was drawn without its loan.");
    DrawLoanNoticeBody(form, stage_, *Mortgage(), FeeApplied());
}

bool TfmCustomLoanNotice::ValidateParameters() {
    if (!TfmCustomReport::ValidateParameters())
        return false;
    // A payment made today clears the arrears before the alert, worked from yesterday, goes.
    if (Mortgage() != nullptr && NoArrearsOn(*Mortgage(), Date())) {
        CurrentPrompter().Ask(
            PromptType::Error, PromptButtons::Ok,
            "Loan " + Mortgage()->LoanNumber + " is not in arrears today (TOTAL Arrears " +
                FormatMoney(Currency()) + "): there is no " + ReportTitle() + " to send.");
        return false;
    }
    return true;
}

bool TfmCustomLoanNotice::FeeApplied() const {
    return Mortgage() != nullptr && arrearsFee_.AppliedTo(Mortgage()->LoanNumber);
}

bool TfmCustomLoanNotice::btnPrintClick() {
    const std::string subject = Mortgage() != nullptr ? Mortgage()->LoanNumber : std::string();
    return arrearsFee_.Print(*this, LoanNoticeFeeDescription(stage_), subject);
}

} // namespace duebell
