#include "app/dialogs/breakcostaddedit.h"

#include "app/framework/controlbinder.h"
#include "ui_breakcostaddedit.h"

namespace duebell {

TfmPayoutBreakCostsAddEdit::TfmPayoutBreakCostsAddEdit()
    : TfmCustomDetailForm("fmPayoutBreakCostsAddEdit", "Add/Edit Break Cost"),
      ui_(std::make_unique<Ui::fmPayoutBreakCostsAddEdit>()) {
    ui_->setupUi(Body());
    Binder().AddRows(
        {{ui_->edtDescription, "Text", "Description"}, {ui_->edtAmount, "Value", "Amount"}});
}

TfmPayoutBreakCostsAddEdit::~TfmPayoutBreakCostsAddEdit() = default;

int TfmPayoutBreakCostsAddEdit::EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) {
    ui_->edtDescription->setReadOnly(mode == mmEdit);
    return TfmCustomDetailForm::EditItems(mode, list);
}

void TfmPayoutBreakCostsAddEdit::ValidateSave() {
    RequireValue(ui_->edtDescription->text(), "Description", ui_->edtDescription);
    RequireNonZero("Amount", ui_->edtAmount, ui_->edtAmount->GetValue());
}

} // namespace duebell
