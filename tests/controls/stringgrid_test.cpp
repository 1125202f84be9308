#include "controls/stringgrid.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

class StringGridWidget : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        grid.resize(400, 200);
        QPalette p = grid.palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
        p.setColor(QPalette::Highlight, QColor(0, 0x78, 0xD7));
        grid.setPalette(p);
        grid.show();
        QCoreApplication::processEvents();
    }
    TStringGrid grid;
};

TEST_F(StringGridWidget, FixedCellsSitAboveAndLeftOfTheScrollingCells) {
    const QRect fixedCorner = grid.CellRect(0, 0);
    const QRect first = grid.CellRect(1, 1);
    EXPECT_EQ(fixedCorner.size(), QSize(64, 24));
    EXPECT_EQ(first.size(), QSize(64, 24));
    // One grid line between neighbours.
    EXPECT_EQ(first.left(), fixedCorner.left() + 65);
    EXPECT_EQ(first.top(), fixedCorner.top() + 25);
    EXPECT_EQ(grid.CellRect(2, 0).left(), first.left() + 65);
    int col = -1;
    int row = -1;
    ASSERT_TRUE(grid.MouseToCell(first.center(), col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    ASSERT_TRUE(grid.MouseToCell(grid.CellRect(3, 0).center(), col, row));
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 0);
}

TEST_F(StringGridWidget, PaintsFixedCellsInTheFixedColourAndOthersInTheGridColour) {
    grid.SetFixedColor(clYellow);
    grid.SetColor(clAqua);
    grid.SetCells(2, 0, "Code");
    const QImage image = grid.grab().toImage();
    test::SaveScreenshot(image, "stringgrid_plain");
    EXPECT_EQ(image.pixelColor(grid.CellRect(2, 0).bottomRight() - QPoint(3, 3)),
              QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(grid.CellRect(3, 2).center()), QColor(Qt::cyan));
    // Lines between ordinary cells are silver, around fixed ones black.
    const QRect cell = grid.CellRect(3, 2);
    EXPECT_EQ(image.pixelColor(cell.right() + 1, cell.center().y()), QColor(0xC0, 0xC0, 0xC0));
    const QRect fixed = grid.CellRect(3, 0);
    EXPECT_EQ(image.pixelColor(fixed.center().x(), fixed.bottom() + 1), QColor(Qt::black));
}

TEST_F(StringGridWidget, CurrentCellFollowsTheDataAndTheMouse) {
    int clicks = 0;
    grid.OnClick = [&] { ++clicks; };
    grid.SetRow(3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    const QRect target = grid.CellRect(2, 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      target.center() - grid.viewport()->pos());
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(clicks, 2);
}

TEST_F(StringGridWidget, RowCountChangesKeepTheViewInStep) {
    grid.SetRowCount(30);
    grid.SetCells(1, 29, "bottom");
    EXPECT_EQ(grid.model()->rowCount(), 30);
    EXPECT_EQ(grid.model()->index(29, 1).data().toString(), "bottom");
    grid.SetRow(29);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    grid.SetFixedRows(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(grid.horizontalHeader()->isHidden());
    EXPECT_EQ(grid.CellRect(1, 0).top(), grid.viewport()->y());
}

TEST_F(StringGridWidget, AShrinkThatMovesTheCurrentCellTellsItOnceTheShapeIsWhole) {
    // The click handler refills the grid, as a list frame does when its row changes: that is
    // only sound once the removal is over.
    grid.SetRowCount(10);
    grid.SetRow(8);
    std::vector<int> clickedRows;
    grid.OnClick = [&] {
        clickedRows.push_back(grid.Row());
        if (clickedRows.size() == 1) {
            grid.SetRowCount(6);
            grid.SetCells(1, 5, "refilled");
        }
    };
    grid.SetRowCount(4);
    EXPECT_EQ(clickedRows, std::vector<int>{3});
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.model()->rowCount(), 6);
    EXPECT_EQ(grid.verticalHeader()->count(), 6);
    EXPECT_EQ(grid.model()->index(5, 1).data().toString(), "refilled");
    EXPECT_EQ(grid.currentIndex().row(), 3);
}

TEST_F(StringGridWidget, AnErrorInAClickHandlerReachesTheHandlerNotQt) {
    test::RecordingHooks hooks;
    grid.OnClick = [] { throw Exception("refused"); };
    const QRect target = grid.CellRect(3, 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      target.center() - grid.viewport()->pos());
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"refused"});
}

} // namespace
} // namespace duebell
