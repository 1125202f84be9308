// TfmFeePaymentAddEdit, "Add/Edit Full Fee Payment": a payment against a full-fee charge (the
// payment's owner; the loan is the charge's). An edited payment keeps its date, part of the
// list's key. Laid out in feepaymentdialog.ui.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmFeePaymentAddEdit;
}

namespace duebell {

class TfmFeePaymentAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmFeePaymentAddEdit();
    ~TfmFeePaymentAddEdit() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmFeePaymentAddEdit> ui_;
};

} // namespace duebell
