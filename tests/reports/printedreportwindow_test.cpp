// The preview window of a report: a default notice built on its preview and grabbed as the
// user sees it (saved under the build folder), its navigator's buttons, and its Print.
#include "domain/mortgage.h"
#include "pdforacle.h"
#include "print/pagenavigator.h"
#include "print/previewwidget.h"
#include "print/printdialog.h"
#include "reportbook.h"
#include "reports/loannoticebody.h"
#include "reports/printedreportwindow.h"
#include "reporttestsupport.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::FormKind;

class PrintedReportWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(648, 522);
        BuildDocument(notice, window.Preview());
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    test::TestReport notice{FormKind<TfmCustomClientReport>(), "Notice of Default", &loan,
                            [this](TfmCustomPrintedReport& form) {
                                DrawLoanNoticeBody(form, TLoanNoticeStage::Default, loan, false);
                            }};
    TfmPrintedReportWindow window;
};

TEST_F(PrintedReportWindow, ShowsPageOneAtItsWidthUnderTheNavigator) {
    window.show();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    ASSERT_TRUE(shot.save(test::TestOutputFile(".png")));
    EXPECT_EQ(window.Preview().CurrentPage(), 1);
    // Fitted to the width: the paper spans the preview less its gutters, with no need to
    // scroll sideways.
    const QRect paper = window.PqPreview1->PaperRect();
    EXPECT_GT(paper.width(), window.PqPreview1->viewport()->width() - 2 * 30 - 40);
    EXPECT_FALSE(window.PqPreview1->horizontalScrollBar()->isVisible());
    // Dark ink of the letterhead near the top of the paper, white paper in the margin.
    const QPoint paperOrigin =
        window.PqPreview1->mapTo(&window, paper.topLeft()) + window.PqPreview1->viewport()->pos();
    int dark = 0;
    for (int y = 0; y < paper.width() * 12 / 210; ++y)
        for (int x = paper.width() / 3; x < paper.width() * 2 / 3; ++x)
            dark += qGray(shot.pixel(paperOrigin + QPoint(x, y))) < 100;
    EXPECT_GT(dark, 30);
    EXPECT_EQ(qGray(shot.pixel(paperOrigin + QPoint(paper.width() / 40, 100))), 255);
}

TEST_F(PrintedReportWindow, TheNavigatorOffersPagesAndZoomOnly) {
    const TPqNavButtonSet visible = window.PqPageNavigator1->VisibleButtons();
    for (TPqNavigateBtn button : {pqAddPage, pqDeletePage, pqClear})
        EXPECT_FALSE(visible & NavButton(button)) << button;
    for (TPqNavigateBtn button : {pqFirstPage, pqLastPage, pqZoomIn, pqFitWholePage})
        EXPECT_TRUE(visible & NavButton(button)) << button;
    EXPECT_EQ(window.PqPageNavigator1->height(), 50);
    EXPECT_EQ(window.btnPrint->text(), "&Print");
    EXPECT_EQ(window.Button1->text(), "&Cancel");
}

TEST_F(PrintedReportWindow, PrintSendsEveryPageToTheChosenFile) {
    const QString pdf = test::TestOutputFile(".pdf");
    const PrintDialogRunner previous = SetPrintDialogRunner([&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return true;
    });
    window.btnPrint->click();
    SetPrintDialogRunner(previous);
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_TRUE(test::PageText(words, 1).contains("Notice of Default"));
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 1);
}

} // namespace
} // namespace duebell
