// The program's command line and the folder its data live in.
//
//   duebell [--data-dir DIR] [--no-splash-wait]
//
// The data folder is DIR when given, else the folder named by the environment variable
// DUEBELL_DATA_DIR, else the program's own folder. --no-splash-wait shows the splash window
// without its one-second pause (for tests and measurements).
#pragma once

#include <QStringList>
#include <string>

namespace duebell {

struct CommandLine {
    std::string dataFolder;
    bool splashWait = true;
};

// Reads the arguments (the program's name first, as QCoreApplication::arguments gives them).
// An unknown option or --data-dir without a folder raises an Exception whose message says
// how to start the program.
CommandLine ReadCommandLine(const QStringList& arguments, const std::string& environmentFolder,
                            const std::string& programFolder);

} // namespace duebell
