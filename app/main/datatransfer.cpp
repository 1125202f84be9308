#include "app/main/datatransfer.h"

#include "app/framework/filedialogs.h"
#include "app/framework/longwork.h"
#include "app/main/dataarchive.h"
#include "controls/modalresult.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

namespace duebell {

namespace {

// The long work's progress as the archive code reports it.
WorkProgress StepsOf(LongWork& work) {
    return [&work](std::size_t done, std::size_t total) { work.Step(done, total); };
}

} // namespace

std::string ImportedMessage(const std::vector<std::string>& kept) {
    std::string message = "Duebell Data has been successfully imported.  Duebell will now restart.";
    if (kept.empty())
        return message;
    // A name to a line: a long one is never broken.
    message += "\r\rWhat it replaced is kept in the data folder as:";
    for (const std::string& name : kept)
        message += "\r" + name;
    return message;
}

std::optional<std::string> ImportLosesChangesQuestion() {
    const bool book = DataModified();
    // A configuration change not written yet: one whose write failed, or one held for the
    // loan book's Save.
    const bool configuration = ConfigurationModified() || ConfigurationHeldForLoanBook();
    if (!configuration)
        return book ? std::optional<std::string>(LoanBookChangesQuestion) : std::nullopt;
    return std::string(book ? "The loan book and the configuration have"
                            : "The configuration has") +
           " changes that have not been saved, and importing loses them.  Do you wish to import "
           "anyway?";
}

int RunDataExport(const std::string& dataFolder) {
    const std::optional<std::string> archive =
        ChooseSaveFile("Save As", DataArchiveFilter, DataArchiveExtension, "");
    if (!archive)
        return mrCancel;
    LongWork work("Exporting...");
    ExportDataArchive(*archive, dataFolder, StepsOf(work));
    return mrOk;
}

int RunDataImport(const std::string& dataFolder) {
    if (const std::optional<std::string> question = ImportLosesChangesQuestion();
        question && !AskYesNo(*question))
        return mrCancel;
    const std::optional<std::string> archive = ChooseOpenFile("Open", DataArchiveFilter, "");
    if (!archive)
        return mrCancel;
    std::vector<std::string> kept;
    {
        LongWork work("Importing...");
        kept = ImportDataArchive(*archive, dataFolder, StepsOf(work));
    }
    CurrentPrompter().Ask(PromptType::Information, PromptButtons::Ok, ImportedMessage(kept));
    return mrOk;
}

} // namespace duebell
