// The string grid's item model keeps Qt's rules for item models (checked by Qt's own
// QAbstractItemModelTester after every change) while the grid grows and shrinks, sorts, moves
// lines and refills in a batch; the view it feeds stays in step with the data.
#include "controls/cellstylegrid.h"
#include "support/qtapp.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLoggingCategory>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// Collects what the model tester reports (it warns in its own logging category).
std::vector<std::string>* reports = nullptr;
QtMessageHandler previousHandler = nullptr;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (reports != nullptr && context.category != nullptr &&
        std::string_view(context.category) == "qt.modeltest")
        reports->push_back(message.toStdString());
    else if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

class ModelUnderTester : public ::testing::Test {
protected:
    void SetUp() override {
        reports = &heard;
        previousHandler = qInstallMessageHandler(Collect);
        grid.resize(400, 300);
        grid.show();
        tester = std::make_unique<QAbstractItemModelTester>(
            grid.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override {
        tester.reset();
        qInstallMessageHandler(previousHandler);
        reports = nullptr;
    }
    // The view agrees with the data: as many sections as lines, the fixed ones hidden.
    void ExpectViewInStep() {
        EXPECT_EQ(grid.model()->rowCount(), grid.RowCount());
        EXPECT_EQ(grid.model()->columnCount(), grid.ColCount());
        EXPECT_EQ(grid.verticalHeader()->count(), grid.RowCount());
        EXPECT_EQ(grid.horizontalHeader()->count(), grid.ColCount());
        for (int r = 0; r < grid.RowCount(); ++r)
            ASSERT_EQ(grid.verticalHeader()->isSectionHidden(r), r < grid.FixedRows()) << r;
        EXPECT_EQ(grid.currentIndex().row(), grid.Row());
        EXPECT_EQ(grid.currentIndex().column(), grid.Col());
    }

    std::vector<std::string> heard;
    TCellStyleGrid grid;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ModelUnderTester, GrowingShrinkingSortingAndMovingLines) {
    grid.SetColCount(4);
    grid.SetRowCount(30);
    for (int r = 1; r < 30; ++r)
        for (int c = 0; c < 4; ++c)
            grid.SetCells(c, r, std::to_string((r * 7 + c * 13) % 31));
    grid.SetRow(25);
    grid.SetRowCount(10); // rows removed around the current cell
    grid.SetColCount(6);  // columns inserted
    grid.SetColCount(3);  // and removed
    grid.SetRowCount(40);
    grid.SortRows(1, true);
    grid.SortCols(2, false);
    grid.ExchangeGridRows(3, 7);
    grid.MoveGridRow(2, 9);
    grid.MoveGridCol(1, 2);
    grid.SetFixedRows(2);
    grid.SetRowCount(2 + 1); // shrinking to the least that keeps the fixed rows
    EXPECT_EQ(heard, std::vector<std::string>{});
    ExpectViewInStep();
}

TEST_F(ModelUnderTester, ARefillInABatchIsOneReset) {
    grid.SetColCount(3);
    grid.SetRowCount(50);
    grid.SetRow(40);
    std::vector<int> clickedRows;
    grid.OnClick = [&] { clickedRows.push_back(grid.Row()); };
    {
        TGridUpdate batch(grid);
        grid.SetRowCount(2);
        for (int r = 1; r <= 20; ++r) {
            grid.SetRowCount(r + 1);
            grid.SetCells(1, r, "row " + std::to_string(r));
        }
        grid.SetRowHeights(3, 40);
        EXPECT_TRUE(clickedRows.empty()); // told once the batch is over
    }
    EXPECT_EQ(heard, std::vector<std::string>{});
    EXPECT_EQ(clickedRows, std::vector<int>{1});
    ExpectViewInStep();
    EXPECT_EQ(grid.model()->index(20, 1).data().toString(), "row 20");
    EXPECT_EQ(grid.verticalHeader()->sectionSize(3), 40 + 1);
    EXPECT_EQ(grid.verticalHeader()->sectionSize(4), 24 + 1);
}

} // namespace
} // namespace duebell
