#include "reports/reportwindows.h"

#include "app/framework/windowregistry.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
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

} // namespace

void RegisterReportWindows() {
    RegisterReport<TfmReportLoanArrears>("TfmReportLoanArrears");
    RegisterReport<TfmReportLoanDefault>("TfmReportLoanDefault");
    RegisterReport<TfmReportLoanForeclosure>("TfmReportLoanForeclosure");
    RegisterReport<TfmReportLoanEviction>("TfmReportLoanEviction");
    RegisterWindow("TfmReportLabelsClient", ModalDialogFactory([](const WindowRequest&) {
                       return std::make_unique<TfmReportLabelsClient>();
                   }));
}

} // namespace duebell
