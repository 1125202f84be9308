#include "controls/cellstylegrid.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// Darker than the light backgrounds used here: a pixel of text.
bool IsInk(const QColor& c) {
    return c.lightness() < 140;
}

int InkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(image.pixelColor(x, y)))
                ++count;
    return count;
}

class CellStyleGridWidget : public ::testing::Test {
protected:
    void SetUp() override {
        QPalette p = grid.palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        p.setColor(QPalette::ButtonText, Qt::black);
        p.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
        p.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
        grid.setPalette(p);
        grid.setFont(QFont("Liberation Sans", 9));
    }
    // A list like the program's: captions in row 0, a code, a name and an amount column,
    // every second data row banded the way the list frames band them.
    void FillList() {
        grid.SetColCount(3);
        grid.SetFixedCols(0);
        grid.SetRowCount(7);
        grid.SetEditable(false);
        grid.SetOptions(grid.Options() | goRowSelect);
        grid.SetColWidths(1, 140);
        grid.SetColWidths(2, 110);
        const char* captions[] = {"Loan", "Client", "Balance"};
        for (int c = 0; c < 3; ++c)
            grid.SetCells(c, 0, captions[c]);
        for (int r = 1; r < 7; ++r) {
            grid.SetCells(0, r, "000000" + std::to_string(r));
            grid.SetCells(1, r, "Client " + std::to_string(r));
            grid.SetCells(2, r, "$" + std::to_string(r * 1000) + ".00");
        }
        grid.ColProperties(2).SetAlign(alRight);
        grid.FixedColProperties(2).SetAlign(alRight);
        for (int r = 1; r < 7; ++r)
            if (r % 2 == 0)
                grid.SetColorRow(r, RGB(239, 239, 239));
            else
                grid.ResetColorRow(r);
        grid.resize(380, 7 * 25 + 4);
        grid.show();
        QCoreApplication::processEvents();
    }
    TCellStyleGrid grid;
};

TEST_F(CellStyleGridWidget, BandedRowsAndRightAlignedAmountsAsDrawn) {
    FillList();
    grid.SetRow(5);
    const QImage image = grid.grab().toImage();
    test::SaveScreenshot(image, "cellstylegrid_banded");

    auto background = [&](int col, int row) {
        const QRect cell = grid.CellRect(col, row);
        return image.pixelColor(cell.left() + 1, cell.bottom() - 1);
    };
    EXPECT_EQ(background(1, 1), QColor(Qt::white));
    EXPECT_EQ(background(1, 2), QColor(239, 239, 239));
    EXPECT_EQ(background(0, 4), QColor(239, 239, 239));
    EXPECT_EQ(background(1, 3), QColor(Qt::white));
    EXPECT_EQ(background(1, 0), QColor(0xD4, 0xD0, 0xC8)); // caption row in the fixed colour
    EXPECT_EQ(background(2, 5), QColor(0x0A, 0x24, 0x6A)); // the selected row

    // The amount sits against the right edge of its cell, the name against the left edge.
    for (int row : {1, 2, 0}) {
        const QRect amount = grid.CellRect(2, row);
        const QRect leftHalf(amount.left(), amount.top(), amount.width() / 2, amount.height());
        const QRect rightHalf(amount.left() + amount.width() / 2, amount.top(), amount.width() / 2,
                              amount.height());
        EXPECT_EQ(InkPixels(image, leftHalf), 0) << "row " << row;
        EXPECT_GT(InkPixels(image, rightHalf), 10) << "row " << row;
    }
    const QRect name = grid.CellRect(1, 3);
    EXPECT_GT(InkPixels(image, QRect(name.left(), name.top(), name.width() / 2, name.height())),
              10);
    EXPECT_EQ(InkPixels(image, QRect(name.left() + name.width() * 3 / 4, name.top(),
                                     name.width() / 4, name.height())),
              0);
}

TEST_F(CellStyleGridWidget, BandingSurvivesRowCountChanges) {
    FillList();
    grid.SetRowCount(2);
    grid.SetRowCount(7);
    EXPECT_EQ(grid.CellBrush(1, 4).Color, RGB(239, 239, 239));
    EXPECT_EQ(grid.CellBrush(1, 5).Color, clWindow);
    const QImage image = grid.grab().toImage();
    const QRect cell = grid.CellRect(1, 4);
    EXPECT_EQ(image.pixelColor(cell.left() + 1, cell.bottom() - 1), QColor(239, 239, 239));
    grid.ResetColorRow(4);
    const QImage after = grid.grab().toImage();
    EXPECT_EQ(after.pixelColor(cell.left() + 1, cell.bottom() - 1), QColor(Qt::white));
}

class CellStyleGridEditing : public CellStyleGridWidget {
protected:
    void SetUp() override {
        CellStyleGridWidget::SetUp();
        grid.SetOptions(grid.Options() | goEditing | goTabs);
        grid.resize(400, 200);
        grid.show();
        grid.activateWindow();
        grid.setFocus();
        QCoreApplication::processEvents();
    }
    // The open editor (a closed one lingers until its deferred deletion).
    QLineEdit* Editor() {
        for (QLineEdit* editor : grid.viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    void StartEditing(int col, int row) {
        grid.Data().FocusCell(col, row);
        grid.edit(grid.model()->index(row, col));
        QCoreApplication::processEvents();
    }
};

TEST_F(CellStyleGridEditing, OnlyCellsThatResolveAsEditableOpenAnEditor) {
    grid.ColProperties(2).SetEditFlag(1);
    StartEditing(2, 1);
    EXPECT_EQ(Editor(), nullptr);
    StartEditing(3, 1);
    ASSERT_NE(Editor(), nullptr);
    grid.SetEditable(false);
    grid.CellProperties(1, 2).SetEditFlag(2);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(1, 3)) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.model()->flags(grid.model()->index(2, 1)) & Qt::ItemIsEditable);
}

TEST_F(CellStyleGridEditing, EscapeKeepsTheOldTextAndReportsTheCancel) {
    grid.SetCells(1, 1, "old");
    std::vector<std::string> events;
    grid.OnBeforeEdit = [&](int c, int r) {
        events.push_back("before " + std::to_string(c) + std::to_string(r));
    };
    grid.OnCancelEdit = [&](int, int) { events.push_back("cancel"); };
    grid.OnAfterEdit = [&](int, int) { events.push_back("after"); };
    StartEditing(1, 1);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->selectedText(), "old");
    QTest::keyClicks(Editor(), "new");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cells(1, 1), "old");
    EXPECT_EQ(events, (std::vector<std::string>{"before 11", "cancel"}));
}

TEST_F(CellStyleGridEditing, ARefusedTextReopensTheEditorOnThatCell) {
    int validations = 0;
    grid.OnValidateEdit = [&](int, int, const std::string& text, bool& accept) {
        ++validations;
        accept = text != "bad";
    };
    StartEditing(2, 2);
    QTest::keyClicks(Editor(), "bad");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cells(2, 2), "");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "bad");
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    Editor()->setText("good");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cells(2, 2), "good");
    EXPECT_EQ(validations, 2);
}

TEST_F(CellStyleGridEditing, ARaisingCommitReachesTheHandlerAndTheGridGoesOn) {
    // A validation that raises (the binder's conversion error) refuses the text like a "no";
    // an after-edit handler that raises leaves the accepted text in its cell.
    test::RecordingHooks hooks;
    grid.OnValidateEdit = [&](int, int, const std::string& text, bool&) {
        if (text == "abc")
            throw EConvertError("'abc' is not a valid number");
    };
    grid.OnAfterEdit = [&](int, int row) {
        if (row == 3)
            throw Exception("Internal error.  No record behind row 3");
    };
    StartEditing(2, 2);
    QTest::keyClicks(Editor(), "abc");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"'abc' is not a valid number"});
    EXPECT_EQ(grid.Cells(2, 2), "");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "abc");
    Editor()->setText("12");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cells(2, 2), "12");
    StartEditing(2, 3);
    QTest::keyClicks(Editor(), "7");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cells(2, 3), "7");
    EXPECT_EQ(hooks.errors.size(), 2u);
}

TEST_F(CellStyleGridEditing, TabMovesByTheTabDirectionAndSkipsCellsThatMayNotBeEdited) {
    grid.ColProperties(3).SetEditFlag(1);
    grid.Data().FocusCell(2, 1);
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 4);
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 2);
    QTest::keyClick(&grid, Qt::Key_Backtab);
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Row(), 1);
    // Past the last cell the grid starts again at the first.
    grid.Data().FocusCell(4, 4);
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(CellStyleGridEditing, AnAcceptedEditMovesOnAndAddsARowPastTheEnd) {
    grid.AutoEditNextCell = true;
    StartEditing(4, 4);
    QTest::keyClicks(Editor(), "x");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cells(4, 4), "x");
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 5);
}

TEST_F(CellStyleGridWidget, ClipboardKeysCopyPasteAndCut) {
    test::RecordingHooks hooks;
    grid.SetCells(1, 1, "a");
    grid.SetCells(2, 1, "b");
    grid.CellProperties(2, 2).SetEditFlag(1);
    grid.SetCells(2, 2, "locked");
    grid.Data().FocusCell(1, 1);
    grid.Data().SetSelection({1, 1, 2, 1});
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(hooks.clipboard, "a\tb");
    grid.Data().FocusCell(1, 2);
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grid.Cells(1, 2), "a");
    EXPECT_EQ(grid.Cells(2, 2), "locked");
    grid.Data().FocusCell(1, 1);
    grid.Data().SetSelection({1, 1, 2, 2});
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(hooks.clipboard, "a\tb\na\tlocked");
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(grid.Cells(2, 2), "locked");
}

TEST_F(CellStyleGridWidget, SortingCarriesLooksAndHintsWithTheRows) {
    const char* names[] = {"", "pear", "apple", "fig", "kiwi"};
    for (int r = 1; r < 5; ++r)
        grid.SetCells(1, r, names[r]);
    grid.SetColorRow(1, clRed);
    grid.CellProperties(1, 3).SetAlign(alCenter);
    grid.SetCellHint(1, 2, "cheapest");
    grid.SortRows(1, true);
    EXPECT_EQ(grid.Cells(1, 1), "apple");
    EXPECT_EQ(grid.CellHint(1, 1), "cheapest");
    EXPECT_EQ(grid.Cells(1, 2), "fig");
    EXPECT_EQ(grid.CellAlignment(1, 2), alCenter);
    EXPECT_EQ(grid.Cells(1, 4), "pear");
    EXPECT_EQ(grid.CellBrush(1, 4).Color, clRed);
}

TEST_F(CellStyleGridWidget, AHookMayRealignACellJustBeforeDrawing) {
    FillList();
    grid.AlignmentHook = [](int col, int row, TMyAlign& align, T_Wordwrap&) {
        if (col == 2 && row == 3)
            align = alLeft;
    };
    const QImage image = grid.grab().toImage();
    const QRect amount = grid.CellRect(2, 3);
    EXPECT_GT(
        InkPixels(image, QRect(amount.left(), amount.top(), amount.width() / 2, amount.height())),
        10);
}

} // namespace
} // namespace duebell
