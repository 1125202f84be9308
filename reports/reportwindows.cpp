#include "reports/reportwindows.h"

#include "app/framework/windowregistry.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "reports/feechargenotice.h"
#include "reports/feenotices.h"
#include "reports/loannotices.h"
#include "reports/reportlabelsclient.h"

namespace duebell {

namespace {

// Opens a report dialog with the opener's loan already chosen.
template <class Report> void RegisterReport(const char* className) {
    RegisterWindow(className, ModalDialogFactory([](const WindowRequest& request) {
                       std::unique_ptr<Report> report = CreateReport<Report>();
                       if (!request.loanNumber.empty() && Data() != nullptr)
                           report->SelectMortgage(Data()->FindMortgage(request.loanNumber));
                       return report;
                   }));
}

// Opens a fee report dialog with the opener's loan and fee already chosen.
template <class Report> void RegisterFeeReport(const char* className) {
    RegisterWindow(className, ModalDialogFactory([](const WindowRequest& request) {
                       std::unique_ptr<Report> report = CreateReport<Report>();
                       if (!request.loanNumber.empty() && Data() != nullptr)
                           report->SelectMortgage(Data()->FindMortgage(request.loanNumber));
                       if (request.feeNumber != 0)
                           report->SelectFee(request.feeNumber);
                       return report;
                   }));
}

} // namespace

void RegisterReportWindows() {
    RegisterReport<TfmReportLoanArrears>("TfmReportLoanArrears");
    RegisterReport<TfmReportLoanDefault>("TfmReportLoanDefault");
    RegisterReport<TfmReportLoanForeclosure>("TfmReportLoanForeclosure");
    RegisterReport<TfmReportLoanEviction>("TfmReportLoanEviction");
    RegisterFeeReport<TfmReportFullFees>("TfmReportFullFees");
    RegisterFeeReport<TfmReportFeesArrears>("TfmReportFeesArrears");
    RegisterFeeReport<TfmReportFeesDefault>("TfmReportFeesDefault");
    RegisterFeeReport<TfmReportFeesForeclosure>("TfmReportFeesForeclosure");
    RegisterFeeReport<TfmReportFeesEviction>("TfmReportFeesEviction");
    RegisterWindow("TfmReportLabelsClient", ModalDialogFactory([](const WindowRequest&) {
                       return std::make_unique<TfmReportLabelsClient>();
                   }));
}

} // namespace duebell
