#include "exampleclientdialog.h"

#include "app/framework/controlbinder.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "ui_exampleclientdialog.h"

namespace duebell::examples {

TfmExampleClient::TfmExampleClient()
    : TfmCustomDetailForm("fmExampleClient", "Add/Edit Client"),
      ui_(std::make_unique<Ui::fmExampleClient>()) {
    ui_->setupUi(Body());
    Binder().AddRows({{ui_->edtClientCode, "Text", "ClientCode"},
                      {ui_->edtSurname1, "Text", "Surname"},
                      {ui_->edtGivenNames1, "Text", "GivenNames"},
                      {ui_->edtStreetNo, "Text", "PostalAddress.StreetNo"},
                      {ui_->edtStreetName, "Text", "PostalAddress.StreetName"},
                      {ui_->edtSuburb, "Text", "PostalAddress.Suburb"},
                      {ui_->edtState, "Text", "PostalAddress.State"},
                      {ui_->edtPostcode, "Text", "PostalAddress.PostCode"}});
}

TfmExampleClient::~TfmExampleClient() = default;

void TfmExampleClient::InitForItem(TModifyMode mode, TTovObjectItem&) {
    // The code edit is read-only: Save copies the offered code into the new client.
    if (mode == mmAdd)
        ui_->edtClientCode->setText(QString::fromStdString(Data()->NextClientCode()));
}

void TfmExampleClient::ValidateSave() {
    RequireValue(ui_->edtSurname1->text(), "Applicant 1 Surname", ui_->edtSurname1);
    RequireValue(ui_->edtGivenNames1->text(), "Applicant 1 Given Names", ui_->edtGivenNames1);
    RequireValue(ui_->edtStreetNo->text(), "Street No.", ui_->edtStreetNo);
    RequireValue(ui_->edtSuburb->text(), "Suburb", ui_->edtSuburb);
    RequireValue(ui_->edtState->text(), "State", ui_->edtState);
    RequireValue(ui_->edtPostcode->text(), "Post Code", ui_->edtPostcode);
}

} // namespace duebell::examples
