// The loan book and the configuration moved between machines as one zip archive (".mvd"):
// MV_DATA.XML then MV_CONFIG.XML, deflated, stored without folders.
//
// Export writes a new archive each time and puts it in place only when it is complete. Import
// takes nothing from an archive but those two entries, checks that the program can run what
// they hold before a live file is touched, and then replaces the live files, each atomically;
// the program then starts again on them. Neither shows anything: failures raise Exception with a
// message for the user.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace duebell {

// Told how far a long piece of work has come: steps done of all its steps.
using WorkProgress = std::function<void(std::size_t done, std::size_t total)>;

inline constexpr const char* DataArchiveFilter = "Duebell! Database Files (*.mvd)|*.mvd";
inline constexpr const char* DataArchiveExtension = "mvd";
// An import keeps the data files it replaces beside them under their names and this suffix,
// followed by the import's date and time: "MV_DATA.XML.before-import-20240131-154500".
inline constexpr const char* BeforeImportSuffix = ".before-import";
// The most an entry of an archive to import may unpack to: ten times the loan book of 2,000
// loans the program is measured with (103 MB), more than any lender's book comes near, while a
// megabyte of compressed zeros reaches it.
inline constexpr std::uint64_t MaxDataEntryBytes = std::uint64_t{1024} * 1024 * 1024;

// Writes the process-wide loan book and configuration as a new archive, which then replaces
// the file of that name (a link: the file it leads to); a failure leaves that file as it was.
// The two XML copies are made in a private temporary folder removed afterwards. DataModified is
// left as it is. Refused: while the loan book or configuration in memory comes from a file that
// could not be read; a name that is the data folder's MV_DATA.XML, MV_CONFIG.XML or lock; an
// existing file that is not a zip archive (EIncompleteZip "Incomplete Zip File").
// `progress` hears how far the export has come.
void ExportDataArchive(const std::string& archiveName, const std::string& dataFolder,
                       const WorkProgress& progress = {});

// Replaces MV_DATA.XML (and MV_CONFIG.XML when the archive holds one) in the data folder with
// the archive's entries of exactly those names, once both have been read as the program reads
// them at start and every loan's ledger and alerts built on that configuration (the archive's,
// else the data folder's). The two files as they were are first copied beside them under
// BeforeImportSuffix and the date and time, never over an earlier import's copies; the names
// of the copies made are given back (none for a file that did not exist). The entries are
// extracted into a private temporary folder, no other entry is written anywhere and no stored
// attribute is applied. `progress` hears how far the import has come.
// Refused, with every file left as it was: an archive that cannot be read, one without an
// MV_DATA.XML or with either name twice, an entry larger than MaxDataEntryBytes, one that is
// damaged, whose root element is not that of its name, or that does not load, and a loan book
// of which a loan's ledger or alerts cannot be built (the message names the loan and why).
std::vector<std::string> ImportDataArchive(const std::string& archiveName,
                                           const std::string& dataFolder,
                                           const WorkProgress& progress = {});

} // namespace duebell
