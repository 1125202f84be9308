#include "app/dialogs/propertyaddedit.h"

#include "app/dialogs/formlabels.h"
#include "app/dialogs/namelengths.h"
#include "app/framework/controlbinder.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "ui_propertyaddedit.h"

namespace duebell {

TfmPropertyAddEdit::TfmPropertyAddEdit()
    : TfmCustomDetailForm("fmPropertyAddEdit", "Add/Edit Property"),
      ui_(std::make_unique<Ui::fmPropertyAddEdit>()) {
    ui_->setupUi(Body());
    AlignFormLabels(*Body());
    resize(380, sizeHint().height());
    Binder().AddRows({{ui_->edtPropertyCode, "Text", "PropertyCode"},
                      {ui_->edtStreetNo, "Text", "Address.StreetNo"},
                      {ui_->edtStreetName, "Text", "Address.StreetName"},
                      {ui_->edtSuburb, "Text", "Address.Suburb"},
                      {ui_->edtState, "Text", "Address.State"},
                      {ui_->edtPostcode, "Text", "Address.PostCode"}});
}

TfmPropertyAddEdit::~TfmPropertyAddEdit() = default;

void TfmPropertyAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    LimitTypedLengths({{ui_->edtStreetNo, StreetNoLength},
                       {ui_->edtStreetName, StreetNameLength},
                       {ui_->edtSuburb, SuburbLength},
                       {ui_->edtState, StateLength},
                       {ui_->edtPostcode, PostcodeLength}});
    // Written into the read-only edit, so Save copies it into the new property.
    if (mode == mmAdd)
        ui_->edtPropertyCode->setText(QString::fromStdString(Data()->NextPropertyCode()));
}

void TfmPropertyAddEdit::ValidateSave() {
    RequireValue(ui_->edtStreetNo->text(), "Street No.", ui_->edtStreetNo);
    RequireValue(ui_->edtStreetName->text(), "Street Name", ui_->edtStreetName);
    RequireValue(ui_->edtSuburb->text(), "Suburb", ui_->edtSuburb);
    RequireValue(ui_->edtState->text(), "State", ui_->edtState);
    RequireValue(ui_->edtPostcode->text(), "Post Code", ui_->edtPostcode);
}

} // namespace duebell
