// The loan book and the configuration moved between machines as one zip archive (".mvd"):
// MV_DATA.XML then MV_CONFIG.XML, deflated, stored without folders.
//
// Export writes a new archive each time and puts it in place only when it is complete. Import
// takes nothing from an archive but those two entries, checks that they load before a live
// file is touched, and then replaces the live files, each atomically; the program then starts
// again on them. Neither shows anything: failures raise Exception with a message for the user.
#pragma once

#include <string>

namespace duebell {

inline constexpr const char* DataArchiveFilter = "Duebell! Database Files (*.mvd)|*.mvd";
inline constexpr const char* DataArchiveExtension = "mvd";
// An import keeps the data files it replaces beside them under their names and this suffix.
inline constexpr const char* BeforeImportSuffix = ".before-import";

// Writes the process-wide loan book and configuration as a new archive, which then replaces
// the file of that name (a link: the file it leads to); a failure leaves that file as it was.
// The two XML copies are made in a private temporary folder removed afterwards. DataModified is
// left as it is. Refused: while the loan book or configuration in memory comes from a file that
// could not be read; a name that is the data folder's MV_DATA.XML, MV_CONFIG.XML or lock; an
// existing file that is not a zip archive (EIncompleteZip "Incomplete Zip File").
void ExportDataArchive(const std::string& archiveName, const std::string& dataFolder);

// Replaces MV_DATA.XML (and MV_CONFIG.XML when the archive holds one) in the data folder with
// the archive's entries of exactly those names; the two files as they were are first copied to
// MV_DATA.XML.before-import and MV_CONFIG.XML.before-import (one that did not exist removes
// its copy). The entries are extracted into a private temporary folder, no other entry is
// written anywhere and no stored attribute is applied.
// Refused, with every file left as it was: an archive that cannot be read, one without an
// MV_DATA.XML or with either name twice, an entry that is damaged, whose root element is not
// that of its name, or that does not load.
void ImportDataArchive(const std::string& archiveName, const std::string& dataFolder);

} // namespace duebell
