// TfmeFeeTransaction, the "Full Fee Transactions" tab: the full fees charged to a chosen loan
// within a date window, and below them the payments against the charge selected. Charges are
// entered in TfmFeeTransactionAddEdit, payments in TfmFeePaymentAddEdit. Every change, and a
// click on the free part of the charges' button panel, rebuilds the loan's ledger and alerts;
// after a charge is saved the Notice of Fee Charge is offered.
#pragma once

#include "app/framework/headerframe.h"

#include <string>

class QGroupBox;

namespace duebell {

class TDatePicker;
class TGridBox;
class TMorvaneFeeTransaction;
class TMorvaneMortgage;
class TfmeFeePayments;

class TfmeFeeTransaction : public TfmeCustomHeaderFrame {
    Q_OBJECT

public:
    explicit TfmeFeeTransaction(QWidget* parent = nullptr);
    ~TfmeFeeTransaction() override;

    TGridBox* LoanBox() const { return cmbLoanNumber_; }
    TDatePicker* StartDate() const { return edtStartDate_; }
    TDatePicker* EndDate() const { return edtEndDate_; }
    // The payments of the selected charge.
    TfmeCustomHeaderFrame* PaymentsFrame() const;

    // The loan of the loan box's number; nothing when there is none.
    TMorvaneMortgage* ChosenLoan() const;
    // The selected charge; nothing when none is.
    TMorvaneFeeTransaction* SelectedCharge() const;
    // Rebuilds the chosen loan's ledger and alerts.
    void RecalculateLoan();

    TfmCustomDetailFormClass GetDetailFormClass() override;
    TTovObjectItem* GetDetailParent() override;
    // Shows the chosen loan's charges (none without a loan); the buttons work only while a
    // loan is chosen.
    void RefreshGrid() override;
    void AddClick() override;
    void EditClick() override;
    void DeleteClick() override;
    // Also shows the selected charge's payments.
    void GridClick() override;

protected:
    void MortgagesChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a button's own handling, then rebuilds the loan unless a saved charge did already.
    template <class Click> void ThenRecalculate(Click&& click);
    void OfferNotice(TModifyMode mode, TTovObjectItem* record, const TfmCustomDetailForm& dialog);

    QGroupBox* gbxFilterOptions_ = nullptr;
    TGridBox* cmbLoanNumber_ = nullptr;
    TDatePicker* edtStartDate_ = nullptr;
    TDatePicker* edtEndDate_ = nullptr;
    TfmeFeePayments* fmeCustomHeaderFrame1_ = nullptr;
    bool recalculated_ = false;
};

} // namespace duebell
