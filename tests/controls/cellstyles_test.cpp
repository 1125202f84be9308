#include "controls/cellstyles.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

class CellStylesResolution : public ::testing::Test {
protected:
    CellStyles styles{[this] { ++changes; }};
    int changes = 0;
};

TEST_F(CellStylesResolution, ACellWithNoSetsTakesTheGridDefaults) {
    EXPECT_EQ(styles.CellAlignment(2, 2), alLeft);
    EXPECT_EQ(styles.CellWordwrap(2, 2), ww_none);
    EXPECT_TRUE(styles.CellEditable(2, 2));
    EXPECT_EQ(styles.CellFont(2, 2), styles.Defaults().Font);
    EXPECT_EQ(styles.CellBrush(2, 2).Color, clWindow);
    EXPECT_EQ(styles.CellSelectedColor(2, 2), clHighlight);
    EXPECT_EQ(styles.CellSelectedFontColor(2, 2), clWhite);
}

TEST_F(CellStylesResolution, AFixedCellTakesTheFixedFontAndFixedColour) {
    TMyFont bold;
    bold.Style = fsBold;
    styles.Defaults().FixedFont = bold;
    EXPECT_EQ(styles.CellBrush(3, 0).Color, clBtnFace);
    EXPECT_EQ(styles.CellFont(3, 0).Style, fsBold);
    EXPECT_EQ(styles.CellFont(0, 3).Style, fsBold);
    EXPECT_EQ(styles.CellFont(3, 3).Style, 0);
}

TEST_F(CellStylesResolution, DefaultAlignmentOfTheGridMeansLeft) {
    styles.Defaults().Alignment = alDefault;
    styles.Defaults().Wordwrap = ww_default;
    EXPECT_EQ(styles.CellAlignment(1, 1), alLeft);
    EXPECT_EQ(styles.CellWordwrap(1, 1), ww_none);
}

TEST_F(CellStylesResolution, TheMostSpecificLevelDecidesEachAttribute) {
    styles.Col(2).SetAlign(alCenter);
    styles.Cell(2, 3).SetAlign(alRight);
    styles.Row(3).SetWordwrap(ww_ellipsis);
    styles.Col(2).SetWordwrap(ww_wordwrap);
    EXPECT_EQ(styles.CellAlignment(2, 3), alRight);
    EXPECT_EQ(styles.CellAlignment(2, 4), alCenter);
    EXPECT_EQ(styles.CellAlignment(1, 3), alLeft);
    // Column before row.
    EXPECT_EQ(styles.CellWordwrap(2, 3), ww_wordwrap);
    EXPECT_EQ(styles.CellWordwrap(1, 3), ww_ellipsis);
}

TEST_F(CellStylesResolution, FixedCellsUseTheFixedColumnAndRowStores) {
    styles.Col(2).SetAlign(alRight);
    styles.FixedCol(2).SetAlign(alCenter);
    styles.FixedRow(0).SetBrush(TMyBrush{clYellow, bsSolid});
    EXPECT_EQ(styles.CellAlignment(2, 0), alCenter); // the caption of column 2
    EXPECT_EQ(styles.CellAlignment(2, 1), alRight);
    EXPECT_EQ(styles.CellBrush(3, 0).Color, clYellow);
    EXPECT_EQ(styles.CellBrush(3, 1).Color, clWindow);
}

TEST_F(CellStylesResolution, FirstNonZeroEditFlagDecides) {
    styles.Defaults().Editable = false;
    styles.Row(2).SetEditFlag(2);
    styles.Cell(1, 2).SetEditFlag(1);
    EXPECT_TRUE(styles.CellEditable(3, 2));
    EXPECT_FALSE(styles.CellEditable(1, 2));
    EXPECT_FALSE(styles.CellEditable(3, 3));
}

TEST_F(CellStylesResolution, SelectedColoursIgnoreTheFixedStores) {
    styles.Row(1).SetSelectedBrush(TMyBrush{clNavy, bsSolid});
    styles.Col(2).SetSelectedFont(TMyFont{clYellow, -11, "Arial", fpDefault, 0});
    styles.FixedCol(3).SetSelectedBrush(TMyBrush{clRed, bsSolid});
    EXPECT_EQ(styles.CellSelectedColor(4, 1), clNavy);
    EXPECT_EQ(styles.CellSelectedColor(3, 0), clHighlight);
    EXPECT_EQ(styles.CellSelectedFontColor(2, 1), clYellow);
}

TEST_F(CellStylesResolution, ColourRowBandsAndFallsBackWhenReset) {
    styles.Col(1).SetBrush(TMyBrush{clAqua, bsSolid});
    styles.SetColorRow(2, clRed);
    // A column's own brush comes before the row's.
    EXPECT_EQ(styles.CellBrush(1, 2).Color, clAqua);
    EXPECT_EQ(styles.CellBrush(2, 2).Color, clRed);
    styles.ResetColorRow(2);
    EXPECT_EQ(styles.CellBrush(1, 2).Color, clAqua);
    EXPECT_EQ(styles.CellBrush(2, 2).Color, clWindow);
    // The set stays, empty, and resetting a row that never had one creates nothing.
    ASSERT_NE(styles.FindRow(2), nullptr);
    EXPECT_TRUE(styles.FindRow(2)->IsEmpty());
    styles.ResetColorRow(7);
    EXPECT_EQ(styles.FindRow(7), nullptr);
    EXPECT_GT(changes, 0);
}

TEST_F(CellStylesResolution, SetsMoveWithTheirRows) {
    styles.SetColorRow(1, clRed);
    styles.Cell(2, 1).SetAlign(alRight);
    styles.SetColorRow(3, clLime);
    styles.ExchangeRows(1, 3);
    EXPECT_EQ(styles.CellBrush(0 + 1, 1).Color, clLime);
    EXPECT_EQ(styles.CellBrush(1, 3).Color, clRed);
    EXPECT_EQ(styles.CellAlignment(2, 3), alRight);
    styles.MoveRow(3, 1); // rows 1, 2 shift down
    EXPECT_EQ(styles.CellBrush(1, 1).Color, clRed);
    EXPECT_EQ(styles.CellBrush(1, 2).Color, clLime);
    EXPECT_EQ(styles.CellAlignment(2, 1), alRight);
}

TEST(CellProperties, AssignCopiesEveryFieldAndNothingResets) {
    TCellProperties a;
    a.SetAlign(alCenter);
    a.SetBrush(TMyBrush{clRed, bsCross});
    a.SetFont(TMyFont{clBlue, -13, "Arial", fpVariable, fsItalic});
    TCellProperties b;
    b.Assign(&a);
    EXPECT_EQ(b.Align(), alCenter);
    EXPECT_EQ(b.Brush(), a.Brush());
    EXPECT_EQ(b.Font(), a.Font());
    EXPECT_FALSE(b.IsEmpty());
    b.Assign(nullptr);
    EXPECT_TRUE(b.IsEmpty());
}

} // namespace
} // namespace duebell
