// Registers every report dialog of this folder with the window registry, so that the menus,
// the alert actions and other windows open them by class name.
#pragma once

namespace duebell {

// "TfmReportLoanArrears", "TfmReportLoanDefault", "TfmReportLoanForeclosure",
// "TfmReportLoanEviction", "TfmReportStatement": each opens its dialog modally with the
// request's loan chosen (and the statement, for the statement of account).
void RegisterReportWindows();

} // namespace duebell
