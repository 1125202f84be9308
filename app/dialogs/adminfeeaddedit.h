// TfmInstallmentFeePenaltiesAddEdit, "Add/Edit Arrears Administration Fee": the arrears
// administration fee amount in force from an effective date (TMorvaneInstallmentFeePenaltyConfig).
// The date is the list's key: offered as today for a new amount, fixed when editing.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmInstallmentFeePenaltiesAddEdit;
}

namespace duebell {

class TfmInstallmentFeePenaltiesAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmInstallmentFeePenaltiesAddEdit();
    ~TfmInstallmentFeePenaltiesAddEdit() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // A non-zero amount that is not negative; an effective date not after today.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmInstallmentFeePenaltiesAddEdit> ui_;
};

} // namespace duebell
