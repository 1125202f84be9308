#include "app/dialogs/feepaymentdialog.h"

#include "app/framework/controlbinder.h"
#include "domain/mortgage.h"
#include "domain/recordowners.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_feepaymentdialog.h"

namespace duebell {

TfmFeePaymentAddEdit::TfmFeePaymentAddEdit()
    : TfmCustomDetailForm("fmFeePaymentAddEdit", "Add/Edit Full Fee Payment"),
      ui_(std::make_unique<Ui::fmFeePaymentAddEdit>()) {
    ui_->setupUi(Body());
    Binder().AddRows({{ui_->edtTransactionAmount, "Value", "FeePaymentAmount"},
                      {ui_->edtTransactionDate, "Date", "TransactionDate"}});
}

TfmFeePaymentAddEdit::~TfmFeePaymentAddEdit() = default;

void TfmFeePaymentAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    if (mode == mmAdd)
        ui_->edtTransactionDate->SetDate(Date());
    else if (mode == mmEdit)
        ui_->edtTransactionDate->setEnabled(false);
}

void TfmFeePaymentAddEdit::ValidateSave() {
    if (Mode() == mmView)
        return;
    // The payment belongs to its charge; the contract is the loan's above it.
    const TMorvaneMortgage* loan = FindOwner<TMorvaneMortgage>(*Item());
    if (loan == nullptr)
        throw InternalError("A full fee payment is edited without its loan.");
    RequireNonZero("Fee Amount", ui_->edtTransactionAmount, ui_->edtTransactionAmount->GetValue());
    RequireDateInContract("Transaction Date", ui_->edtTransactionDate, *loan,
                          ui_->edtTransactionDate->Date());
}

} // namespace duebell
