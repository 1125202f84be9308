// Duebell: the loan book for instalment contracts.
//
//   duebell [--data-dir FOLDER] [--no-splash-wait]
//
// For whole-program tests only, DUEBELL_TODAY=YYYY-MM-DD starts the program on that day.
//
// Installs the program's message boxes and help, claims the data folder, registers every
// window and runs the start-up of the main window; after an import it starts itself again.
#include "app/framework/helpsystem.h"
#include "app/framework/programmessages.h"
#include "app/help/helpbook.h"
#include "app/help/helpviewer.h"
#include "app/main/application.h"
#include "app/main/commandline.h"
#include "app/main/datafolderlock.h"
#include "app/main/fixedtoday.h"
#include "app/main/leftovers.h"
#include "app/main/programrestart.h"
#include "app/main/programwindows.h"
#include "app/main/startup.h"
#include "controls/uihooks.h"

#include <cstdlib>
#include <filesystem>

namespace {

std::string EnvironmentFolder() {
    const char* folder = std::getenv("DUEBELL_DATA_DIR");
    return folder != nullptr ? folder : "";
}

} // namespace

int main(int argc, char** argv) {
    using namespace duebell;
    TDuebellApplication application(argc, argv);
    ProgramMessageBoxes messageBoxes;
    try {
        FixTodayFromEnvironment();
        const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
        const CommandLine line =
            ReadCommandLine(QCoreApplication::arguments(), EnvironmentFolder(), programFolder);
        int result = EXIT_SUCCESS;
        bool restart = false;
        {
            DataFolderLock lock(line.dataFolder);
            lock.Lock();
            RemoveLeftoverSaveFiles(line.dataFolder);

            THtmlHelpViewer help((std::filesystem::path(programFolder) / HelpFolderName).string());
            SetHelpSystem(&help);
            RegisterProgramWindows(line.dataFolder);

            StartUpOptions options;
            options.folders = {line.dataFolder, programFolder};
            options.splashWait = line.splashWait;
            const std::unique_ptr<TfmMain> window = StartDuebell(options);
            result = QApplication::exec();
            restart = window->Restarting();
            SetHelpSystem(nullptr);
        }
        // After an import: the new copy starts once this one has let go of the data folder.
        if (restart)
            StartProgramAgain();
        return result;
    } catch (...) {
        HandleException(std::current_exception());
        return EXIT_FAILURE;
    }
}
