// The Notice of Draw Down: the terms of a loan as drawn down (date, lender, amount, rate,
// term, number and frequency of payments, security) and its first repayment with every
// instalment fee and the total, for the borrower to check. Opened from the menu and after a
// new loan is saved.
#pragma once

#include "reports/customreport.h"

namespace duebell {

class TfmReportDrawDown : public TfmCustomReport {
    Q_OBJECT
public:
    using TfmCustomReport::TfmCustomReport;

    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;
};

// Draws the notice's body for the loan on a client form framed already.
void DrawDrawDownBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage);

} // namespace duebell
