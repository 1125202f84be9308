// The start-up of the program once its application object, message boxes and windows exist:
// the main window, the splash while the configuration, loan book and help topics load and all
// alerts are rebuilt, then the tabs, the set-up guidance and the first refresh signals.
#pragma once

#include "app/main/mainwindow.h"

#include <memory>

namespace duebell {

struct StartUpOptions {
    MainWindowFolders folders;
    bool splashWait = true; // the splash's one-second pause before loading
};

// Milliseconds spent in each stage (the splash's pause left out).
struct StartUpTimes {
    double load = 0;    // the three files
    double refresh = 0; // every ledger and alert
    double window = 0;  // the main window, its tabs, guidance and refresh signals, shown
};

// Runs the start-up and gives the main window, shown. A data file that cannot be read is
// reported (file, line, column) and replaced by an empty one in memory; its file is left as it
// is and not saved over.
std::unique_ptr<TfmMain> StartDuebell(const StartUpOptions& options, StartUpTimes* times = nullptr);

} // namespace duebell
