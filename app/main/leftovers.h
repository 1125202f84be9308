// A save that was killed midway leaves its temporary file beside the data file: the file's
// name, a dot, six letters or digits and ".tmp" (the atomic writer's pattern). Repeated
// crashes would fill the disk, so start-up removes such leftovers of the three data files,
// matching nothing else. Runs once the data folder is locked, when no save is under way.
#pragma once

#include <string>
#include <vector>

namespace duebell {

// Whether a file name is a temporary file of a save of `dataFileName`.
bool IsLeftoverSaveFile(const std::string& fileName, const std::string& dataFileName);

// Removes the leftovers of MV_DATA.XML, MV_CONFIG.XML and MV_HELP.XML in the folder (and
// beside the file a data file links to); gives the paths removed.
std::vector<std::string> RemoveLeftoverSaveFiles(const std::string& folder);

} // namespace duebell
