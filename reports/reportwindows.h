// Registers every report dialog of this folder with the window registry, so that the menus,
// the alert actions and other windows open them by class name.
#pragma once

namespace duebell {

// "TfmReportLoanArrears", "TfmReportLoanDefault", "TfmReportLoanForeclosure",
// "TfmReportLoanEviction", "TfmReportStatement", "TfmReportDrawDown",
// "TfmReportAccountingInitial": each opens its dialog modally with the request's loan chosen
// (and the statement, for the statement of account). "TfmReportPaymentChange" likewise, or
// prints the notice without showing it when the request asks for that.
// "TfmReportFullFees", "TfmReportFeesArrears", "TfmReportFeesDefault",
// "TfmReportFeesForeclosure", "TfmReportFeesEviction": each opens its dialog modally with the
// request's loan and fee chosen.
void RegisterReportWindows();

} // namespace duebell
