// TfmReportPayoutNotice, "Notice of Payout": what the borrower must pay to clear the chosen
// loan on the effective date. The figures come from the loan's ledger day of that date; the
// user decides which outstanding instalment fees join the payout (the full-fee balance always
// does) and adds break costs of their own beside the outstanding interest. Print and Preview
// use the figures as shown; a date with no ledger day, or one not after the draw-down, is
// refused.
#pragma once

#include "reports/customreport.h"
#include "reports/payoutfigures.h"

class QPushButton;

namespace duebell {

class TCurrencyEdit;
class TDatePicker;
class TTovObjectListGrid;
class TfmeCustomHeaderFrame;

class TfmReportPayoutNotice : public TfmCustomReport {
    Q_OBJECT
public:
    explicit TfmReportPayoutNotice(QWidget* parent = nullptr);
    ~TfmReportPayoutNotice() override;

    TDatePicker* edtEffectiveDate;
    TCurrencyEdit* edtLoanBalance;   // "Loan Balance"
    TCurrencyEdit* edtFeesPenalties; // "Full Fees + Instalment Fees"
    TCurrencyEdit* edtBreakCosts;    // "Break Costs"
    TCurrencyEdit* edtPayoutFigure;  // "Payout Figure"
    TTovObjectListGrid* stgOutstandingFees;
    QPushButton* btnOutstandingFees; // moves the chosen fee into the payout
    TTovObjectListGrid* stgAllocatedFees;
    QPushButton* btnAllocatedFees; // moves the chosen fee back out
    TfmeCustomHeaderFrame* fmeCustomHeaderFrame1; // " Break Costs "

    const TPayoutFigures& Figures() const { return figures_; }

    // "Notice of Payout" on a client form.
    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;

    // The loan check; then, with a loan, an effective date after its draw-down date whose
    // figures could be worked out.
    bool ValidateParameters() override;

    // The effective date was picked or typed: the figures again for it, break costs kept.
    void edtEffectiveDateCloseUp();
    void btnOutstandingFeesClick();
    void btnAllocatedFeesClick();

protected:
    // Another loan: its figures for the effective date, the user's break costs dropped.
    void cmbLoanNumberChange() override;

private:
    void Recalculate(bool newLoan);
    void ShowFigures();
    void stgAllocatedFeesClick();
    void BreakCostsChanged();

    TPayoutFigures figures_;
};

} // namespace duebell
