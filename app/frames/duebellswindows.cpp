#include "app/frames/duebellswindows.h"

#include "app/frames/duebellsframe.h"
#include "app/framework/windowregistry.h"

namespace duebell {

void RegisterDuebellsWindows() {
    RegisterWindow("TfmeDuebells", [](const WindowRequest& request) {
        OpenedWindow opened;
        opened.widget = std::make_unique<TfmeDuebells>(request.list);
        return opened;
    });
}

} // namespace duebell
