#include "app/dialogs/clientaddedit.h"

#include "app/dialogs/formlabels.h"
#include "app/dialogs/namelengths.h"
#include "app/framework/controlbinder.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "ui_clientaddedit.h"

namespace duebell {

TfmClientsAddEdit::TfmClientsAddEdit()
    : TfmCustomDetailForm("fmClientsAddEdit", "Add/Edit Client"),
      ui_(std::make_unique<Ui::fmClientsAddEdit>()) {
    ui_->setupUi(Body());
    AlignFormLabels(*Body());
    resize(420, sizeHint().height());
    Binder().AddRows({{ui_->edtClientCode, "Text", "ClientCode"},
                      {ui_->edtSurname1, "Text", "Surname"},
                      {ui_->edtGivenNames1, "Text", "GivenNames"},
                      {ui_->edtSurname2, "Text", "Surname2"},
                      {ui_->edtGivenNames2, "Text", "GivenNames2"},
                      {ui_->edtStreetNo, "Text", "PostalAddress.StreetNo"},
                      {ui_->edtStreetName, "Text", "PostalAddress.StreetName"},
                      {ui_->edtSuburb, "Text", "PostalAddress.Suburb"},
                      {ui_->edtState, "Text", "PostalAddress.State"},
                      {ui_->edtPostcode, "Text", "PostalAddress.PostCode"},
                      {ui_->edtPhoneNo, "Text", "ContactDetails.PhoneNo"},
                      {ui_->edtFaxNo, "Text", "ContactDetails.FaxNo"},
                      {ui_->edtEmailAddress, "Text", "ContactDetails.EmailAddress"},
                      {ui_->edtMobileNo, "Text", "ContactDetails.MobileNo"}});
}

TfmClientsAddEdit::~TfmClientsAddEdit() = default;

void TfmClientsAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    LimitTypedLengths({{ui_->edtSurname1, SurnameLength},
                       {ui_->edtGivenNames1, GivenNamesLength},
                       {ui_->edtSurname2, SurnameLength},
                       {ui_->edtGivenNames2, GivenNamesLength},
                       {ui_->edtStreetNo, StreetNoLength},
                       {ui_->edtStreetName, StreetNameLength},
                       {ui_->edtSuburb, SuburbLength},
                       {ui_->edtState, StateLength},
                       {ui_->edtPostcode, PostcodeLength}});
    // Written into the read-only edit, so Save copies it into the new client.
    if (mode == mmAdd)
        ui_->edtClientCode->setText(QString::fromStdString(Data()->NextClientCode()));
}

void TfmClientsAddEdit::ValidateSave() {
    RequireValue(ui_->edtSurname1->text(), "Applicant 1 Surname", ui_->edtSurname1);
    RequireValue(ui_->edtGivenNames1->text(), "Applicant 1 Given Names", ui_->edtGivenNames1);
    RequireValue(ui_->edtStreetNo->text(), "Street No.", ui_->edtStreetNo);
    RequireValue(ui_->edtSuburb->text(), "Suburb", ui_->edtSuburb);
    RequireValue(ui_->edtState->text(), "State", ui_->edtState);
    RequireValue(ui_->edtPostcode->text(), "Post Code", ui_->edtPostcode);
}

} // namespace duebell
