// The real program under an X server of its own (xserver.sh), driven with xdotool by
// realrun.sh: a first start, a start on a loan book with alerts, and a second copy on a locked
// folder, and an import that restarts the program. Afterwards the files the program wrote are
// read back here. Screenshots go to the
// test's build folder.
#include "app/main/dataarchive.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "support/smallbook.h"

#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace duebell {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream input(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(input), {});
}

class RealRun : public ::testing::Test {
protected:
    void TearDown() override {
        SetData(nullptr);
        SetConfiguration(nullptr);
    }

    // Runs the scenario; gives the driver's exit code and output.
    int Drive(const std::string& scenario, const std::string& archive = "") {
        QProcess driver;
        QStringList environment = QProcess::systemEnvironment();
        environment.removeIf([](const QString& v) { return v.startsWith("QT_QPA_PLATFORM="); });
        environment << "LSAN_OPTIONS=suppressions=" DUEBELL_REALRUN_LSAN;
        driver.setEnvironment(environment);
        driver.setProcessChannelMode(QProcess::MergedChannels);
        driver.start("timeout",
                     {"300", "bash", DUEBELL_XSERVER_SCRIPT, DUEBELL_REALRUN_SCRIPT,
                      DUEBELL_PROGRAM, data.path(), DUEBELL_TEST_OUTPUT_DIR,
                      QString::fromStdString(scenario), QString::fromStdString(archive)});
        EXPECT_TRUE(driver.waitForFinished(310000)) << "the driver did not end";
        output = driver.readAll().toStdString();
        return driver.exitStatus() == QProcess::NormalExit ? driver.exitCode() : -1;
    }
    fs::path File(const char* name) const { return fs::path(data.path().toStdString()) / name; }
    // The small book with alerts in the folder, each file ending with a comment the program's
    // own writer never writes.
    void SeedBook() {
        SetConfiguration(test::SetUpConfiguration());
        SetData(test::BookWithAlerts());
        SaveConfigurationFile(File(ConfigurationFileName).string());
        SaveDataFile(File(DataFileName).string());
        for (const char* name : {ConfigurationFileName, DataFileName})
            std::ofstream(File(name), std::ios::app) << "<!-- seeded -->\n";
        SetData(nullptr);
        SetConfiguration(nullptr);
    }

    QTemporaryDir data;
    std::string output;
};

TEST_F(RealRun, AFirstStartOpensTheSetUpHelpAndCtrlSWritesTheLoanBook) {
    ASSERT_EQ(Drive("first"), 0) << output;
    LoadDataFile(File(DataFileName).string());
    EXPECT_EQ(Data()->Mortgages->Count(), 0);
    // The configuration is written by the settings windows only.
    EXPECT_FALSE(fs::exists(File(ConfigurationFileName)));
    EXPECT_FALSE(fs::exists(File(".duebell.lock")));
}

TEST_F(RealRun, ALoanBookWithAlertsIsSavedAgainAndBothFilesLoad) {
    SeedBook();
    ASSERT_EQ(Drive("alerts"), 0) << output;
    const std::string saved = ReadFile(File(DataFileName));
    EXPECT_EQ(saved.find("seeded"), std::string::npos) << "Ctrl+S did not write the loan book";
    LoadDataFile(File(DataFileName).string());
    LoadConfigurationFile(File(ConfigurationFileName).string());
    EXPECT_EQ(Data()->Mortgages->Count(), 1);
    EXPECT_EQ(Data()->Clients->Count(), 1);
    EXPECT_EQ(Configuration()->Company, "Hilltop Homes");
}

TEST_F(RealRun, ASecondCopyOnALockedFolderSaysSoAndTouchesNothing) {
    SeedBook();
    const std::string before = ReadFile(File(DataFileName));
    ASSERT_EQ(Drive("locked"), 0) << output;
    EXPECT_EQ(ReadFile(File(DataFileName)), before);
}

TEST_F(RealRun, AnImportRestartsTheProgramOnTheImportedBookInTheSameFolder) {
    // The folder holds another lender's book, whose loan is not drawn down yet (no alerts);
    // the archive holds the small book with alerts.
    QTemporaryDir place;
    const std::string archive = place.filePath("hilltop.mvd").toStdString();
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    ExportDataArchive(archive, place.path().toStdString());
    Configuration()->Company = "Lakeside Loans";
    static_cast<TMorvaneClient*>(Data()->Clients->PeekFirst())->Surname = "Original";
    static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst())->Contract->PossessionDate =
        TDate(EncodeDate(2090, 1, 1));
    SaveConfigurationFile(File(ConfigurationFileName).string());
    SaveDataFile(File(DataFileName).string());
    SetData(nullptr);
    SetConfiguration(nullptr);

    ASSERT_EQ(Drive("import", archive), 0) << output;
    // What the restarted copy saved is the imported book.
    LoadDataFile(File(DataFileName).string());
    LoadConfigurationFile(File(ConfigurationFileName).string());
    EXPECT_EQ(static_cast<TMorvaneClient*>(Data()->Clients->PeekFirst())->Surname, "Nguyen");
    EXPECT_EQ(Configuration()->Company, "Hilltop Homes");
    EXPECT_FALSE(fs::exists(File(".duebell.lock")));
}

} // namespace
} // namespace duebell
