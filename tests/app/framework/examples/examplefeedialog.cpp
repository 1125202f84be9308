#include "examplefeedialog.h"

#include "app/framework/controlbinder.h"

#include <QFormLayout>
#include <QLineEdit>

namespace duebell::examples {

namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

TfmExampleInstalmentFee::TfmExampleInstalmentFee()
    : TfmCustomDetailForm("fmExampleInstalmentFee", "Add/Edit Instalment Fee"),
      edtFeeDescription_(MakeEdit(Body(), "edtFeeDescription")),
      edtNumberOfPayments_(MakeEdit(Body(), "edtNumberOfPayments")) {
    auto* layout = new QFormLayout(Body());
    layout->addRow("Fee Description", edtFeeDescription_);
    layout->addRow("No. of Payments", edtNumberOfPayments_);
    Binder().AddRows({{edtFeeDescription_, "Text", "FeeDescription"},
                      {edtNumberOfPayments_, "Text", "NumberOfPayments"}});
}

void TfmExampleInstalmentFee::ValidateSave() {
    RequireValue(edtFeeDescription_->text(), "Fee Description", edtFeeDescription_);
}

} // namespace duebell::examples
