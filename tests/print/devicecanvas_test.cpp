// Drawing through the device canvas as a Windows device context draws: text by its top-left
// corner, thin pens that never vanish, clear and solid brushes, arcs counter-clockwise,
// transparent bitmaps, clipping and framed text.
#include "print/objectfactory.h"
#include "print/polyobjects.h"
#include "print/shapes.h"
#include "print/textbox.h"
#include "print/textobject.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// A white image of 600-per-inch pixels seen through a canvas that maps 'scale' device pixels
// to each of them; no antialiasing, so every pixel is either inked or not.
class DeviceCanvasTest : public ::testing::Test {
protected:
    void Start(int width, int height, double scale = 1) {
        image = QImage(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        painter.emplace(&image);
        painter->scale(scale, scale);
        canvas.emplace(*painter, TPqDrawContext{3, 7, 0});
    }
    QImage& Finish() {
        canvas.reset();
        painter.reset();
        return image;
    }
    bool Dark(int x, int y) const { return qGray(image.pixel(x, y)) < 128; }
    // The first and last dark rows and columns within the region (the whole image by default).
    QRect Ink(QRect region = {}) const {
        if (region.isNull())
            region = image.rect();
        int left = image.width(), top = image.height(), right = -1, bottom = -1;
        for (int y = region.top(); y <= region.bottom(); ++y)
            for (int x = region.left(); x <= region.right(); ++x)
                if (Dark(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    }

    TPqResourceTable table;
    QImage image;
    std::optional<QPainter> painter;
    std::optional<TPqDeviceCanvas> canvas;
};

TEST_F(DeviceCanvasTest, TextIsPlacedByTheTopLeftOfItsCell) {
    Start(600, 300);
    canvas->SelectFont(TPqFont(), 0);
    canvas->TextOut(QPoint(100, 100), "H");
    Finish();
    // Arial 12 pt at 600 per inch: ascent 91 pixels; Liberation Sans draws "H" 1409 units
    // (69 pixels) tall with a left side bearing of 158 units (8 pixels).
    QRect ink = Ink();
    EXPECT_NEAR(ink.top(), 100 + 91 - 69, 1);
    EXPECT_NEAR(ink.bottom(), 100 + 91 - 1, 1);
    EXPECT_NEAR(ink.left(), 100 + 8, 1);
}

TEST_F(DeviceCanvasTest, ASolidBrushFillsTheTextCell) {
    Start(600, 300);
    TPqBrush yellow;
    yellow.SetColor(0x0000FFFF); // red and green
    canvas->SelectBrush(yellow);
    canvas->SelectFont(TPqFont(), 0);
    canvas->TextOut(QPoint(100, 100), "Hello");
    Finish();
    EXPECT_EQ(image.pixel(101, 101), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(100 + 227, 100 + 111), qRgb(255, 255, 0)); // 228 x 112 cell
    EXPECT_EQ(image.pixel(100 + 229, 100 + 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(100 + 50, 100 + 113), qRgb(255, 255, 255));
}

TEST_F(DeviceCanvasTest, TurnedTextRunsUpwardFromItsCorner) {
    Start(400, 600);
    canvas->SelectFont(TPqFont(), 90);
    canvas->TextOut(QPoint(100, 500), "Hello");
    Finish();
    QRect ink = Ink();
    EXPECT_LE(ink.bottom(), 500);
    EXPECT_NEAR(ink.top(), 500 - 228, 10);
    EXPECT_GT(ink.left(), 100); // the cell's top lies to the left, the glyphs to its right
    EXPECT_LT(ink.right(), 100 + 112);
}

TEST_F(DeviceCanvasTest, AThinPenStaysOnePixelWideWhenTheDeviceShrinksThePage) {
    // 20 device pixels per inch: a 600-per-inch pixel is a thirtieth of a device pixel.
    Start(200, 200, 20.0 / 600);
    canvas->SelectPen(TPqPen());
    canvas->MoveTo(QPoint(0, 1515));
    canvas->LineTo(QPoint(5000, 1515));
    TPqPen thick;
    thick.SetWidth(60); // a tenth of an inch: two device pixels
    canvas->SelectPen(thick);
    canvas->MoveTo(QPoint(0, 3015));
    canvas->LineTo(QPoint(5000, 3015));
    Finish();
    int thinRows = 0, thickRows = 0;
    for (int y = 40; y < 60; ++y)
        thinRows += Dark(100, y);
    for (int y = 90; y < 110; ++y)
        thickRows += Dark(100, y);
    EXPECT_EQ(thinRows, 1);
    EXPECT_EQ(thickRows, 2);
}

TEST_F(DeviceCanvasTest, StyledPensWiderThanOnePixelDrawSolid) {
    Start(600, 100);
    TPqPen dotted;
    dotted.SetStyle(psDot);
    dotted.SetWidth(5);
    canvas->SelectPen(dotted);
    canvas->MoveTo(QPoint(10, 50));
    canvas->LineTo(QPoint(590, 50));
    Finish();
    for (int x = 20; x < 580; ++x)
        ASSERT_TRUE(Dark(x, 50)) << x;
}

TEST_F(DeviceCanvasTest, AClearBrushLeavesTheInsideOfARectangleAndItsOutlineCloses) {
    Start(300, 300);
    image.fill(qRgb(200, 0, 0));
    TPqRectangleShape rect(table);
    rect.SetPenRef(table.Pens().Add(TPqPen()));
    rect.SetBrushRef(table.Brushes().Add(TPqBrush())); // clear
    std::vector<double> coords{50 / 600.0, 50 / 600.0, 250 / 600.0, 250 / 600.0};
    rect.SetCoords(coords, pqInches);
    rect.Draw(*canvas);
    Finish();
    EXPECT_EQ(image.pixel(150, 150), qRgb(200, 0, 0));
    for (QPoint corner : {QPoint(50, 50), QPoint(250, 50), QPoint(250, 250), QPoint(50, 250)})
        EXPECT_EQ(image.pixel(corner), qRgb(0, 0, 0)) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(150, 50), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(50, 150), qRgb(0, 0, 0));
}

TEST_F(DeviceCanvasTest, APieRunsCounterClockwiseFromItsStartToItsEnd) {
    Start(200, 200);
    TPqBrush black;
    black.SetColor(clBlack);
    canvas->SelectBrush(black);
    canvas->SelectPen(TPqPen());
    // From three o'clock to twelve o'clock: the upper right quarter.
    canvas->Pie(QRect(0, 0, 200, 200), QPoint(200, 100), QPoint(100, 0));
    Finish();
    EXPECT_TRUE(Dark(150, 50));
    EXPECT_FALSE(Dark(50, 50));
    EXPECT_FALSE(Dark(50, 150));
    EXPECT_FALSE(Dark(150, 150));
}

TEST_F(DeviceCanvasTest, ABitmapIsDrawnWithoutItsBottomLeftPixelsColour) {
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(qRgb(0, 255, 0)); // green: the transparent colour
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    TPqGraphic graphic = TPqGraphic::FromBitmap(picture);
    Start(100, 100);
    image.fill(qRgb(255, 0, 0));
    canvas->StretchDraw(QRect(0, 0, 100, 100), graphic);
    Finish();
    EXPECT_EQ(image.pixel(75, 25), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(25, 25), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(25, 75), qRgb(255, 0, 0));
}

// The picture S, the brush's pattern P and the device's D, one byte per channel, and what
// each copy mode leaves, worked out bit by bit.
constexpr QRgb PictureS = 0xCCCC0F, PatternP = 0xFF003C, DeviceD = 0xF00FAA;

// A 4 x 4 picture of S whose bottom-left pixel (the transparent colour) is black.
TPqGraphic CopyModePicture() {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(PictureS);
    picture.setPixel(0, 3, qRgb(0, 0, 0));
    return TPqGraphic::FromBitmap(picture);
}

TEST_F(DeviceCanvasTest, PicturesCombineWithBrushAndDeviceByTheCopyMode) {
    const struct {
        std::uint32_t mode;
        QRgb result;
    } cases[] = {
        {cmSrcCopy, 0xCCCC0F},    {cmBlackness, 0x000000},  {cmWhiteness, 0xFFFFFF},
        {cmPatCopy, 0xFF003C},    {cmNotSrcCopy, 0x3333F0}, {cmMergeCopy, 0xCC000C},
        {cmDstInvert, 0x0FF055},  {cmPatInvert, 0x0F0F96},  {cmSrcPaint, 0xFCCFAF},
        {cmSrcAnd, 0xC00C0A},     {cmSrcInvert, 0x3CC3A5},  {cmSrcErase, 0x0CC005},
        {cmNotSrcErase, 0x033050}, {cmMergePaint, 0xF33FFA}, {cmPatPaint, 0xFF3FFE},
        {0x12345678, 0xCCCC0F}, // no such code: source copy
    };
    TPqBrush pattern;
    pattern.SetColor(RGB(0xFF, 0x00, 0x3C));
    for (const auto& c : cases) {
        Start(40, 40);
        image.fill(DeviceD);
        canvas->SelectBrush(pattern);
        canvas->CopyMode = c.mode;
        canvas->StretchDraw(QRect(0, 0, 40, 40), CopyModePicture());
        Finish();
        EXPECT_EQ(image.pixel(30, 10) & 0xFFFFFF, c.result) << std::hex << c.mode;
    }
}

TEST_F(DeviceCanvasTest, OnPaperTheCopyModesThatReadTheDeviceDrawAsSourceCopy) {
    const QString path = QStringLiteral(DUEBELL_TEST_OUTPUT_DIR "/copymodes.pdf");
    {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QSizeF(2, 1), QPageSize::Inch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter onPaper(&pdf);
        TPqDeviceCanvas paper(onPaper, TPqDrawContext{});
        paper.CopyMode = cmDstInvert; // needs D: the picture as it is
        paper.StretchDraw(QRect(0, 0, 600, 600), CopyModePicture());
        paper.CopyMode = cmNotSrcCopy; // needs no D: inverted on paper too
        paper.StretchDraw(QRect(600, 0, 600, 600), CopyModePicture());
    }
    const QString png = QStringLiteral(DUEBELL_TEST_OUTPUT_DIR "/copymodes");
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", "20", "-png", "-singlefile", path, png});
    ASSERT_TRUE(pdftoppm.waitForFinished(60000));
    const QImage page(png + ".png");
    ASSERT_EQ(page.size(), QSize(40, 20));
    // The PDF keeps pictures compressed, so colours come back within a few steps.
    auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 20 && std::abs(qGreen(a) - qGreen(b)) <= 20 &&
               std::abs(qBlue(a) - qBlue(b)) <= 20;
    };
    EXPECT_TRUE(near(page.pixel(15, 5), PictureS)) << std::hex << page.pixel(15, 5);
    EXPECT_TRUE(near(page.pixel(35, 5), 0x3333F0)) << std::hex << page.pixel(35, 5);
}

TEST_F(DeviceCanvasTest, AClippedObjectDrawsOnlyInsideItsRectangleWidenedByAPixel) {
    Start(300, 300);
    TPqEllipseShape ellipse(table);
    TPqBrush black;
    black.SetColor(clBlack);
    ellipse.SetBrushRef(table.Brushes().Add(black));
    std::vector<double> coords{0, 0, 300 / 600.0, 300 / 600.0};
    ellipse.SetCoords(coords, pqInches);
    ellipse.SetClipped(true);
    ellipse.SetClipRect({100 / 600.0, 100 / 600.0, 200 / 600.0, 200 / 600.0});
    ellipse.Draw(*canvas);
    // The clip is restored: a later object draws anywhere.
    TPqLineObject line(table);
    std::vector<double> across{0, 10 / 600.0, 300 / 600.0, 10 / 600.0};
    line.SetCoords(across, pqInches);
    line.Draw(*canvas);
    Finish();
    EXPECT_TRUE(Dark(150, 150));
    EXPECT_TRUE(Dark(99, 150));
    EXPECT_FALSE(Dark(97, 150));
    EXPECT_FALSE(Dark(150, 203));
    EXPECT_TRUE(Dark(150, 10));
}

TEST_F(DeviceCanvasTest, TextsShowTheNumberOfTheirPageAndTheDocumentsCount) {
    // The context says page 3 of 7; compare with the same text drawn without tokens.
    Start(600, 200);
    TPqTextObject withTokens(table);
    withTokens.SetText("{PAGE}/{NUMPAGES}");
    withTokens.Draw(*canvas);
    QImage tokens = Finish();
    Start(600, 200);
    canvas->SelectFont(TPqFont(), 0);
    canvas->TextOut(QPoint(0, 0), "3/7");
    EXPECT_EQ(Finish(), tokens);
}

TEST_F(DeviceCanvasTest, AFramedTextSitsInTheMiddleOrAtTheBottom) {
    auto boxInk = [&](TPqVertAlignment vertical, TAlignment horizontal) {
        Start(700, 700);
        TPqTextBoxObject box(table);
        box.SetPenRef(table.Pens().Add(TPqPen()));
        std::vector<double> coords{0, 0, 1, 1};
        box.SetCoords(coords, pqInches);
        box.SetTextIndent(50 / 600.0);
        box.SetTextHeight(112 / 600.0); // one line of Arial 12 pt
        box.SetVertAlignment(vertical);
        box.SetAlignment(horizontal);
        box.SetText("HH");
        box.Draw(*canvas);
        Finish();
        return Ink(QRect(5, 5, 590, 590)); // inside the frame
    };
    // Inside the indent the text area is 500 pixels high; "H" starts 22 pixels into its line.
    EXPECT_NEAR(boxInk(pqTop, taLeftJustify).top(), 50 + 22, 1);
    EXPECT_NEAR(boxInk(pqMiddle, taLeftJustify).top(), 50 + (500 - 112) / 2 + 22, 1);
    EXPECT_NEAR(boxInk(pqBottom, taLeftJustify).top(), 550 - 112 + 22, 1);
    EXPECT_NEAR(boxInk(pqTop, taLeftJustify).left(), 50 + 8, 1);
    // Right-aligned, the second "H" ends one right side bearing (158 units) before 550.
    EXPECT_NEAR(boxInk(pqTop, taRightJustify).right(), 550 - 8 - 1, 1);
}

TEST_F(DeviceCanvasTest, APathIsFilledOnlyOnceClosed) {
    Start(200, 200);
    TPqBrush black;
    black.SetColor(clBlack);
    canvas->SelectBrush(black);
    std::vector<std::unique_ptr<TPqBaseObject>> objects;
    auto add = [&](int id) -> TPqBaseObject& {
        objects.push_back(CreateObjectById(id, table));
        return *objects.back();
    };
    static_cast<TPqPathObject&>(add(24)).SetOperation(TPqPathOperation::BeginPath);
    static_cast<TPqPolyLineObject&>(add(8)).SetPoints(
        {{20 / 600.0, 20 / 600.0}, {180 / 600.0, 20 / 600.0}, {180 / 600.0, 180 / 600.0}});
    static_cast<TPqPathObject&>(add(24)).SetOperation(TPqPathOperation::CloseFigure);
    static_cast<TPqPathObject&>(add(24)).SetOperation(TPqPathOperation::EndPath);
    static_cast<TPqPathObject&>(add(24)).SetOperation(TPqPathOperation::FillPath);
    for (const auto& object : objects)
        object->Draw(*canvas);
    Finish();
    EXPECT_TRUE(Dark(150, 50));  // inside the triangle
    EXPECT_FALSE(Dark(50, 150)); // the other half
}

} // namespace
} // namespace duebell
