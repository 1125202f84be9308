#include "app/main/datatransfer.h"

#include "app/framework/filedialogs.h"
#include "app/main/dataarchive.h"
#include "controls/modalresult.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

namespace duebell {

int RunDataExport(const std::string& dataFolder) {
    const std::optional<std::string> archive =
        ChooseSaveFile("Save As", DataArchiveFilter, DataArchiveExtension, "");
    if (!archive)
        return mrCancel;
    ExportDataArchive(*archive, dataFolder);
    return mrOk;
}

int RunDataImport(const std::string& dataFolder) {
    if (DataModified() && !AskYesNo(ImportLosesChangesQuestion))
        return mrCancel;
    const std::optional<std::string> archive = ChooseOpenFile("Open", DataArchiveFilter, "");
    if (!archive)
        return mrCancel;
    ImportDataArchive(*archive, dataFolder);
    CurrentPrompter().Ask(PromptType::Information, PromptButtons::Ok, ImportedMessage);
    return mrOk;
}

} // namespace duebell
