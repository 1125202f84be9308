#include "app/frames/duebellswindows.h"

#include "app/framework/windowregistry.h"
#include "app/frames/duebellsframe.h"

namespace duebell {

void RegisterDuebellsWindows() {
    RegisterWindow("TfmeDuebells", [](const WindowRequest& request) {
        OpenedWindow opened;
        opened.widget = std::make_unique<TfmeDuebells>(request.list);
        return opened;
    });
}

} // namespace duebell
