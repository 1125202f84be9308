// Pages and the page list: adding, deleting and numbering pages, orientation and paper.
#include "print/pagelist.h"
#include "print/pagerender.h"
#include "print/shapes.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(PageListTest, StartsEmptyAndNumbersPagesInOrder) {
    TPqPageList pages;
    EXPECT_EQ(pages.Count(), 0);
    TPqPage& first = pages.AddPage();
    TPqPage& third = pages.AddPage();
    TPqPage& second = pages.AddPage(2); // before page 2
    EXPECT_EQ(first.PageNumber(), 1);
    EXPECT_EQ(second.PageNumber(), 2);
    EXPECT_EQ(third.PageNumber(), 3);
    EXPECT_EQ(&pages.Pages(2), &second);
    EXPECT_DOUBLE_EQ(first.Width(), 8.26);
    EXPECT_DOUBLE_EQ(first.Height(), 11.69);
}

TEST(PageListTest, DeletingPageTwoOfThreeRenumbersTheLastOneAndClearRemovesAll) {
    TPqPageList pages;
    pages.AddPage();
    pages.AddPage();
    TPqPage& last = pages.AddPage();
    int deletions = 0;
    pages.OnDeletePage = [&] { ++deletions; };
    pages.DeletePage(2);
    EXPECT_EQ(pages.Count(), 2);
    EXPECT_EQ(last.PageNumber(), 2);
    EXPECT_EQ(deletions, 1);
    pages.DeletePage(3); // no such page
    pages.DeletePage(0);
    EXPECT_EQ(deletions, 1);
    int clears = 0;
    pages.OnClear = [&] { ++clears; };
    pages.Clear();
    EXPECT_EQ(pages.Count(), 0);
    EXPECT_EQ(clears, 1);
}

TEST(PageTest, TurningToLandscapeExchangesTheSizeOnce) {
    TPqPageList pages;
    TPqPage& page = pages.AddPage();
    int turns = 0;
    page.OnOrientationChange = [&](TPqPage&, int number, TPqOrientation o) {
        ++turns;
        EXPECT_EQ(number, 1);
        EXPECT_EQ(o, pqLandscape);
    };
    page.SetOrientation(pqLandscape);
    EXPECT_DOUBLE_EQ(page.Width(), 11.69);
    EXPECT_DOUBLE_EQ(page.Height(), 8.26);
    page.SetOrientation(pqLandscape);
    EXPECT_DOUBLE_EQ(page.Width(), 11.69);
    EXPECT_EQ(turns, 1);
}

TEST(PageTest, ChangesMarkThePageForRendering) {
    TPqPageList pages;
    TPqResourceTable table;
    TPqPage& page = pages.AddPage();
    page.SetRendered();
    page.SetRtfRendered();
    int changes = 0;
    page.OnChange = [&] { ++changes; };
    auto& line = page.AddObject(std::make_unique<TPqLineObject>(table));
    EXPECT_TRUE(page.NeedsRender());
    EXPECT_TRUE(page.NeedsRtfRender());
    EXPECT_EQ(line.Page(), &page);
    page.SetRendered();
    line.Offset(pqInches, 1, 1); // an object's change reaches its page
    EXPECT_TRUE(page.NeedsRender());
    EXPECT_EQ(changes, 2);
}

TEST(PageListTest, OrientationTurnsEveryPageAndTheSizeOfNewOnes) {
    TPqPageList pages;
    pages.AddPage();
    pages.SetOrientation(pqLandscape);
    EXPECT_EQ(pages.Pages(1).Orientation(), pqLandscape);
    EXPECT_DOUBLE_EQ(pages.PageSize().Width, 11.69);
    TPqPage& added = pages.AddPage();
    EXPECT_EQ(added.Orientation(), pqLandscape);
    EXPECT_DOUBLE_EQ(added.Width(), 11.69);
    EXPECT_EQ(pages.PagesOrientation(), pqLandscape);
    added.SetOrientation(pqPortrait);
    EXPECT_EQ(pages.PagesOrientation(), pqMixedOrientation);
}

TEST(PageListTest, PaperSizeKeepsEachPagesOrientation) {
    TPqPageList pages;
    pages.AddPage();
    pages.AddPage().SetOrientation(pqLandscape);
    pages.SetPaperSize(TPqPaperSize::Letter);
    EXPECT_EQ(pages.PaperSize(), TPqPaperSize::Letter);
    EXPECT_DOUBLE_EQ(pages.Pages(1).Width(), 8.5);
    EXPECT_DOUBLE_EQ(pages.Pages(1).Height(), 11);
    EXPECT_DOUBLE_EQ(pages.Pages(2).Width(), 11);
    EXPECT_DOUBLE_EQ(pages.Pages(2).Height(), 8.5);
    EXPECT_DOUBLE_EQ(pages.PageSize().Height, 11);
}

TEST(PageListTest, CustomSizeInAnyUnit) {
    TPqPageList pages;
    pages.AddPage();
    pages.SetCustomSize(pqMillimeters, 101.6, 152.4);
    EXPECT_EQ(pages.PaperSize(), TPqPaperSize::Custom);
    EXPECT_NEAR(pages.Pages(1).Width(), 4, 1e-12);
    EXPECT_NEAR(pages.Pages(1).Height(), 6, 1e-12);
    EXPECT_NEAR(pages.PageSize().Width, 4, 1e-12);
}

TEST(PageTest, ClipMarginsHidesWhatReachesIntoTheMarginsOnScreenOnly) {
    TPqPageList pages;
    TPqResourceTable table;
    TPqPage& page = pages.AddPage();
    auto rect = std::make_unique<TPqRectangleShape>(table);
    TPqBrush black;
    black.SetColor(clBlack);
    rect->SetBrushRef(table.Brushes().Add(black));
    std::vector<double> coords{0, 0, 2, 2}; // from the paper's corner into the page
    rect->SetCoords(coords, pqInches);
    page.AddObject(std::move(rect));

    QImage open = RenderPageImage(page, 50);
    EXPECT_LT(qGray(open.pixel(10, 10)), 50); // 0.2 in: inside the 20 mm margin
    pages.Margins().SetClipMargins(true);
    QImage clipped = RenderPageImage(page, 50);
    EXPECT_EQ(qGray(clipped.pixel(10, 10)), 255);
    EXPECT_LT(qGray(clipped.pixel(60, 60)), 50); // 1.2 in: inside the margins
}

} // namespace
} // namespace duebell
