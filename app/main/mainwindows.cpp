#include "app/main/mainwindows.h"

#include "app/framework/windowregistry.h"
#include "app/main/aboutbox.h"

namespace duebell {

void RegisterMainWindows() {
    RegisterWindow("TfmAbout", ModalDialogFactory([](const WindowRequest&) {
                       return std::make_unique<TfmAbout>();
                   }));
}

} // namespace duebell
