#include "app/dialogs/bookkeepingwindows.h"

#include "app/dialogs/accountingperiodical.h"
#include "app/framework/windowregistry.h"
#include "domain/datafiles.h"

namespace duebell {

void RegisterBookkeepingWindows(const std::string& configurationFile) {
    RegisterWindow("TfmReportAccountingPeriodical",
                   ModalDialogFactory([configurationFile](const WindowRequest&) {
                       return std::make_unique<TfmReportAccountingPeriodical>(
                           [configurationFile] { SaveConfigurationNow(configurationFile); });
                   }));
}

} // namespace duebell
