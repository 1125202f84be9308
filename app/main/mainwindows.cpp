#include "app/main/mainwindows.h"

#include "app/framework/windowregistry.h"
#include "app/main/aboutbox.h"
#include "app/main/datatransfer.h"

namespace duebell {

void RegisterMainWindows(const std::string& dataFolder) {
    RegisterWindow("TfmAbout", ModalDialogFactory([](const WindowRequest&) {
                       return std::make_unique<TfmAbout>();
                   }));
    RegisterWindow("dlgExportData", [dataFolder](const WindowRequest&) {
        OpenedWindow opened;
        opened.modalResult = RunDataExport(dataFolder);
        return opened;
    });
    RegisterWindow("dlgImportData", [dataFolder](const WindowRequest&) {
        OpenedWindow opened;
        opened.modalResult = RunDataImport(dataFolder);
        return opened;
    });
}

} // namespace duebell
