// The help delivered with the program and the viewer that shows it.
#include "app/help/helpbook.h"
#include "app/help/helpviewer.h"
#include "domain/datafiles.h"
#include "domain/helpfile.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"
#include "support/qtapp.h"

#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
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

TEST(HelpBook, AMissingFolderIsNoHelpAndADamagedLineIsNamed) {
    EXPECT_FALSE(HelpBook::Open("/nonexistent/DuebellHelp").has_value());
    QTemporaryDir folder;
    const fs::path root = folder.path().toStdString();
    std::ofstream(root / HelpContentsPage) << "<h1>Help</h1>";
    std::ofstream(root / "contents.txt") << "# comment\nHelp\tcontents.html\n\tPage\tpage.html\n";
    std::ofstream(root / "contexts.txt") << "510\tpage.html\nfive\tpage.html\n";
    try {
        HelpBook::Open(root.string());
        FAIL() << "a damaged context map was read";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "The help file \"" + (root / "contexts.txt").string() +
                                   "\" is damaged at line 2.");
    }
    std::ofstream(root / "contexts.txt") << "510\tpage.html\r\n";
    const std::optional<HelpBook> book = HelpBook::Open(root.string());
    ASSERT_TRUE(book.has_value());
    EXPECT_EQ(book->PageOfContext(510), "page.html");
    EXPECT_EQ(book->PageOfContext(520), "");
    ASSERT_EQ(book->Contents().size(), 2u);
    EXPECT_EQ(book->Contents()[1].level, 1);
    EXPECT_EQ(book->Contents()[1].title, "Page");
    EXPECT_FALSE(book->HasPage("page.html")); // listed, but not in the folder
    EXPECT_FALSE(book->HasPage("../" + root.filename().string() + "/contents.html"));
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
