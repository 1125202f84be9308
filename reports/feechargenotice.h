// TfmReportFullFees: the Notice of Fee Charge, the letter that tells a borrower a full fee is
// due and by which day: today plus the notice period of the fee's type. Print asks nothing
// more than the fee base does; a fee whose type has gone is refused by name.
#pragma once

#include "reports/feenoticebase.h"

namespace duebell {

// The Notice of Fee Charge: the fee is due, to be paid in full by today plus its fee type's
// notice period.
class TfmReportFullFees : public TfmReportFeeBase {
    Q_OBJECT
public:
    explicit TfmReportFullFees(QWidget* parent = nullptr) : TfmReportFeeBase(parent) {}

    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;
    bool ValidateParameters() override;
};

} // namespace duebell
