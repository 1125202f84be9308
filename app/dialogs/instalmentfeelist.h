// TfmFeesInstallmentConfig, "Instalment Fee Configuration": the instalment fees of a chosen
// loan in the order payments settle them, opened from Configuration > Fees > Instalment Fees
// and for a loan just added. The list starts with a fixed row for the arrears administration
// fee, which the ledger collects before any instalment fee; it can be neither viewed, stopped,
// moved nor deleted, and it leaves the loan when another loan is chosen or the dialog ends.
// Add, View and Stop open TfmFeesInstallmentAddEdit; the arrows move the chosen fee up or down
// the order. Every change rebuilds the loan's ledger and alerts.
#pragma once

#include "app/framework/detailform.h"

#include <memory>
#include <string>

class QPushButton;

namespace duebell {

class TArrearsAdministrationRow;
class TExSpeedButton;
class TGridBox;
class TMorvaneMortgage;
class TfmeCustomHeaderFrame;
class TfmeInstalmentFeeList;

class TfmFeesInstallmentConfig : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmFeesInstallmentConfig();
    ~TfmFeesInstallmentConfig() override;

    // Chooses the loan of that number, as picking it in the loan box does.
    void ChooseLoan(const std::string& loanNumber);
    // The loan chosen; nothing when none is.
    TMorvaneMortgage* ChosenLoan() const { return loan_; }

    TGridBox* LoanBox() const { return cmbLoanNumber_; }
    TfmeCustomHeaderFrame* FeeFrame() const;

    // The buttons' actions.
    void PriorityClick(bool up);
    void StopClick();
    void ViewClick();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;

private:
    friend class TfmeInstalmentFeeList;

    void LoanChange();
    void GridClickRule();
    void AfterChange();
    // Takes the arrears administration row out of the loan chosen so far.
    void RemoveFixedRow();
    bool IsFixedRow(const TTovObject* record) const;

    TGridBox* cmbLoanNumber_ = nullptr;
    TfmeInstalmentFeeList* fmeCustomHeaderFrame1_ = nullptr;
    QPushButton* btnStop_ = nullptr;
    TExSpeedButton* btnPriorityUp_ = nullptr;
    TExSpeedButton* btnPriorityDown_ = nullptr;
    TMorvaneMortgage* loan_ = nullptr;
    std::unique_ptr<TArrearsAdministrationRow> fixedRow_;
};

} // namespace duebell
