// TfmeClients, the "Clients" tab: the loan book's clients, added, viewed, edited and deleted
// through TfmClientsAddEdit. A client some loan is made out to cannot be deleted.
#pragma once

#include "app/framework/headerframe.h"

namespace duebell {

class TTovObjectList;

class TfmeClients : public TfmeCustomHeaderFrame {
    Q_OBJECT

public:
    // The frame over the clients list (none: an empty grid until one is given).
    explicit TfmeClients(TTovObjectList* clients, QWidget* parent = nullptr);

    TfmCustomDetailFormClass GetDetailFormClass() override;
    // A client in use is refused with an error box before any question is asked.
    void DeleteClick() override;

protected:
    void ClientsChanged() override;
};

} // namespace duebell
