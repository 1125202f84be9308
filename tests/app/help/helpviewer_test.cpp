// The help delivered with the program and the viewer that shows it.
#include "app/help/helpbook.h"
#include "app/help/helpviewer.h"
#include "domain/datafiles.h"
#include "domain/helpfile.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"
#include "scriptedprompter.h"
#include "support/qtapp.h"

#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace duebell {
namespace {

namespace fs = std::filesystem;

const std::string ContentFolder = DUEBELL_HELP_CONTENT_DIR;
const std::string HelpFolder = ContentFolder + "/" + HelpFolderName;

std::string ReadFile(const fs::path& path) {
    std::ifstream input(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(input), {});
}

TEST(DeliveredHelp, EveryContextTopicAndLinkHasItsPage) {
    const std::optional<HelpBook> book = HelpBook::Open(HelpFolder);
    ASSERT_TRUE(book.has_value());
    // The set-up guidance's steps, and every context MV_HELP.XML names.
    std::set<int> contexts = {510, 520, 525, 530, 540, 550, 560, 570};
    LoadHelpTopicsFile(ContentFolder + "/MV_HELP.XML");
    ASSERT_GT(HelpFile().HelpMeWithTopics->Count(), 8);
    for (TTovObjectItem* item : *HelpFile().HelpMeWithTopics)
        contexts.insert(static_cast<TMorvaneHelpMeWithTopic*>(item)->HelpContext);
    for (TTovObjectItem* item : *HelpFile().FormHelpTopics)
        contexts.insert(static_cast<TMorvaneFormHelpTopic*>(item)->HelpContext);
    for (int context : contexts)
        EXPECT_TRUE(book->HasPage(book->PageOfContext(context))) << "context " << context;

    std::set<std::string> pages;
    for (const HelpContentsEntry& entry : book->Contents())
        pages.insert(entry.page);
    for (const HelpIndexEntry& entry : book->Index())
        pages.insert(entry.page);
    for (const std::string& page : pages)
        EXPECT_TRUE(book->HasPage(page)) << page;
    // Every page can be reached from the contents, and every link of every page leads to one.
    const std::regex link("href=\"([^\"]+)\"");
    for (const auto& file : fs::directory_iterator(HelpFolder)) {
        if (file.path().extension() != ".html")
            continue;
        EXPECT_TRUE(pages.count(file.path().filename().string()) != 0) << file.path();
        const std::string text = ReadFile(file.path());
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it)
            EXPECT_TRUE(book->HasPage((*it)[1])) << file.path() << " links to " << (*it)[1];
    }
}

TEST(HelpBook, AMissingFolderIsNoHelpAndADamagedLineIsLeftOutAndNamed) {
    EXPECT_FALSE(HelpBook::Open("/nonexistent/DuebellHelp").has_value());
    QTemporaryDir folder;
    const fs::path root = folder.path().toStdString();
    std::ofstream(root / HelpContentsPage) << "<h1>Help</h1>";
    std::ofstream(root / "contents.txt")
        << "# comment\nHelp\tcontents.html\n\tPage\tpage.html\nno page\n";
    std::ofstream(root / "contexts.txt") << "510\tpage.html\r\nfive\tpage.html\n\t520\tx.html\n";
    std::ofstream(root / "index.txt") << "\tindented\tpage.html\nkeyword\tpage.html\n";
    const std::optional<HelpBook> book = HelpBook::Open(root.string());
    ASSERT_TRUE(book.has_value());
    const auto damaged = [&](const char* file, int line) {
        return "The help file \"" + (root / file).string() + "\" is damaged at line " +
               std::to_string(line) + ".";
    };
    EXPECT_EQ(book->Damage(),
              (std::vector<std::string>{damaged("contents.txt", 4), damaged("contexts.txt", 2),
                                        damaged("contexts.txt", 3), damaged("index.txt", 1)}));
    EXPECT_EQ(book->PageOfContext(510), "page.html");
    EXPECT_EQ(book->PageOfContext(520), "");
    ASSERT_EQ(book->Contents().size(), 2u);
    EXPECT_EQ(book->Contents()[1].level, 1);
    EXPECT_EQ(book->Contents()[1].title, "Page");
    ASSERT_EQ(book->Index().size(), 1u);
    EXPECT_EQ(book->Index()[0].keyword, "keyword");
    EXPECT_FALSE(book->HasPage("page.html")); // listed, but not in the folder
    EXPECT_FALSE(book->HasPage("../" + root.filename().string() + "/contents.html"));
}

TEST(HelpViewer, ADamagedMapIsReportedOnceAndTheRestOfTheHelpOpens) {
    QTemporaryDir folder;
    const fs::path root = folder.path().toStdString();
    fs::copy(HelpFolder, root, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::ofstream(root / "contexts.txt", std::ios::app) << "not a context\n";
    const int lines = static_cast<int>(
        std::count(std::istreambuf_iterator<char>(std::ifstream(root / "contexts.txt").rdbuf()),
                   std::istreambuf_iterator<char>(), '\n'));
    testing::ScriptedPrompter prompter;
    prompter.Expect(PromptType::Warning, PromptButtons::Ok,
                    "The help file \"" + (root / "contexts.txt").string() +
                        "\" is damaged at line " + std::to_string(lines) +
                        ".\r\rHelp shows what the rest of it holds.",
                    PromptAnswer::Ok);
    THtmlHelpViewer viewer(root.string());
    viewer.ShowContext(510);
    ASSERT_NE(viewer.Window(), nullptr);
    EXPECT_EQ(viewer.Window()->findChild<QTextBrowser*>("brwPage")->source().fileName(),
              QString::fromStdString(viewer.Window()->Book().PageOfContext(510)));
    viewer.ShowContents(); // not reported again: the prompter expects nothing more
}

TEST(HelpViewer, WithoutTheHelpFolderARequestOpensNothing) {
    THtmlHelpViewer viewer("/nonexistent/DuebellHelp");
    viewer.ShowContext(510);
    viewer.ShowContents();
    EXPECT_EQ(viewer.Window(), nullptr);
}

TEST(HelpViewer, ShowsTheContextsPageWithContentsBackAndForward) {
    THtmlHelpViewer viewer(HelpFolder);
    viewer.ShowContext(510);
    THelpWindow* window = viewer.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose));
    auto* page = window->findChild<QTextBrowser*>("brwPage");
    EXPECT_EQ(page->documentTitle(), "Entering your company details");
    EXPECT_EQ(window->findChild<QTreeWidget*>("tvContents")->currentItem()->text(0),
              "Entering your company details");
    test::SaveScreenshot(window->grab().toImage(), "help_viewer_510");

    auto* back = window->findChild<QToolButton*>("btnBack");
    auto* forward = window->findChild<QToolButton*>("btnForward");
    EXPECT_FALSE(back->isEnabled());
    viewer.ShowTopic("add-client.html");
    EXPECT_EQ(page->documentTitle(), "Adding a client");
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(page->documentTitle(), "Entering your company details");
    ASSERT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(page->documentTitle(), "Adding a client");

    viewer.ShowContext(999);
    EXPECT_NE(page->toPlainText().indexOf("There is no help for the help context 999."), -1);
    viewer.ShowContents();
    EXPECT_EQ(page->documentTitle(), "Duebell Help");
}

} // namespace
} // namespace duebell
