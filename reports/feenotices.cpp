// The documents of the fee letters: their titles, forms and bodies. (The dialogs' widgets are
// feenoticebase.cpp's: the controls and the print library each name their own alignment.)
#include "reports/feenotices.h"

#include "domain/configuration.h"
#include "objectlist/exceptions.h"
#include "reports/printedform.h"

namespace duebell {

namespace {

// The dialogs refuse to build without these.
TMorvaneFeeTransaction& RequireFee(TMorvaneFeeTransaction* fee) {
    if (fee == nullptr)
        throw InternalError("A fee letter was drawn without its fee.");
    return *fee;
}

int RequireNoticePeriod(const TMorvaneFeeConfiguration* type) {
    if (type == nullptr)
        throw InternalError("A fee letter was drawn without its fee type.");
    return type->NoticePeriod;
}

} // namespace

std::string TfmReportFullFees::ReportTitle() const {
    return "Notice of Fee Charge";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmReportFullFees::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmReportFullFees::DrawBody(TfmCustomPrintedReport& form) {
    DrawFeeChargeBody(form, RequireFee(FindSelectedFee()),
                      RequireNoticePeriod(FindFeeConfiguration()));
}

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
    const int noticePeriod = UsesNoticePeriod() ? RequireNoticePeriod(FindFeeConfiguration()) : 0;
    DrawFeeNoticeBody(form, stage_, *Mortgage(), RequireFee(FindSelectedFee()), noticePeriod,
                      feeApplied_);
}

bool TfmCustomFeeNotice::btnPrintClick() {
    return PrintOfferingArrearsFee(FeeNoticeAdminFeeDescription, feeApplied_);
}

} // namespace duebell
