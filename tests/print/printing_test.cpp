// Printing through QPrinter into PDF files read back with poppler: pages per sheet, per-page
// orientation, order, non-printable objects, aborted jobs, and a job with nowhere to print.
#include "objectlist/exceptions.h"
#include "pdforacle.h"
#include "print/messages.h"
#include "print/previewmodel.h"
#include "print/printdialog.h"
#include "print/printprogress.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::FindWord;
using test::PageText;
using test::PdfWord;
using test::PointsPerMillimetre;

constexpr double Tolerance = 0.5 * PointsPerMillimetre;
// Qt's A4 sheet in points.
constexpr double SheetWidth = 595;
constexpr double SheetHeight = 842;

QString OutputFile(const QString& name) {
    QString file = QDir(DUEBELL_TEST_OUTPUT_DIR).filePath(name);
    QFile::remove(file);
    return file;
}

// A document of 'pages' pages, page n saying "Pn" at 20 mm, 30 mm from the paper's corner.
void Fill(TPqPreviewModel& model, int pages) {
    model.Canvas().Font().SetSize(24);
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            model.NewPage();
        model.Canvas().TextOut(20, 30, "P" + std::to_string(n));
    }
}

class RecordingSink : public TPqMessageSink {
public:
    void Information(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class Printing : public ::testing::Test {
protected:
    void PrintTo(const QString& name) {
        file = OutputFile(name);
        model.Printer().OutputFileName = file;
        model.Print();
        words = test::ReadPdfWords(file);
        info = test::ReadPdfInfo(file);
    }
    const PdfWord& Word(int sheet, const QString& text) {
        const PdfWord* word = FindWord(words, sheet, text);
        static const PdfWord missing;
        EXPECT_NE(word, nullptr) << text.toStdString() << " on sheet " << sheet;
        return word ? *word : missing;
    }

    TPqPreviewModel model;
    QString file;
    std::vector<PdfWord> words;
    test::PdfInfo info;
};

// One plain job: pages at true size, page tokens, a hidden object and the events in order.
TEST_F(Printing, OnePagePerSheetAtTrueSizeWithTokensEventsAndNoHiddenObjects) {
    Fill(model, 2);
    model.Canvas().TextOut(20, 60, "Hidden");
    model.Canvas().LastObject()->SetPrintable(false);
    model.Footer().SetVisible(true);
    model.Footer().CaptionCenter().SetCaption("Page {PAGE} of {NUMPAGES}");
    std::vector<std::string> events;
    model.BeforePrint = [&] { events.push_back("before"); };
    model.BeforePrintPage = [&](TPqPage& p, QPrinter&) {
        events.push_back("page " + std::to_string(p.PageNumber()));
    };
    model.AfterPrintPage = [&](TPqPage& p, QPrinter&) {
        events.push_back("printed " + std::to_string(p.PageNumber()));
    };
    model.AfterPrint = [&] { events.push_back("after"); };
    PrintTo("print_one.pdf");
    EXPECT_EQ(info.Pages, 2);
    EXPECT_NEAR(Word(1, "P1").XMin, 20 * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(Word(1, "P1").YMin, 30 * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(Word(2, "P2").XMin, 20 * PointsPerMillimetre, Tolerance);
    EXPECT_EQ(FindWord(words, 2, "Hidden"), nullptr);
    EXPECT_TRUE(PageText(words, 2).contains("Page 2 of 2"));
    EXPECT_EQ(events, (std::vector<std::string>{"before", "page 1", "printed 1", "page 2",
                                                "printed 2", "after"}));
}

TEST_F(Printing, FourPagesPerSheetLandInTheQuadrantsAtHalfScale) {
    Fill(model, 5);
    model.SetPagesPerSheet(pqFourPage);
    PrintTo("print_four.pdf");
    ASSERT_EQ(info.Pages, 2);
    const double x = 10 * PointsPerMillimetre; // 20 mm at half scale
    const double y = 15 * PointsPerMillimetre;
    const double halfWidth = SheetWidth / 2;
    const double halfHeight = SheetHeight / 2;
    EXPECT_NEAR(Word(1, "P1").XMin, x, Tolerance);
    EXPECT_NEAR(Word(1, "P1").YMin, y, Tolerance);
    EXPECT_NEAR(Word(1, "P2").XMin, halfWidth + x, Tolerance);
    EXPECT_NEAR(Word(1, "P2").YMin, y, Tolerance);
    EXPECT_NEAR(Word(1, "P3").XMin, x, Tolerance);
    EXPECT_NEAR(Word(1, "P3").YMin, halfHeight + y, Tolerance);
    EXPECT_NEAR(Word(1, "P4").XMin, halfWidth + x, Tolerance);
    EXPECT_NEAR(Word(1, "P4").YMin, halfHeight + y, Tolerance);
    EXPECT_NEAR(Word(2, "P5").XMin, x, Tolerance);
    EXPECT_EQ(PageText(words, 2), "P5");
    // A 24-point line at half scale is 12 points of type.
    const PdfWord& p1 = Word(1, "P1");
    EXPECT_NEAR(p1.YMax - p1.YMin, 0.5 * (24 * (1854 + 434) / 2048.0), 1.5);
    for (const auto& size : info.Sizes) {
        EXPECT_NEAR(size.Width, SheetWidth, 1);
        EXPECT_NEAR(size.Height, SheetHeight, 1);
    }
}

TEST_F(Printing, TwoPagesPerSheetSitSideBySideOnATurnedSheet) {
    Fill(model, 2);
    model.SetPagesPerSheet(pqTwoPage);
    PrintTo("print_two.pdf");
    ASSERT_EQ(info.Pages, 1);
    EXPECT_NEAR(info.Sizes[0].Width, SheetHeight, 1);
    EXPECT_NEAR(info.Sizes[0].Height, SheetWidth, 1);
    const double scale = SheetWidth / SheetHeight;
    EXPECT_NEAR(Word(1, "P1").XMin, 20 * PointsPerMillimetre * scale, Tolerance);
    EXPECT_NEAR(Word(1, "P2").XMin, SheetHeight / 2 + 20 * PointsPerMillimetre * scale, Tolerance);
    EXPECT_NEAR(Word(1, "P2").YMin, 30 * PointsPerMillimetre * scale, Tolerance);
    // The printer is turned back afterwards.
    EXPECT_EQ(model.Printer().Device().pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(Printing, MixedOrientationsPrintOnePagePerSheetEachTurnedItsWay) {
    Fill(model, 3);
    model.GetPage(2).SetOrientation(pqLandscape);
    model.SetPagesPerSheet(pqFourPage);
    PrintTo("print_mixed.pdf");
    ASSERT_EQ(info.Pages, 3);
    EXPECT_NEAR(info.Sizes[0].Width, SheetWidth, 1);
    EXPECT_NEAR(info.Sizes[1].Width, SheetHeight, 1);
    EXPECT_NEAR(info.Sizes[1].Height, SheetWidth, 1);
    EXPECT_NEAR(info.Sizes[2].Width, SheetWidth, 1);
    EXPECT_NEAR(Word(2, "P2").XMin, 20 * PointsPerMillimetre, Tolerance); // true size
}

TEST_F(Printing, ReverseOrderPrintsFromTheLastPage) {
    Fill(model, 3);
    model.SetReversePrintOrder(true);
    std::vector<int> progress;
    model.OnPrintProgress = [&](int printed, int total) {
        progress.push_back(printed);
        EXPECT_EQ(total, 3);
    };
    PrintTo("print_reverse.pdf");
    EXPECT_EQ(PageText(words, 1), "P3");
    EXPECT_EQ(PageText(words, 2), "P2");
    EXPECT_EQ(PageText(words, 3), "P1");
    EXPECT_EQ(progress, (std::vector<int>{3, 2, 1}));
}

TEST_F(Printing, PrintRangePrintsThePagesAsked) {
    Fill(model, 4);
    file = OutputFile("print_range.pdf");
    model.Printer().OutputFileName = file;
    model.PrintRange(2, 3);
    words = test::ReadPdfWords(file);
    EXPECT_EQ(PageText(words, 1), "P2");
    EXPECT_EQ(PageText(words, 2), "P3");
    EXPECT_EQ(test::ReadPdfInfo(file).Pages, 2);
}

TEST_F(Printing, AnAbortedJobEndsAndTheNextOnePrints) {
    Fill(model, 3);
    model.BeforePrintPage = [&](TPqPage& page, QPrinter&) {
        if (page.PageNumber() == 2)
            model.Printer().Abort();
    };
    int aborts = 0;
    int afterPrints = 0;
    model.OnAbortPrint = [&] { ++aborts; };
    model.AfterPrint = [&] { ++afterPrints; };
    file = OutputFile("print_aborted.pdf");
    model.Printer().OutputFileName = file;
    EXPECT_EQ(model.Print(), TPqPrintResult::Aborted);
    EXPECT_EQ(aborts, 1);
    EXPECT_EQ(afterPrints, 0);
    EXPECT_FALSE(model.Printer().Printing());

    model.BeforePrintPage = nullptr;
    PrintTo("print_after_abort.pdf");
    EXPECT_EQ(afterPrints, 1);
    EXPECT_EQ(info.Pages, 3);
}

TEST_F(Printing, WithNoPrinterAndNoFileTheJobFailsWithAMessage) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed here; this case needs a machine without one";
    RecordingSink sink;
    TPqMessageSink* previous = SetPqMessageSink(&sink);
    int afterPrints = 0;
    model.AfterPrint = [&] { ++afterPrints; };
    EXPECT_EQ(model.Print(), TPqPrintResult::NoPrinter);
    model.Printer().ShowPrintDialog = false;
    EXPECT_EQ(model.Print(), TPqPrintResult::NoPrinter);
    SetPqMessageSink(previous);
    EXPECT_FALSE(model.Printer().Printing());
    EXPECT_EQ(afterPrints, 0);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0].rfind("TPqPrinter Error...\n\n", 0), 0u);
}

TEST_F(Printing, ACancelledPrintDialogPrintsNothing) {
    Fill(model, 1);
    file = OutputFile("print_cancelled.pdf");
    model.Printer().OutputFileName = file;
    model.Printer().PrintDialog = [](QPrinter&) { return false; };
    EXPECT_EQ(model.Print(), TPqPrintResult::Cancelled);
    EXPECT_FALSE(QFile::exists(file));
    model.Printer().ShowPrintDialog = false;
    EXPECT_EQ(model.Print(), TPqPrintResult::Printed);
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(Printing, TheProcessPrintDialogMayChooseAFileWhereNoPrinterIsNamed) {
    // As Qt's dialog does for "Print to File": the job then writes that PDF.
    Fill(model, 2);
    file = OutputFile("print_dialog_file.pdf");
    int asked = 0;
    PrintDialogRunner previous = SetPrintDialogRunner([&](QPrinter& printer) {
        ++asked;
        printer.setOutputFileName(file);
        return true;
    });
    TPqPrintResult result = model.Print();
    SetPrintDialogRunner(previous);
    EXPECT_EQ(result, TPqPrintResult::Printed);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(test::ReadPdfInfo(file).Pages, 2);
}

TEST_F(Printing, WithoutAProgramDialogQtsPrintDialogIsShown) {
    Fill(model, 1);
    file = OutputFile("print_qt_dialog.pdf");
    model.Printer().OutputFileName = file;
    PrintDialogRunner previous = SetPrintDialogRunner(nullptr);
    QString shownClass;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        shownClass = modal ? modal->metaObject()->className() : "none";
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    TPqPrintResult result = model.Print();
    SetPrintDialogRunner(previous);
    EXPECT_EQ(shownClass, "QPrintDialog");
    EXPECT_EQ(result, TPqPrintResult::Cancelled);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Printing, AOnePageFormPrintsItsLetterheadAndFooter) {
    // Handlers attached after the preview made its first page, and no page made since.
    model.OnDrawHeader = [&](TPqValueRect&, TPqCanvas& canvas) {
        canvas.TextOut(20, 10, "Letterhead");
    };
    model.OnDrawFooter = [&](TPqValueRect&, TPqCanvas& canvas) {
        canvas.TextOut(20, 280, "Footer");
    };
    model.Canvas().TextOut(20, 50, "Body");
    PrintTo("print_first_page_letterhead.pdf");
    EXPECT_NEAR(Word(1, "Letterhead").YMin, 10 * PointsPerMillimetre, Tolerance);
    EXPECT_NEAR(Word(1, "Footer").YMin, 280 * PointsPerMillimetre, Tolerance);
    EXPECT_NE(FindWord(words, 1, "Body"), nullptr);
}

TEST_F(Printing, APaperJobAfterAPdfJobNeverWritesThatPdf) {
    Fill(model, 1);
    PrintTo("print_then_paper.pdf");
    ASSERT_EQ(info.Pages, 1);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray before = written.readAll();
    written.close();
    // The next job names no file: it is for the printer. Where one is installed its dialog is
    // cancelled; where none is, the job ends with the message.
    model.Printer().OutputFileName.clear();
    model.Printer().PrintDialog = [](QPrinter&) { return false; };
    RecordingSink sink;
    TPqMessageSink* previous = SetPqMessageSink(&sink);
    model.Print();
    SetPqMessageSink(previous);
    EXPECT_EQ(model.Printer().Device().outputFileName(), "");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), before);
}

TEST_F(Printing, WhileAJobPrintsPrintDeleteAndClearAreRefused) {
    Fill(model, 3);
    std::vector<TPqPrintResult> nested;
    model.BeforePrintPage = [&](TPqPage& page, QPrinter&) {
        if (page.PageNumber() != 2)
            return;
        nested.push_back(model.Print());
        model.DeletePage(3);
        model.DeleteCurrentPage();
        model.Clear();
        EXPECT_TRUE(model.Printing());
    };
    file = OutputFile("print_nested.pdf");
    model.Printer().OutputFileName = file;
    EXPECT_EQ(model.Print(), TPqPrintResult::Printed);
    EXPECT_EQ(nested, std::vector<TPqPrintResult>{TPqPrintResult::Refused});
    EXPECT_EQ(model.PageCount(), 3);
    words = test::ReadPdfWords(file);
    EXPECT_EQ(PageText(words, 3), "P3");
    EXPECT_FALSE(model.Printing());
}

TEST_F(Printing, AHandlerThatRaisesEndsTheJobAndTheNextPrintsTurnedRight) {
    Fill(model, 3);
    model.SetPagesPerSheet(pqTwoPage);
    model.BeforePrintPage = [&](TPqPage& page, QPrinter&) {
        if (page.PageNumber() == 2)
            throw Exception("No letterhead configured");
    };
    file = OutputFile("print_raised.pdf");
    model.Printer().OutputFileName = file;
    EXPECT_THROW(model.Print(), Exception);
    EXPECT_FALSE(model.Printer().Printing());
    EXPECT_FALSE(model.Printing());
    EXPECT_EQ(model.Printer().Device().pageLayout().orientation(), QPageLayout::Portrait);

    model.BeforePrintPage = nullptr;
    file = OutputFile("print_after_raise.pdf");
    model.Printer().OutputFileName = file;
    EXPECT_EQ(model.Print(), TPqPrintResult::Printed);
    info = test::ReadPdfInfo(file);
    ASSERT_EQ(info.Pages, 2); // two pages a sheet, on sheets turned to landscape
    EXPECT_NEAR(info.Sizes[0].Width, SheetHeight, 1);
    EXPECT_EQ(model.Printer().Device().pageLayout().orientation(), QPageLayout::Portrait);
}

// A progress whose user presses Cancel once 'cancelAfter' pages are printed.
class ScriptedProgress : public TPqPrintProgress {
public:
    ScriptedProgress(std::vector<std::pair<int, int>>& steps, int cancelAfter)
        : steps_(steps), cancelAfter_(cancelAfter) {}
    bool Step(int printed, int total) override {
        steps_.emplace_back(printed, total);
        return printed < cancelAfter_;
    }

private:
    std::vector<std::pair<int, int>>& steps_;
    int cancelAfter_;
};

TEST_F(Printing, CancelInTheProgressAbortsBetweenPages) {
    Fill(model, 3);
    std::vector<std::pair<int, int>> steps;
    PrintProgressFactory previous = SetPrintProgressFactory(
        [&](const std::string&, int) { return std::make_unique<ScriptedProgress>(steps, 2); });
    int printedPages = 0;
    int aborts = 0;
    model.AfterPrintPage = [&](TPqPage&, QPrinter&) { ++printedPages; };
    model.OnAbortPrint = [&] { ++aborts; };
    file = OutputFile("print_cancel_progress.pdf");
    model.Printer().OutputFileName = file;
    TPqPrintResult result = model.Print();
    SetPrintProgressFactory(previous);
    EXPECT_EQ(result, TPqPrintResult::Aborted);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));
    EXPECT_EQ(printedPages, 2);
    EXPECT_EQ(aborts, 1);
}

TEST(PrintProgress, TheProgramsProgressIsAnApplicationModalDialogWhoseCancelStopsTheJob) {
    std::unique_ptr<TPqPrintProgress> progress = CreatePrintProgress("Notice of Default", 3);
    QProgressDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QProgressDialog*>(w))
            dialog = d;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialog->windowTitle(), "Notice of Default");
    EXPECT_TRUE(progress->Step(1, 3));
    EXPECT_EQ(dialog->labelText(), "Printing page 2 of 3");
    dialog->cancel();
    EXPECT_FALSE(progress->Step(2, 3));
}

TEST(PrinterSettings, CopiesBelowOneAreIgnoredAndSettingsReachTheDevice) {
    TPqPrinter printer;
    printer.SetPrintCopies(3);
    printer.SetPrintCopies(0);
    EXPECT_EQ(printer.PrintCopies(), 3);
    printer.Duplex = pqVertDuplex;
    printer.PrintColor = pqMonochrome;
    printer.Collate = true;
    printer.PaperSize = TPqPaperSize::Letter;
    printer.Orientation = pqLandscape;
    printer.DitherType = pqFine;
    printer.PrintQuality = pqHigh;
    printer.WriteSettings();
    EXPECT_EQ(printer.Device().copyCount(), 3);
    EXPECT_EQ(printer.Device().colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(printer.Device().pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(printer.Device().pageLayout().orientation(), QPageLayout::Landscape);
    TPqPrinter other;
    other.Device().setCopyCount(2);
    other.Device().setPageSize(QPageSize(QPageSize::A5));
    other.ReadSettings();
    EXPECT_EQ(other.PrintCopies(), 2);
    EXPECT_EQ(other.PaperSize, TPqPaperSize::A5);
    // Kept as set, with nothing in Qt to apply them to.
    EXPECT_EQ(printer.DitherType, pqFine);
    EXPECT_EQ(printer.PrintQuality, pqHigh);
}

TEST(PrinterSettings, EachMarginIsItsOwnUnprintableStrip) {
    TPqPrinter printer;
    QPageLayout layout = printer.Device().pageLayout();
    layout.setUnits(QPageLayout::Point);
    layout.setMinimumMargins(QMarginsF(18, 36, 9, 72));
    printer.Device().setPageLayout(layout);
    if (printer.Device().pageLayout().minimumMargins().isNull())
        GTEST_SKIP() << "this printer keeps no minimum margins";
    InchRect margins = printer.PrinterMargins();
    EXPECT_NEAR(margins.Left, 0.25, 1e-9);
    EXPECT_NEAR(margins.Top, 0.5, 1e-9);
    EXPECT_NEAR(margins.Right, 0.125, 1e-9);
    EXPECT_NEAR(margins.Bottom, 1, 1e-9);
}

} // namespace
} // namespace duebell
