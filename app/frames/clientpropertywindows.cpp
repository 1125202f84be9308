#include "app/frames/clientpropertywindows.h"

#include "app/frames/clientsframe.h"
#include "app/frames/propertiesframe.h"
#include "app/framework/windowregistry.h"

namespace duebell {

void RegisterClientAndPropertyWindows() {
    RegisterWindow("TfmeClients", [](const WindowRequest& request) {
        OpenedWindow opened;
        opened.widget = std::make_unique<TfmeClients>(request.list);
        return opened;
    });
    RegisterWindow("TfmeProperty", [](const WindowRequest& request) {
        OpenedWindow opened;
        opened.widget = std::make_unique<TfmeProperty>(request.list);
        return opened;
    });
}

} // namespace duebell
