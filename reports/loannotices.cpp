#include "reports/loannotices.h"

#include "objectlist/exceptions.h"
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
    DrawLoanNoticeBody(form, stage_, *Mortgage(), feeApplied_);
}

bool TfmCustomLoanNotice::btnPrintClick() {
    return PrintOfferingArrearsFee(LoanNoticeFeeDescription(stage_), feeApplied_);
}

} // namespace duebell
