// An example record dialog laid out in code rather than in a Designer form: an instalment
// fee's description and number of payments, typed as text.
#pragma once

#include "app/framework/detailform.h"

class QLineEdit;

namespace duebell::examples {

class TfmExampleInstalmentFee : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmExampleInstalmentFee();

protected:
    void ValidateSave() override;

private:
    QLineEdit* edtFeeDescription_;
    QLineEdit* edtNumberOfPayments_;
};

} // namespace duebell::examples
