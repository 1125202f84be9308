// The file and folder choosers, run modally through ExecModal like every dialog, so tests can
// answer them. Filters come as the class library writes them: "Description|*.ext;*.ext2|...".
#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace duebell {

// The Qt name filters of a "Description|patterns|..." filter: each description keeps its text
// and matches its patterns in either case ("*.zip" also matches "A.ZIP").
QStringList NameFilters(const std::string& filter);

// An existing file, or nothing when the user cancels.
std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                          const std::string& startFolder);
// A file to save to, or nothing when the user cancels. Choosing an existing file asks before
// it is replaced; a name chosen without an extension gets `defaultExtension` ("mvd").
std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter,
                                          const std::string& defaultExtension,
                                          const std::string& startFolder);
// A folder (new folders may be made), or nothing when the user cancels.
std::optional<std::string> ChooseFolder(const std::string& startFolder);

} // namespace duebell
