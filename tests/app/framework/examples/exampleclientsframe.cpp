#include "exampleclientsframe.h"

#include "app/framework/objectlistgrid.h"
#include "exampleclientdialog.h"

#include <QGroupBox>

namespace duebell::examples {

TfmeExampleClients::TfmeExampleClients(TTovObjectList* clients, QWidget* parent)
    : TfmeCustomHeaderFrame(parent) {
    setObjectName("fmeExampleClients");
    HeaderBox()->setTitle(" Client Overview ");
    Grid()->AddColumn("Client Code", "ClientCode", 100);
    Grid()->AddColumn("Client Name", "FullNameStr", 360);
    DesignedAt(480, 300);
    Grid()->SetObjectList(clients);
    RefreshGrid();
}

TfmCustomDetailFormClass TfmeExampleClients::GetDetailFormClass() {
    return DetailFormClass<TfmExampleClient>();
}

void TfmeExampleClients::ClientsChanged() {
    RefreshGrid();
}

} // namespace duebell::examples
