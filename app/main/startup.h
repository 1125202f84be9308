// The start-up of the program once its application object, message boxes and windows exist:
// the main window, the splash while the configuration, loan book and help topics load and all
// alerts are rebuilt, then the tabs, the set-up guidance and the first refresh signals.
#pragma once

#include "app/main/mainwindow.h"

#include <memory>

namespace duebell {

// Added to the report of a loan book that could not be read at start-up: what the empty book
// then shown means for the lender, and how to get the book back.
inline constexpr const char* UnreadLoanBookAdvice =
    "Duebell shows an empty loan book in its place.  Nothing entered now can be saved over the "
    "file that could not be read, nor exported.  To recover, close Duebell and put a good copy "
    "of the file back (each import keeps the book it replaced as MV_DATA.XML.before-import- "
    "followed by its date and time), or use File > Import with an export of the book.";
// The main window's caption while that empty book is shown.
inline constexpr const char* UnreadLoanBookCaption =
    "Duebell v1.01 - the loan book could not be read: nothing is saved";

// Added to the report of a configuration that could not be read at start-up, and the caption
// while the empty configuration in its place is used.
inline constexpr const char* UnreadConfigurationAdvice =
    "Duebell shows the loan book without the settings of that file: no notice periods, interest "
    "rate changes, fees or public holidays, and so no alerts.  Nothing entered now can be saved, "
    "nor exported.  To recover, close Duebell and put a good copy of the file back (each import "
    "keeps the configuration it replaced as MV_CONFIG.XML.before-import- followed by its date "
    "and time), or use File > Import with an export of the book.";
inline constexpr const char* UnreadConfigurationCaption =
    "Duebell v1.01 - the configuration could not be read: nothing is saved";

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
// is and not saved over. For the loan book the report ends with UnreadLoanBookAdvice and the
// caption becomes UnreadLoanBookCaption; for the configuration, UnreadConfigurationAdvice and
// UnreadConfigurationCaption. A failure of the set-up guidance's help is reported too: the
// program always starts. The files are read on a thread of their own while the splash stays
// painted; no window may watch the loan book or the configuration before the start-up.
std::unique_ptr<TfmMain> StartDuebell(const StartUpOptions& options, StartUpTimes* times = nullptr);

} // namespace duebell
