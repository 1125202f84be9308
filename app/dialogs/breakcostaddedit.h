// TfmPayoutBreakCostsAddEdit, "Add/Edit Break Cost": one break cost of a payout figure
// (TPayoutBreakCost). The description identifies the line: it can be given to a new break
// cost only; an edit changes the amount.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmPayoutBreakCostsAddEdit;
}

namespace duebell {

class TfmPayoutBreakCostsAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmPayoutBreakCostsAddEdit();
    ~TfmPayoutBreakCostsAddEdit() override;

    // In mmEdit the description is read-only.
    int EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) override;

protected:
    // "Description" required; a non-zero "Amount".
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmPayoutBreakCostsAddEdit> ui_;
};

} // namespace duebell
