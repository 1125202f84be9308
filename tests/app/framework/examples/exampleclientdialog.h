// An example record dialog on the dialog base, to copy: a client's code, name and mailing
// address, laid out in a Designer form (exampleclientdialog.ui). In mmAdd it offers the next
// client code; Save requires the name and the address.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmExampleClient;
}

namespace duebell::examples {

class TfmExampleClient : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmExampleClient();
    ~TfmExampleClient() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmExampleClient> ui_;
};

} // namespace duebell::examples
