// File > "&Export..." and File > "&Import..." of the main window: the file choosers, the
// question and the message around the archive of dataarchive.h, the busy cursor while it is
// made or read. Registered as the windows "dlgExportData" and "dlgImportData" (mainwindows.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace duebell {

// The message after an import that kept the files it replaced under the names given: "Duebell
// Data has been successfully imported.  Duebell will now restart.", then those names.
std::string ImportedMessage(const std::vector<std::string>& kept);
inline constexpr const char* LoanBookChangesQuestion =
    "The loan book has changes that have not been saved, and importing replaces it.  Do you "
    "wish to import anyway?";
// The question before an import drops changes its files lack, naming the loan book, the
// configuration or both ("... Do you wish to import anyway?"); nothing when there are none.
std::optional<std::string> ImportLosesChangesQuestion();

// The save chooser (asking before it replaces a file), then the export. The modal result:
// mrOk once the archive is written, mrCancel when the user cancelled.
int RunDataExport(const std::string& dataFolder);

// With changes that would be lost first the question (No ends here), then the open chooser,
// the import into the data folder and the message ImportedMessage. mrOk means the data files
// were replaced and the program must start again; mrCancel that nothing happened.
int RunDataImport(const std::string& dataFolder);

} // namespace duebell
