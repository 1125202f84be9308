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
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "scriptedprompter.h"
#include "support/archivebuilder.h"
#include "support/dialogdriver.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"
#include "support/smallbook.h"
#include "support/testfiles.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>

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
        SetConfigurationModified(false);
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
    // The chooser's next answer: the file, or cancel when empty. What the work after it shows
    // is looked at as soon as the program paints.
    void Choose(QFileDialog::AcceptMode mode, const std::string& file) {
        driver.Expect([this, mode, file](QDialog& dialog) {
            QTimer::singleShot(0, [this] { LookAtTheWork(); });
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
    // The chooser's answer for a file that exists, as after Yes to the chooser's "replace?".
    void ChooseExisting(const std::string& file) {
        driver.Expect([file](QDialog& dialog) {
            dynamic_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(file));
            return int(QDialog::Accepted);
        });
    }
    // Export to the file; the error shown, empty when none was.
    std::string ExportShowing(const std::string& file) {
        hooks.errors.clear();
        ChooseExisting(file);
        Trigger("&Export...");
        return hooks.errors.empty() ? "" : hooks.errors.back();
    }
    void LookAtTheWork() {
        const QCursor* cursor = QApplication::overrideCursor();
        cursorDuringWork = cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
    }
    std::string Live(const char* name) const { return data.filePath(name).toStdString(); }
    std::string Place(const char* name) const { return place.filePath(name).toStdString(); }

    std::optional<Qt::CursorShape> cursorDuringWork;
    const ScopedFixedClock clock{EncodeDate(2024, 1, 31) + EncodeTime(15, 45, 0, 0)};
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
    // Busy from the moment the chooser closed to the end of the work.
    EXPECT_EQ(cursorDuringWork, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(zip::ziptest::RunCommand("unzip -tq " + zip::ziptest::Quote(Place("book.mvd"))), 0);
    EXPECT_TRUE(DataModified());
    EXPECT_TRUE(hooks.errors.empty());
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                    "Do you wish to save the changes to the loan book before exiting?",
                    PromptAnswer::Cancel);
    EXPECT_FALSE(window->close());
}

TEST_F(DataTransfer, ExportIsRefusedWhileADataFileCouldNotBeReadSayingWhichAndWhy) {
    zip::ziptest::WriteFile(Live(DataFileName), "<MorvaneData><Clients></MorvaneData>");
    EXPECT_THROW(LoadDataFile(Live(DataFileName)), Exception);
    const std::string shown = ExportShowing(Place("book.mvd"));
    const std::string start =
        "Cannot export: Cannot read \"" + Live(DataFileName) + "\".  Error at Line 1 Column ";
    EXPECT_EQ(shown.substr(0, start.size()), start);
    EXPECT_TRUE(shown.ends_with("  An export now would not hold what that file holds.")) << shown;
    EXPECT_TRUE(fs::is_empty(place.path().toStdString()));

    // Once the file reads, the export goes ahead.
    SaveDataFile(Place("good.xml"));
    fs::rename(Place("good.xml"), Live(DataFileName));
    LoadDataFile(Live(DataFileName));
    EXPECT_EQ(ExportShowing(Place("book.mvd")), "");
    EXPECT_EQ(zip::ziptest::RunCommand("unzip -tq " + zip::ziptest::Quote(Place("book.mvd"))), 0);
}

TEST_F(DataTransfer, ExportReplacesOnlyAnArchiveNeverTheProgramsOwnFilesAndFollowsALink) {
    SaveDataFile(Live(DataFileName));
    SaveConfigurationFile(Live(ConfigurationFileName));
    zip::ziptest::WriteFile(Live(".duebell.lock"), "");
    zip::ziptest::WriteFile(Place("notes.mvd"), "just notes");
    fs::create_symlink(Live(ConfigurationFileName), Place("settings.mvd"));
    const std::map<std::string, std::string> before = {
        {Live(DataFileName), ReadFile(Live(DataFileName))},
        {Live(ConfigurationFileName), ReadFile(Live(ConfigurationFileName))},
        {Live(".duebell.lock"), ""},
        {Place("notes.mvd"), "just notes"}};

    EXPECT_EQ(ExportShowing(Place("notes.mvd")), "Incomplete Zip File");
    for (const char* own : {DataFileName, ConfigurationFileName, ".duebell.lock"})
        EXPECT_EQ(ExportShowing(Live(own)), "Cannot export to \"" + Live(own) +
                                                "\": it is Duebell's own " + own +
                                                ", which an export never replaces.");
    EXPECT_EQ(ExportShowing(Place("settings.mvd")),
              "Cannot export to \"" + Place("settings.mvd") +
                  "\": it is Duebell's own MV_CONFIG.XML, which an export never replaces.");
    for (const auto& [file, content] : before)
        EXPECT_EQ(ReadFile(file), content) << file;

    // A link to an archive: the archive is replaced, the link stays.
    EXPECT_EQ(ExportShowing(Place("old.mvd")), "");
    fs::create_symlink(Place("old.mvd"), Place("link.mvd"));
    const std::string firstExport = ReadFile(Place("old.mvd"));
    Configuration()->Company = "Lakeside Loans";
    EXPECT_EQ(ExportShowing(Place("link.mvd")), "");
    EXPECT_TRUE(fs::is_symlink(Place("link.mvd")));
    EXPECT_NE(ReadFile(Place("old.mvd")), firstExport);
    EXPECT_EQ(zip::ziptest::RunCommand("unzip -p " + zip::ziptest::Quote(Place("old.mvd")) +
                                       " MV_CONFIG.XML | grep -q 'Lakeside Loans'"),
              0);
}

TEST_F(DataTransfer, ImportAsksFirstWithUnsavedChangesThenReplacesTheFilesAndClosesToRestart) {
    const std::string archive = Place("book.mvd");
    ExportDataArchive(archive, data.path().toStdString());
    Configuration()->Company = "Lakeside Loans";
    SaveConfigurationFile(Live(ConfigurationFileName));
    const std::string before = ReadFile(Live(ConfigurationFileName));
    // A copy kept by an earlier import at the same time.
    const std::string stamp = ".before-import-20240131-154500";
    zip::ziptest::WriteFile(Live(ConfigurationFileName) + stamp, "<stale/>");

    // A configuration change not written (its write failed), and No: nothing is chosen or
    // changed.
    SetConfigurationModified(true);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "The configuration has changes that have not been saved, and importing loses "
                    "them.  Do you wish to import anyway?",
                    PromptAnswer::No);
    Trigger("&Import...");
    // Changes to the loan book too, Yes, then the chooser cancelled.
    SetDataModified(true);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "The loan book and the configuration have changes that have not been saved, "
                    "and importing loses them.  Do you wish to import anyway?",
                    PromptAnswer::Yes);
    Choose(QFileDialog::AcceptOpen, "");
    Trigger("&Import...");
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->Restarting());
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName)), before);
    EXPECT_FALSE(fs::exists(Live(DataFileName)));

    // The loan book's changes alone, Yes, the archive: the files are replaced with the busy
    // cursor showing, the message shown, and the window closes without asking to save.
    SetConfigurationModified(false);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, LoanBookChangesQuestion,
                    PromptAnswer::Yes);
    Choose(QFileDialog::AcceptOpen, archive);
    prompter.Expect(PromptType::Information, PromptButtons::Ok,
                    "Duebell Data has been successfully imported.  Duebell will now restart.\r\r"
                    "What it replaced is kept in the data folder as:\r"
                    "MV_CONFIG.XML.before-import-20240131-154500-2",
                    PromptAnswer::Ok);
    Trigger("&Import...");
    EXPECT_EQ(cursorDuringWork, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->Restarting());
    EXPECT_TRUE(hooks.errors.empty());
    // The configuration it replaced is kept beside it, the earlier copy too; there was no
    // loan book to keep.
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName) + stamp + "-2"), before);
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName) + stamp), "<stale/>");
    EXPECT_FALSE(fs::exists(Live(DataFileName) + stamp + "-2"));
    // The files are the archive's; the book in memory is not reloaded (the program restarts).
    SetConfiguration(nullptr);
    LoadConfigurationFile(Live(ConfigurationFileName));
    EXPECT_EQ(Configuration()->Company, "Hilltop Homes");
    LoadDataFile(Live(DataFileName));
    EXPECT_EQ(Data()->Clients->Count(), 1);
}

TEST_F(DataTransfer, ARefusedImportShowsWhyAndTheProgramGoesOn) {
    const std::string archive = Place("book.mvd");
    const struct {
        std::string image;
        std::string refusal;
    } cases[] = {
        {"not an archive", "Not a valid zip file!"},
        // Read as a loan book, this is one blank loan that no ledger can be built for.
        {zip::ziptest::BuildArchive({zip::ziptest::StoredEntry(
             "MV_DATA.XML", "<MorvaneData><Mortgages><Note>x</Note></Mortgages></MorvaneData>")}),
         "its MV_DATA.XML holds a loan Duebell cannot calculate.  Loan \"\": Internal error.  "
         "Unknown frequency"},
    };
    for (const auto& [image, refusal] : cases) {
        hooks.errors.clear();
        zip::ziptest::WriteFile(archive, image);
        Choose(QFileDialog::AcceptOpen, archive);
        Trigger("&Import...");
        ASSERT_EQ(hooks.errors.size(), 1u);
        EXPECT_EQ(hooks.errors[0], "Cannot import \"" + archive + "\": " + refusal);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->Restarting());
        EXPECT_TRUE(fs::is_empty(data.path().toStdString()));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

} // namespace
} // namespace duebell
