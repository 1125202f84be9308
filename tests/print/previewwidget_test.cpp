// The preview control on screen: the paper, its shadow and margins, the navigator beside it,
// scrolling, mouse actions in page inches and the busy cursor of an update.
#include "controls/uihooks.h"
#include "objectlist/exceptions.h"
#include "print/pagenavigator.h"
#include "print/previewwidget.h"
#include "print/shapes.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace duebell {
namespace {

QString OutputFile(const QString& name) {
    return QDir(DUEBELL_TEST_OUTPUT_DIR).filePath(name);
}

void BuildThreePages(TPqPreviewModel& model) {
    model.Margins().SetVisible(true);
    model.Footer().SetVisible(true);
    model.Footer().CaptionCenter().SetCaption("Page {PAGE} of {NUMPAGES}");
    TPqCanvas& canvas = model.Canvas();
    for (int n = 1; n <= 3; ++n) {
        if (n > 1)
            model.NewPage();
        canvas.Font().SetSize(28);
        canvas.Font().SetStyle(fsBold);
        canvas.CentredTextOut(105, 40, "Notice page " + std::to_string(n));
        canvas.Font().SetSize(12);
        canvas.Font().SetStyle(0);
        canvas.Pen().SetWidth(8);
        canvas.Line(20, 55, 190, 55);
        canvas.Pen().SetWidth(1);
        canvas.Brush().SetColor(0xF0D0C0);
        canvas.Rectangle(30, 70, 180, 120);
        canvas.Brush().SetStyle(bsClear);
    }
}

TEST(PreviewScreenshot, PageTwoOfThreeAtFitWholePageWithTheNavigator) {
    QWidget window;
    window.resize(640, 820);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* navigator = new TPqPageNavigator(&window);
    auto* preview = new TPqPreview(&window);
    layout->addWidget(navigator);
    layout->addWidget(preview, 1);
    navigator->SetPreview(preview);
    BuildThreePages(preview->Model());
    preview->Model().SetCurrentPage(2);
    window.show();
    QApplication::processEvents();
    preview->FitWholePage();
    QApplication::processEvents();

    QImage shot = window.grab().toImage();
    ASSERT_TRUE(shot.save(OutputFile("preview_page2.png")));
    const qreal ratio = shot.devicePixelRatio();
    auto pixel = [&](QPoint inViewport) {
        QPoint at = preview->viewport()->mapTo(&window, inViewport) * ratio;
        return QColor(shot.pixel(at));
    };

    QRect paper = preview->PaperRect();
    ASSERT_GT(paper.width(), 100);
    // Fit whole page: the page's full height fits between the gutters.
    EXPECT_LE(paper.bottom() + 30, preview->viewport()->height());
    // The grey background beside the paper.
    EXPECT_EQ(pixel(QPoint(5, 5)), QColor(128, 128, 128));
    // White paper at a point with nothing drawn (the middle, well below the text).
    EXPECT_EQ(pixel(paper.center() + QPoint(0, paper.height() / 5)), QColor(Qt::white));
    // The black outline of the paper.
    EXPECT_EQ(pixel(QPoint(paper.left(), paper.center().y())), QColor(Qt::black));
    // The shadow: five pixels right of the paper, below its top by the same.
    EXPECT_EQ(pixel(QPoint(paper.right() + 3, paper.center().y())), QColor(Qt::black));
    EXPECT_EQ(pixel(QPoint(paper.center().x(), paper.bottom() + 3)), QColor(Qt::black));
    EXPECT_EQ(pixel(QPoint(paper.right() + 3, paper.top() + 2)), QColor(128, 128, 128));
    // The margins' dotted silver outline, 20 mm in, widened by a pixel.
    int margin = static_cast<int>(std::lround(20 / 25.4 * 96 * preview->Model().Zoom() / 100.0));
    int silver = 0;
    for (int y = paper.top() + margin + 5; y < paper.bottom() - margin - 5; ++y)
        silver += pixel(QPoint(paper.left() + margin - 1, y)) == QColor(0xC0, 0xC0, 0xC0);
    EXPECT_GT(silver, 20);
    // The filled box of page 2 (30..180 mm across, 70..120 mm down) in its colour 0xF0D0C0.
    auto onPaper = [&](double xMm, double yMm) {
        return QPoint(paper.left() + int(xMm / 209.804 * paper.width()),
                      paper.top() + int(yMm / 296.926 * paper.height()));
    };
    EXPECT_EQ(pixel(onPaper(100, 100)), QColor(0xC0, 0xD0, 0xF0));
    // The navigator: on page 2 of 3 every page button works.
    for (auto button : {pqFirstPage, pqPrevPage, pqNextPage, pqLastPage})
        EXPECT_TRUE(navigator->Button(button).isEnabled());
}

TEST(PreviewForm, MarginValuesAreTheFourMarginsInInchesAsCommaText) {
    TPqPreview preview;
    // 20 mm = 0.787401574803149... inches, to 15 significant digits.
    EXPECT_EQ(preview.property("MarginValues").toString(),
              "0.78740157480315,0.78740157480315,0.78740157480315,0.78740157480315");
    EXPECT_TRUE(preview.setProperty("MarginValues", "1,0.5,0.25,2"));
    const TPqMarginValues& mm = preview.Model().Margins().Values();
    EXPECT_FLOAT_EQ(mm.Left(), 25.4f);
    EXPECT_FLOAT_EQ(mm.Top(), 12.7f);
    EXPECT_FLOAT_EQ(mm.Right(), 6.35f);
    EXPECT_FLOAT_EQ(mm.Bottom(), 50.8f);
    EXPECT_EQ(preview.MarginValues(), "1,0.5,0.25,2");
    // A text that does not hold four numbers changes no margin; written through Qt its error
    // goes to the application's handler.
    for (const char* bad : {"1,2,3", "1,2,x,4", ""}) {
        EXPECT_THROW(preview.SetMarginValues(bad), EConvertError) << bad;
        EXPECT_EQ(preview.MarginValues(), "1,0.5,0.25,2") << bad;
    }
    std::vector<std::string> errors;
    const ExceptionHandler old = SetExceptionHandler([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            errors.emplace_back(e.what());
        }
    });
    preview.setProperty("MarginValues", "1,2");
    SetExceptionHandler(old);
    EXPECT_EQ(errors, std::vector<std::string>{"\"1,2\" does not hold the four margins"});
    EXPECT_EQ(preview.MarginValues(), "1,0.5,0.25,2");
}

TEST(PreviewPaper, SizeAndViewFollowTheZoomAndTheGutter) {
    TPqPreview preview;
    preview.resize(300, 300);
    preview.Model().SetZoom(100);
    // A4 at 100 %: 793 x 1122 pixels, less one on the right and at the bottom.
    EXPECT_EQ(preview.PaperRect().size(), QSize(792, 1121));
    EXPECT_EQ(preview.PaperRect().topLeft(), QPoint(30, 30));
    EXPECT_EQ(preview.horizontalScrollBar()->maximum(), 793 + 60 - preview.viewport()->width());
    preview.Model().SetGutter(10);
    EXPECT_EQ(preview.PaperRect().topLeft(), QPoint(10, 10));
    // Zooming keeps the view on the same part of the page.
    QScrollBar* bar = preview.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    preview.Model().SetZoom(200);
    EXPECT_NEAR(double(bar->value()) / bar->maximum(), 0.5, 0.01);
}

TEST(PreviewPaper, AnA3PageAt800PercentOnADenseScreenShowsTheScrolledPartSharp) {
    // A picture of the whole page would be 9000 x 12700 pixels, four times that at a device
    // pixel ratio of 2; only the part in view is drawn, at the screen's own density.
    TPqPreview preview;
    preview.resize(400, 300);
    TPqPreviewModel& model = preview.Model();
    model.SetPaperSize(TPqPaperSize::A3);
    model.SetMaxZoom(800);
    model.SetZoom(800);
    model.Canvas().Brush().SetColor(0x0000FF); // red
    model.Canvas().Pen().SetStyle(psClear);
    model.Canvas().Rectangle(100, 200, 150, 250);
    // Page point (150 mm, 225 mm), the rectangle's right edge, to the viewport's centre.
    const double pixelsPerMm = 8 * 96 / 25.4;
    const QSize view = preview.viewport()->size();
    preview.horizontalScrollBar()->setValue(
        static_cast<int>(std::lround(30 + 150 * pixelsPerMm - view.width() / 2)));
    preview.verticalScrollBar()->setValue(
        static_cast<int>(std::lround(30 + 225 * pixelsPerMm - view.height() / 2)));
    QImage screen(view * 2, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(2);
    preview.viewport()->render(&screen);
    const QPoint centre(view.width(), view.height()); // device pixels
    EXPECT_EQ(screen.pixelColor(centre - QPoint(4, 0)), QColor(Qt::red));
    EXPECT_EQ(screen.pixelColor(centre + QPoint(4, 0)), QColor(Qt::white));
    // The edge falls within two device pixels: drawn at the screen's density, not stretched.
    int edge = -1;
    for (int x = centre.x() - 8; x < centre.x() + 8 && edge < 0; ++x)
        if (screen.pixelColor(x, centre.y()) != QColor(Qt::red))
            edge = x;
    EXPECT_NEAR(edge, centre.x(), 2);
    EXPECT_EQ(screen.pixelColor(edge + 1, centre.y()), QColor(Qt::white));
}

TEST(PreviewPaper, ASmallPaperIsCentred) {
    TPqPreview preview;
    preview.resize(600, 600);
    preview.Model().SetZoom(20);
    QRect paper = preview.PaperRect();
    int imageWidth = 159 + 60; // 8.26 in x 96 x 20 % = 158.6 -> 159
    EXPECT_EQ(paper.left(), (preview.viewport()->width() - imageWidth) / 2 + 30);
    EXPECT_EQ(preview.horizontalScrollBar()->maximum(), 0);
}

TEST(PreviewKeys, PageKeysScrollTenStepsHomeAndEndGoToTheEnds) {
    TPqPreview preview;
    preview.resize(300, 300);
    preview.Model().SetZoom(100);
    QScrollBar* vertical = preview.verticalScrollBar();
    auto press = [&](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&preview, &event);
    };
    press(Qt::Key_PageDown);
    EXPECT_EQ(vertical->value(), 10 * vertical->singleStep());
    press(Qt::Key_Down);
    EXPECT_EQ(vertical->value(), 11 * vertical->singleStep());
    press(Qt::Key_End);
    EXPECT_EQ(vertical->value(), vertical->maximum());
    EXPECT_EQ(preview.horizontalScrollBar()->value(), preview.horizontalScrollBar()->maximum());
    press(Qt::Key_Home);
    EXPECT_EQ(vertical->value(), 0);
}

TEST(PreviewMouse, PressesReportPagePointsAndTheObjectUnderThem) {
    TPqPreview preview;
    preview.resize(400, 400);
    preview.Model().SetZoom(100);
    preview.Canvas().Rectangle(pqInches, 0.5, 0.5, 1.5, 1);
    preview.Canvas().Ellipse(pqInches, 1, 0.75, 2, 1.75); // drawn later: on top
    double pageX = -1, pageY = -1;
    TPqBaseObject* hit = nullptr;
    preview.OnPageMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, TPqValue& x,
                                  TPqValue& y) {
        pageX = x.Value();
        pageY = y.Value();
    };
    preview.OnObjectMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, TPqValue&, TPqValue&,
                                    TPqBaseObject& object) { hit = &object; };
    auto click = [&](double xInches, double yInches) {
        QRect paper = preview.PaperRect();
        QPointF at(paper.left() + xInches * paper.width() / 8.26,
                   paper.top() + yInches * paper.height() / 11.69);
        QMouseEvent event(QEvent::MouseButtonPress, at, preview.viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(preview.viewport(), &event);
    };
    click(0.75, 0.6);
    EXPECT_NEAR(pageX, 0.75, 0.02);
    EXPECT_NEAR(pageY, 0.6, 0.02);
    EXPECT_NE(dynamic_cast<TPqRectangleShape*>(hit), nullptr);
    click(1.25, 0.9); // inside both: the ellipse, drawn last, is found first
    EXPECT_NE(dynamic_cast<TPqEllipseShape*>(hit), nullptr);
    hit = nullptr;
    click(4, 6);
    EXPECT_EQ(hit, nullptr);
    EXPECT_NEAR(preview.MousePosition().X().Value(), 4, 0.02);
}

TEST(PreviewDragAndDrop, ThePaperHearsADragAtPagePointsAndTakesTheDropItAccepted) {
    TPqPreview preview;
    preview.resize(400, 400);
    preview.Model().SetZoom(100);
    QMimeData loan;
    loan.setText("0000003");
    std::vector<std::string> heard;
    bool acceptNext = true;
    preview.OnPageDragOver = [&](QObject*, const QMimeData* data, TPqValue& x, TPqValue& y,
                                 TDragState state, bool& accept) {
        const char* names[] = {"enter", "leave", "move"};
        char at[64];
        std::snprintf(at, sizeof at, " %.1f %.1f", x.Value(), y.Value());
        heard.push_back(names[state] + std::string(at) +
                        (data ? " " + data->text().toStdString() : std::string()));
        EXPECT_TRUE(accept); // true on entry
        accept = acceptNext;
    };
    std::vector<std::string> dropped;
    preview.OnPageDragDrop = [&](QObject*, const QMimeData* data, TPqValue& x, TPqValue& y) {
        char at[64];
        std::snprintf(at, sizeof at, "%.1f %.1f ", x.Value(), y.Value());
        dropped.push_back(at + data->text().toStdString());
    };
    const QRect paper = preview.PaperRect();
    auto point = [&](double xInches, double yInches) {
        return QPointF(paper.left() + xInches * paper.width() / 8.26,
                       paper.top() + yInches * paper.height() / 11.69);
    };
    auto send = [&](QEvent::Type type, QPointF at) {
        std::unique_ptr<QDropEvent> event;
        if (type == QEvent::DragEnter)
            event = std::make_unique<QDragEnterEvent>(at.toPoint(), Qt::CopyAction, &loan,
                                                      Qt::LeftButton, Qt::NoModifier);
        else if (type == QEvent::DragMove)
            event = std::make_unique<QDragMoveEvent>(at.toPoint(), Qt::CopyAction, &loan,
                                                     Qt::LeftButton, Qt::NoModifier);
        else
            event = std::make_unique<QDropEvent>(at, Qt::CopyAction, &loan, Qt::LeftButton,
                                                 Qt::NoModifier);
        QApplication::sendEvent(preview.viewport(), event.get());
        return event->isAccepted() && event->dropAction() != Qt::IgnoreAction;
    };
    EXPECT_TRUE(send(QEvent::DragEnter, point(2, 3)));
    EXPECT_TRUE(send(QEvent::DragMove, point(2.5, 3)));
    EXPECT_FALSE(send(QEvent::DragMove, QPointF(paper.left() - 10, paper.top() + 20))); // grey
    acceptNext = false;
    EXPECT_FALSE(send(QEvent::DragMove, point(1, 1)));
    EXPECT_FALSE(send(QEvent::Drop, point(1, 1)));
    acceptNext = true; // the next drag is taken
    EXPECT_TRUE(send(QEvent::DragEnter, point(3, 4)));
    EXPECT_TRUE(send(QEvent::DragMove, point(4, 5)));
    EXPECT_TRUE(send(QEvent::Drop, point(4, 5)));
    EXPECT_EQ(heard, (std::vector<std::string>{"enter 2.0 3.0 0000003", "move 2.5 3.0 0000003",
                                               "leave 2.5 3.0 0000003", "enter 1.0 1.0 0000003",
                                               "enter 3.0 4.0 0000003", "move 4.0 5.0 0000003"}));
    EXPECT_EQ(dropped, std::vector<std::string>{"4.0 5.0 0000003"});

    // Without a handler the paper takes no drag at all.
    preview.OnPageDragOver = nullptr;
    EXPECT_FALSE(send(QEvent::DragEnter, point(2, 3)));
}

TEST(PreviewUpdate, TheCursorIsBusyAndOnlyGreyIsPaintedUntilTheLastEndUpdate) {
    TPqPreview preview;
    TCursor shown = crDefault;
    ScreenCursorHook previous = SetScreenCursorHook([&](TCursor cursor) { shown = cursor; });
    preview.Model().BeginUpdate();
    EXPECT_EQ(shown, crHourGlass);
    preview.Model().BeginUpdate();
    preview.Model().EndUpdate();
    EXPECT_EQ(shown, crHourGlass);
    // Nothing but the grey is painted while updating.
    preview.resize(400, 400);
    QImage busy = preview.grab().toImage();
    preview.Model().EndUpdate();
    EXPECT_EQ(shown, crDefault);
    SetScreenCursorHook(previous);
    QImage done = preview.grab().toImage();
    QPoint middle = preview.viewport()->geometry().center() * busy.devicePixelRatio();
    EXPECT_EQ(QColor(busy.pixel(middle)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(done.pixel(middle)), QColor(Qt::white));
}

TEST(PreviewPrinting, TheWindowHoldingThePreviewStaysOpenWhileAJobPrints) {
    QWidget form;
    auto* preview = new TPqPreview(&form);
    form.show();
    preview->Model().Printer().OutputFileName = OutputFile("preview_close_refused.pdf");
    bool closedDuringJob = true;
    preview->Model().BeforePrintPage = [&](TPqPage&, QPrinter&) { closedDuringJob = form.close(); };
    EXPECT_EQ(preview->Model().Print(), TPqPrintResult::Printed);
    EXPECT_FALSE(closedDuringJob);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.close());
}

} // namespace
} // namespace duebell
