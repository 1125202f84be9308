#include "reports/feechargenotice.h"

#include "reports/feenoticebody.h"
#include "reports/printedform.h"

namespace duebell {

std::string TfmReportFullFees::ReportTitle() const {
    return "Notice of Fee Charge";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmReportFullFees::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmReportFullFees::DrawBody(TfmCustomPrintedReport& form) {
    DrawFeeChargeBody(form, SelectedFee(), FeeNoticePeriod());
}

bool TfmReportFullFees::ValidateParameters() {
    return TfmReportFeeBase::ValidateParameters() && ValidateFeeType();
}

} // namespace duebell
