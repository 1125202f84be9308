// The printed form every letter is drawn on, built without a window and read back from its
// PDF with poppler (positions within 0.5 mm) and from the document's own text objects (fonts):
// the letterhead and footer on every page of a three-page letter, the client block on the
// first page only, Liberation Sans embedded, and the block of the bookkeeping reports.
#include "domain/mortgage.h"
#include "reportbook.h"
#include "reports/printedform.h"
#include "reports/reportbuild.h"
#include "reporttestsupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::FindOne;
using test::FormKind;
using test::MillimetreTolerance;
using test::PdfTolerance;
using test::PdfWord;
using test::PointsPerMillimetre;

// This library's A4 page is 8.26 inches (209.804 mm) wide: the centre between the margins.
constexpr double CentreMm = 20 + (209.804 - 40) / 2;
constexpr double RightMarginMm = 209.804 - 20;
constexpr double BottomMarginMm = 296.926 - 20;

void ThreePages(TfmCustomPrintedReport& form) {
    form.Canvas().TextOut(20, 115, "Body one");
    form.NewPage();
    form.Canvas().TextOut(20, 115, "Body two");
    form.NewPage();
    form.Canvas().TextOut(20, 115, "Body three");
}

class ThreePageLetter : public ::testing::Test {
protected:
    void SetUp() override {
        BuildDocument(report, preview);
        pdf = test::TestOutputFile(".pdf");
        ASSERT_TRUE(WriteReportPdf(report, pdf));
        words = test::ReadPdfWords(pdf);
        ASSERT_FALSE(words.empty()) << "pdftotext read nothing from " << pdf.toStdString();
    }
    const PdfWord& Word(int page, const QString& text) {
        static const PdfWord missing;
        const PdfWord* word = test::FindWord(words, page, text);
        EXPECT_NE(word, nullptr) << text.toStdString() << " on page " << page;
        return word != nullptr ? *word : missing;
    }
    void ExpectAt(int page, const QString& text, double xMm, double yMm) {
        const PdfWord& word = Word(page, text);
        EXPECT_NEAR(word.XMin, xMm * PointsPerMillimetre, PdfTolerance)
            << text.toStdString() << " on page " << page;
        EXPECT_NEAR(word.YMin, yMm * PointsPerMillimetre, PdfTolerance)
            << text.toStdString() << " on page " << page;
    }
    // The middle of a line running from one word to another, and its top.
    void ExpectCentredAt(int page, const QString& first, const QString& last, double yMm) {
        const PdfWord& a = Word(page, first);
        const PdfWord& b = Word(page, last);
        EXPECT_NEAR((a.XMin + b.XMax) / 2, CentreMm * PointsPerMillimetre, PdfTolerance)
            << first.toStdString() << " on page " << page;
        EXPECT_NEAR(a.YMin, yMm * PointsPerMillimetre, PdfTolerance)
            << first.toStdString() << " on page " << page;
    }
    int Count(int page, const QString& text) const {
        int count = 0;
        for (const PdfWord& word : words)
            count += word.Page == page && word.Text == text;
        return count;
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    test::TestReport report{FormKind<TfmCustomClientReport>(), "Trial Letter", &loan, ThreePages};
    TPqPreviewModel preview;
    QString pdf;
    std::vector<PdfWord> words;
};

TEST_F(ThreePageLetter, HasThreeA4PagesNamedAfterItsTitle) {
    const test::PdfInfo info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Pages, 3);
    EXPECT_EQ(info.Title, "Trial Letter");
    ASSERT_EQ(info.Sizes.size(), 3u);
    for (const test::PdfPageSize& size : info.Sizes) {
        EXPECT_NEAR(size.Width, 595.3, 0.5);
        EXPECT_NEAR(size.Height, 841.9, 0.5);
    }
    EXPECT_EQ(preview.CurrentPage(), 1);
}

TEST_F(ThreePageLetter, EveryPageCarriesTheLetterheadOnce) {
    for (int page = 1; page <= 3; ++page) {
        EXPECT_EQ(Count(page, "Bellwether"), 1) << "page " << page;
        ExpectCentredAt(page, "Bellwether", "Finance", 5);
        ExpectCentredAt(page, "ACN", "789", 15);
        ExpectCentredAt(page, "PO", "4000", 20);
        ExpectCentredAt(page, "Ph:", "1112", 25);
        ExpectCentredAt(page, "Email:", "www.bellwether.example", 30);
        ExpectCentredAt(page, "Trial", "Letter", 45);
        ExpectAt(page, "01", 30, 60);
        // 18 and 14 point beside the 10 point date.
        const double line = Word(page, "01").YMax - Word(page, "01").YMin;
        EXPECT_NEAR((Word(page, "Bellwether").YMax - Word(page, "Bellwether").YMin) / line, 1.8,
                    0.05);
        EXPECT_NEAR((Word(page, "Trial").YMax - Word(page, "Trial").YMin) / line, 1.4, 0.05);
        EXPECT_EQ(test::WordsBetween(words, page, "01", "2026"), "01 March 2026");
        EXPECT_EQ(test::WordsBetween(words, page, "Ph:", "1112"),
                  "Ph: 07 3000 1111 Mob: 0400 111 222 Fax: 07 3000 1112");
        EXPECT_EQ(test::WordsBetween(words, page, "Email:", "www.bellwether.example"),
                  "Email: loans@bellwether.example Web: www.bellwether.example");
    }
}

TEST_F(ThreePageLetter, EveryPageHasTheFooterTitleDateAndPageCount) {
    for (int page = 1; page <= 3; ++page) {
        // The title's second appearance on the page is the footer's.
        const PdfWord* title = nullptr;
        for (const PdfWord& word : words)
            if (word.Page == page && word.Text == "Trial")
                title = &word;
        ASSERT_NE(title, nullptr);
        EXPECT_NEAR(title->XMin, 20 * PointsPerMillimetre, PdfTolerance);
        const PdfWord& date = Word(page, "01/03/2026");
        EXPECT_NEAR((date.XMin + date.XMax) / 2, CentreMm * PointsPerMillimetre, PdfTolerance);
        // The footer's line: the words level with the date, the rightmost ending at the margin.
        QStringList line;
        const PdfWord* last = nullptr;
        for (const PdfWord& word : words)
            if (word.Page == page && std::abs(word.YMin - date.YMin) < 0.1) {
                line << word.Text;
                if (last == nullptr || word.XMax > last->XMax)
                    last = &word;
            }
        EXPECT_EQ(line.join(' '), QString("Trial Letter 01/03/2026 Page %1 of 3").arg(page));
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->Text, "3");
        EXPECT_NEAR(last->XMax, RightMarginMm * PointsPerMillimetre, PdfTolerance);
        EXPECT_NEAR(title->YMin, date.YMin, 0.1);
        // 8 point beside the body's 10.
        const PdfWord& body = Word(page, "Body");
        EXPECT_NEAR((date.YMax - date.YMin) / (body.YMax - body.YMin), 0.8, 0.03);
        EXPECT_LE(date.YMax, (BottomMarginMm + MillimetreTolerance) * PointsPerMillimetre);
        EXPECT_GT(date.YMin, (BottomMarginMm - 6) * PointsPerMillimetre);
    }
}

TEST_F(ThreePageLetter, OnlyTheFirstPageHasTheClientBlock) {
    ExpectAt(1, "Reference", 25, 95);
    ExpectAt(1, "0000042", 55, 95);
    ExpectAt(1, "BSB", 110, 95);
    ExpectAt(1, "064-000", 145, 95);
    ExpectAt(1, "Branch:", 110, 103);
    ExpectAt(1, "Postal", 25, 107);
    EXPECT_EQ(test::WordsBetween(words, 1, "064-000", "12340042"), "064-000 / 12340042");
    // The window address: both applicants and the property.
    EXPECT_EQ(test::WordsBetween(words, 1, "SMITH,", "4000"),
              "SMITH, John SMITH, Mary 12 Main St, Hilltop, QLD, 4000");
    ExpectAt(1, "SMITH,", 30, 70);
    for (int page = 2; page <= 3; ++page) {
        EXPECT_EQ(Count(page, "Reference"), 0);
        EXPECT_EQ(Count(page, "0000042"), 0);
        EXPECT_EQ(Count(page, "SMITH,"), 0);
    }
    ExpectAt(2, "Body", 20, 115);
}

TEST_F(ThreePageLetter, UsesOnlyLiberationSansEmbedded) {
    const std::vector<test::PdfFont> fonts = test::ReadPdfFonts(pdf);
    ASSERT_GE(fonts.size(), 2u); // regular and bold
    bool bold = false;
    for (const test::PdfFont& font : fonts) {
        EXPECT_TRUE(font.Name.contains("LiberationSans")) << font.Name.toStdString();
        EXPECT_TRUE(font.Embedded) << font.Name.toStdString();
        bold = bold || font.Name.contains("Bold");
    }
    EXPECT_TRUE(bold);
}

TEST_F(ThreePageLetter, FontsOfTheFrame) {
    struct Expected {
        const char* text;
        double x, y;
        int size;
        TFontStyles style;
    };
    const Expected frame[] = {
        {"Bellwether Finance", -1, 5, 18, fsBold},
        {"ACN 123 456 789", -1, 15, 10, 0},
        {"Trial Letter", -1, 45, 14, fsBold},
        {"01 March 2026", 30, 60, 10, 0},
        {".", 10, 105, 10, 0},
        {"Reference No:", 25, 95, 10, fsBold},
        {"Applicant 2:", 25, 103, 10, fsBold},
        {"0000042", 55, 95, 10, 0},
        {"SMITH, Mary", 55, 103, 10, 0},
    };
    const auto texts = test::TextsOn(preview.GetPage(1));
    for (const Expected& e : frame) {
        const test::PlacedText placed = test::Find(texts, e.text).front();
        if (e.x >= 0) {
            EXPECT_NEAR(placed.X, e.x, 0.01) << e.text;
        }
        EXPECT_NEAR(placed.Y, e.y, 0.01) << e.text;
        EXPECT_EQ(placed.Size, e.size) << e.text;
        EXPECT_EQ(placed.Style, e.style) << e.text;
    }
    // The second fold mark, 10 mm inside the right edge.
    EXPECT_NEAR(test::Find(texts, ".").back().X, 200, 0.01);
    // Later pages: the letterhead again, the client block not.
    const auto second = test::TextsOn(preview.GetPage(2));
    EXPECT_EQ(FindOne(second, "Bellwether Finance").Size, 18);
    EXPECT_TRUE(test::Find(second, "Reference No:").empty());

    const TPqFooter& footer = preview.Footer();
    EXPECT_TRUE(footer.Visible());
    EXPECT_FALSE(footer.ShowLine());
    EXPECT_EQ(footer.GetCaption(pqCaptionLeft).Caption(), "Trial Letter");
    EXPECT_EQ(footer.GetCaption(pqCaptionCenter).Caption(), "01/03/2026"); // no time
    EXPECT_EQ(footer.GetCaption(pqCaptionRight).Caption(), "Page {PAGE} of {NUMPAGES}");
    for (TPqCaptionIndex index : {pqCaptionLeft, pqCaptionCenter, pqCaptionRight}) {
        EXPECT_EQ(footer.GetCaption(index).Font().Size(), 8);
        EXPECT_EQ(footer.GetCaption(index).Font().Name(), "Arial");
    }
    EXPECT_NEAR(preview.Header().HeightInches() * 25.4, 45, 0.001);
}

TEST(PrintedForm, TheBodyStartsAt10PointRegularFromThePaperCorner) {
    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000001", "Lee", "Sam", "Ipswich");
    int size = 0;
    TFontStyles style = 1;
    TPqCoordsRelative base = pqFromUserMargins;
    test::TestReport report(FormKind<TfmCustomClientReport>(), "Trial", &loan,
                            [&](TfmCustomPrintedReport& form) {
                                size = form.Canvas().Font().Size();
                                style = form.Canvas().Font().Style();
                                base = form.Canvas().CoordsRelativeTo();
                            });
    TPqPreviewModel preview;
    BuildDocument(report, preview);
    EXPECT_EQ(size, 10);
    EXPECT_EQ(style, 0);
    EXPECT_EQ(base, pqFromPage);
    EXPECT_EQ(preview.PageCount(), 1);
    // The preview as every printed form has it.
    EXPECT_EQ(preview.Margins().Values().Left(), 20);
    EXPECT_EQ(preview.Margins().Values().Bottom(), 20);
    EXPECT_EQ(preview.Zoom(), 100);
    EXPECT_EQ(preview.MinZoom(), 10);
    EXPECT_EQ(preview.MaxZoom(), 200);
    EXPECT_EQ(preview.Gutter(), 30);
    EXPECT_EQ(preview.Margins().Pen().Style(), psDot);
    EXPECT_EQ(preview.Printer().Title, "Trial");
}

TEST(PrintedForm, EmptyContactNumbersLeaveACentredLineOfBlanks) {
    test::ReportBook book;
    TMorvaneContactDetails& contact = *book.Config().ContactDetails;
    contact.PhoneNo.clear();
    contact.MobileNo.clear();
    contact.FaxNo.clear();
    TMorvaneMortgage& loan = book.AddLoan("0000001", "Lee", "Sam", "Ipswich");
    test::TestReport report(FormKind<TfmCustomClientReport>(), "Trial", &loan, nullptr);
    TPqPreviewModel preview;
    BuildDocument(report, preview);
    const test::PlacedText blanks = FindOne(test::TextsOn(preview.GetPage(1)), "    ");
    EXPECT_NEAR(blanks.Y, 25, 0.01);
    EXPECT_LT(blanks.X, CentreMm - 0.5); // centred: it starts left of the middle
}

TEST(PrintedForm, AnAccountingReportNamesThePropertyUnderTheLetterhead) {
    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000001", "Lee", "Sam", "Ipswich");
    test::TestReport report(FormKind<TfmCustomAccountingReport>(), "Initial Report", &loan,
                            nullptr);
    TPqPreviewModel preview;
    BuildDocument(report, preview);
    const auto texts = test::TextsOn(preview.GetPage(1));
    const test::PlacedText line = FindOne(texts, "For: 12 Main St, Ipswich, QLD, 4000");
    EXPECT_NEAR(line.X, 10, 0.01);
    EXPECT_NEAR(line.Y, 68, 0.01);
    EXPECT_EQ(line.Size, 12);
    EXPECT_EQ(line.Style, fsBold);
    EXPECT_TRUE(test::Find(texts, "Reference No:").empty());
}

TEST(PrintedForm, ALetterWithoutItsLoanIsRefused) {
    test::ReportBook book;
    test::TestReport report(FormKind<TfmCustomClientReport>(), "Trial", nullptr, nullptr);
    TPqPreviewModel preview;
    EXPECT_THROW(BuildDocument(report, preview), Exception);
}

} // namespace
} // namespace duebell
