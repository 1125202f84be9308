// The Notice of Payout's printed form and body; apart from the dialog, whose amount fields
// cannot share a unit with the print library's headers.
#include "reports/payoutnotice.h"
#include "reports/payoutnoticebody.h"
#include "reports/printedform.h"

namespace duebell {

std::unique_ptr<TfmCustomPrintedReport>
TfmReportPayoutNotice::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmReportPayoutNotice::DrawBody(TfmCustomPrintedReport& form) {
    DrawPayoutNoticeBody(form, figures_);
}

} // namespace duebell
