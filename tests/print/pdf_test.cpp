// A three-page A4 document built through the canvas as a letter is (letterhead, lines and
// boxes, a landscape page, a footer with page tokens), written as PDF and read back with
// poppler: page count, sizes and orientation, replaced tokens, and words within 0.5 mm of
// where the canvas put them. Page 1 is also rendered to PNG for a look by eye.
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "pdforacle.h"
#include "print/document.h"
#include "print/pagerender.h"
#include "print/pdfoutput.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::FindWord;
using test::PageText;
using test::PdfWord;
using test::PointsPerMillimetre;

constexpr double Tolerance = 0.5 * PointsPerMillimetre; // 0.5 mm in points
// A4 paper, 210 x 297 mm, in points (Qt gives the paper in whole points).
constexpr double A4Width = 595.276;
constexpr double A4Height = 841.89;
constexpr double PaperTolerance = 0.5;

QString OutputFile(const QString& name) {
    return QDir(DUEBELL_TEST_OUTPUT_DIR).filePath(name);
}

// Builds the letter; positions in millimetres from the paper's corner unless said otherwise.
void BuildLetter(TPqDocument& document) {
    TPqCanvas& canvas = document.Canvas();
    TPqPageList& pages = document.Pages();
    TPqFooter& footer = pages.Footer();
    footer.SetVisible(true);
    footer.CaptionLeft().SetCaption("{DATE}");
    footer.CaptionLeft().Font().SetSize(10);
    footer.CaptionCenter().SetCaption("Page {PAGE} of {NUMPAGES}");
    footer.CaptionCenter().Font().SetSize(10);
    // The band's height follows its largest caption font, even an empty caption's.
    footer.CaptionRight().Font().SetSize(10);

    // Page 1: a letterhead.
    canvas.Font().SetSize(18);
    canvas.Font().SetStyle(fsBold);
    canvas.CentredTextOut(105, 15, "Duebell Lending");
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(0);
    canvas.CentredTextOut(105, 25, "Homes under instalment contracts");
    canvas.Pen().SetWidth(6);
    canvas.Line(20, 33, 190, 33);
    canvas.Pen().SetWidth(1);
    canvas.Rectangle(20, 40, 100, 70);
    canvas.Brush().SetColor(0xE0E0E0);
    canvas.Rectangle(110, 40, 190, 70);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(25, 45, "Borrower");
    canvas.TextOut(115, 45, "Loan");
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    canvas.TextOut(0, 80, "Dear Applicant,");
    canvas.SetCoordsRelativeTo(pqFromPage);
    canvas.TextOut(150, 100, "DRAFT");
    document.GetPage(1).Objects(document.GetPage(1).ObjectCount() - 1).SetPrintable(false);

    // Page 2: landscape, a word beyond the width of portrait paper.
    document.NewPage().SetOrientation(pqLandscape);
    canvas.TextOut(250, 100, "Landscape");
    canvas.Rectangle(20, 20, 276.926, 189.804);

    // Page 3: portrait again.
    document.NewPage();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    canvas.TextOut(0, 0, "Regards");
}

class ThreePageLetter : public ::testing::Test {
protected:
    void SetUp() override {
        BuildLetter(document);
        // One file per case: CTest runs the cases side by side.
        pdf = OutputFile(QString("letter_%1.pdf")
                             .arg(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        QFile::remove(pdf);
        ASSERT_TRUE(WritePdf(document.Pages(), pdf, "Arrears notice"));
        words = test::ReadPdfWords(pdf);
        ASSERT_FALSE(words.empty())
            << "pdftotext (poppler-utils) read nothing from " << pdf.toStdString();
    }

    // 14:30 on 5 March 2024 for "{DATE}".
    ScopedFixedClock clock{EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0)};
    TPqDocument document;
    QString pdf;
    std::vector<PdfWord> words;
};

TEST_F(ThreePageLetter, HasThreeA4PagesTheSecondLandscape) {
    auto info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Pages, 3);
    EXPECT_EQ(info.Title, "Arrears notice");
    ASSERT_EQ(info.Sizes.size(), 3u);
    for (int page : {0, 2}) {
        EXPECT_NEAR(info.Sizes[page].Width, A4Width, PaperTolerance) << "page " << page + 1;
        EXPECT_NEAR(info.Sizes[page].Height, A4Height, PaperTolerance) << "page " << page + 1;
    }
    // Landscape either as turned media or as a rotated portrait page.
    bool turned = std::abs(info.Sizes[1].Width - A4Height) < PaperTolerance &&
                  std::abs(info.Sizes[1].Height - A4Width) < PaperTolerance &&
                  info.Sizes[1].Rotation == 0;
    bool rotated = std::abs(info.Sizes[1].Width - A4Width) < PaperTolerance &&
                   (info.Sizes[1].Rotation == 90 || info.Sizes[1].Rotation == 270);
    EXPECT_TRUE(turned || rotated) << info.Sizes[1].Width << " x " << info.Sizes[1].Height
                                   << " rot " << info.Sizes[1].Rotation;
}

TEST_F(ThreePageLetter, FooterTokensAreReplacedOnEveryPage) {
    for (int page = 1; page <= 3; ++page) {
        const QString text = PageText(words, page);
        EXPECT_TRUE(text.contains(QString("Page %1 of 3").arg(page))) << text.toStdString();
        EXPECT_TRUE(text.contains("05-Mar-2024")) << text.toStdString();
        EXPECT_FALSE(text.contains("{")) << text.toStdString();
    }
}

TEST_F(ThreePageLetter, WordsStandWhereTheCanvasPutThem) {
    auto expectAt = [&](int page, const QString& text, double xMm, double yMm) {
        const PdfWord* word = FindWord(words, page, text);
        ASSERT_NE(word, nullptr) << text.toStdString() << " on page " << page;
        EXPECT_NEAR(word->XMin, xMm * PointsPerMillimetre, Tolerance) << text.toStdString();
        EXPECT_NEAR(word->YMin, yMm * PointsPerMillimetre, Tolerance) << text.toStdString();
    };
    expectAt(1, "Borrower", 25, 45);
    expectAt(1, "Loan", 115, 45);
    expectAt(1, "Dear", 20, 100); // 80 mm below the 20 mm user margin
    expectAt(2, "Landscape", 250, 100);
    expectAt(3, "Regards", 20, 20);

    // The footer hangs from its line: A4 is 11.69 in (296.926 mm) high, the bottom margin is
    // 20 mm and a 10-point line is 75 + 18 = 93 pixels at 600 per inch (3.937 mm) high.
    expectAt(1, "05-Mar-2024", 20, 296.926 - 20 - 3.937);
}

TEST_F(ThreePageLetter, CentredTextIsCentredOnItsPoint) {
    const PdfWord* first = FindWord(words, 1, "Duebell");
    const PdfWord* last = FindWord(words, 1, "Lending");
    ASSERT_TRUE(first && last);
    EXPECT_NEAR((first->XMin + last->XMax) / 2, 105 * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(first->YMin, 15 * PointsPerMillimetre, Tolerance);
    // An 18-point bold line is 1.5 times as tall as a 12-point one.
    const PdfWord* small = FindWord(words, 1, "Homes");
    ASSERT_NE(small, nullptr);
    EXPECT_NEAR((first->YMax - first->YMin) / (small->YMax - small->YMin), 1.5, 0.05);

    // The footer's centre caption centres between the margins of each page's own width.
    auto centreOf = [&](int page) {
        const PdfWord* pageWord = FindWord(words, page, "Page");
        const PdfWord* count = FindWord(words, page, "3");
        return pageWord && count ? (pageWord->XMin + count->XMax) / 2 : -1.0;
    };
    EXPECT_NEAR(centreOf(1), 209.804 / 2 * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(centreOf(2), 296.926 / 2 * PointsPerMillimetre, Tolerance);
}

TEST_F(ThreePageLetter, NonPrintableObjectsStayOffPaperButShowOnScreen) {
    EXPECT_EQ(FindWord(words, 1, "DRAFT"), nullptr);
    // On screen, at 100 pixels per inch, "DRAFT" (12 pt, from 150 mm, 100 mm) darkens pixels.
    QImage screen = RenderPageImage(document.GetPage(1), 100);
    int dark = 0;
    for (int y = 394; y < 394 + 18; ++y)
        for (int x = 591; x < 591 + 45; ++x)
            dark += qGray(screen.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
}

TEST_F(ThreePageLetter, FirstPageRendersToPng) {
    QImage image = RenderPageImage(document.GetPage(1), 150);
    EXPECT_EQ(image.width(), 1239);  // 8.26 in at 150 per inch
    EXPECT_EQ(image.height(), 1754); // 11.69 in
    ASSERT_TRUE(image.save(OutputFile("letter_page1.png")));
    // The 6-pixel rule across the page at 33 mm (195 pixels down at 150 per inch) is dark from
    // 20 mm to 190 mm, and the grey box fills its inside.
    EXPECT_LT(qGray(image.pixel(600, 195)), 100);
    EXPECT_EQ(qGray(image.pixel(600, 160)), 255);
    EXPECT_EQ(image.pixel(1000, 380), qRgb(0xE0, 0xE0, 0xE0));
}

TEST(PageCountToken, BelongsToEachDocument) {
    // Two documents alive together: each footer counts its own pages.
    TPqDocument three;
    three.NewPage();
    three.NewPage();
    TPqDocument one;
    for (TPqDocument* d : {&three, &one}) {
        d->Pages().Footer().SetVisible(true);
        d->Pages().Footer().CaptionRight().SetCaption("Page {PAGE} of {NUMPAGES}");
    }
    QString threeFile = OutputFile("count_three.pdf");
    QString oneFile = OutputFile("count_one.pdf");
    ASSERT_TRUE(WritePdf(three.Pages(), threeFile, "three"));
    ASSERT_TRUE(WritePdf(one.Pages(), oneFile, "one"));
    EXPECT_EQ(PageText(test::ReadPdfWords(threeFile), 1), "Page 1 of 3");
    EXPECT_EQ(PageText(test::ReadPdfWords(oneFile), 1), "Page 1 of 1");
}

TEST(PdfOutput, AFileThatCannotBeWrittenFailsAndLeavesNothing) {
    TPqDocument document;
    QString file = OutputFile("no_such_folder/letter.pdf");
    EXPECT_FALSE(WritePdf(document.Pages(), file, "x"));
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
} // namespace duebell
