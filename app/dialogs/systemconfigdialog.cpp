#include "app/dialogs/systemconfigdialog.h"

#include "app/dialogs/formlabels.h"
#include "app/framework/controlbinder.h"
#include "ui_systemconfigdialog.h"

namespace duebell {

// The organisation and user name are typed here like the rest: a first set-up has no other
// place to give them, and the organisation is required.
TfmSystemConfig::TfmSystemConfig()
    : TfmCustomDetailForm("fmSystemConfig", "User Details Configuration"),
      ui_(std::make_unique<Ui::fmSystemConfig>()) {
    ui_->setupUi(Body());
    AlignFormLabels(*Body());
    Binder().AddRows({{ui_->edtCompanyName, "Text", "Company"},
                      {ui_->edtUserName, "Text", "UserName"},
                      {ui_->edtOperatingNo, "Text", "OperatingNumber"},
                      {ui_->edtUnstructuredAddress, "Lines", "Address.UnstructuredAddress"},
                      {ui_->edtSuburb, "Text", "Address.Suburb"},
                      {ui_->edtState, "Text", "Address.State"},
                      {ui_->edtPostcode, "Text", "Address.PostCode"},
                      {ui_->edtPhoneNo, "Text", "ContactDetails.PhoneNo"},
                      {ui_->edtFaxNo, "Text", "ContactDetails.FaxNo"},
                      {ui_->edtMobileNo, "Text", "ContactDetails.MobileNo"},
                      {ui_->edtEmailAddress, "Text", "ContactDetails.EmailAddress"},
                      {ui_->edtWebAddress, "Text", "ContactDetails.WebAddress"}});
    resize(420, sizeHint().height());
}

TfmSystemConfig::~TfmSystemConfig() = default;

void TfmSystemConfig::ValidateSave() {
    RequireValue(ui_->edtCompanyName->text(), "Organisation", ui_->edtCompanyName);
    RequireValue(ui_->edtUnstructuredAddress->toPlainText(), "Address",
                 ui_->edtUnstructuredAddress);
    RequireValue(ui_->edtSuburb->text(), "Suburb", ui_->edtSuburb);
    RequireValue(ui_->edtState->text(), "State", ui_->edtState);
    RequireValue(ui_->edtPostcode->text(), "Postcode", ui_->edtPostcode);
    RequireValue(ui_->edtPhoneNo->text(), "Phone", ui_->edtPhoneNo);
}

} // namespace duebell
