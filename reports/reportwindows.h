// Registers every report dialog of this folder with the window registry, so that the menus,
// the alert actions and other windows open them by class name.
#pragma once

namespace duebell {

// "TfmReportLoanArrears", "TfmReportLoanDefault", "TfmReportLoanForeclosure",
// "TfmReportLoanEviction": each opens its dialog modally with the request's loan chosen.
// "TfmReportFullFees", "TfmReportFeesArrears", "TfmReportFeesDefault",
// "TfmReportFeesForeclosure", "TfmReportFeesEviction": the same, with the request's fee chosen.
void RegisterReportWindows();

} // namespace duebell
