// File > Export and File > Import of the main window: the choosers (answered through the modal
// runner), the question before an import loses changes, the message, and the close to restart.
#include "app/framework/windowregistry.h"
#include "app/main/dataarchive.h"
#include "app/main/datatransfer.h"
#include "app/main/mainwindow.h"
#include "app/main/mainwindows.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"
#include "support/smallbook.h"
#include "support/testfiles.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace duebell {
namespace {

namespace fs = std::filesystem;
using zip::ziptest::ReadFile;

const QStringList ArchiveFilters{"Duebell! Database Files (*.mvd) (*.mvd *.MVD)"};

class DataTransfer : public ::testing::Test {
protected:
    DataTransfer() {
        RegisterMainWindows(data.path().toStdString());
        SetConfiguration(test::SetUpConfiguration());
        SetData(test::BookWithAlerts());
        window = std::make_unique<TfmMain>(MainWindowFolders{data.path().toStdString(), ""});
        window->show();
    }
    ~DataTransfer() override {
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    void Trigger(const QString& caption) {
        for (QAction* action : window->menuBar()->actions().first()->menu()->actions())
            if (action->text() == caption) {
                EXPECT_TRUE(action->isEnabled());
                action->trigger();
                return;
            }
        ADD_FAILURE() << "no entry " << caption.toStdString();
    }
    // The chooser's next answer: the file, or cancel when empty.
    void Choose(QFileDialog::AcceptMode mode, const std::string& file) {
        driver.Expect([mode, file](QDialog& dialog) {
            auto& chooser = dynamic_cast<QFileDialog&>(dialog);
            EXPECT_EQ(chooser.acceptMode(), mode);
            EXPECT_EQ(chooser.nameFilters(), ArchiveFilters);
            if (mode == QFileDialog::AcceptSave) {
                EXPECT_EQ(chooser.defaultSuffix(), "mvd");
                EXPECT_FALSE(chooser.testOption(QFileDialog::DontConfirmOverwrite));
            } else {
                EXPECT_EQ(chooser.fileMode(), QFileDialog::ExistingFile);
            }
            if (file.empty()) {
                dialog.reject();
                return 0;
            }
            chooser.selectFile(QString::fromStdString(file));
            dialog.accept(); // through the chooser's own checks
            return 0;
        });
    }
    std::string Live(const char* name) const { return data.filePath(name).toStdString(); }
    std::string Place(const char* name) const { return place.filePath(name).toStdString(); }

    test::RecordingHooks hooks;
    testing::ScriptedPrompter prompter;
    test::DialogDriver driver;
    test::ManualTimers timers;
    ScopedWindowRegistry registry;
    QTemporaryDir data;
    QTemporaryDir place;
    std::unique_ptr<TfmMain> window;
};

TEST_F(DataTransfer, ExportWritesTheArchiveChosenAndLeavesTheChangesUnsaved) {
    SetDataModified(true);
    Choose(QFileDialog::AcceptSave, "");
    Trigger("&Export...");
    EXPECT_TRUE(fs::is_empty(place.path().toStdString()));

    Choose(QFileDialog::AcceptSave, Place("book")); // the extension is added
    Trigger("&Export...");
    EXPECT_EQ(zip::ziptest::RunCommand("unzip -tq " + zip::ziptest::Quote(Place("book.mvd"))), 0);
    EXPECT_TRUE(DataModified());
    EXPECT_TRUE(hooks.errors.empty());
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                    "Do you wish to save changes before exiting?", PromptAnswer::Cancel);
    EXPECT_FALSE(window->close());
}

TEST_F(DataTransfer, ImportAsksFirstWithUnsavedChangesThenReplacesTheFilesAndClosesToRestart) {
    const std::string archive = Place("book.mvd");
    ExportDataArchive(archive);
    Configuration()->Company = "Lakeside Loans";
    SaveConfigurationFile(Live(ConfigurationFileName));
    const std::string before = ReadFile(Live(ConfigurationFileName));
    SetDataModified(true);

    // No to the question: nothing is chosen or changed.
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, ImportLosesChangesQuestion,
                    PromptAnswer::No);
    Trigger("&Import...");
    // Yes, then the chooser cancelled.
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, ImportLosesChangesQuestion,
                    PromptAnswer::Yes);
    Choose(QFileDialog::AcceptOpen, "");
    Trigger("&Import...");
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->Restarting());
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName)), before);
    EXPECT_FALSE(fs::exists(Live(DataFileName)));

    // Yes, the archive: the files are replaced, the message shown, and the window closes
    // without asking to save.
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, ImportLosesChangesQuestion,
                    PromptAnswer::Yes);
    Choose(QFileDialog::AcceptOpen, archive);
    prompter.Expect(PromptType::Information, PromptButtons::Ok,
                    "Duebell Data has been successfully imported.  Duebell will now restart.",
                    PromptAnswer::Ok);
    Trigger("&Import...");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->Restarting());
    EXPECT_TRUE(hooks.errors.empty());
    // The files are the archive's; the book in memory is not reloaded (the program restarts).
    SetConfiguration(nullptr);
    LoadConfigurationFile(Live(ConfigurationFileName));
    EXPECT_EQ(Configuration()->Company, "Hilltop Homes");
    LoadDataFile(Live(DataFileName));
    EXPECT_EQ(Data()->Clients->Count(), 1);
}

TEST_F(DataTransfer, ARefusedImportShowsWhyAndTheProgramGoesOn) {
    const std::string archive = Place("book.mvd");
    zip::ziptest::WriteFile(archive, "not an archive");
    Choose(QFileDialog::AcceptOpen, archive);
    Trigger("&Import...");
    ASSERT_EQ(hooks.errors.size(), 1u);
    EXPECT_EQ(hooks.errors[0], "Cannot import \"" + archive + "\": Not a valid zip file!");
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->Restarting());
    EXPECT_TRUE(fs::is_empty(data.path().toStdString()));
}

} // namespace
} // namespace duebell
