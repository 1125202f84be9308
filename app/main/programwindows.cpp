#include "app/main/programwindows.h"

#include "app/dialogs/bookkeepingwindows.h"
#include "app/dialogs/settingswindows.h"
#include "app/frames/clientpropertywindows.h"
#include "app/frames/duebellswindows.h"
#include "app/frames/feewindows.h"
#include "app/frames/loanwindows.h"
#include "app/main/mainwindows.h"
#include "domain/datafiles.h"
#include "reports/reportwindows.h"

#include <filesystem>

namespace duebell {

void RegisterProgramWindows(const std::string& dataFolder) {
    RegisterMainWindows(dataFolder);
    RegisterSettingsWindows();
    RegisterClientAndPropertyWindows();
    RegisterDuebellsWindows();
    RegisterReportWindows();
    const std::string configurationFile =
        (std::filesystem::path(dataFolder) / ConfigurationFileName).string();
    RegisterBookkeepingWindows(configurationFile);
    RegisterLoanWindows(configurationFile);
    RegisterFeeWindows();
}

} // namespace duebell
