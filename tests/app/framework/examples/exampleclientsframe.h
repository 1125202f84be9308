// An example list frame on the header frame base, to copy: the clients of a list, opened in
// the example client dialog, following every change of the loan book's clients.
#pragma once

#include "app/framework/headerframe.h"

namespace duebell {
class TTovObjectList;
}

namespace duebell::examples {

class TfmeExampleClients : public TfmeCustomHeaderFrame {
    Q_OBJECT

public:
    explicit TfmeExampleClients(TTovObjectList* clients, QWidget* parent = nullptr);

    TfmCustomDetailFormClass GetDetailFormClass() override;

protected:
    void ClientsChanged() override;
};

} // namespace duebell::examples
