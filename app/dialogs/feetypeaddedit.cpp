#include "app/dialogs/feetypeaddedit.h"

#include "app/framework/controlbinder.h"
#include "domain/configuration.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"
#include "ui_feetypeaddedit.h"

namespace duebell {

TfmFeesAddEdit::TfmFeesAddEdit()
    : TfmCustomDetailForm("fmFeesAddEdit", "Add/Edit Full Fee"),
      ui_(std::make_unique<Ui::fmFeesAddEdit>()) {
    ui_->setupUi(Body());
    Binder().AddRows({{ui_->edtFeeDescription, "Text", "FeeDescription"},
                      {ui_->edtNoticePeriod, "Value", "NoticePeriod"}});
}

TfmFeesAddEdit::~TfmFeesAddEdit() = default;

void TfmFeesAddEdit::InitForItem(TModifyMode, TTovObjectItem& item) {
    originalDescription_ = static_cast<TMorvaneFeeConfiguration&>(item).FeeDescription;
}

void TfmFeesAddEdit::ValidateSave() {
    RequireValue(ui_->edtFeeDescription->text(), "Fee Description", ui_->edtFeeDescription);
    // Renaming onto another fee type's name would merge the loans' charges of the two types
    // for good, so an edit is checked like an add (the fee type itself excepted).
    const std::string description = ui_->edtFeeDescription->text().toStdString();
    const TTovObjectItem* existing = Configuration()->FeeList->LocateNoMove(Variant(description));
    if (existing != nullptr && existing != Item()) {
        ui_->edtFeeDescription->setFocus();
        throw Exception("A fee of this name already exists");
    }
}

} // namespace duebell
