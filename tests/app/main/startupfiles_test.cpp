// Before the main window: the command line, the lock on the data folder, the leftovers of
// killed saves, and the set-up step the guidance opens.
#include "app/main/commandline.h"
#include "app/main/datafolderlock.h"
#include "app/main/leftovers.h"
#include "app/main/setupguidance.h"
#include "objectlist/atomicfile.h"
#include "objectlist/exceptions.h"
#include "support/smallbook.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace duebell {
namespace {

namespace fs = std::filesystem;

TEST(CommandLine, TheDataFolderComesFromTheOptionThenTheEnvironmentThenTheProgramsFolder) {
    struct Case {
        QStringList arguments;
        std::string environment;
        std::string folder;
        bool splashWait;
    };
    const std::vector<Case> cases = {
        {{"duebell"}, "", "/opt/duebell", true},
        {{"duebell"}, "/srv/book", "/srv/book", true},
        {{"duebell", "--data-dir", "/home/a/book"}, "/srv/book", "/home/a/book", true},
        {{"duebell", "--data-dir=/home/a/b c"}, "", "/home/a/b c", true},
        {{"duebell", "--no-splash-wait", "--data-dir", "x"}, "", "x", false},
    };
    for (const Case& c : cases) {
        const CommandLine line = ReadCommandLine(c.arguments, c.environment, "/opt/duebell");
        EXPECT_EQ(line.dataFolder, c.folder) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.splashWait, c.splashWait) << c.arguments.join(' ').toStdString();
    }
    const std::vector<std::pair<QStringList, std::string>> refused = {
        {{"duebell", "--data-dir"}, "The option --data-dir needs a folder."},
        {{"duebell", "--data-dir="}, "The option --data-dir needs a folder."},
        {{"duebell", "--data"}, "Unknown option \"--data\"."},
        {{"duebell", "book"}, "Unknown option \"book\"."},
    };
    for (const auto& [arguments, message] : refused) {
        try {
            ReadCommandLine(arguments, "", "/opt/duebell");
            ADD_FAILURE() << arguments.join(' ').toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), message + "\rStart Duebell as: duebell [--data-dir FOLDER] "
                                             "[--no-splash-wait]");
        }
    }
}

TEST(DataFolderLock, OneCopyAtATimeAndTheLockOfACrashedCopyIsTakenOver) {
    QTemporaryDir temporary;
    const std::string folder = (fs::path(temporary.path().toStdString()) / "new" / "book").string();
    {
        DataFolderLock first(folder);
        first.Lock(); // creates the folder
        EXPECT_TRUE(fs::exists(fs::path(folder) / DataFolderLockName));
        DataFolderLock second(folder);
        try {
            second.Lock();
            FAIL() << "two copies locked one folder";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), "Duebell is already running on the data in \"" + folder +
                                       "\".  Close it before starting Duebell again.");
        }
    }
    // A copy that dies holding the lock leaves the lock file behind; its process is gone.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile crashed(QString::fromStdString(folder) + "/" + DataFolderLockName);
        _exit(crashed.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(fs::path(folder) / DataFolderLockName));
    DataFolderLock after(folder);
    EXPECT_NO_THROW(after.Lock());

    // A folder that cannot be made.
    std::ofstream(fs::path(temporary.path().toStdString()) / "file") << "x";
    const std::string impossible = temporary.path().toStdString() + "/file/book";
    DataFolderLock nowhere(impossible);
    try {
        nowhere.Lock();
        FAIL() << "locked a folder under a file";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "Duebell cannot write to its data folder \"" + impossible +
                                   "\".  Start it with --data-dir and a folder you may write to.");
    }
}

TEST(Leftovers, OnlyTheTemporaryFilesOfOurOwnSavesAreRemoved) {
    const std::vector<std::pair<std::string, bool>> names = {
        {"MV_DATA.XML.a1B2c3.tmp", true},   {"MV_CONFIG.XML.zzzzzz.tmp", true},
        {"MV_HELP.XML.000000.tmp", true},   {"MV_DATA.XML.a1B2c.tmp", false},
        {"MV_DATA.XML.a1B2c34.tmp", false}, {"MV_DATA.XML.a1-2c3.tmp", false},
        {"MV_DATA.XML.a1B2c3.tmp~", false}, {"mv_data.xml.a1B2c3.tmp", false},
        {"OTHER.XML.a1B2c3.tmp", false},    {"MV_DATA.XML", false},
        {"MV_DATA.XML.a1B2c3.TMP", false},
    };
    for (const auto& [name, leftover] : names)
        EXPECT_EQ(IsLeftoverSaveFile(name, name.rfind("MV_CONFIG", 0) == 0 ? "MV_CONFIG.XML"
                                           : name.rfind("MV_HELP", 0) == 0 ? "MV_HELP.XML"
                                                                           : "MV_DATA.XML"),
                  leftover)
            << name;

    QTemporaryDir temporary;
    const fs::path folder = temporary.path().toStdString();
    // The pattern is the one the atomic writer really uses.
    std::string writersName;
    {
        AtomicFileWriter writer((folder / "MV_DATA.XML").string());
        writersName = fs::path(writer.temporaryPath()).filename().string();
    }
    EXPECT_TRUE(IsLeftoverSaveFile(writersName, "MV_DATA.XML")) << writersName;

    for (const auto& [name, leftover] : names)
        std::ofstream(folder / name) << "x";
    fs::create_directory(folder / "MV_DATA.XML.dir123.tmp"); // not a file: kept
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directory(elsewhere);
    std::ofstream(elsewhere / "real.xml") << "<x/>";
    std::ofstream(elsewhere / "real.xml.Q1w2E3.tmp") << "half";
    fs::remove(folder / "MV_DATA.XML");
    fs::create_symlink(elsewhere / "real.xml", folder / "MV_DATA.XML");

    std::vector<std::string> removed = RemoveLeftoverSaveFiles(folder.string());
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::string>{
                           (folder / "MV_CONFIG.XML.zzzzzz.tmp").string(),
                           (folder / "MV_DATA.XML.a1B2c3.tmp").string(),
                           (folder / "MV_HELP.XML.000000.tmp").string(),
                           (elsewhere / "real.xml.Q1w2E3.tmp").string(),
                       }));
    for (const auto& [name, leftover] : names)
        EXPECT_EQ(fs::exists(folder / name), !leftover) << name;
    EXPECT_TRUE(fs::is_directory(folder / "MV_DATA.XML.dir123.tmp"));
}

TEST(SetupGuidance, TheFirstMissingStepInOrderAndTheBookOnlyOnceTheConfigurationIsDone) {
    std::unique_ptr<TMorvaneConfiguration> configuration = test::SetUpConfiguration();
    std::unique_ptr<TMorvaneData> book = test::BookWithAlerts();
    EXPECT_EQ(SetupHelpContext(*configuration, *book), 0);

    struct Step {
        std::function<void()> undo;
        int context;
    };
    TMorvaneSystemConfiguration& periods = *configuration->SystemConfiguration;
    const std::vector<Step> steps = {
        // Undone from the last step back: each undo makes its step the first one missing.
        {[&] { book->Mortgages->FreeAll(); }, 570},
        {[&] { book->Properties->FreeAll(); }, 560},
        {[&] { book->Clients->FreeAll(); }, 550},
        {[&] { configuration->PublicHolidayList->FreeAll(); }, 540},
        {[&] { configuration->RecurringPublicHolidayList->FreeAll(); }, 530},
        {[&] { configuration->InstallmentFeePenalties->FreeAll(); }, 525},
        {[&] {
             periods.DefaultPeriod = 2;
             periods.ForeclosePeriod = 1;
             periods.EvictionPeriod = 1;
             periods.InstallmentFeePeriod = 0; // 4 days in all
         },
         520},
        {[&] { configuration->Address->UnstructuredAddress.clear(); }, 520},
        {[&] { configuration->Address->PostCode.clear(); }, 520},
        {[&] { configuration->ContactDetails->PhoneNo.clear(); }, 510},
    };
    for (const Step& step : steps) {
        step.undo();
        EXPECT_EQ(SetupHelpContext(*configuration, *book), step.context);
    }

    // Five days pass; periods whose sum passes the largest integer are a long wait, not a
    // negative one. A complete configuration with an empty book asks for a client first.
    configuration = test::SetUpConfiguration();
    book = test::BookWithAlerts();
    book->Mortgages->FreeAll();
    book->Clients->FreeAll();
    configuration->SystemConfiguration->DefaultPeriod = 2;
    configuration->SystemConfiguration->ForeclosePeriod = 1;
    configuration->SystemConfiguration->EvictionPeriod = 1;
    configuration->SystemConfiguration->InstallmentFeePeriod = 1;
    EXPECT_EQ(SetupHelpContext(*configuration, *book), 550);
    configuration->SystemConfiguration->DefaultPeriod = 2147483647;
    EXPECT_EQ(SetupHelpContext(*configuration, *book), 550);
    configuration->InstallmentFeePenalties->FreeAll();
    EXPECT_EQ(SetupHelpContext(*configuration, *book), 525);
}

} // namespace
} // namespace duebell
