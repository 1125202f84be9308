// A headless document: pages, the current page under the canvas, deletion and clearing.
#include "print/document.h"
#include "print/textobject.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(DocumentTest, NewPagesBecomeCurrentAndTakeTheDrawing) {
    TPqDocument document;
    EXPECT_EQ(document.PageCount(), 1);
    EXPECT_EQ(document.Canvas().Page(), &document.GetPage(1));
    document.Canvas().TextOut(10, 10, "first");
    document.NewPage();
    document.Canvas().TextOut(10, 10, "second");
    EXPECT_EQ(document.CurrentPage(), 2);
    EXPECT_EQ(document.GetPage(1).ObjectCount(), 1);
    EXPECT_EQ(document.GetPage(2).ObjectCount(), 1);
    EXPECT_TRUE(document.SetCurrentPage(1));
    document.Canvas().TextOut(10, 20, "back on the first");
    EXPECT_EQ(document.GetPage(1).ObjectCount(), 2);
    // Pages out of range and the current one are refused.
    EXPECT_FALSE(document.SetCurrentPage(0));
    EXPECT_FALSE(document.SetCurrentPage(3));
    EXPECT_FALSE(document.SetCurrentPage(1));
    EXPECT_EQ(document.CurrentPage(), 1);
}

TEST(DocumentTest, DeletingTheLastPageMovesToTheNewLastOne) {
    TPqDocument document;
    document.NewPage();
    document.NewPage();
    document.Canvas().TextOut(0, 0, "x");
    document.DeletePage(3);
    EXPECT_EQ(document.PageCount(), 2);
    EXPECT_EQ(document.CurrentPage(), 2);
    EXPECT_EQ(document.Canvas().Page(), &document.GetPage(2));
    EXPECT_EQ(document.Canvas().LastObject(), nullptr);
}

TEST(DocumentTest, DeletingAnEarlierPageKeepsTheCurrentNumber) {
    TPqDocument document;
    document.NewPage();
    document.NewPage();
    document.SetCurrentPage(2);
    TPqPage& third = document.GetPage(3);
    document.DeletePage(1);
    EXPECT_EQ(document.CurrentPage(), 2);
    EXPECT_EQ(document.Canvas().Page(), &third);
    EXPECT_EQ(third.PageNumber(), 2);
}

TEST(DocumentTest, DeletingTheOnlyPageLeavesAFreshEmptyOne) {
    TPqDocument document;
    document.Canvas().TextOut(0, 0, "x");
    document.DeletePage(1);
    EXPECT_EQ(document.PageCount(), 1);
    EXPECT_EQ(document.CurrentPage(), 1);
    EXPECT_EQ(document.GetPage(1).ObjectCount(), 0);
    document.Canvas().TextOut(0, 0, "y");
    EXPECT_EQ(document.GetPage(1).ObjectCount(), 1);
}

TEST(DocumentTest, ClearEmptiesThePagesAndThePools) {
    TPqDocument document;
    document.Canvas().TextOut(0, 0, "x");
    document.NewPage();
    document.Clear();
    EXPECT_EQ(document.PageCount(), 1);
    EXPECT_EQ(document.GetPage(1).ObjectCount(), 0);
    EXPECT_EQ(document.ResourceTable().Fonts().Count(), 0);
    document.Canvas().TextOut(0, 0, "y");
    EXPECT_EQ(document.ResourceTable().Fonts().UseCount(0), 1);
}

} // namespace
} // namespace duebell
