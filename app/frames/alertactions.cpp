#include "app/frames/alertactions.h"

#include "domain/alert.h"
#include "domain/alertrules.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"

#include <QWidget>

namespace duebell {

namespace {

// The notice of an arrears stage, from the loan notices or the fee notices.
const char* NoticeOfStage(TMorvaneMortgageStatus stage, bool fee) {
    switch (stage) {
    case msInArrears:
        return fee ? "TfmReportFeesArrears" : "TfmReportLoanArrears";
    case msDefaulted:
        return fee ? "TfmReportFeesDefault" : "TfmReportLoanDefault";
    case msForeclosed:
        return fee ? "TfmReportFeesForeclosure" : "TfmReportLoanForeclosure";
    case msEviction:
        return fee ? "TfmReportFeesEviction" : "TfmReportLoanEviction";
    case msAhead:
        break;
    }
    return nullptr;
}

} // namespace

std::optional<AlertReport> ReportForAlert(const TMorvaneAlert& alert) {
    AlertReport report;
    report.request.loanNumber = alert.LoanNumber;
    switch (alert.AlertType) {
    case atStatementDue:
        report.className = "TfmReportStatement";
        report.request.statementNumber = alert.StatementNumber;
        break;
    case atLoanArrears:
    case atFeeArrears: {
        const bool fee = alert.AlertType == atFeeArrears;
        const char* notice = NoticeOfStage(alert.MortgageStatus, fee);
        if (notice == nullptr)
            return std::nullopt;
        report.className = notice;
        if (fee)
            report.request.feeNumber = alert.FeeNumber;
        break;
    }
    case atPaymentChange:
        report.className = "TfmReportPaymentChange";
        break;
    case atPayoutNotice:
        report.className = "TfmReportPayoutNotice";
        break;
    default:
        return std::nullopt;
    }
    return report;
}

void PrintAlert(const TMorvaneAlert& alert) {
    // Taken before the window opens: what it does may free the alert.
    if (const std::optional<AlertReport> report = ReportForAlert(alert))
        OpenWindow(report->className, report->request);
}

void ClearCurrentAlert(TMorvaneData& book, const TMorvaneAlert& alert) {
    ClearAlert(book, alert);
    SetDataModified(true);
    if (book.CurrentAlerts->Count() == 0)
        book.HasAlerts = false;
}

} // namespace duebell
