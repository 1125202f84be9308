// TfmClientsAddEdit, "Add/Edit Client": a client's code, one or two applicants, mailing
// address and contact details (TMorvaneClient). A new client is offered the next free code;
// the code cannot be typed into.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmClientsAddEdit;
}

namespace duebell {

class TfmClientsAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmClientsAddEdit();
    ~TfmClientsAddEdit() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // The first applicant's surname and given names, street number, suburb, state and post
    // code required, in that order; the street name, second applicant and contact details
    // may stay empty.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmClientsAddEdit> ui_;
};

} // namespace duebell
