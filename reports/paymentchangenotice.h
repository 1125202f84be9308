// The Notice of Payment Change dialog: a loan's repayment from today and from each date on
// which a change recorded today alters it. The windows that change what a borrower pays (the
// rate changes, the arrears administration fee amounts, the instalment fees) open it for the
// loan, or print it at once without showing it.
#pragma once

#include "reports/customreport.h"

namespace duebell {

struct OpenedWindow;
struct WindowRequest;

class TfmReportPaymentChange : public TfmCustomReport {
    Q_OBJECT
public:
    using TfmCustomReport::TfmCustomReport;

    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;
    // The loan's check, then a refusal naming the loan when its ledger has no day for today
    // or yesterday (drawn down today, or not yet): the notice would have no figures.
    bool ValidateParameters() override;

    // The dialog with the loan chosen (none: the user chooses), shown modally and freed; its
    // modal result.
    static int ShowForMortgage(const TMorvaneMortgage* mortgage);
    // The notice for the loan printed as the dialog's Print does, the dialog never shown;
    // true when it printed.
    static bool PrintForMortgage(const TMorvaneMortgage* mortgage);
};

// The registry's opening of "TfmReportPaymentChange": the request's loan shown, or printed
// when the request asks to print without preview.
OpenedWindow OpenPaymentChangeNotice(const WindowRequest& request);

} // namespace duebell
