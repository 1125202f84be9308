// TfmFeesAddEdit, "Add/Edit Full Fee": one full-fee type (TMorvaneFeeConfiguration), its
// description and its notice period in days. The description is the fee list's key: a name
// another fee type has already is refused, when adding and when renaming.
#pragma once

#include "app/framework/detailform.h"

#include <memory>
#include <string>

namespace Ui {
class fmFeesAddEdit;
}

namespace duebell {

class TfmFeesAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmFeesAddEdit();
    ~TfmFeesAddEdit() override;

    // The description the fee type had when the dialog opened (the old name of a rename).
    const std::string& OriginalDescription() const { return originalDescription_; }

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // "Fee Description" required and not the name of another fee type ("A fee of this name
    // already exists"). (The notice period's range is the field's own, checked before.)
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmFeesAddEdit> ui_;
    std::string originalDescription_;
};

} // namespace duebell
