#include "app/dialogs/settingswindows.h"

#include "app/dialogs/adminfeeconfig.h"
#include "app/dialogs/feetypesconfig.h"
#include "app/dialogs/holidaysconfig.h"
#include "app/dialogs/noticeperiodsdialog.h"
#include "app/dialogs/ratechangesconfig.h"
#include "app/dialogs/systemconfigdialog.h"
#include "app/framework/windowregistry.h"
#include "controls/modalresult.h"
#include "domain/configuration.h"
#include "domain/processobjects.h"

namespace duebell {

namespace {

template <class Dialog> WindowFactory SettingsDialog() {
    return [](const WindowRequest& request) {
        Dialog dialog;
        OpenedWindow opened;
        opened.modalResult = dialog.EditItem(request.mode, *Configuration());
        return opened;
    };
}

template <class Dialog> WindowFactory ListSettingsDialog() {
    return [](const WindowRequest& request) {
        Dialog dialog;
        OpenedWindow opened;
        opened.modalResult = dialog.EditItem(request.mode, *Configuration());
        if (dialog.EntriesChanged())
            opened.modalResult = mrOk;
        return opened;
    };
}

} // namespace

void RegisterSettingsWindows() {
    RegisterWindow("TfmSystemConfig", SettingsDialog<TfmSystemConfig>());
    RegisterWindow("TfmOptions", SettingsDialog<TfmOptions>());
    RegisterWindow("TfmFeesConfig", ListSettingsDialog<TfmFeesConfig>());
    RegisterWindow("TfmAdministrationFeeConfig", ListSettingsDialog<TfmAdministrationFeeConfig>());
    RegisterWindow("TfmInstallmentFeePenaltiesConfig",
                   ListSettingsDialog<TfmInstallmentFeePenaltiesConfig>());
    RegisterWindow("TfmPublicHolidaysConfig", ListSettingsDialog<TfmPublicHolidaysConfig>());
    RegisterWindow("TfmPublicHolidaysRecurringConfig",
                   ListSettingsDialog<TfmPublicHolidaysRecurringConfig>());
    RegisterWindow("TfmRateChangesConfig", ListSettingsDialog<TfmRateChangesConfig>());
}

} // namespace duebell
