// The "Accounting Report Initial": the figures of the purchase a loan finances (purchaser,
// prices of land and building, legal, inspection, government and other costs) with the sale to
// the borrower. Its dialog both edits the loan's initial accounting figures (Save writes the
// fields into the loan) and prints what the loan holds, so unsaved edits are never printed.
#pragma once

#include "reports/customreport.h"

class QGroupBox;

namespace duebell {

class TCurrencyEdit;
class TTovObjectListControlAware;

class TfmReportAccountingInitial : public TfmCustomReport {
    Q_OBJECT
public:
    explicit TfmReportAccountingInitial(QWidget* parent = nullptr);

    QGroupBox* gbxInitialAccountingData; // " Initial Accounting Report Data "
    QLineEdit* edtNameOfPurchaser;
    TCurrencyEdit* edtPurchasePriceLand;
    TCurrencyEdit* edtPurchasePriceBuilding;
    TCurrencyEdit* edtCostLegalFees;
    TCurrencyEdit* edtCostInspectionReports;
    TCurrencyEdit* edtCostGovernmentTaxes;
    TCurrencyEdit* edtCostOther;
    QPushButton* btnSave;
    // Binds the fields to the loan's "InitialAccountingReport.*" figures.
    TTovObjectListControlAware* TovObjectListControlAware1;

    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;

    // The typed fields checked, then written into the chosen loan; the loan book is then
    // modified.
    void btnSaveClick();

protected:
    // Shows the chosen loan's figures; Save and the figures are enabled only with a loan.
    void cmbLoanNumberChange() override;
};

// Draws the report's body for the loan on an accounting form framed already.
void DrawAccountingInitialBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage);

} // namespace duebell
