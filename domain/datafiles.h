// Reading and writing the program's three data files: the loan book (MV_DATA.XML), the
// configuration (MV_CONFIG.XML) and the help topics (MV_HELP.XML, only read).
//
// A file is read into a new tree whose records move into the process-wide objects only when
// the whole file was read; on failure the error names the file, line and column and the
// records in memory stay as they were. A file that failed to read is never saved over: its
// save is refused until it has been read.
#pragma once

#include <optional>
#include <string>

namespace duebell {

inline constexpr const char* DataFileName = "MV_DATA.XML";
inline constexpr const char* ConfigurationFileName = "MV_CONFIG.XML";
inline constexpr const char* HelpTopicsFileName = "MV_HELP.XML";

// The loan book and the configuration from their files; a missing file gives an empty one.
// Once they exist, the process-wide objects stay the same objects across loads (their lists
// hear ckListCleared, then one ckItemAdded per record), so windows watching them survive a
// reload. Loading the loan book drops the current alerts of the loans it replaces.
void LoadDataFile(const std::string& fileName);
void LoadConfigurationFile(const std::string& fileName);
// The help topics from their file, into the process-wide help topics; a missing file leaves
// them as they are.
void LoadHelpTopicsFile(const std::string& fileName);

struct UnreadFile {
    std::string fileName; // absolute
    std::string error;    // the load's error: the file, and why (line, column)
};
// The file the loan book, else the configuration, in memory was last loaded from, while that
// load failed: what is in memory is then not what the file holds.
std::optional<UnreadFile> UnreadLiveFile();
// Whether the configuration in memory stands in for its file, which could not be read: it then
// holds none of the lender's settings, so no alert is raised from it and nothing is saved.
bool LiveConfigurationUnread();

// Write the process-wide loan book or configuration to the file, atomically.
void SaveDataFile(const std::string& fileName);
void SaveConfigurationFile(const std::string& fileName);

// The settings windows' write of the configuration to its own file: at once, with the parts
// held for the loan book (processobjects.h) as the file holds them. A write that fails leaves
// the configuration marked unsaved, and raises.
void SaveConfigurationNow(const std::string& fileName);
// Save: the loan book to its own file, with the configuration when it holds unsaved or held
// changes. The two are put in place together: should the loan book fail, the configuration's
// file goes back to what it held. Both marks are cleared and the holds end once both are in
// place; a failure leaves them as they were. Nothing is written while the configuration's file
// could not be read.
void SaveLoanBookAndConfiguration(const std::string& dataFile,
                                  const std::string& configurationFile);

} // namespace duebell
