// A string grid printed as a table onto a preview's pages, read back from the PDF with
// poppler: page breaks with the fixed row repeated, fills and their absence in monochrome,
// scaling to a width; the sizes a handler makes negative or zero; the error boxes.
#include "pdforacle.h"
#include "print/gridprint.h"
#include "print/pdfoutput.h"
#include "print/textbox.h"
#include "printtestsupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

namespace duebell {
namespace {

using test::FindWord;
using test::PdfWord;
using test::PointsPerMillimetre;

constexpr double Tolerance = 0.5 * PointsPerMillimetre;
// The grid's default sizes: columns 64 and rows 24 pixels at 96 per inch.
constexpr double ColumnMm = 64 * 25.4 / 96; // 16.933
constexpr double RowMm = 24 * 25.4 / 96;    // 6.35
constexpr double InsetMm = 0.7;
// Sizes are held in whole hundredths of a millimetre.
constexpr double UnitTolerance = 0.01;

class GridPrinting : public ::testing::Test {
protected:
    // A grid of three columns and 'rows' rows, the first row fixed: "Heading", "Amount" over
    // "R1", "10"; "R2", "20"; ...
    void SetUp() override {
        grid.SetColCount(3);
        grid.SetFixedCols(0);
        grid.SetFixedRows(1);
        print.SetGrid(&grid);
        print.SetPreview(&preview);
    }
    void FillRows(int rows) {
        grid.SetRowCount(rows);
        grid.SetCells(0, 0, "Heading");
        grid.SetCells(1, 0, "Amount");
        for (int row = 1; row < rows; ++row) {
            grid.SetCells(0, row, "R" + std::to_string(row));
            grid.SetCells(1, row, std::to_string(row * 10));
        }
    }
    std::vector<PdfWord> WriteAndRead(const QString& name) {
        pdf = test::OutputFile(name);
        EXPECT_TRUE(WritePdf(preview.Pages(), pdf, "Grid"));
        return test::ReadPdfWords(pdf);
    }
    // The text box of the cell text 'text' (inches), or null.
    const TPqTextBoxObject* CellBox(const std::string& text) const {
        for (int page = 1; page <= preview.PageCount(); ++page)
            for (int i = 0; i < preview.GetPage(page).ObjectCount(); ++i)
                if (auto* box =
                        dynamic_cast<const TPqTextBoxObject*>(&preview.GetPage(page).Objects(i));
                    box && box->Text() == text)
                    return box;
        return nullptr;
    }

    TPqPreviewModel preview;
    TStringGrid grid;
    TPqGridPrint print;
    QString pdf;
};

TEST_F(GridPrinting, AHundredRowsBreakIntoPagesEachHeadedByTheFixedRow) {
    FillRows(100);
    print.Print();
    const auto words = WriteAndRead("grid_100_rows.pdf");

    // A4 is 296.926 mm high; rows of 6.35 mm from the 20 mm top margin must end by 276.926 mm:
    // 40 rows fit a page. Page 1: the heading and R1..R39; page 2: the heading and R40..R78;
    // page 3: the heading and R79..R99.
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 3);
    std::map<int, int> pageOfRow;
    for (const PdfWord& w : words) {
        static const QRegularExpression rowName("^R(\\d+)$");
        if (auto m = rowName.match(w.Text); m.hasMatch()) {
            EXPECT_FALSE(pageOfRow.count(m.captured(1).toInt()))
                << "twice: " << w.Text.toStdString();
            pageOfRow[m.captured(1).toInt()] = w.Page;
        }
    }
    ASSERT_EQ(pageOfRow.size(), 99u);
    for (auto [row, page] : pageOfRow)
        EXPECT_EQ(page, row <= 39 ? 1 : row <= 78 ? 2 : 3) << "R" << row;

    for (int page = 1; page <= 3; ++page) {
        int headings = 0;
        double top = 1e9;
        for (const PdfWord& w : words)
            if (w.Page == page) {
                headings += w.Text == "Heading";
                top = std::min(top, w.YMin);
            }
        EXPECT_EQ(headings, 1) << "page " << page;
        const PdfWord* heading = FindWord(words, page, "Heading");
        ASSERT_NE(heading, nullptr);
        EXPECT_NEAR(heading->XMin, (30 + InsetMm) * PointsPerMillimetre, Tolerance);
        EXPECT_NEAR(heading->YMin, (20 + InsetMm) * PointsPerMillimetre, Tolerance);
        EXPECT_DOUBLE_EQ(heading->YMin, top) << "the heading tops page " << page;
        const int firstRow = page == 1 ? 1 : page == 2 ? 40 : 79;
        const PdfWord* first = FindWord(words, page, QString("R%1").arg(firstRow));
        ASSERT_NE(first, nullptr);
        EXPECT_NEAR(first->YMin, (20 + RowMm + InsetMm) * PointsPerMillimetre, Tolerance);
    }
}

TEST_F(GridPrinting, CellsAreFilledInTheGridsColoursUnlessMonochrome) {
    FillRows(3);
    grid.SetFixedColor(clYellow);
    grid.SetColor(clAqua);
    // Inside the third column, which holds no text: the fixed row and an ordinary row.
    auto pixelAt = [](const QImage& image, double xMm, double yMm) {
        return image.pixel(int(xMm / 25.4 * 72), int(yMm / 25.4 * 72));
    };
    const double x = 30 + 2.5 * ColumnMm;
    for (bool monochrome : {false, true}) {
        preview.Clear();
        print.Monochrome = monochrome;
        print.Print();
        WriteAndRead(monochrome ? "grid_monochrome.pdf" : "grid_colour.pdf");
        const QImage page = test::RenderPdfPage(pdf, 1, 72);
        ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) rendered nothing";
        EXPECT_EQ(pixelAt(page, x, 20 + RowMm / 2),
                  monochrome ? qRgb(255, 255, 255) : qRgb(255, 255, 0));
        EXPECT_EQ(pixelAt(page, x, 20 + 1.5 * RowMm),
                  monochrome ? qRgb(255, 255, 255) : qRgb(0, 255, 255));
        // The table's border is drawn either way, just left of the first column.
        EXPECT_LT(qGray(pixelAt(page, 30, 20 + 1.5 * RowMm)), 128);
    }
}

TEST_F(GridPrinting, AtHalfItsWidthColumnsAndFontsAreHalvedButRowsAreNot) {
    FillRows(3);
    print.Print(pqMillimeters, 30, 20, 0);
    const auto full = WriteAndRead("grid_full_width.pdf");
    preview.Clear();
    print.Print(pqMillimeters, 30, 20, 3 * ColumnMm / 2);
    // Widths are held in whole hundredths of a millimetre: 64 pixels are 1693 of them.
    EXPECT_DOUBLE_EQ(print.Scale(), 2540.0 / (3 * 1693));
    const auto half = WriteAndRead("grid_half_width.pdf");

    const PdfWord* fullAmount = FindWord(full, 1, "Amount");
    const PdfWord* halfAmount = FindWord(half, 1, "Amount");
    const PdfWord* halfSecond = FindWord(half, 1, "20");
    ASSERT_TRUE(fullAmount && halfAmount && halfSecond);
    EXPECT_NEAR(fullAmount->XMin, (30 + ColumnMm + InsetMm) * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(halfAmount->XMin, (30 + ColumnMm / 2 + InsetMm) * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(halfSecond->YMin, (20 + 2 * RowMm + InsetMm) * PointsPerMillimetre, Tolerance);
    // The 8-point font becomes 4-point: its words are half as tall.
    EXPECT_NEAR((halfAmount->YMax - halfAmount->YMin) / (fullAmount->YMax - fullAmount->YMin), 0.5,
                0.05);
    EXPECT_EQ(CellBox("Amount")->FontRef()->Size(), 4);
}

TEST_F(GridPrinting, NegativeSizesCountAsNothingAndAZeroWidthTableIsNotScaled) {
    FillRows(4);
    grid.SetCells(2, 1, "third");
    print.OnGetColumnWidth = [](int col, TPqValue& width) {
        if (col == 1)
            width.SetAs(pqMillimeters, -10);
    };
    print.OnGetRowHeight = [](int row, TPqValue& height) {
        if (row == 2)
            height.SetAs(pqMillimeters, -3);
    };
    print.Print(pqMillimeters, 30, 20, 0);
    // Column 1 and row 2 take no room: "third" follows column 0 directly, R3 follows R1.
    const double inch = 25.4;
    ASSERT_NE(CellBox("third"), nullptr);
    EXPECT_NEAR(CellBox("third")->X1() * inch, 30 + ColumnMm + InsetMm, UnitTolerance);
    EXPECT_NEAR(CellBox("R3")->Y1() * inch, 20 + 2 * RowMm + InsetMm, UnitTolerance);
    EXPECT_EQ(CellBox("R2"), nullptr) << "a row of no height has no room for its text";

    // Every column of no width: asked for 100 mm, the table keeps scale 1 and draws its lines
    // at the start.
    preview.Clear();
    print.OnGetColumnWidth = [](int, TPqValue& width) { width.SetAs(pqMillimeters, -1); };
    print.Print(pqMillimeters, 30, 20, 100);
    EXPECT_DOUBLE_EQ(print.Scale(), 1);
    const TPqPage& page = preview.GetPage(1);
    ASSERT_GT(page.ObjectCount(), 0);
    for (int i = 0; i < page.ObjectCount(); ++i) {
        if (auto* shape = dynamic_cast<const TPqSimpleShape*>(&page.Objects(i))) {
            EXPECT_NEAR(shape->X1() * inch, 30, UnitTolerance);
        }
    }
}

TEST_F(GridPrinting, AnOwnerDrawingCellsGetsTheirRectanglesAndTheTableDrawsOnlyLines) {
    FillRows(2);
    std::vector<std::pair<int, int>> cells;
    print.OnDrawCell = [&](int col, int row, TPqValueRect& rect, TPqCanvas& canvas) {
        cells.emplace_back(col, row);
        EXPECT_NEAR(rect.GetLeft().GetAsMillimeters(), 30 + col * ColumnMm, UnitTolerance);
        EXPECT_NEAR(rect.GetTop().GetAsMillimeters(), 20 + row * RowMm, UnitTolerance);
        canvas.TextOut(pqMillimeters, rect.GetLeft().GetAsMillimeters(),
                       rect.GetTop().GetAsMillimeters(), "own");
    };
    print.Print(pqMillimeters, 30, 20, 0);
    EXPECT_EQ(cells.size(), 6u);
    EXPECT_EQ(CellBox("Heading"), nullptr);
}

TEST(GridPrintErrors, WithoutAGridOrAPreviewAnErrorBoxShowsAndNothingIsDrawn) {
    test::RecordingSink sink;
    TPqPreviewModel preview;
    TPqGridPrint print;
    print.SetPreview(&preview);
    print.Print();
    TStringGrid grid;
    TPqGridPrint unbound;
    unbound.SetGrid(&grid);
    unbound.Print();
    EXPECT_EQ(sink.shown, (std::vector<std::string>{
                              "TPqGridPrint Error...\n\nThere is no grid assigned to the "
                              "TPqGridPrint component",
                              "TPqGridPrint Error...\n\nThere is no TPqPreview assigned to this "
                              "component"}));
    EXPECT_EQ(preview.GetPage(1).ObjectCount(), 0);
    EXPECT_EQ(print.About(), "TPqGridPrint v2.83");
}

TEST(GridPrintErrors, AGridThatGoesAwayIsForgotten) {
    TPqGridPrint print;
    auto grid = std::make_unique<TStringGrid>();
    print.SetGrid(grid.get());
    grid.reset();
    EXPECT_EQ(print.Grid(), nullptr);
}

} // namespace
} // namespace duebell
