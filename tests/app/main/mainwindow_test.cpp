// The main window: its caption, tabs and menus, loading and saving, the help list, the set-up
// guidance at start-up, the daily refresh and the questions before closing.
#include "app/framework/helpsystem.h"
#include "app/framework/windowregistry.h"
#include "app/main/dataarchive.h"
#include "app/main/mainmenu.h"
#include "app/main/mainwindow.h"
#include "app/main/startup.h"
#include "controls/modalresult.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "menupath.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "scriptedprompter.h"
#include "support/helprecorder.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"
#include "support/smallbook.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace duebell {
namespace {

namespace fs = std::filesystem;

// Counts the refresh signals (record added, no record) a list sends.
struct RefreshCounter : ITovListListener {
    int refreshes = 0;
    void ListChanged(TTovObjectList*, TTovObjectItem* item, TTovChangeKind kind) override {
        refreshes += kind == ckItemAdded && item == nullptr ? 1 : 0;
    }
};

std::string ReadFile(const fs::path& path) {
    std::ifstream input(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(input), {});
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : clock(test::BookToday + 0.5) {}
    void TearDown() override {
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    MainWindowFolders Folders() const {
        return {folder.path().toStdString(), DUEBELL_HELP_CONTENT_DIR};
    }
    fs::path DataFile(const char* name) const { return fs::path(Folders().dataFolder) / name; }
    TfmMain& Make() {
        window = std::make_unique<TfmMain>(Folders());
        return *window;
    }
    TfmMain& Start() {
        StartUpOptions options;
        options.folders = Folders();
        options.splashWait = false;
        window = StartDuebell(options);
        return *window;
    }
    // Loads the small book with alerts as the program's own.
    void InstallBook() {
        SetConfiguration(test::SetUpConfiguration());
        SetData(test::BookWithAlerts());
    }
    QAction* Action(const QString& path) { return test::MenuPath(*window, path); }
    QTabWidget& Pages() { return *window->findChild<QTabWidget*>("pgMain"); }

    ScopedFixedClock clock;
    test::RecordingHooks hooks;
    testing::ScriptedPrompter prompter;
    test::HelpRecorder help;
    ScopedWindowRegistry registry;
    test::ManualTimers timers;
    QTemporaryDir folder;
    std::unique_ptr<TfmMain> window;
};

// The menus as "caption" lines, submenus indented, hidden entries marked.
void ListMenu(const QList<QAction*>& actions, const std::string& indent,
              std::vector<std::string>& lines) {
    for (QAction* action : actions) {
        std::string line = indent + action->text().toStdString();
        if (!action->isVisible())
            line += " (hidden)";
        if (!action->shortcut().isEmpty())
            line += " [" + action->shortcut().toString().toStdString() + "]";
        lines.push_back(line);
        if (action->menu() != nullptr)
            ListMenu(action->menu()->actions(), indent + "  ", lines);
    }
}

TEST_F(MainWindowTest, CaptionMenusAndTheirEntriesInOrder) {
    Make();
    EXPECT_EQ(window->windowTitle(), "Duebell v1.01");
    EXPECT_EQ(QApplication::applicationName(), "Duebell");
    std::vector<std::string> lines;
    ListMenu(window->menuBar()->actions(), "", lines);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "&File",
                         "  &Import...",
                         "  &Export...",
                         "  &Save [Ctrl+S]",
                         "  E&xit",
                         "&Configuration",
                         "  &User Details",
                         "  &Notice Periods",
                         "  &Interest Rates",
                         "  &Fees",
                         "    &Full Fees",
                         "    &Instalment Fees",
                         "    &Arrears Administration Fee",
                         "  &Public Holidays",
                         "    &Recurring",
                         "    &Once-Off",
                         "&Print",
                         "  Loan &Reports",
                         "    Payment &Change",
                         "    &Statement of Account",
                         "    &Payout",
                         "    &Draw Down",
                         "  Loan &Notices",
                         "    &Arrears",
                         "    &Default",
                         "    &Termination",
                         "    &Vacate Property",
                         "  &Fee Notices",
                         "    &Full Fee",
                         "    Full Fee &Arrears",
                         "    Full Fee &Default",
                         "    Full Fee Termination",
                         "    Full Fee Vacate Property",
                         "  &Bookkeeping Reports (hidden)",
                         "    &Initial Bookkeeping Report",
                         "    &Periodical Bookkeeping Report",
                         "    &Final Bookkeeping Report",
                         "  Address &Labels",
                         "&Help",
                         "  &Duebell Help",
                         "  &About...",
                     }));
}

TEST_F(MainWindowTest, EntriesOpenTheirWindowsThroughTheRegistryAndAreDisabledWithoutOne) {
    std::vector<std::string> opened;
    int settingsResult = mrOk;
    const auto record = [&opened](const std::string& name, int result) {
        return [&opened, name, result](const WindowRequest& request) {
            opened.push_back(name + (request.mode == mmEdit ? " edit" : ""));
            OpenedWindow window;
            window.modalResult = result;
            return window;
        };
    };
    RegisterWindow("TfmReportStatement", record("statement", mrCancel));
    RegisterWindow("TfmReportAccountingInitial", record("initial", mrCancel));
    RegisterWindow("TfmOptions", [&](const WindowRequest& request) {
        return record("options", settingsResult)(request);
    });
    InstallBook();
    Make();

    EXPECT_FALSE(Action("&Print/Loan &Reports/&Payout")->isEnabled());
    EXPECT_FALSE(Action("&File/&Import...")->isEnabled());
    EXPECT_FALSE(Action("&Help/&About...")->isEnabled());
    EXPECT_TRUE(Action("&Print/&Bookkeeping Reports/&Final Bookkeeping Report")->isEnabled());
    EXPECT_TRUE(Action("&File/&Save")->isEnabled());
    EXPECT_TRUE(Action("&Help/&Duebell Help")->isEnabled());

    Action("&Print/Loan &Reports/&Statement of Account")->trigger();
    EXPECT_FALSE(DataModified());
    Action("&Print/&Bookkeeping Reports/&Initial Bookkeeping Report")->trigger();
    EXPECT_TRUE(DataModified());
    // A settings dialog ended with OK writes the configuration; Cancel does not.
    settingsResult = mrCancel;
    Action("&Configuration/&Notice Periods")->trigger();
    EXPECT_FALSE(fs::exists(DataFile(ConfigurationFileName)));
    settingsResult = mrOk;
    Action("&Configuration/&Notice Periods")->trigger();
    EXPECT_TRUE(fs::exists(DataFile(ConfigurationFileName)));
    Action("&Print/&Bookkeeping Reports/&Final Bookkeeping Report")->trigger(); // does nothing
    Action("&Help/&Duebell Help")->trigger();
    EXPECT_EQ(opened, (std::vector<std::string>{"statement edit", "initial edit", "options edit",
                                                "options edit"}));
    EXPECT_EQ(help.requests, std::vector<std::string>{"contents"});
    EXPECT_TRUE(hooks.errors.empty());
}

// The menus' actions that open a window.
void WindowActions(const QList<QAction*>& actions, std::vector<QAction*>& found) {
    for (QAction* action : actions) {
        if (action->menu() != nullptr)
            WindowActions(action->menu()->actions(), found);
        else if (action->text() != "&Save" && action->text() != "E&xit" &&
                 action->text() != "&Duebell Help" && action->text() != "&Final Bookkeeping Report")
            found.push_back(action);
    }
}

TEST_F(MainWindowTest, WithEveryWindowRegisteredEveryEntryAndTabIsEnabled) {
    const auto nothing = [](const WindowRequest&) { return OpenedWindow{}; };
    for (const std::string& name : MainMenuWindows())
        RegisterWindow(name, nothing);
    for (const MainTab& tab : MainTabs())
        RegisterWindow(tab.frameClass, nothing);
    InstallBook();
    Make().AddTabs();
    std::vector<QAction*> actions;
    WindowActions(window->menuBar()->actions(), actions);
    EXPECT_EQ(actions.size(), MainMenuWindows().size());
    for (QAction* action : actions)
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    for (int i = 0; i < Pages().count(); ++i)
        EXPECT_TRUE(Pages().isTabEnabled(i)) << i;
}

TEST_F(MainWindowTest, SixTabsInOrderEachWithItsRegisteredFrameAndList) {
    std::map<std::string, TTovObjectList*> given;
    for (const char* frame : {"TfmeClients", "TfmeDuebells", "TfmeLoanTransactions"}) {
        RegisterWindow(frame, [&given, frame](const WindowRequest& request) {
            given[frame] = request.list;
            OpenedWindow opened;
            opened.widget = std::make_unique<QLabel>(frame);
            return opened;
        });
    }
    InstallBook();
    Make().AddTabs();
    QTabWidget& pages = Pages();
    std::vector<std::string> tabs;
    for (int i = 0; i < pages.count(); ++i)
        tabs.push_back(pages.tabText(i).toStdString() +
                       (pages.isTabEnabled(i) ? "" : " (disabled)"));
    EXPECT_EQ(tabs, (std::vector<std::string>{
                        "Loan Transactions", "Full Fee Transactions (disabled)", "Clients",
                        "Properties (disabled)", "Loans (disabled)", "Duebells"}));
    EXPECT_EQ(given["TfmeClients"], Data()->Clients.get());
    EXPECT_EQ(given["TfmeDuebells"], &EmptyAlertList());
    EXPECT_EQ(given["TfmeLoanTransactions"], nullptr);
    EXPECT_NE(pages.widget(2)->findChild<QLabel*>(), nullptr);
}

TEST_F(MainWindowTest, FirstStartInAnEmptyFolderOpensTheFirstSetUpStepAndWritesNothing) {
    RefreshCounter clients;
    RegisterWindow("TfmeClients", [&clients](const WindowRequest& request) {
        request.list->AddListener(&clients);
        return OpenedWindow{};
    });
    Start();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Data()->Clients->Count() + Data()->Properties->Count() + Data()->Mortgages->Count(),
              0);
    EXPECT_EQ(Pages().count(), 6);
    EXPECT_EQ(help.requests, std::vector<std::string>{"context 510"});
    EXPECT_EQ(clients.refreshes, 1); // the start-up's refresh signal reached the frame
    Data()->Clients->RemoveListener(&clients);
    EXPECT_TRUE(fs::is_empty(Folders().dataFolder));
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(MainWindowTest, HelpThatFailsAtTheSetUpGuidanceIsReportedAndTheProgramStarts) {
    struct FailingHelp final : HelpSystem {
        void ShowContext(int) override { throw Exception("The help could not be shown."); }
        void ShowContents() override {}
        void ShowTopic(const std::string&) override {}
    } failing;
    HelpSystem* const previous = SetHelpSystem(&failing);
    Start();
    SetHelpSystem(previous);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"The help could not be shown."});
    EXPECT_EQ(Pages().count(), 6);
}

TEST_F(MainWindowTest, AFileThatCannotBeReadIsReportedAndNeverSavedOver) {
    const std::string broken =
        "<?xml version=\"1.0\"?>\n<MorvaneData>\n  <Clients>\n</MorvaneData>\n";
    std::ofstream(DataFile(DataFileName), std::ios::binary) << broken;
    SetConfiguration(test::SetUpConfiguration());
    SaveConfigurationFile(DataFile(ConfigurationFileName).string());
    SetConfiguration(nullptr);

    Start();
    ASSERT_EQ(hooks.errors.size(), 1u);
    EXPECT_EQ(hooks.errors[0].rfind("Cannot read \"" + DataFile(DataFileName).string() +
                                        "\".  Error at Line 4 Column ",
                                    0),
              0u)
        << hooks.errors[0];
    // The lender is told where they stand, and the caption keeps saying it.
    const std::string advice =
        "\r\rDuebell shows an empty loan book in its place.  Nothing entered now can be saved "
        "over the file that could not be read, nor exported.  To recover, close Duebell and put a "
        "good copy of the file back (each import keeps the book it replaced as "
        "MV_DATA.XML.before-import- followed by its date and time), or use File > Import with an "
        "export of the book.";
    EXPECT_TRUE(hooks.errors[0].ends_with(advice)) << hooks.errors[0];
    EXPECT_EQ(window->windowTitle(),
              "Duebell v1.01 - the loan book could not be read: nothing is saved");
    ASSERT_NE(Data(), nullptr);
    EXPECT_EQ(Data()->Clients->Count(), 0);
    EXPECT_EQ(help.requests, std::vector<std::string>{"context 550"}); // the configuration loaded

    SetDataModified(true);
    Action("&File/&Save")->trigger();
    ASSERT_EQ(hooks.errors.size(), 2u);
    EXPECT_NE(hooks.errors[1].find("the file could not be read"), std::string::npos);
    EXPECT_EQ(ReadFile(DataFile(DataFileName)), broken);
}

// A truncated configuration: the loan book is shown, but without the lender's notice periods
// every loan would read as long overdue. No alert is raised from it, and neither file is written.
TEST_F(MainWindowTest, AConfigurationThatCannotBeReadRaisesNoAlertAndNothingIsSaved) {
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    SaveConfigurationFile(DataFile(ConfigurationFileName).string());
    SaveDataFile(DataFile(DataFileName).string());
    const std::string whole = ReadFile(DataFile(ConfigurationFileName));
    const std::string truncated = whole.substr(0, whole.size() / 2);
    std::ofstream(DataFile(ConfigurationFileName), std::ios::binary | std::ios::trunc) << truncated;
    std::ofstream(DataFile(DataFileName), std::ios::app) << "<!-- never written by Duebell -->\n";
    const std::string book = ReadFile(DataFile(DataFileName));
    SetData(nullptr);
    SetConfiguration(nullptr);
    RegisterWindow("TfmOptions", [](const WindowRequest&) {
        OpenedWindow saved;
        saved.modalResult = mrOk;
        return saved;
    });

    Start();
    ASSERT_EQ(hooks.errors.size(), 1u);
    const std::string path = DataFile(ConfigurationFileName).string();
    EXPECT_EQ(hooks.errors[0].rfind("Cannot read \"" + path + "\".  Error at Line ", 0), 0u)
        << hooks.errors[0];
    EXPECT_TRUE(hooks.errors[0].ends_with(
        "\r\rDuebell shows the loan book without the settings of that file: no notice periods, "
        "interest rate changes, fees or public holidays, and so no alerts.  Nothing entered now "
        "can be saved, nor exported.  To recover, close Duebell and put a good copy of the file "
        "back (each import keeps the configuration it replaced as MV_CONFIG.XML.before-import- "
        "followed by its date and time), or use File > Import with an export of the book."))
        << hooks.errors[0];
    EXPECT_EQ(window->windowTitle(),
              "Duebell v1.01 - the configuration could not be read: nothing is saved");
    EXPECT_TRUE(help.requests.empty()); // no set-up step sends the lender to unsaved settings
    EXPECT_EQ(Data()->Mortgages->Count(), 1);
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 0); // the Duebells tab lists none, and is not red
    EXPECT_FALSE(Data()->HasAlerts);
    static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst())->Recalculate(); // a loan edited
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 0);

    // A settings window's Save, the loan book's Save, Yes at exit and Export all refuse.
    const std::string cannotSave = "Cannot save \"" + path + "\": the file could not be read";
    Action("&Configuration/&Notice Periods")->trigger();
    SetDataModified(true);
    Action("&File/&Save")->trigger();
    window->show();
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                    "Do you wish to save the changes to the loan book and the configuration "
                    "before exiting?",
                    PromptAnswer::Yes);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(hooks.errors.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(hooks.errors[i].rfind(cannotSave, 0), 0u) << hooks.errors[i];
    EXPECT_THROW(ExportDataArchive(folder.filePath("book.mvd").toStdString(), Folders().dataFolder),
                 Exception);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel,
                    "Do you wish to save the changes to the loan book and the configuration "
                    "before exiting?",
                    PromptAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(ReadFile(DataFile(ConfigurationFileName)) == truncated) << "configuration written";
    EXPECT_TRUE(ReadFile(DataFile(DataFileName)) == book) << "loan book written";

    // A good copy put back reads, and raises the loan's alerts again.
    std::ofstream(DataFile(ConfigurationFileName), std::ios::binary | std::ios::trunc) << whole;
    LoadConfigurationFile(path);
    Data()->RefreshAlerts();
    EXPECT_TRUE(Data()->HasAlerts);
}

TEST_F(MainWindowTest, SaveWritesTheBookAndClearsTheChangeFlagOnlyForItsOwnFile) {
    InstallBook();
    Make();
    SetDataModified(true);
    window->SaveData((fs::path(Folders().dataFolder) / "copy.xml").string());
    EXPECT_TRUE(DataModified());
    Action("&File/&Save")->trigger();
    EXPECT_FALSE(DataModified());
    SetData(nullptr);
    LoadDataFile(DataFile(DataFileName).string());
    EXPECT_EQ(Data()->Mortgages->Count(), 1);
}

TEST_F(MainWindowTest, ExitAndClosingAskTheirQuestions) {
    InstallBook();
    Make().show();
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "Are you sure you want to exit?", PromptAnswer::No);
    window->Exit();
    EXPECT_TRUE(window->isVisible());

    const std::string saveQuestion =
        "Do you wish to save the changes to the loan book before exiting?";
    SetDataModified(true);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, saveQuestion,
                    PromptAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    // Yes with a save that fails: the error shows and the window stays open with the book.
    fs::create_directory(DataFile(DataFileName));
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, saveQuestion,
                    PromptAnswer::Yes);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(DataModified());
    ASSERT_EQ(hooks.errors.size(), 1u);
    EXPECT_EQ(hooks.errors[0].rfind("Cannot save \"" + DataFile(DataFileName).string() + "\"", 0),
              0u);
    fs::remove(DataFile(DataFileName));

    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "Are you sure you want to exit?", PromptAnswer::Yes);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, saveQuestion,
                    PromptAnswer::Yes);
    Action("&File/E&xit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fs::exists(DataFile(DataFileName)));
    EXPECT_FALSE(DataModified());

    // After a save, or when restarting, closing asks nothing.
    window->show();
    EXPECT_TRUE(window->close());
    window->show();
    SetDataModified(true);
    window->SetRestarting(true);
    EXPECT_TRUE(window->close());
    window->SetRestarting(false);
    window->show();
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, saveQuestion,
                    PromptAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(DataModified()); // No closes without saving
}

TEST_F(MainWindowTest, TheDailyRefreshRunsOnceADayWhileTheMainWindowIsActive) {
    InstallBook();
    Make();
    QDialog dialog;
    QWidget* active = window.get();
    window->SetActiveWindowQuery([&active] { return active; });
    RefreshCounter loans;
    Data()->Mortgages->AddListener(&loans);
    test::ManualTimer& timer = timers.Last();
    EXPECT_TRUE(timer.IsActive());
    EXPECT_EQ(timer.Interval(), AlertRefreshInterval);

    timer.Fire(); // the same day as the window was made
    EXPECT_EQ(loans.refreshes, 0);
    clock.Advance(1);
    timer.Fire();
    EXPECT_EQ(loans.refreshes, 1);
    EXPECT_TRUE(Data()->HasAlerts);
    timer.Fire();
    EXPECT_EQ(loans.refreshes, 1);

    clock.Advance(1);
    active = &dialog; // a dialog is the active window: wait for the next tick
    timer.Fire();
    EXPECT_EQ(loans.refreshes, 1);
    active = window.get();
    timer.Fire();
    EXPECT_EQ(loans.refreshes, 2);

    // A refresh that fails still leaves the timer running for the next day.
    static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst())->Contract->PaymentPeriod =
        "Daily";
    clock.Advance(1);
    EXPECT_THROW(timer.Fire(), Exception);
    EXPECT_TRUE(timer.IsActive());
    EXPECT_EQ(timer.Interval(), AlertRefreshInterval);
    Data()->Mortgages->RemoveListener(&loans);
}

TEST_F(MainWindowTest, ALoanBookReplacedUnderTheWindowIsLetGo) {
    InstallBook();
    Make().AddTabs();
    window->AnnounceLoanBook();
    SetData(test::BookWithAlerts()); // the loan list the window watched goes away
    Data()->RefreshAlerts();
    window.reset(); // and the window does not reach for it
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(MainWindowTest, TheDuebellsCaptionIsRedWhileTheBookHasAlerts) {
    RegisterWindow("TfmeDuebells", [](const WindowRequest&) { return OpenedWindow{}; });
    InstallBook();
    Make().AddTabs();
    window->resize(900, 600);
    window->show();
    const auto redPixels = [this] {
        QTabBar& bar = *Pages().tabBar();
        const QImage image = bar.grab(bar.tabRect(5)).toImage();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
            }
        return red;
    };
    EXPECT_EQ(redPixels(), 0);
    Data()->RefreshAlerts();
    ASSERT_TRUE(Data()->HasAlerts);
    EXPECT_GT(redPixels(), 10);
    test::SaveScreenshot(window->grab().toImage(), "main_window_with_alerts");
}

TEST_F(MainWindowTest, TheHelpListHoldsTheTopicsInContextOrderAndOpensTheChosenOne) {
    Make();
    try {
        window->LoadHelp("MV_HELP.XML");
        FAIL() << "a named help file loaded";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid option to Load Help");
    }
    window->LoadHelp("");
    EXPECT_TRUE(help.requests.empty()); // filling the list opens nothing
    auto& list = *window->findChild<QComboBox*>("cmbHelpList");
    EXPECT_EQ(list.currentIndex(), -1);
    ASSERT_GE(list.count(), 9);
    int previous = 0;
    for (int i = 0; i < list.count(); ++i) {
        EXPECT_GT(list.itemData(i).toInt(), previous) << list.itemText(i).toStdString();
        previous = list.itemData(i).toInt();
    }
    EXPECT_EQ(list.itemText(1).toStdString(), "Entering your company details");
    window->show();
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(help.requests, (std::vector<std::string>{"context 500", "context 510"}));
}

} // namespace
} // namespace duebell
