// Labels laid out on sheets from the built-in templates, read back from the PDF with poppler:
// pages per run, where labels stand, outlines on screen but not on paper, Letter paper for the
// Avery sheets; the start position, column order, hand-set sizes; and a run that fails or is
// refused leaves the printer, the canvas, the cursor and the preview as they were.
#include "controls/uihooks.h"
#include "pdforacle.h"
#include "print/labelprinter.h"
#include "print/pagerender.h"
#include "print/pdfoutput.h"
#include "print/shapes.h"
#include "printtestsupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>

namespace duebell {
namespace {

using test::FindWord;
using test::PdfWord;
using test::PointsPerMillimetre;

constexpr double Tolerance = 0.5 * PointsPerMillimetre;
constexpr double Inch = 25.4;

class LabelSheets : public ::testing::Test {
protected:
    void SetUp() override {
        labels.SetPreview(&preview);
        // As the address label window draws: a line 5 mm in from the label's corner.
        labels.OnDrawLabel = [this](int labelNum, TPqValueRect& rect, TPqCanvas& canvas) {
            drawnNumbers.push_back(labelNum);
            const double left = rect.GetLeft().GetAsMillimeters();
            const double top = rect.GetTop().GetAsMillimeters();
            canvas.TextOut(left + 5, top + 5, "Label" + std::to_string(labelNum));
        };
    }
    std::vector<PdfWord> WriteAndRead(const QString& name) {
        pdf = test::OutputFile(name);
        EXPECT_TRUE(WritePdf(preview.Pages(), pdf, "Labels"));
        return test::ReadPdfWords(pdf);
    }
    // The outlines of a page, in drawing order.
    std::vector<const TPqSimpleShape*> Outlines(int page) const {
        std::vector<const TPqSimpleShape*> shapes;
        const TPqPage& p = preview.GetPage(page);
        for (int i = 0; i < p.ObjectCount(); ++i)
            if (auto* shape = dynamic_cast<const TPqSimpleShape*>(&p.Objects(i)))
                shapes.push_back(shape);
        return shapes;
    }

    TPqPreviewModel preview;
    TPqLabelPrinter labels;
    std::vector<int> drawnNumbers;
    QString pdf;
};

TEST_F(LabelSheets, L7159HoldsTwentyFourLabelsASheetInThreeColumnsOfEight) {
    labels.SetLabelCount(30);
    const auto words = WriteAndRead("labels_l7159_30.pdf");
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 2);
    for (int n = 1; n <= 30; ++n) {
        const PdfWord* word = FindWord(words, n <= 24 ? 1 : 2, QString("Label%1").arg(n));
        ASSERT_NE(word, nullptr) << n;
    }
    // Held in whole hundredths of a millimetre: 0.25 in as 6.35 mm, 0.54 in as 13.72, the
    // column pitch 2.63 in as 66.80 and the row pitch 1.33 in as 33.78; the text 5 mm in.
    auto expectAt = [&](int page, int n, double xMm, double yMm) {
        const PdfWord* word = FindWord(words, page, QString("Label%1").arg(n));
        ASSERT_NE(word, nullptr);
        EXPECT_NEAR(word->XMin, xMm * PointsPerMillimetre, Tolerance) << n;
        EXPECT_NEAR(word->YMin, yMm * PointsPerMillimetre, Tolerance) << n;
    };
    expectAt(1, 1, 11.35, 18.72);
    expectAt(1, 2, 78.15, 18.72);
    expectAt(1, 4, 11.35, 52.50);
    expectAt(1, 24, 11.35 + 2 * 66.80, 18.72 + 7 * 33.78);
    expectAt(2, 25, 11.35, 18.72);

    // A full last sheet adds no page.
    preview.Clear();
    labels.SetLabelCount(24);
    EXPECT_EQ(preview.PageCount(), 1);
    WriteAndRead("labels_l7159_24.pdf");
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 1);
}

TEST_F(LabelSheets, OutlinesShowInThePreviewButNeverOnPaper) {
    labels.SetLabelCount(3);
    WriteAndRead("labels_outlines.pdf");
    const QImage paper = test::RenderPdfPage(pdf, 1, 150);
    const QImage screen = RenderPageImage(preview.GetPage(1), 150);
    screen.save(test::OutputFile("labels_outlines_screen.png"));
    ASSERT_FALSE(paper.isNull()) << "pdftoppm (poppler-utils) rendered nothing";
    // Label 1's left edge (6.35 mm, at 150 per inch 37.5 pixels in), halfway down the label.
    auto darkest = [](const QImage& image) {
        int gray = 255;
        for (int x = 35; x <= 40; ++x)
            gray = std::min(gray, qGray(image.pixel(x, int(30 / Inch * 150))));
        return gray;
    };
    EXPECT_LT(darkest(screen), 230);
    EXPECT_EQ(darkest(paper), 255);
    for (const TPqSimpleShape* outline : Outlines(1))
        EXPECT_FALSE(outline->Printable());
}

TEST_F(LabelSheets, AveryLabelsPrintOnLetterPaper) {
    labels.SetTemplate(TPqLabelTemplate::Avery_5160_Address);
    labels.SetLabelCount(30);
    const auto words = WriteAndRead("labels_avery5160.pdf");
    const auto info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Pages, 1);
    ASSERT_EQ(info.Sizes.size(), 1u);
    EXPECT_NEAR(info.Sizes[0].Width, 612, 0.5);
    EXPECT_NEAR(info.Sizes[0].Height, 792, 0.5);
    // 0.19 in is 4.83 mm, 0.5 in 12.70 mm.
    const TPqSimpleShape* first = Outlines(1).at(0);
    EXPECT_NEAR(first->X1() * Inch, 4.83, 1e-9);
    EXPECT_NEAR(first->Y1() * Inch, 12.70, 1e-9);
    const PdfWord* label1 = FindWord(words, 1, "Label1");
    ASSERT_NE(label1, nullptr);
    EXPECT_NEAR(label1->XMin, (4.83 + 5) * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(label1->YMin, (12.70 + 5) * PointsPerMillimetre, Tolerance);
}

TEST(LabelTemplates, NineteenBuiltInSheetsEachFittingItsPaper) {
    TPqLabelPrinter labels;
    const TPqLabelTemplateList& templates = labels.Templates();
    ASSERT_EQ(templates.Count(), 19);
    for (int i = 0; i < templates.Count(); ++i) {
        const TPqLabelTemplateInfo& t = templates.Items(i);
        EXPECT_EQ(static_cast<int>(t.Template), i + 1);
        PaperDimensions paper;
        GetPaperSize(t.PaperSize, t.Orientation, paper);
        const double right =
            t.LeftMargin.Value() + (t.Columns - 1) * t.ColumnPitch.Value() + t.LabelWidth.Value();
        const double bottom =
            t.TopMargin.Value() + (t.Rows - 1) * t.RowPitch.Value() + t.LabelHeight.Value();
        EXPECT_LE(right, paper.Width + 1e-9) << "template " << i + 1;
        EXPECT_LE(bottom, paper.Height + 1e-9) << "template " << i + 1;
    }
    const TPqLabelTemplateInfo* l7159 = templates.FindTemplate(TPqLabelTemplate::L7159_Address);
    ASSERT_NE(l7159, nullptr);
    EXPECT_EQ(l7159->TopMargin.GetAsUnits(), 1372);
    EXPECT_EQ(l7159->RowPitch.GetAsUnits(), 3378);
    EXPECT_EQ(l7159->ColumnPitch.GetAsUnits(), 6680);
    EXPECT_EQ(templates.FindTemplate(TPqLabelTemplate::Custom), nullptr);
    EXPECT_EQ(labels.About(), "TPqLabelPrinter v2.83");
}

TEST_F(LabelSheets, StartLabelLeavesEarlierPositionsEmptyAndStaysOnTheFirstSheet) {
    // Label corners in hundredths of a millimetre: columns at 635, 7315 and 13995, rows from
    // 1372 every 3378.
    auto positionsOf = [&](int page) {
        std::vector<std::pair<long, long>> corners;
        for (const TPqSimpleShape* outline : Outlines(page))
            corners.emplace_back(std::lround(outline->X1() * Inch * 100),
                                 std::lround(outline->Y1() * Inch * 100));
        return corners;
    };
    using Corners = std::vector<std::pair<long, long>>;
    labels.StartLabel = 3;
    labels.SetLabelCount(2);
    EXPECT_EQ(drawnNumbers, (std::vector<int>{1, 2}));
    EXPECT_EQ(positionsOf(1), (Corners{{13995, 1372}, {635, 4750}}));

    // A start beyond the sheet's 24 positions takes the last one; the next label begins a
    // new sheet instead of returning to the top of this one.
    preview.Clear();
    labels.StartLabel = 40;
    labels.SetLabelCount(2);
    EXPECT_EQ(preview.PageCount(), 2);
    EXPECT_EQ(positionsOf(1), (Corners{{13995, 1372 + 7 * 3378}}));
    EXPECT_EQ(positionsOf(2), (Corners{{635, 1372}}));
}

TEST_F(LabelSheets, ColumnOrderGoesDownEachColumnAndGrowsWithTallLabels) {
    labels.DrawOrder = pqColumns;
    labels.OnGetLabelHeight = [](int labelNum, int, int, TPqValue& height) {
        if (labelNum == 1)
            height.SetAs(pqMillimeters, 2 * 33.78);
    };
    labels.SetLabelCount(8);
    const auto outlines = Outlines(1);
    ASSERT_EQ(outlines.size(), 8u);
    // Label 1 takes two rows; labels 2 to 7 fill the other six; label 8 no longer fits the
    // column and heads the next, which begins at the right edge of the last label (the
    // width 2.52 in is 64.01 mm).
    EXPECT_NEAR(outlines[0]->Y2() * Inch, 13.72 + 2 * 33.78, 1e-9);
    EXPECT_NEAR(outlines[1]->Y1() * Inch, 13.72 + 2 * 33.78, 1e-9);
    EXPECT_NEAR(outlines[6]->Y1() * Inch, 13.72 + 7 * 33.78, 1e-9);
    EXPECT_NEAR(outlines[7]->X1() * Inch, 6.35 + 64.01, 1e-9);
    EXPECT_NEAR(outlines[7]->Y1() * Inch, 13.72, 1e-9);
}

TEST_F(LabelSheets, HandSetSizesMakeACustomSheetAndAnEmptyOneDrawsNothing) {
    labels.LabelWidth().SetAs(pqMillimeters, 50);
    EXPECT_EQ(labels.Template(), TPqLabelTemplate::Custom);
    labels.SetTemplate(TPqLabelTemplate::Custom);
    EXPECT_NEAR(labels.LabelWidth().GetAsMillimeters(), 50, 1e-9);
    EXPECT_EQ(labels.Columns, 3);
    labels.SetTemplate(TPqLabelTemplate::L7160_Address);
    EXPECT_EQ(labels.Template(), TPqLabelTemplate::L7160_Address);
    EXPECT_EQ(labels.Rows, 7);

    int before = 0;
    labels.BeforeDrawLabels = [&] { ++before; };
    labels.Columns = 0;
    labels.SetLabelCount(5);
    for (int count : {0, -3}) {
        labels.Columns = 3;
        labels.SetLabelCount(count);
    }
    EXPECT_EQ(before, 0);
    EXPECT_EQ(preview.GetPage(1).ObjectCount(), 0);
}

TEST_F(LabelSheets, AFailedOrRefusedRunLeavesEverythingAsItWas) {
    test::RecordingSink sink;
    std::vector<TCursor> cursors;
    ScreenCursorHook previousHook = SetScreenCursorHook([&](TCursor c) { cursors.push_back(c); });
    TPqCanvas& canvas = preview.Canvas();
    canvas.Pen().SetColor(clRed);

    labels.OnDrawLabel = [&](int labelNum, TPqValueRect&, TPqCanvas&) {
        labels.DrawLabels(); // a run from within a run is refused
        if (labelNum == 2)
            throw std::runtime_error("drawing failed");
    };
    EXPECT_THROW(labels.SetLabelCount(5), std::runtime_error);
    SetScreenCursorHook(previousHook);
    EXPECT_FALSE(labels.Busy());
    EXPECT_FALSE(preview.Updating());
    EXPECT_FALSE(canvas.ClipObjects);
    EXPECT_EQ(canvas.Pen().Color(), clRed);
    ASSERT_FALSE(cursors.empty());
    EXPECT_EQ(cursors.front(), crHourGlass);
    EXPECT_EQ(cursors.back(), crDefault);
    EXPECT_EQ(sink.shown, (std::vector<std::string>(2, "TPqLabelPrinter Error...\n\nFailed to "
                                                       "draw labels")));

    // A run beyond 1000 sheets is refused before anything is drawn.
    sink.shown.clear();
    preview.Clear();
    labels.OnDrawLabel = nullptr;
    EXPECT_EQ(labels.SheetsNeeded(24'001), 1001);
    labels.SetLabelCount(24'001);
    EXPECT_EQ(sink.shown, (std::vector<std::string>{
                              "TPqLabelPrinter Error...\n\nThe labels would fill 1001 pages; no "
                              "more than 1000 pages of labels are laid out at once."}));
    EXPECT_EQ(preview.GetPage(1).ObjectCount(), 0);
    labels.SetLabelCount(1);
    EXPECT_EQ(preview.GetPage(1).ObjectCount(), 1);

    TPqLabelPrinter unbound;
    unbound.SetLabelCount(3);
    EXPECT_EQ(sink.shown.back(),
              "TPqLabelPrinter Error...\n\nThere is no TPqPreview assigned to this component");
}

} // namespace
} // namespace duebell
