// The help, walked through the whole program: every help context the help topics name has a
// page, and every window reachable from the menus and the tabs (and from the Add, Edit and loan
// search buttons of the windows they open) has its help topic; its Help button opens the page
// of that topic, a page that names the window.
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/framework/messagedialog.h"
#include "app/framework/modalrunner.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "app/help/helpbook.h"
#include "app/main/startup.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "domain/helpfile.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/variant.h"
#include "support/helprecorder.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"
#include "wholeprogram.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>

namespace duebell {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream input(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(input), {});
}

// Answers every question with No (or OK) and remembers it: walking the windows asks things
// (no loan chosen yet, discard changes?) that need no answer here.
struct AnsweringNo : Prompter {
    AnsweringNo() : previous(SetPrompter(this)) {}
    ~AnsweringNo() override { SetPrompter(previous); }
    PromptAnswer Ask(PromptType, PromptButtons buttons, const std::string& text) override {
        asked.push_back(text);
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::No;
    }
    Prompter* previous;
    std::vector<std::string> asked;
};

// A window met on the walk, and what its Help button asked for ("" without a Help button).
struct MetWindow {
    std::string title;
    std::string help;
};

class HelpWalk : public ::testing::Test {
protected:
    HelpWalk() {
        const std::string folder = data.path().toStdString();
        RegisterProgramWindows(folder);
        test::SeedDataFolder(folder);
        StartUpOptions options;
        options.folders = {folder, DUEBELL_HELP_CONTENT_DIR};
        options.splashWait = false;
        window = StartDuebell(options);
    }
    ~HelpWalk() override {
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    // Presses Help, then (with the first loan and the first row of every list chosen) Add,
    // Edit and the loan search buttons; the dialogs they open are walked the same way, three
    // deep at most.
    void Visit(QWidget& owner, const std::string& name, const std::string& title) {
        if (!name.empty()) {
            MetWindow& met = met_[name];
            met.title = title;
            if (auto* help = owner.findChild<QAbstractButton*>("btnHelp");
                help != nullptr && met.help.empty()) {
                recorder.requests.clear();
                help->click();
                met.help = recorder.requests.empty() ? "nothing" : recorder.requests.front();
            }
        }
        if (depth_ >= 3)
            return;
        ++depth_;
        // A window over one loan's records needs its loan chosen first.
        for (auto* loans : owner.findChildren<TGridBox*>("cmbLoanNumber"))
            if (loans->ItemIndex() < 0 && loans->isEnabled())
                loans->SetItemIndex(0);
        for (auto* list : owner.findChildren<TTovObjectListGrid*>())
            if (list->RowCount() > 1)
                list->SelectRow(1);
        for (const char* button : {"btnAdd", "btnEdit"})
            for (auto* pressed : owner.findChildren<QAbstractButton*>(button))
                if (pressed->isEnabled() && pressed->isVisibleTo(&owner))
                    pressed->click();
        for (auto* search : owner.findChildren<TMorvaneMortgageSearchButton*>())
            if (search->isEnabled() && search->isVisibleTo(&owner))
                search->Click();
        --depth_;
    }

    ScopedModalRunner Walker() {
        return ScopedModalRunner([this](QDialog& dialog) {
            if (dynamic_cast<TMessageForm*>(&dialog) == nullptr &&
                qobject_cast<QFileDialog*>(&dialog) == nullptr) {
                const std::size_t errors = hooks.errors.size();
                Visit(dialog, dialog.objectName().toStdString(),
                      dialog.windowTitle().toStdString());
                for (std::size_t i = errors; i < hooks.errors.size(); ++i)
                    ADD_FAILURE() << dialog.objectName().toStdString() << ": " << hooks.errors[i];
            }
            return static_cast<int>(mrCancel);
        });
    }

    void WalkMenu(const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (action->menu() != nullptr) {
                // A hidden menu is out of a user's reach.
                if (action->isVisible())
                    WalkMenu(action->menu()->actions());
            } else if (action->isEnabled() && !action->text().startsWith("E&xit") &&
                       !action->text().startsWith("&Save"))
                action->trigger();
        }
    }

    void WalkTabs() {
        auto& pages = *window->findChild<QTabWidget*>("pgMain");
        for (int i = 0; i < pages.count(); ++i) {
            pages.setCurrentIndex(i);
            Visit(*pages.widget(i), "", "");
        }
    }

    ScopedFixedClock clock{test::BookToday + 0.5};
    test::RecordingHooks hooks;
    AnsweringNo prompter;
    test::HelpRecorder recorder;
    ScopedWindowRegistry registry;
    test::ManualTimers timers;
    QTemporaryDir data;
    std::unique_ptr<TfmMain> window;
    std::map<std::string, MetWindow> met_;
    int depth_ = 0;
};

TEST_F(HelpWalk, EveryHelpContextHasItsPage) {
    const std::optional<HelpBook> book =
        HelpBook::Open((fs::path(DUEBELL_HELP_CONTENT_DIR) / HelpFolderName).string());
    ASSERT_TRUE(book.has_value());
    std::set<int> contexts;
    for (TTovObject* topic : *HelpFile().HelpMeWithTopics)
        contexts.insert(static_cast<TMorvaneHelpMeWithTopic*>(topic)->HelpContext);
    for (TTovObject* topic : *HelpFile().FormHelpTopics)
        contexts.insert(static_cast<TMorvaneFormHelpTopic*>(topic)->HelpContext);
    EXPECT_GT(contexts.size(), 10u);
    for (int context : contexts) {
        const std::string page = book->PageOfContext(context);
        EXPECT_FALSE(page.empty()) << "context " << context << " has no page";
        EXPECT_TRUE(page.empty() || book->HasPage(page)) << page;
    }
    for (const HelpContentsEntry& entry : book->Contents())
        EXPECT_TRUE(book->HasPage(entry.page)) << entry.title;
}

TEST_F(HelpWalk, EveryWindowHasItsTopicAndItsHelpButtonOpensThePageThatNamesIt) {
    {
        const ScopedModalRunner walker = Walker();
        WalkMenu(window->menuBar()->actions());
        WalkTabs();
    }
    const std::optional<HelpBook> book =
        HelpBook::Open((fs::path(DUEBELL_HELP_CONTENT_DIR) / HelpFolderName).string());
    ASSERT_TRUE(book.has_value());
    // The windows of the menus and tabs, and those they open, are all met.
    for (const char* expected :
         {"fmSystemConfig", "fmOptions", "fmAdministrationFeeConfig",
          "fmInstallmentFeePenaltiesAddEdit", "fmClientsAddEdit", "fmPropertyAddEdit",
          "fmMortgageAddEdit", "fmLoanTransactionsAddEdit", "fmMortgageSearch",
          "fmFeesInstallmentAddEdit", "fmPayoutBreakCostsAddEdit", "fmFeeTransactionAddEdit",
          "fmFeePaymentAddEdit", "fmAbout"})
        EXPECT_EQ(met_.count(expected), 1u) << expected << " was not reached";

    for (const auto& [name, met] : met_) {
        SCOPED_TRACE(name + " \"" + met.title + "\"");
        const auto* topic = static_cast<const TMorvaneFormHelpTopic*>(
            HelpFile().FormHelpTopics->LocateNoMove(Variant(name)));
        ASSERT_NE(topic, nullptr) << "MV_HELP.XML has no help topic for the window";
        const std::string page = book->PageOfContext(topic->HelpContext);
        ASSERT_FALSE(page.empty());
        if (!met.help.empty()) {
            EXPECT_EQ(met.help, "context " + std::to_string(topic->HelpContext));
        }
        // As a page shows it: every run of white space one blank.
        const std::string text =
            std::regex_replace(ReadFile(fs::path(book->Folder()) / page), std::regex("\\s+"), " ");
        EXPECT_NE(text.find(met.title), std::string::npos) << page << " does not name the window";
    }
    for (const std::string& question : prompter.asked)
        EXPECT_EQ(question.find("Help not found"), std::string::npos);
}

// The entries of the visible menus as a page names them: "Print, Loan Reports, Payout",
// "File, Import" or "File, Import...".
void CollectMenuPaths(const QList<QAction*>& actions, const std::string& prefix,
                      std::set<std::string>& paths) {
    for (QAction* action : actions) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        const QString caption = action->text().remove('&');
        const std::string path =
            (prefix.empty() ? caption : QString::fromStdString(prefix) + ", " + caption)
                .toStdString();
        paths.insert(path);
        if (path.ends_with("..."))
            paths.insert(path.substr(0, path.size() - 3)); // a page may leave the dots out
        if (action->menu() != nullptr)
            CollectMenuPaths(action->menu()->actions(), path, paths);
    }
}

TEST_F(HelpWalk, EveryPageNamesAWayToWhatItDescribesOrSaysItIsNotOffered) {
    std::set<std::string> menus, tabs, topMenus;
    CollectMenuPaths(window->menuBar()->actions(), "", menus);
    for (QAction* action : window->menuBar()->actions())
        topMenus.insert(action->text().remove('&').toStdString());
    const auto& pages = *window->findChild<QTabWidget*>("pgMain");
    for (int i = 0; i < pages.count(); ++i)
        tabs.insert(pages.tabText(i).remove('&').toStdString());

    const std::optional<HelpBook> book =
        HelpBook::Open((fs::path(DUEBELL_HELP_CONTENT_DIR) / HelpFolderName).string());
    ASSERT_TRUE(book.has_value());
    const std::regex bold("<b>([^<]*)</b>( tab)?");
    // A page under another in the contents, and linked from it, describes a window opened
    // from its parent's: the parent's way reaches it.
    std::vector<std::pair<bool, std::string>> parents; // per level: way, text
    for (const HelpContentsEntry& entry : book->Contents()) {
        SCOPED_TRACE(entry.page);
        const std::string text = std::regex_replace(ReadFile(fs::path(book->Folder()) / entry.page),
                                                    std::regex("\\s+"), " ");
        bool way = text.find("does not offer") != std::string::npos;
        for (std::sregex_iterator it(text.begin(), text.end(), bold), end; it != end; ++it) {
            const std::string named = (*it)[1];
            if ((*it)[2].matched && tabs.count(named) != 0)
                way = true;
            if (topMenus.count(named.substr(0, named.find(','))) == 0)
                continue;
            EXPECT_EQ(menus.count(named), 1u) << "no visible menu entry " << named;
            way = way || menus.count(named) != 0;
        }
        const auto level = static_cast<std::size_t>(entry.level);
        if (level > 0 && level <= parents.size()) {
            const auto& [parentWay, parentText] = parents[level - 1];
            way = way || (parentWay &&
                          parentText.find("href=\"" + entry.page + "\"") != std::string::npos);
        }
        parents.resize(level);
        parents.emplace_back(way, text);
        EXPECT_TRUE(way) << entry.title << " names no way to what it describes";
    }
}

} // namespace
} // namespace duebell
