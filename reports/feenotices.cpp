#include "reports/feenotices.h"

#include "objectlist/exceptions.h"
#include "reports/printedform.h"

namespace duebell {

TfmCustomFeeNotice::TfmCustomFeeNotice(TFeeNoticeStage stage, QWidget* parent)
    : TfmReportFeeBase(parent), stage_(stage) {}

std::string TfmCustomFeeNotice::ReportTitle() const {
    return FeeNoticeTitle(stage_);
}

std::unique_ptr<TfmCustomPrintedReport>
TfmCustomFeeNotice::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

bool TfmCustomFeeNotice::UsesNoticePeriod() const {
    return stage_ == TFeeNoticeStage::Arrears || stage_ == TFeeNoticeStage::Default;
}

bool TfmCustomFeeNotice::ValidateParameters() {
    return TfmReportFeeBase::ValidateParameters() && (!UsesNoticePeriod() || ValidateFeeType());
}

void TfmCustomFeeNotice::DrawBody(TfmCustomPrintedReport& form) {
    if (Mortgage() == nullptr)
        throw InternalError("A notice was drawn without its loan.");
    // The termination and vacate letters do not reckon with the fee type's period.
    const int noticePeriod = UsesNoticePeriod() ? FeeNoticePeriod() : 0;
    DrawFeeNoticeBody(form, stage_, *Mortgage(), SelectedFee(), noticePeriod, FeeApplied());
}

bool TfmCustomFeeNotice::btnPrintClick() {
    return PrintOfferingArrearsFee(FeeNoticeAdminFeeDescription);
}

} // namespace duebell
