#include "app/frames/clientsframe.h"

#include "app/dialogs/clientaddedit.h"
#include "app/framework/objectlistgrid.h"
#include "domain/clients.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

#include <QGroupBox>

namespace duebell {

TfmeClients::TfmeClients(TTovObjectList* clients, QWidget* parent) : TfmeCustomHeaderFrame(parent) {
    setObjectName("fmeClients");
    HeaderBox()->setTitle(" Client Overview ");
    Grid()->AddColumn("Client Code", "ClientCode", 100);
    Grid()->AddColumn("Client Name", "FullNameStr", 360);
    DesignedAt(500, 320);
    Grid()->SetObjectList(clients);
    RefreshGrid();
}

TfmCustomDetailFormClass TfmeClients::GetDetailFormClass() {
    return DetailFormClass<TfmClientsAddEdit>();
}

void TfmeClients::DeleteClick() {
    const std::vector<TTovObject*>& selected = Grid()->SelectedObjects();
    const auto* client =
        selected.empty() ? nullptr : dynamic_cast<const TMorvaneClient*>(selected.front());
    if (client != nullptr && Data()->ClientInUse(client->ClientCode)) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "A client that is currently assigned to a mortgage cannot be "
                              "deleted");
        return;
    }
    TfmeCustomHeaderFrame::DeleteClick();
}

void TfmeClients::ClientsChanged() {
    RefreshGrid();
}

} // namespace duebell
