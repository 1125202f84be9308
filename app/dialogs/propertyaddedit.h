// TfmPropertyAddEdit, "Add/Edit Property": a property's code and address (TMorvaneProperty).
// A new property is offered the next free code; the code cannot be typed into.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmPropertyAddEdit;
}

namespace duebell {

class TfmPropertyAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmPropertyAddEdit();
    ~TfmPropertyAddEdit() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // Street number and name, suburb, state and post code required, in that order.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmPropertyAddEdit> ui_;
};

} // namespace duebell
