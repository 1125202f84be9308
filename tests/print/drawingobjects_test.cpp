// Drawing objects: editable copies of pooled items, coordinates and offsets, stored records
// and the factory.
#include "print/objectfactory.h"
#include "print/polyobjects.h"
#include "print/shapes.h"
#include "print/textbox.h"
#include "print/textobject.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

class DrawingObjects : public ::testing::Test {
protected:
    TPqResourceTable table;
};

TEST_F(DrawingObjects, AnEditableFontCopyStaysUsableAcrossChanges) {
    TPqTextObject text(table);
    int changes = 0;
    text.OnChange = [&] { ++changes; };
    text.SetFontRef(table.Fonts().Add(TPqFont()));
    TPqFont* font = text.GetFont();
    font->SetSize(20);
    // The same copy is changed again after the first change re-pooled it.
    font->SetStyle(fsBold);
    font->SetSize(24);
    EXPECT_EQ(changes, 3);
    ASSERT_NE(text.FontRef(), nullptr);
    EXPECT_EQ(text.FontRef()->Size(), 24);
    EXPECT_EQ(text.FontRef()->Style(), fsBold);
    // Each change released the previous item: only the last one is left.
    ASSERT_EQ(table.Fonts().Count(), 1);
    EXPECT_EQ(table.Fonts().UseCount(0), 1);
    EXPECT_EQ(text.GetFont(), font);
}

TEST_F(DrawingObjects, ChangingACopyLeavesOtherHoldersOfTheItemAlone) {
    TPqTextObject a(table);
    TPqTextObject b(table);
    a.SetFontRef(table.Fonts().Add(TPqFont()));
    b.SetFontRef(table.Fonts().Add(TPqFont()));
    ASSERT_EQ(table.Fonts().UseCount(0), 2);
    a.SetFont("", 16, fsItalic, 0x0000FF, 0);
    EXPECT_EQ(b.FontRef()->Size(), 12);
    EXPECT_EQ(a.FontRef()->Size(), 16);
    EXPECT_EQ(a.FontRef()->Name(), "Arial"); // an empty name keeps the name
    EXPECT_EQ(table.Fonts().Count(), 2);
    EXPECT_EQ(table.Fonts().UseCount(0), 1);
}

TEST_F(DrawingObjects, SetBrushAndSetPenRepool) {
    TPqRectangleShape rect(table);
    rect.SetBrushRef(table.Brushes().Add(TPqBrush()));
    rect.SetPenRef(table.Pens().Add(TPqPen()));
    rect.SetBrush(0x00FF00, bsDiagCross);
    rect.SetPen(0x0000FF, 3, psSolid);
    EXPECT_EQ(rect.BrushRef()->Color(), 0x00FF00u);
    EXPECT_EQ(rect.BrushRef()->Style(), bsDiagCross);
    EXPECT_EQ(rect.PenRef()->Width(), 3);
    EXPECT_EQ(table.Brushes().Count(), 1);
    EXPECT_EQ(table.Pens().Count(), 1);
}

TEST_F(DrawingObjects, ALineHasAPenButNoBrushOrFont) {
    TPqLineObject line(table);
    EXPECT_EQ(line.GetBrush(), nullptr);
    EXPECT_EQ(line.GetFont(), nullptr);
    EXPECT_NE(line.GetPen(), nullptr);
    line.SetBrush(0x00FF00, bsSolid); // nothing to change
    EXPECT_EQ(table.Brushes().Count(), 0);
}

TEST_F(DrawingObjects, SetCoordsNeedsEnoughValues) {
    TPqTextObject text(table);
    std::vector<double> one{10};
    text.SetCoords(one, pqMillimeters);
    EXPECT_EQ(text.X(), 0);
    std::vector<double> two{25.4, 50.8};
    text.SetCoords(two, pqMillimeters);
    EXPECT_NEAR(text.X(), 1, 1e-12);
    EXPECT_NEAR(text.Y(), 2, 1e-12);

    TPqRectangleShape rect(table);
    rect.SetCoords(two, pqInches);
    EXPECT_EQ(rect.X2(), 0);
    std::vector<double> four{1, 2, 3, 4};
    rect.SetCoords(four, pqInches);
    EXPECT_EQ(rect.Y2(), 4);

    TPqPieShape pie(table);
    std::vector<double> eight{1, 2, 3, 4, 5, 6, 7, 8};
    pie.SetCoords(four, pqInches);
    EXPECT_EQ(pie.X3(), 0);
    pie.SetCoords(eight, pqInches);
    EXPECT_EQ(pie.X3(), 5);
    EXPECT_EQ(pie.Y4(), 8);
}

TEST_F(DrawingObjects, OffsetMovesEveryCoordinate) {
    TPqChordShape chord(table);
    std::vector<double> eight{1, 2, 3, 4, 5, 6, 7, 8};
    chord.SetCoords(eight, pqInches);
    int changes = 0;
    chord.OnChange = [&] { ++changes; };
    chord.Offset(pqMillimeters, 25.4, -25.4);
    EXPECT_EQ(changes, 1);
    EXPECT_NEAR(chord.X1(), 2, 1e-12);
    EXPECT_NEAR(chord.Y2(), 3, 1e-12);
    EXPECT_NEAR(chord.X3(), 6, 1e-12);
    EXPECT_NEAR(chord.Y4(), 7, 1e-12);

    TPqPolygonObject polygon(table);
    polygon.SetPoints({{0, 0}, {1, 1}});
    polygon.Offset(pqInches, 0.5, 0.25);
    EXPECT_EQ(polygon.Points()[1].X, 1.5);
    EXPECT_EQ(polygon.Points()[1].Y, 1.25);
}

TEST_F(DrawingObjects, TextBoundsFollowTheFont) {
    TPqTextObject text(table);
    text.SetFontRef(table.Fonts().Add(TPqFont()));
    text.SetText("Hello");
    std::vector<double> at{1, 2};
    text.SetCoords(at, pqInches);
    InchRect bounds = text.GetBounds();
    EXPECT_EQ(bounds.Left, 1);
    EXPECT_NEAR(bounds.Right, 1 + 228 / 600.0, 1e-12); // "Hello" in Arial 12 pt
    EXPECT_NEAR(bounds.Bottom, 2 + 112 / 600.0, 1e-12);
}

TEST_F(DrawingObjects, DataSizesAsStored) {
    TPqTextObject text(table);
    text.SetText("abc");
    EXPECT_EQ(text.DataSize(), 10 + 32 + 3);
    EXPECT_EQ(TPqLineObject(table).DataSize(), 54);
    EXPECT_EQ(TPqEllipseShape(table).DataSize(), 58);
    EXPECT_EQ(TPqRectangleShape(table).DataSize(), 59);
    EXPECT_EQ(TPqRoundRectShape(table).DataSize(), 78);
    EXPECT_EQ(TPqArcShape(table).DataSize(), 98);
    EXPECT_EQ(TPqGraphicObject(table).DataSize(), 58);
    TPqTextBoxObject box(table);
    box.SetText("abcd");
    EXPECT_EQ(box.DataSize(), 58 + 32 + 4);
    EXPECT_EQ(TPqPathObject(table).DataSize(), 11);
    TPqPolyLineObject poly(table);
    poly.SetPoints({{0, 0}, {1, 1}, {2, 0}});
    EXPECT_EQ(poly.DataSize(), 10 + 4 + 96);
}

// Every object's written record is as long as its DataSize says, a clipped one 40 bytes
// longer; unknown type ids make nothing.
TEST_F(DrawingObjects, WrittenRecordsAreDataSizeLong) {
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 19, 20, 24}) {
        SCOPED_TRACE(id);
        auto object = CreateObjectById(id, table);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetTypeId(), id);
        TPqStream plain, clipped;
        object->SaveToStream(plain);
        EXPECT_EQ(plain.Size(), object->DataSize());
        object->SetClipped(true);
        object->SaveToStream(clipped);
        EXPECT_EQ(clipped.Size(), object->DataSize());
        EXPECT_EQ(clipped.Size() - plain.Size(), 40);
    }
    for (int unknown : {0, 14, 99})
        EXPECT_EQ(CreateObjectById(unknown, table), nullptr) << unknown;
}

template <class T> std::unique_ptr<T> ReadBack(const TPqBaseObject& object, TPqResourceTable& t) {
    TPqStream stream;
    object.SaveToStream(stream);
    stream.Seek(0);
    auto read = CreateObjectById(stream.ReadInt32(), t);
    EXPECT_EQ(stream.ReadInt32(), object.DataSize());
    read->LoadFromStream(stream);
    EXPECT_TRUE(stream.AtEnd());
    return std::unique_ptr<T>(static_cast<T*>(read.release()));
}

TEST_F(DrawingObjects, RecordsReadBackWithTheirPoolReferences) {
    table.Fonts().Add(TPqFont());
    TPqFont big;
    big.SetSize(30);
    TPqTextBoxObject box(table);
    box.SetFontRef(table.Fonts().Add(big));
    TPqBrush grey;
    grey.SetColor(0x808080);
    box.SetBrushRef(table.Brushes().Add(grey));
    box.SetPenRef(table.Pens().Add(TPqPen()));
    std::vector<double> coords{1, 2, 3, 4};
    box.SetCoords(coords, pqInches);
    box.SetText("Total arrears");
    box.SetAlignment(taRightJustify);
    box.SetVertAlignment(pqBottom);
    box.SetWordWrap(false);
    box.SetClipText(false);
    box.SetTextIndent(0.1);
    box.SetTextHeight(0.5);
    box.SetPrintable(false);
    box.SetClipped(true);
    box.SetClipRect({0.5, 0.5, 3.5, 4.5});

    auto read = ReadBack<TPqTextBoxObject>(box, table);
    EXPECT_EQ(read->FontRef(), box.FontRef());
    EXPECT_EQ(read->BrushRef(), box.BrushRef());
    EXPECT_EQ(read->PenRef(), box.PenRef());
    EXPECT_EQ(read->Y2(), 4);
    EXPECT_EQ(read->Text(), "Total arrears");
    EXPECT_EQ(read->Alignment(), taRightJustify);
    EXPECT_EQ(read->VertAlignment(), pqBottom);
    EXPECT_FALSE(read->WordWrap());
    EXPECT_FALSE(read->ClipText());
    EXPECT_EQ(read->TextIndent(), 0.1);
    EXPECT_EQ(read->TextHeight(), 0.5);
    EXPECT_FALSE(read->Printable());
    EXPECT_TRUE(read->Clipped());
    EXPECT_EQ(read->ClipRect().Bottom, 4.5);

    TPqPolyBezierObject curve(table);
    curve.SetPoints({{0, 0}, {1, 2}, {3, 4}, {5, 6}});
    auto curveRead = ReadBack<TPqPolyBezierObject>(curve, table);
    ASSERT_EQ(curveRead->Points().size(), 4u);
    EXPECT_EQ(curveRead->Points()[3].Y, 6);
}

TEST_F(DrawingObjects, AShortRecordKeepsTheFieldsItLacks) {
    TPqRectangleShape rect(table);
    TPqStream stream;
    rect.SaveToStream(stream);
    // Cut the record before its Flagged byte: the guarded read leaves the default.
    std::vector<std::uint8_t> bytes = stream.Bytes();
    bytes.pop_back();
    TPqStream shortStream(bytes);
    shortStream.Seek(8);
    TPqRectangleShape read(table);
    read.SetFlagged(true);
    read.LoadFromStream(shortStream);
    EXPECT_TRUE(read.Flagged());
}

} // namespace
} // namespace duebell
