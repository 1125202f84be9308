#include "reports/feenotices.h"

#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
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

std::string TfmCustomFeeNotice::ChargeSubject() const {
    const TMorvaneFeeTransaction* fee = FindSelectedFee();
    if (fee == nullptr || Mortgage() == nullptr)
        return std::string();
    return Mortgage()->LoanNumber + " fee " + IntToStr(fee->FeeNumber) + " of " +
           DateToStr(fee->TransactionDate.value);
}

bool TfmCustomFeeNotice::FeeApplied() const {
    return arrearsFee_.AppliedTo(ChargeSubject());
}

bool TfmCustomFeeNotice::btnPrintClick() {
    return arrearsFee_.Print(*this, FeeNoticeAdminFeeDescription, ChargeSubject());
}

} // namespace duebell
