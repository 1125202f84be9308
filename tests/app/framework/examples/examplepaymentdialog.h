// An example record dialog with our own controls promoted in its Designer form
// (examplepaymentdialog.ui): a payment's amount (currency edit) and date (date picker). Save
// asks for a non-zero, non-negative amount and a date within the loan's contract, not after
// today; the loan is the payment's owner.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmExamplePayment;
}

namespace duebell::examples {

class TfmExamplePayment : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmExamplePayment();
    ~TfmExamplePayment() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmExamplePayment> ui_;
};

} // namespace duebell::examples
