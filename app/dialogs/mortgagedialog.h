// TfmMortgageAddEdit, "Add/Edit Loan": a loan's number, its property and client (pick lists
// that echo the address and the name), its contract and bank details (the contract frame) and
// the three questions asked after a new loan is saved (mortgagedialog.ui). Save stays disabled
// until the instalment-fee and draw-down questions are answered and both pick lists have a row.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

class QLineEdit;

namespace Ui {
class fmMortgageAddEdit;
}

namespace duebell {

class TGridBox;
class TYesNoGroup;
class TfmeContractDetails;

// The windows the three questions open for a new loan, by class name. A question whose window
// the program does not have cannot be answered "Yes".
inline constexpr const char* InstalmentFeesWindow = "TfmFeesInstallmentConfig";
inline constexpr const char* DrawdownReportWindow = "TfmReportDrawDown";
inline constexpr const char* InitialBookkeepingReportWindow = "TfmReportAccountingInitial";

class TfmMortgageAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    // The controls and their binder rows; the property and client pick lists filled from the
    // loan book; "Yes" disabled for a question whose window is not registered.
    TfmMortgageAddEdit();
    ~TfmMortgageAddEdit() override;

    // The modal result of the last edit, for whoever acts after the dialog has closed.
    int EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) override;
    int ModalResult() const { return modalResult_; }

    // --- The controls ---------------------------------------------------------------------
    QLineEdit* LoanNumber() const;
    TGridBox* PropertyCode() const;
    TGridBox* ClientCode() const;
    QLineEdit* PropertyAddress() const;
    QLineEdit* ClientName() const;
    TfmeContractDetails* ContractDetails() const; // fmeContractDetails1
    TYesNoGroup* AddInstallmentFees() const;
    TYesNoGroup* PrintDrawdownReport() const;
    TYesNoGroup* PrintBookkeepingReport() const;

    // --- Reactions ----------------------------------------------------------------------
    // The address of the chosen property (empty when the code is no property's), then the
    // Save-enabling rule; the same for the client's full name.
    void PropertyCodeChange();
    void ClientCodeChange();
    // Save is enabled exactly when the instalment-fee and draw-down questions have answers and
    // both pick lists have a row chosen; the bookkeeping question does not count.
    void UpdateSaveEnabled();

protected:
    // mmAdd: the next loan number and a draw-down date of today. Every mode: no question
    // answered, the address and name echoed, and Save as the rule has it.
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // Amount, deposit, term, reference rate, then the texts of the periods and the bank details.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmMortgageAddEdit> ui_;
    int modalResult_ = 0;
};

} // namespace duebell
