// The drawing canvas: units and coordinate bases, pooled tools, and the objects each call
// creates.
#include "print/document.h"
#include "print/shapes.h"
#include "print/textbox.h"
#include "print/textobject.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

constexpr double Mm20 = 20 / 25.4; // inches

class FixedPrinterMargins : public TPqPrinterMarginsSource {
public:
    InchRect PrinterMargins() const override { return {0.25, 0.125, 0.25, 0.5}; }
};

class CanvasTest : public ::testing::Test {
protected:
    TPqDocument document;
    TPqCanvas& canvas = document.Canvas();
    TPqPage& Page() { return document.GetPage(document.CurrentPage()); }
    template <class T> T& Last() {
        auto* object = dynamic_cast<T*>(canvas.LastObject());
        EXPECT_NE(object, nullptr);
        return *object;
    }
};

TEST_F(CanvasTest, MillimetresFromThePaperCornerByDefault) {
    EXPECT_EQ(canvas.DefaultMeasurement, pqMillimeters);
    EXPECT_EQ(canvas.CoordsRelativeTo(), pqFromPage);
    canvas.TextOut(25.4, 50.8, "x");
    EXPECT_NEAR(Last<TPqTextObject>().X(), 1, 1e-12);
    EXPECT_NEAR(Last<TPqTextObject>().Y(), 2, 1e-12);
    canvas.TextOut(pqInches, 3, 4, "y");
    EXPECT_EQ(Last<TPqTextObject>().X(), 3);
    EXPECT_EQ(Page().ObjectCount(), 2);
}

TEST_F(CanvasTest, FromUserMarginsTextAtZeroStandsAtTheMargins) {
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    canvas.TextOut(0, 0, "Dear Sir");
    EXPECT_NEAR(Last<TPqTextObject>().X(), Mm20, 1e-12);
    EXPECT_NEAR(Last<TPqTextObject>().Y(), Mm20, 1e-12);
    EXPECT_NEAR(canvas.LastTextPos().Y, Mm20, 1e-12);
}

TEST_F(CanvasTest, FromHeaderLineAddsTheHeadersHeightWhenThereIsOne) {
    canvas.SetCoordsRelativeTo(pqFromHeaderLine);
    EXPECT_NEAR(canvas.Origin().Y, Mm20, 1e-12);
    document.Pages().Header().SetVisible(true);
    canvas.SetCoordsRelativeTo(pqFromPage);
    canvas.SetCoordsRelativeTo(pqFromHeaderLine);
    EXPECT_NEAR(canvas.Origin().X, Mm20, 1e-12);
    EXPECT_NEAR(canvas.Origin().Y, Mm20 + 112 / 600.0, 1e-12); // a 12-point header line
}

TEST(CanvasPrinterMargins, FromPrinterMarginsUsesThePrintersOffsets) {
    FixedPrinterMargins printer;
    TPqDocument document(&printer);
    document.Canvas().SetCoordsRelativeTo(pqFromPrinterMargins);
    document.Canvas().Line(pqInches, 0, 0, 1, 1);
    auto& line = dynamic_cast<TPqLineObject&>(*document.Canvas().LastObject());
    EXPECT_EQ(line.X1(), 0.25);
    EXPECT_EQ(line.Y1(), 0.125);
    EXPECT_EQ(line.X2(), 1.25);
    // Without a printer the printer margins are none.
    TPqDocument alone;
    alone.Canvas().SetCoordsRelativeTo(pqFromUserMargins);
    alone.Canvas().SetCoordsRelativeTo(pqFromPrinterMargins);
    EXPECT_EQ(alone.Canvas().Origin().X, 0);
    EXPECT_EQ(alone.Canvas().Origin().Y, 0);
}

TEST_F(CanvasTest, TheOriginIsTakenWhenTheBaseIsSet) {
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    document.Pages().Margins().Values().SetLeft(30);
    canvas.SetCoordsRelativeTo(pqFromUserMargins); // the same base: nothing happens
    EXPECT_NEAR(canvas.Origin().X, Mm20, 1e-12);
    canvas.SetCoordsRelativeTo(pqFromPage);
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    EXPECT_NEAR(canvas.Origin().X, 30 / 25.4, 1e-6);
}

TEST_F(CanvasTest, CentredTextOutCentresOnX) {
    // "Hello" in Arial 12 pt is 228 pixels at 600 per inch: 9.652 mm.
    canvas.CentredTextOut(100, 50, "Hello");
    auto& text = Last<TPqTextObject>();
    EXPECT_NEAR(text.X(), (100 - 9.652 / 2) / 25.4, 1e-9);
    EXPECT_NEAR(text.Y(), 50 / 25.4, 1e-12);
    EXPECT_NEAR(canvas.TextSize().Width().GetAsMillimeters(), 9.652, 1e-9);
    EXPECT_NEAR(canvas.TextWidth("Hello", pqPixels), 228 / 600.0 * 96, 1e-9);
}

TEST_F(CanvasTest, TwoTextsInOneFontShareIt) {
    canvas.TextOut(10, 10, "one");
    canvas.TextOut(10, 20, "two");
    ASSERT_EQ(document.ResourceTable().Fonts().Count(), 1);
    EXPECT_EQ(document.ResourceTable().Fonts().UseCount(0), 2);
    EXPECT_EQ(document.ResourceTable().Brushes().UseCount(0), 2);
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(10, 30, "three");
    EXPECT_EQ(document.ResourceTable().Fonts().Count(), 2);
    EXPECT_EQ(Last<TPqTextObject>().FontRef()->Style(), fsBold);
}

TEST_F(CanvasTest, ALinePoolsOnlyAPen) {
    canvas.Line(10, 10, 100, 10);
    EXPECT_EQ(document.ResourceTable().Pens().Count(), 1);
    EXPECT_EQ(document.ResourceTable().Brushes().Count(), 0);
    EXPECT_EQ(document.ResourceTable().Fonts().Count(), 0);
    EXPECT_EQ(canvas.LastObject()->GetBrush(), nullptr);
}

TEST_F(CanvasTest, ShapesTakeTheCurrentPenAndBrush) {
    canvas.Pen().SetWidth(4);
    canvas.Brush().SetColor(0x00FF00);
    canvas.Rectangle(10, 10, 20, 20);
    auto& rect = Last<TPqRectangleShape>();
    EXPECT_EQ(rect.PenRef()->Width(), 4);
    EXPECT_EQ(rect.BrushRef()->Style(), bsSolid);
    EXPECT_FALSE(rect.Flagged());
    canvas.FlaggedRectangle(10, 10, 20, 20);
    EXPECT_TRUE(Last<TPqRectangleShape>().Flagged());
    canvas.RoundRect(0, 0, 25.4, 25.4, 2.54, 5.08);
    EXPECT_NEAR(Last<TPqRoundRectShape>().CornerWidth(), 0.1, 1e-12);
    EXPECT_NEAR(Last<TPqRoundRectShape>().CornerHeight(), 0.2, 1e-12);
    canvas.Ellipse(0, 0, 10, 10);
    EXPECT_NE(dynamic_cast<TPqEllipseShape*>(canvas.LastObject()), nullptr);
    // Changing the tools afterwards leaves the objects alone.
    canvas.Pen().SetWidth(1);
    EXPECT_EQ(rect.PenRef()->Width(), 4);
}

TEST_F(CanvasTest, GivingTheBrushItsOwnColourAgainMakesItSolid) {
    canvas.Brush().SetColor(0x00FF00);
    canvas.Brush().SetStyle(bsClear);
    canvas.Brush().SetColor(0x00FF00);
    EXPECT_EQ(canvas.Brush().Style(), bsSolid);
    // A pooled description keeps the plain rule: an equal colour changes nothing.
    TPqBrush description;
    description.SetColor(clWhite);
    EXPECT_EQ(description.Style(), bsClear);
}

TEST_F(CanvasTest, TextAngleBelongsToTheTextsThatFollow) {
    canvas.TextOutAngle(10, 10, 90, "up");
    EXPECT_EQ(Last<TPqTextObject>().FontRef()->Angle(), 90);
    EXPECT_EQ(canvas.TextAngle(), 90);
    canvas.TextOut(10, 10, "flat");
    EXPECT_EQ(Last<TPqTextObject>().FontRef()->Angle(), 0);
}

TEST_F(CanvasTest, ObjectClippingIsCopiedIntoNewObjects) {
    canvas.ClipObjects = true;
    canvas.ObjectClipRect = {1, 1, 2, 2};
    canvas.Line(0, 0, 100, 100);
    EXPECT_TRUE(canvas.LastObject()->Clipped());
    EXPECT_EQ(canvas.LastObject()->ClipRect().Right, 2);
}

TEST_F(CanvasTest, EveryAddedObjectFiresTheChange) {
    int changes = 0;
    canvas.OnChange = [&] { ++changes; };
    canvas.TextOut(0, 0, "a");
    canvas.Line(0, 0, 1, 1);
    canvas.TextBox(0, 0, 50, 0, 1, "b", taLeftJustify, pqTop);
    EXPECT_EQ(changes, 3);
}

TEST_F(CanvasTest, ATextBoxWithoutABottomEndsBelowItsLastLine) {
    // The indent narrows the text: a text that fits the box's full width on one line needs
    // two inside the indent, and the box grows to hold both.
    const std::string text = "Arrears administration fee";
    double fullWidth = canvas.TextWidth(text, pqMillimeters) + 1; // fits with 1 mm to spare
    canvas.TextBox(10, 50, 10 + fullWidth, 0, 2, text, taLeftJustify, pqTop);
    auto& box = Last<TPqTextBoxObject>();
    EXPECT_NEAR(box.TextHeight(), 2 * 112 / 600.0, 1e-12);
    EXPECT_NEAR(box.Y2(), (50 + 2 + 2) / 25.4 + 2 * 112 / 600.0, 1e-12);
    EXPECT_NEAR(box.TextIndent(), 2 / 25.4, 1e-12);
    EXPECT_TRUE(box.WordWrap());
    EXPECT_TRUE(box.ClipText());
    EXPECT_EQ(box.Text(), text);
}

TEST_F(CanvasTest, ATextBoxKeepsAGivenBottomAndItsAlignment) {
    canvas.WrapTextBoxes = false;
    canvas.TextBox(10, 10, 20, 40, 0, "A long line that would wrap", taCenter, pqMiddle);
    auto& box = Last<TPqTextBoxObject>();
    EXPECT_NEAR(box.Y2(), 40 / 25.4, 1e-12);
    EXPECT_NEAR(box.TextHeight(), 112 / 600.0, 1e-12); // one line: no wrapping
    EXPECT_FALSE(box.WordWrap());
    EXPECT_EQ(box.Alignment(), taCenter);
    EXPECT_EQ(box.VertAlignment(), pqMiddle);
}

TEST_F(CanvasTest, TextBoxesMoveWithTheOrigin) {
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    canvas.TextBox(0, 0, 50, 0, 0, "x", taLeftJustify, pqTop);
    auto& box = Last<TPqTextBoxObject>();
    EXPECT_NEAR(box.X1(), Mm20, 1e-12);
    EXPECT_NEAR(box.Y2(), Mm20 + 112 / 600.0, 1e-12);
}

} // namespace
} // namespace duebell
