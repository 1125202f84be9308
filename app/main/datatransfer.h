// File > "&Export..." and File > "&Import..." of the main window: the file choosers, the
// question and the message around the archive of dataarchive.h. Registered as the windows
// "dlgExportData" and "dlgImportData" (mainwindows.h).
#pragma once

#include <string>

namespace duebell {

inline constexpr const char* ImportedMessage =
    "Duebell Data has been successfully imported.  Duebell will now restart.\r\rThe loan book "
    "and configuration it replaced are kept in the data folder as "
    "MV_DATA.XML.before-import and MV_CONFIG.XML.before-import, until the next import.";
inline constexpr const char* ImportLosesChangesQuestion =
    "The loan book has changes that have not been saved, and importing replaces it.  Do you "
    "wish to import anyway?";

// The save chooser (asking before it replaces a file), then the export. The modal result:
// mrOk once the archive is written, mrCancel when the user cancelled.
int RunDataExport(const std::string& dataFolder);

// With unsaved changes first a question (No ends here), then the open chooser, the import
// into the data folder and the message ImportedMessage. mrOk means the data files were
// replaced and the program must start again; mrCancel that nothing happened.
int RunDataImport(const std::string& dataFolder);

} // namespace duebell
