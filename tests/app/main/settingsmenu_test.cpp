// The settings dialogs and the Clients and Properties tabs in the real main window: the
// Configuration menu writes MV_CONFIG.XML after Save and after a list dialog changed an entry
// however it was closed, and a restart reads the changes back; only what the saved loan book
// depends on waits for its Save, which puts the two files in place together; a configuration
// that could not be written is written by Save or at exit; the two tabs hold their frames;
// every window's Help opens a page that describes it.
#include "app/dialogs/adminfeeaddedit.h"
#include "app/dialogs/adminfeeconfig.h"
#include "app/dialogs/breakcostaddedit.h"
#include "app/dialogs/clientaddedit.h"
#include "app/dialogs/feetypeaddedit.h"
#include "app/dialogs/feetypesconfig.h"
#include "app/dialogs/holidaydialogs.h"
#include "app/dialogs/holidaysconfig.h"
#include "app/dialogs/noticeperiodsdialog.h"
#include "app/dialogs/propertyaddedit.h"
#include "app/dialogs/ratechangeaddedit.h"
#include "app/dialogs/ratechangesconfig.h"
#include "app/dialogs/settingswindows.h"
#include "app/dialogs/systemconfigdialog.h"
#include "app/frames/clientpropertywindows.h"
#include "app/frames/clientsframe.h"
#include "app/frames/propertiesframe.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "app/main/startup.h"
#include "controls/exspinedit.h"
#include "controls/modalresult.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/processobjects.h"
#include "menupath.h"
#include "objectlist/clock.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"
#include "support/helprecorder.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"
#include "support/smallbook.h"
#include "wholeprogram.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace duebell {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream input(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(input), {});
}

void Press(QWidget& form, const char* name) {
    auto* button = form.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

void Type(QWidget& form, const char* name, const char* text) {
    auto* edit = form.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

class SettingsMenu : public ::testing::Test {
protected:
    SettingsMenu() {
        RegisterSettingsWindows();
        RegisterClientAndPropertyWindows();
    }
    void TearDown() override {
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
        SetConfigurationModified(false);
    }

    void Start() {
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        StartUpOptions options;
        options.folders = {folder.path().toStdString(), DUEBELL_HELP_CONTENT_DIR};
        options.splashWait = false;
        window = StartDuebell(options);
    }
    void Choose(const QString& path) {
        QAction* found = test::MenuPath(*window, path);
        ASSERT_NE(found, nullptr) << path.toStdString();
        ASSERT_TRUE(found->isEnabled()) << path.toStdString();
        found->trigger();
    }
    fs::path ConfigurationFile() const {
        return fs::path(folder.path().toStdString()) / ConfigurationFileName;
    }

    ScopedFixedClock clock{test::BookToday + 0.5};
    test::RecordingHooks hooks;
    testing::ScriptedPrompter prompter;
    test::HelpRecorder help;
    ScopedWindowRegistry registry;
    test::ManualTimers timers;
    test::DialogDriver driver;
    QTemporaryDir folder;
    std::unique_ptr<TfmMain> window;
};

TEST_F(SettingsMenu, ConfigurationChangesSurviveARestart) {
    Start();
    driver.Expect([](QDialog& shown) {
        Type(shown, "edtCompanyName", "Hilltop Homes");
        shown.findChild<QPlainTextEdit*>("edtUnstructuredAddress")->setPlainText("1 Main St");
        Type(shown, "edtSuburb", "Hilltop");
        Type(shown, "edtState", "QLD");
        Type(shown, "edtPostcode", "4000");
        Type(shown, "edtPhoneNo", "07 3123 4567");
        Press(shown, "btnSave");
        return mrNone;
    });
    Choose("&Configuration/&User Details");
    EXPECT_TRUE(fs::exists(ConfigurationFile()));

    driver.Expect([](QDialog& shown) {
        const std::pair<const char*, const char*> periods[] = {{"edtDefaultPeriod", "10"},
                                                               {"edtForeclosePeriod", "20"},
                                                               {"edtEvictionPeriod", "30"},
                                                               {"edtInstallmentFeePeriod", "7"}};
        for (const auto& [name, days] : periods)
            shown.findChild<TExSpinEdit*>(name)->setText(days);
        Press(shown, "btnSave");
        return mrNone;
    });
    Choose("&Configuration/&Notice Periods");

    // A holiday added, then the list closed with Cancel: the holiday is written all the same.
    driver.Expect([this](QDialog& shown) {
        driver.Expect([](QDialog& entry) {
            entry.findChild<QComboBox*>("cmbHolidayMonth")->setCurrentIndex(11);
            entry.findChild<QComboBox*>("cmbHolidayDay")->setCurrentIndex(11);
            Type(entry, "edtDescription", "Twelfth of December");
            Press(entry, "btnSave");
            return mrNone;
        });
        Press(shown, "btnAdd");
        Press(shown, "btnCancel");
        return mrNone;
    });
    Choose("&Configuration/&Public Holidays/&Recurring");
    EXPECT_NE(ReadFile(ConfigurationFile()).find("<DayStr>12th</DayStr>"), std::string::npos);

    // Closed without a change, a list dialog leaves the file alone.
    const auto written = fs::last_write_time(ConfigurationFile());
    fs::last_write_time(ConfigurationFile(), written - std::chrono::hours(1));
    driver.Expect([](QDialog& shown) {
        Press(shown, "btnCancel");
        return mrNone;
    });
    Choose("&Configuration/&Public Holidays/&Once-Off");
    EXPECT_EQ(fs::last_write_time(ConfigurationFile()), written - std::chrono::hours(1));

    Start();
    const TMorvaneConfiguration& read = *Configuration();
    EXPECT_EQ(read.Company, "Hilltop Homes");
    EXPECT_EQ(read.SystemConfiguration->EvictionPeriod, 30);
    ASSERT_EQ(read.RecurringPublicHolidayList->Count(), 1);
    const auto& holiday =
        static_cast<TMorvaneRecurringPublicHoliday&>(*read.RecurringPublicHolidayList->PeekFirst());
    EXPECT_EQ(holiday.Month, 12);
    EXPECT_EQ(holiday.Day, 12);
    EXPECT_EQ(holiday.Description, "Twelfth of December");
    // The first start guided to the user details; the second to the next step missing.
    EXPECT_EQ(help.requests, (std::vector<std::string>{"context 510", "context 525"}));
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(SettingsMenu, AConfigurationThatCouldNotBeWrittenIsWrittenBySaveOrAtExit) {
    Start();
    const auto setPeriods = [this](const char* eviction) {
        driver.Expect([eviction](QDialog& shown) {
            for (const char* name :
                 {"edtDefaultPeriod", "edtForeclosePeriod", "edtInstallmentFeePeriod"})
                shown.findChild<TExSpinEdit*>(name)->setText("10");
            shown.findChild<TExSpinEdit*>("edtEvictionPeriod")->setText(eviction);
            Press(shown, "btnSave");
            return mrNone;
        });
        Choose("&Configuration/&Notice Periods");
    };
    const auto written = [this] {
        const std::string text = ReadFile(ConfigurationFile());
        const std::size_t at = text.find("<EvictionPeriod>");
        return at == std::string::npos ? std::string() : text.substr(at + 16, 2);
    };
    const std::string cannotSave = "Cannot save \"" + ConfigurationFile().string() + "\"";

    fs::remove(ConfigurationFile());
    fs::create_directory(ConfigurationFile()); // the file cannot be written in its place
    setPeriods("45");
    ASSERT_EQ(hooks.errors.size(), 1u);
    EXPECT_EQ(hooks.errors[0].rfind(cannotSave, 0), 0u) << hooks.errors[0];
    fs::remove(ConfigurationFile());
    Choose("&File/&Save");
    EXPECT_EQ(written(), "45");

    fs::remove(ConfigurationFile());
    fs::create_directory(ConfigurationFile());
    setPeriods("46");
    ASSERT_EQ(hooks.errors.size(), 2u);
    fs::remove(ConfigurationFile());
    window->show();
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                    "Do you wish to save the changes to the loan book and the configuration "
                    "before exiting?",
                    PromptAnswer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(written(), "46");
}

// A setting saved is on disk at once, also after a fee type went. Only the deletion of the fee
// type that the saved loan book's one charge names waits for that book, and the window says so;
// closing names what Yes would save, and No loses only that. Save puts the two files in place
// together, or neither.
TEST_F(SettingsMenu, ASettingSavedIsSavedAndTheFilesAlwaysMakeAPair) {
    test::SeedDataFolder(folder.path().toStdString()); // its loan charged "Valuation"
    SetConfiguration(test::SetUpConfiguration());
    for (const char* name : {"Insurance", "Valuation"}) {
        auto type = MakeItem<TMorvaneFeeConfiguration>(Configuration());
        type->FeeDescription = name;
        type->NoticePeriod = 14;
        Configuration()->FeeList->Add(std::move(type));
    }
    SaveConfigurationFile(ConfigurationFile().string());
    const fs::path dataFile = fs::path(folder.path().toStdString()) / DataFileName;
    Start();
    const std::string savedBook = ReadFile(dataFile);

    const std::string waits =
        "Fee charges in the saved loan book name the fee type \"Valuation\": this change is "
        "saved with the loan book, when you next save it (File, Save).  Your other settings "
        "are saved as usual.";
    // The type's charges named in the question, and the window saying that the change waits.
    const auto deleteFeeType = [this, &waits](const char* name, const char* charges) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                        "WARNING!  Changing records may generate compliance issues\r"
                        "Are you sure you wish to Delete this record?",
                        PromptAnswer::Yes);
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                        std::string("Are you sure you wish to delete this record?") + charges,
                        PromptAnswer::Yes);
        if (*charges != 0)
            prompter.Expect(PromptType::Information, PromptButtons::Ok, waits, PromptAnswer::Ok);
        driver.Expect([name](QDialog& shown) {
            auto& grid = *shown.findChild<TTovObjectListGrid*>("stgHeaderGrid");
            for (int row = 1; row < grid.RowCount(); ++row)
                if (grid.Cells(0, row) == name)
                    grid.SelectRow(row);
            Press(shown, "btnDelete");
            Press(shown, "btnCancel");
            return mrNone;
        });
        Choose("&Configuration/&Fees/&Full Fees");
    };
    const auto setPeriod = [this](const char* spin, const char* days) {
        driver.Expect([spin, days](QDialog& shown) {
            shown.findChild<TExSpinEdit*>(spin)->setText(days);
            Press(shown, "btnSave");
            return mrNone;
        });
        Choose("&Configuration/&Notice Periods");
    };
    // What the file on disk holds: the fee types, the default and the eviction period.
    const auto onDisk = [this] {
        const std::string text = ReadFile(ConfigurationFile());
        std::string held;
        for (const char* name : {"Insurance", "Valuation"})
            if (text.find(std::string("<FeeDescription>") + name + "<") != std::string::npos)
                held += std::string(name) + " ";
        for (const char* period : {"<DefaultPeriod>", "<EvictionPeriod>"})
            held += text.substr(text.find(period) + std::strlen(period), 2) + " ";
        return held;
    };

    deleteFeeType("Insurance", ""); // no charge names it: it goes from the file at once
    setPeriod("edtDefaultPeriod", "21");
    EXPECT_EQ(onDisk(), "Valuation 21 60 ");
    deleteFeeType("Valuation", "\r1 fee charge of this type on the loans will be deleted with it.");
    setPeriod("edtEvictionPeriod", "45");
    EXPECT_EQ(onDisk(), "Valuation 21 45 ");

    window->show();
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                    "Do you wish to save the changes to the loan book and the configuration "
                    "before exiting?",
                    PromptAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(ReadFile(dataFile), savedBook);
    EXPECT_EQ(onDisk(), "Valuation 21 45 ");

    // The next start: a loan book that cannot be put in place takes the configuration back.
    SetDataModified(false);
    Start();
    deleteFeeType("Valuation", "\r1 fee charge of this type on the loans will be deleted with it.");
    fs::rename(dataFile, dataFile.string() + ".kept");
    fs::create_directories(dataFile / "in the way");
    Choose("&File/&Save");
    ASSERT_EQ(hooks.errors.size(), 1u);
    EXPECT_EQ(hooks.errors[0].rfind("Cannot save \"" + dataFile.string() + "\"", 0), 0u)
        << hooks.errors[0];
    EXPECT_EQ(onDisk(), "Valuation 21 45 ");
    fs::remove_all(dataFile);
    fs::rename(dataFile.string() + ".kept", dataFile);
    Choose("&File/&Save");
    EXPECT_EQ(onDisk(), "21 45 ");
    EXPECT_EQ(ReadFile(dataFile).find("Valuation"), std::string::npos);
    window->show();
    EXPECT_TRUE(window->close()); // nothing left to ask about
}

TEST_F(SettingsMenu, TheClientsAndPropertiesTabsHoldTheirFramesOverTheLoanBook) {
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    SaveConfigurationFile(ConfigurationFile().string());
    SaveDataFile((fs::path(folder.path().toStdString()) / DataFileName).string());
    Start();
    auto& pages = *window->findChild<QTabWidget*>("pgMain");
    const auto frameOn = [&pages](const char* caption) -> QWidget* {
        for (int i = 0; i < pages.count(); ++i)
            if (pages.tabText(i) == caption) {
                EXPECT_TRUE(pages.isTabEnabled(i)) << caption;
                return pages.widget(i);
            }
        ADD_FAILURE() << "no tab " << caption;
        return nullptr;
    };
    auto* clients = frameOn("Clients")->findChild<TfmeClients*>();
    auto* properties = frameOn("Properties")->findChild<TfmeProperty*>();
    ASSERT_NE(clients, nullptr);
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(clients->Grid()->ObjectList(), Data()->Clients.get());
    EXPECT_EQ(properties->Grid()->ObjectList(), Data()->Properties.get());
    EXPECT_EQ(clients->Grid()->Cells(1, 1), "Nguyen, Anh");
    EXPECT_EQ(properties->Grid()->Cells(0, 1), "0000001");
}

TEST_F(SettingsMenu, EveryWindowsHelpOpensAPageThatDescribesIt) {
    LoadHelpTopicsFile((fs::path(DUEBELL_HELP_CONTENT_DIR) / HelpTopicsFileName).string());
    std::map<int, std::string> pages;
    std::istringstream contexts(
        ReadFile(fs::path(DUEBELL_HELP_CONTENT_DIR) / "DuebellHelp" / "contexts.txt"));
    for (std::string line; std::getline(contexts, line);)
        if (!line.empty() && line[0] != '#')
            pages[std::stoi(line)] = line.substr(line.find('\t') + 1);

    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    std::vector<std::unique_ptr<TfmCustomDetailForm>> dialogs;
    dialogs.push_back(std::make_unique<TfmSystemConfig>());
    dialogs.push_back(std::make_unique<TfmOptions>());
    dialogs.push_back(std::make_unique<TfmFeesConfig>());
    dialogs.push_back(std::make_unique<TfmFeesAddEdit>());
    dialogs.push_back(std::make_unique<TfmAdministrationFeeConfig>());
    dialogs.push_back(std::make_unique<TfmInstallmentFeePenaltiesConfig>());
    dialogs.push_back(std::make_unique<TfmInstallmentFeePenaltiesAddEdit>());
    dialogs.push_back(std::make_unique<TfmPublicHolidaysConfig>());
    dialogs.push_back(std::make_unique<TfmPublicHolidaysAddEdit>());
    dialogs.push_back(std::make_unique<TfmPublicHolidaysRecurringConfig>());
    dialogs.push_back(std::make_unique<TfmPublicHolidaysRecurringAddEdit>());
    dialogs.push_back(std::make_unique<TfmRateChangesConfig>());
    dialogs.push_back(std::make_unique<TfmRateChangesAddEdit>());
    dialogs.push_back(std::make_unique<TfmPropertyAddEdit>());
    dialogs.push_back(std::make_unique<TfmClientsAddEdit>());
    dialogs.push_back(std::make_unique<TfmPayoutBreakCostsAddEdit>());
    for (const auto& dialog : dialogs) {
        const std::string name = dialog->objectName().toStdString();
        SCOPED_TRACE(name);
        help.requests.clear();
        Press(*dialog, "btnHelp");
        ASSERT_EQ(help.requests.size(), 1u);
        const int context = std::stoi(help.requests[0].substr(8)); // "context N"
        ASSERT_EQ(pages.count(context), 1u);
        const std::string page =
            ReadFile(fs::path(DUEBELL_HELP_CONTENT_DIR) / "DuebellHelp" / pages[context]);
        EXPECT_NE(page.find(dialog->windowTitle().toStdString()), std::string::npos)
            << pages[context];
    }
    HelpFile().FormHelpTopics->FreeAll();
    HelpFile().HelpMeWithTopics->FreeAll();
}

} // namespace
} // namespace duebell
