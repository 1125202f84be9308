// The windows of this folder, registered by name: the about box, and File > Export and
// File > Import ("dlgExportData", "dlgImportData"), which import into the data folder given.
#pragma once

#include <string>

namespace duebell {

void RegisterMainWindows(const std::string& dataFolder);

} // namespace duebell
