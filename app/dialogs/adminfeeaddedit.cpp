#include "app/dialogs/adminfeeaddedit.h"

#include "app/framework/controlbinder.h"
#include "objectlist/clock.h"
#include "ui_adminfeeaddedit.h"

namespace duebell {

TfmInstallmentFeePenaltiesAddEdit::TfmInstallmentFeePenaltiesAddEdit()
    : TfmCustomDetailForm("fmInstallmentFeePenaltiesAddEdit",
                          "Add/Edit Arrears Administration Fee"),
      ui_(std::make_unique<Ui::fmInstallmentFeePenaltiesAddEdit>()) {
    ui_->setupUi(Body());
    Binder().AddRows({{ui_->edtTransactionDate, "Date", "TransactionDate"},
                      {ui_->edtPenaltyAmount, "Value", "PenaltyAmount"}});
}

TfmInstallmentFeePenaltiesAddEdit::~TfmInstallmentFeePenaltiesAddEdit() = default;

void TfmInstallmentFeePenaltiesAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    if (mode == mmAdd)
        ui_->edtTransactionDate->SetDate(Date());
    else if (mode == mmEdit)
        ui_->edtTransactionDate->setEnabled(false);
}

void TfmInstallmentFeePenaltiesAddEdit::ValidateSave() {
    const double amount = ui_->edtPenaltyAmount->GetValue();
    // A negative fee would pay the borrower for falling behind.
    RequireGreaterThanZero("Amount", ui_->edtPenaltyAmount, amount);
    RequireNotAfterToday("Effective Date", ui_->edtTransactionDate,
                         ui_->edtTransactionDate->Date());
}

} // namespace duebell
