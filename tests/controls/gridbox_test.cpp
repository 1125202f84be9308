#include "controls/editbutton.h"
#include "controls/gridbox.h"
#include "objectlist/exceptions.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

const QColor Highlight(0x0A, 0x24, 0x6A);

class GridBoxWidget : public ::testing::Test {
protected:
    void SetUp() override {
        QPalette p = window.palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        p.setColor(QPalette::Highlight, Highlight);
        p.setColor(QPalette::HighlightedText, Qt::white);
        window.setPalette(p);
        window.setFont(QFont("Liberation Sans", 9));
        window.resize(480, 260);
        box = new TGridBox(&window);
        box->setGeometry(20, 20, 120, box->height());
        box->OnChange = [this] { ++changes; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }
    // A loan pick list as the dialogs fill it: number, client and property address.
    void LoanList() {
        box->SetStyle(gsDropDownList);
        box->SetSelectType(stRow);
        box->SetDefaultRowHeight(16);
        box->SetDropDownCols(3);
        box->SetColWidth(0, 80);
        box->SetColWidth(1, 120);
        box->SetColWidth(2, 200);
        const char* clients[] = {"Smith, John", "Nguyen, Anh", "Brown, Mary", "Lee, Sam"};
        const char* addresses[] = {"12 Main St Brisbane", "3 Hill Rd Toowong", "88 Bay Tce Wynnum",
                                   "5 Creek St Ipswich"};
        for (int i = 0; i < 4; ++i) {
            const int row = box->Items().Add("000000" + std::to_string(i + 1));
            box->SetCell(row, 1, clients[i]);
            box->SetCell(row, 2, addresses[i]);
        }
    }
    QPoint CellCentre(int col, int row) {
        TGrid* grid = box->DropDownGrid()->Grid();
        return grid->CellRect(col, row).center() - grid->viewport()->pos();
    }
    QWidget window;
    TGridBox* box = nullptr;
    int changes = 0;
};

TEST_F(GridBoxWidget, PickingARowWithTheMouseTakesItsCode) {
    LoanList();
    QTest::mouseClick(box->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(box->PopupVisible());
    TGrid* grid = box->DropDownGrid()->Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 2));
    EXPECT_FALSE(box->PopupVisible());
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(box->Text(), "0000003");
    EXPECT_EQ(changes, 1);
}

TEST_F(GridBoxWidget, OnClickItemMayRefuseAPick) {
    LoanList();
    std::vector<std::pair<int, int>> asked;
    box->OnClickItem = [&](int index, int col, bool& canSelect) {
        asked.emplace_back(index, col);
        canSelect = index != 1;
    };
    box->DropDown();
    TGrid* grid = box->DropDownGrid()->Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(2, 1));
    EXPECT_TRUE(box->PopupVisible());
    EXPECT_EQ(box->ItemIndex(), -1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(0, 3));
    EXPECT_FALSE(box->PopupVisible());
    EXPECT_EQ(box->Text(), "0000004");
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 2}, {3, 0}}));
}

TEST_F(GridBoxWidget, TheGridStandsOnlyOnItemsAndAPickNeedsTheLeftButtonAlone) {
    // Seven items in cells of five columns: the last three cells of row 1 hold none.
    box->SetStyle(gsDropDownList);
    box->SetDropDownCols(5);
    box->SetColWidth(0, 40);
    for (const char* code : {"A", "B", "C", "D", "E", "F", "G"})
        box->Items().Add(code);
    box->SetItemIndex(4);
    changes = 0;
    box->DropDown();
    TGrid* grid = box->DropDownGrid()->Grid();
    ASSERT_EQ(grid->Row(), 0);
    ASSERT_EQ(grid->Col(), 4);
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Down); // onto item 9: none there
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(grid->Col(), 4);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(3, 1));
    EXPECT_TRUE(box->PopupVisible());
    EXPECT_EQ(grid->Col(), 4);
    for (Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, held, CellCentre(1, 1));
        EXPECT_TRUE(box->PopupVisible()) << held;
    }
    EXPECT_EQ(box->ItemIndex(), 4);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 1));
    EXPECT_FALSE(box->PopupVisible());
    EXPECT_EQ(box->Text(), "G");
    EXPECT_EQ(changes, 1);

    // An empty list picks nothing, though its grid shows one blank cell.
    box->Items().Clear();
    changes = 0;
    box->DropDown();
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Return);
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(GridBoxWidget, TheDropDownOpensOnTheChosenRowAndItsKeysMoveInTheGrid) {
    LoanList();
    box->SetItemIndex(1);
    changes = 0;
    box->DropDown();
    TGrid* grid = box->DropDownGrid()->Grid();
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(box->DropDownGrid()->size(), QSize(80 + 120 + 200 + 3 + 2, 4 * 17 + 2));
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Down);
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 3);
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Down); // the last row: the grid stays put
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(box->ItemIndex(), 1); // nothing chosen until accepted
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Return);
    EXPECT_EQ(box->Text(), "0000004");
    EXPECT_EQ(changes, 1);
}

TEST_F(GridBoxWidget, AListStyleBoxTakesNoTypingButStepsWithTheCursorKeys) {
    LoanList();
    QTest::keyClicks(box, "7x");
    EXPECT_EQ(box->Text(), "");
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->Text(), "0000002");
    EXPECT_EQ(changes, 2);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->ItemIndex(), 0);
}

TEST_F(GridBoxWidget, ATypingBoxFindsTheTypedItem) {
    box->SetDropDownCols(1);
    for (const char* s : {"Weekly", "Fortnightly", "Monthly"})
        box->Items().Add(s);
    QTest::keyClicks(box, "Monthly");
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(changes, 7);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->Text(), "Fortnightly");
    EXPECT_EQ(box->selectedText(), "Fortnightly");
}

TEST_F(GridBoxWidget, InAListF4OpensAndClosesAndTypingChoosesByTheCode) {
    box->SetStyle(gsDropDownList);
    box->SetDropDownCols(1);
    for (const char* s : {"Weekly", "Fortnightly", "Monthly"})
        box->Items().Add(s);
    QTest::keyClick(box, Qt::Key_M);
    EXPECT_EQ(box->Text(), "Monthly");
    QTest::keyClick(box, Qt::Key_F4);
    ASSERT_TRUE(box->PopupVisible());
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Up);
    QTest::keyClick(box->DropDownGrid(), Qt::Key_F4);
    EXPECT_FALSE(box->PopupVisible());
    EXPECT_EQ(box->Text(), "Fortnightly");
    QTest::keyClicks(box, "we");
    EXPECT_EQ(box->Text(), "Weekly");
    EXPECT_EQ(changes, 3);
}

TEST_F(GridBoxWidget, ADisabledBoxShowsTheButtonFace) {
    box->SetColor(clYellow);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::yellow));
    box->setEnabled(false);
    EXPECT_EQ(box->palette().color(QPalette::Base), ToQColor(clBtnFace, box->palette()));
    EXPECT_FALSE(box->Button()->isEnabled());
    box->setEnabled(true);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::yellow));
}

TEST_F(GridBoxWidget, AnErrorInOnChangeDuringAPickReachesTheHandler) {
    test::RecordingHooks hooks;
    LoanList();
    box->OnChange = [] { throw Exception("That loan is closed"); };
    box->DropDown();
    QTest::mouseClick(box->DropDownGrid()->Grid()->viewport(), Qt::LeftButton, {},
                      CellCentre(0, 0));
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"That loan is closed"});
    EXPECT_FALSE(box->PopupVisible());
}

// The box with its drop-down open, as one picture: the window with the drop-down drawn
// where it shows on the screen.
QImage OpenBoxPicture(QWidget& window, TGridBox* box) {
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    const QPoint at = window.mapFromGlobal(box->DropDownGrid()->pos());
    painter.drawImage(at, box->DropDownGrid()->grab().toImage());
    return picture;
}

TEST_F(GridBoxWidget, ScreenshotOfAnOpenThreeColumnPickList) {
    LoanList();
    box->SetItemIndex(1);
    box->DropDown();
    ASSERT_TRUE(box->PopupVisible());
    const QImage picture = OpenBoxPicture(window, box);
    test::SaveScreenshot(picture, "gridbox_open");

    TGrid* grid = box->DropDownGrid()->Grid();
    const QPoint origin = window.mapFromGlobal(grid->mapToGlobal(QPoint(0, 0)));
    auto cell = [&](int col, int row) { return grid->CellRect(col, row).translated(origin); };
    // The chosen row is highlighted across all three columns, the others are white.
    for (int col = 0; col < 3; ++col) {
        EXPECT_EQ(picture.pixelColor(cell(col, 1).right() - 1, cell(col, 1).bottom() - 1),
                  Highlight)
            << col;
        EXPECT_EQ(picture.pixelColor(cell(col, 2).right() - 1, cell(col, 2).bottom() - 1),
                  QColor(Qt::white))
            << col;
    }
    // Text starts at the left of each column: ink in the first quarter of every cell.
    for (int col = 0; col < 3; ++col) {
        const QRect c = cell(col, 0);
        int ink = 0;
        for (int x = c.left(); x < c.left() + c.width() / 4; ++x)
            for (int y = c.top(); y <= c.bottom(); ++y)
                ink += picture.pixelColor(x, y).lightness() < 128 ? 1 : 0;
        EXPECT_GT(ink, 5) << col;
    }
    // The drop-down hangs below the field, its left edge under the field's left edge.
    const QPoint fieldBottomLeft = box->mapTo(&window, QPoint(0, box->height()));
    EXPECT_EQ(window.mapFromGlobal(box->DropDownGrid()->pos()),
              QPoint(fieldBottomLeft.x(), fieldBottomLeft.y()));
}

} // namespace
} // namespace duebell
