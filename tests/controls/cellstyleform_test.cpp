#include "controls/cellstyleform.h"
#include "controls/cellstylegrid.h"
#include "support/qtapp.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

FormValue I(std::int64_t v) {
    return {FormValue::Integer, v, {}};
}
FormValue S(const std::string& v) {
    return {FormValue::String, 0, v};
}
const FormValue Open{FormValue::ListBegin, 0, {}};
const FormValue Close{FormValue::ListEnd, 0, {}};

TEST(FormText, ReadsBackWhatItWrites) {
    const StoredForm form{
        {"ColCount", {I(3)}},
        {"Cells", {Open, I(0), I(0), S("Loan 'A'"), I(1), I(0), S("line\r\nbreak"), Close}},
        {"Empty", {Open, Close}},
        {"Flag", {{FormValue::Ident, 0, "True"}}},
        {"AlignCell", {{FormValue::Binary, 0, std::string("\x01\x00\x02\x00\x00", 5)}}},
        {"Nested", {Open, I(-4), Open, S(""), Close, Close}},
    };
    const std::string text = FormToText(form);
    EXPECT_NE(text.find("Cells = (\n  0\n  0\n  'Loan ''A'''\n"), std::string::npos) << text;
    EXPECT_NE(text.find("'line'#13#10'break')"), std::string::npos) << text;
    EXPECT_NE(text.find("Empty = ()"), std::string::npos) << text;
    EXPECT_NE(text.find("AlignCell = {0100020000}"), std::string::npos) << text;
    EXPECT_EQ(FormFromText(text), form);
}

TEST(FormText, RefusesMalformedText) {
    EXPECT_THROW(FormFromText("Cells = (\n 0\n 'open"), EReadError);
    EXPECT_THROW(FormFromText("Cells = )"), EReadError);
    EXPECT_THROW(FormFromText("= 3"), EReadError);
    EXPECT_THROW(FormFromText("Bits = {ABC}"), EReadError);
}

TEST(FormReader, AValueOfTheWrongKindIsAReadError) {
    const FormProperty p{"Cells", {Open, S("x"), Close}};
    FormReader r(p);
    r.ReadListBegin();
    EXPECT_THROW(r.ReadInteger(), EReadError);
}

class GridForm : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication(); }
};

TEST_F(GridForm, CaptionsReadFromAFormAreWrittenBackWithEmptyAttributeLists) {
    TCellStyleGrid grid;
    grid.SetCells(4, 4, "left over");
    grid.ReadForm(FormFromText(
        "ColCount = 3\n"
        "Cells = (\n  0\n  0\n  'Code'\n  1\n  0\n  'Name'\n  2\n  0\n  'Address')\n"));
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Cells(0, 0), "Code");
    EXPECT_EQ(grid.Cells(2, 0), "Address");
    EXPECT_EQ(grid.Cells(2, 4), ""); // loading empties every cell without a stored text

    grid.SetCells(1, 2, "Smith");
    const StoredForm written = grid.WriteForm();
    const FormProperty* cells = FindFormProperty(written, "Cells");
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->values,
              (std::vector<FormValue>{Open, I(0), I(0), S("Code"), I(1), I(0), S("Name"), I(1),
                                      I(2), S("Smith"), I(2), I(0), S("Address"), Close}));
    for (const char* name : {"PropCell", "PropCol", "PropRow", "PropFixedCol", "PropFixedRow"}) {
        const FormProperty* p = FindFormProperty(written, name);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_EQ(p->values, (std::vector<FormValue>{Open, Close})) << name;
    }
    EXPECT_EQ(FindFormProperty(written, "HintCell"), nullptr);
}

TEST_F(GridForm, AttributesAndSettingsSurviveARoundTripThroughText) {
    TCellStyleGrid source;
    source.SetRowCount(6);
    source.SetFixedColor(clYellow);
    source.SetAlignment(alCenter);
    source.SetEditable(false);
    source.NextCellTab = nc_downright;
    source.SetColWidths(2, 120);
    source.ColProperties(2).SetAlign(alRight);
    source.CellProperties(3, 4).SetFont(
        TMyFont{clRed, -13, "Arial", fpVariable, fsBold | fsItalic});
    source.SetColorRow(2, clSilver);
    source.FixedRowProperties(0).SetSelectedBrush(TMyBrush{clNavy, bsDiagCross});

    const std::string text = FormToText(source.WriteForm());
    TCellStyleGrid copy;
    copy.ReadForm(FormFromText(text));
    EXPECT_EQ(copy.RowCount(), 6);
    EXPECT_EQ(copy.FixedColor(), clYellow);
    EXPECT_EQ(copy.Alignment(), alCenter);
    EXPECT_FALSE(copy.Editable());
    EXPECT_EQ(copy.NextCellTab, nc_downright);
    EXPECT_EQ(copy.ColWidths(2), 120);
    EXPECT_EQ(copy.CellAlignment(2, 3), alRight);
    EXPECT_EQ(copy.CellAlignment(1, 3), alCenter);
    EXPECT_EQ(copy.CellFont(3, 4), (TMyFont{clRed, -13, "Arial", fpVariable, fsBold | fsItalic}));
    EXPECT_EQ(copy.CellBrush(1, 2).Color, clSilver);
    EXPECT_EQ(copy.Styles().FindFixedRow(0)->SelectedBrush(), (TMyBrush{clNavy, bsDiagCross}));
    EXPECT_EQ(FormToText(copy.WriteForm()), text);
}

TEST_F(GridForm, AnUnknownPropertyIsAReadError) {
    TCellStyleGrid grid;
    EXPECT_THROW(grid.ReadForm(FormFromText("Colour = 3\n")), EReadError);
}

TEST(OlderForms, PerAttributePropertiesAreRead) {
    CellStyles styles;
    CellStyleFormState state;
    // AlignCell: (column 2, row 3, alCenter), (column -1? no: 258, 1, alRight) little-endian.
    const std::string alignCell("\x02\x00\x03\x00\x02\x02\x01\x01\x00\x00", 10);
    ASSERT_TRUE(
        ReadCellStyleProperty({"AlignCell", {{FormValue::Binary, 0, alignCell}}}, styles, state));
    EXPECT_EQ(styles.FindCell(2, 3)->Align(), alCenter);
    EXPECT_EQ(styles.FindCell(258, 1)->Align(), alRight);
    ASSERT_TRUE(ReadCellStyleProperty(
        {"EditRow", {{FormValue::Binary, 0, std::string("\x04\x00\x02", 3)}}}, styles, state));
    EXPECT_EQ(styles.FindRow(4)->EditFlag(), 2);
    ASSERT_TRUE(ReadCellStyleProperty({"ColorRow", {Open, I(1), I(clLime), Close}}, styles, state));
    EXPECT_EQ(styles.FindRow(1)->Brush(), (TMyBrush{clLime, bsSolid}));
    ASSERT_TRUE(ReadCellStyleProperty(
        {"FontFixedCol", {Open, I(0), I(clBlue), I(-12), S("Arial"), I(0), I(1), Close}}, styles,
        state));
    EXPECT_EQ(styles.FindFixedCol(0)->Font()->Name, "Arial");
    ASSERT_TRUE(ReadCellStyleProperty({"SelectedColorCell", {Open, I(1), I(1), I(clRed), Close}},
                                      styles, state));
    EXPECT_EQ(styles.FindCell(1, 1)->SelectedBrush()->Color, clRed);
    EXPECT_FALSE(ReadCellStyleProperty({"Nonsense", {}}, styles, state));
}

TEST(OlderForms, UnknownTagsInAnAttributeRecordArePassedOver) {
    CellStyles styles;
    CellStyleFormState state;
    ASSERT_TRUE(ReadCellStyleProperty(
        {"PropCol", {Open, I(2), I(9), S("future"), I(1), I(alRight), I(0), Close}}, styles,
        state));
    EXPECT_EQ(styles.FindCol(2)->Align(), alRight);
}

TEST(HintsAndTexts, HintsReadFromAFormAreWrittenBack) {
    StringGridData grid;
    CellStyles styles;
    CellStyleFormState state;
    ReadCellStyleProperty({"HintCell", {Open, I(1), I(2), S("Due today"), Close}}, styles, state);
    StoredForm out;
    WriteCellStyleProperties(grid, styles, state, out);
    ASSERT_EQ(out.front().name, "HintCell");
    EXPECT_EQ(out.front().values,
              (std::vector<FormValue>{Open, I(1), I(2), S("Due today"), Close}));
}

} // namespace
} // namespace duebell
