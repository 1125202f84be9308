// Every window of the program registered by its class name, as the program starts: the main
// window's own (about box, export, import), the settings, client and property, Duebells,
// report, bookkeeping, loan and fee windows. Import and the configuration's windows work on
// the files of the data folder given. Whole-program tests register the same windows here.
#pragma once

#include <string>

namespace duebell {

void RegisterProgramWindows(const std::string& dataFolder);

} // namespace duebell
