#include "reports/reportwindows.h"

#include "app/framework/windowregistry.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "reports/accountinginitial.h"
#include "reports/drawdownnotice.h"
#include "reports/feechargenotice.h"
#include "reports/feenotices.h"
#include "reports/loannotices.h"
#include "reports/paymentchangenotice.h"
#include "reports/payoutnotice.h"
#include "reports/reportlabelsclient.h"
#include "reports/statementreport.h"

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

// The same, then what else the request names is chosen.
template <class Report, class Choose> void RegisterReport(const char* className, Choose choose) {
    RegisterWindow(className, ModalDialogFactory([choose](const WindowRequest& request) {
                       std::unique_ptr<Report> report = CreateReport<Report>();
                       if (!request.loanNumber.empty() && Data() != nullptr)
                           report->SelectMortgage(Data()->FindMortgage(request.loanNumber));
                       choose(*report, request);
                       return report;
                   }));
}

} // namespace

void RegisterReportWindows() {
    RegisterReport<TfmReportLoanArrears>("TfmReportLoanArrears");
    RegisterReport<TfmReportLoanDefault>("TfmReportLoanDefault");
    RegisterReport<TfmReportLoanForeclosure>("TfmReportLoanForeclosure");
    RegisterReport<TfmReportLoanEviction>("TfmReportLoanEviction");
    RegisterReport<TfmReportStatement>("TfmReportStatement", [](auto& report, const auto& request) {
        report.SelectStatement(request.statementNumber);
    });
    RegisterWindow("TfmReportPaymentChange", OpenPaymentChangeNotice);
    RegisterReport<TfmReportDrawDown>("TfmReportDrawDown");
    RegisterReport<TfmReportAccountingInitial>("TfmReportAccountingInitial");
    const auto chooseFee = [](TfmReportFeeBase& report, const WindowRequest& request) {
        if (request.feeNumber != 0)
            report.SelectFee(request.feeNumber);
    };
    RegisterReport<TfmReportFullFees>("TfmReportFullFees", chooseFee);
    RegisterReport<TfmReportFeesArrears>("TfmReportFeesArrears", chooseFee);
    RegisterReport<TfmReportFeesDefault>("TfmReportFeesDefault", chooseFee);
    RegisterReport<TfmReportFeesForeclosure>("TfmReportFeesForeclosure", chooseFee);
    RegisterReport<TfmReportFeesEviction>("TfmReportFeesEviction", chooseFee);
    RegisterReport<TfmReportPayoutNotice>("TfmReportPayoutNotice");
    RegisterWindow("TfmReportLabelsClient", ModalDialogFactory([](const WindowRequest&) {
                       return std::make_unique<TfmReportLabelsClient>();
                   }));
}

} // namespace duebell
