// Brush, font and pen descriptions: change events, equality rules and stored forms.
#include "print/resourceitems.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(PqBrushTest, DefaultsAndColourMakingItSolid) {
    TPqBrush brush;
    EXPECT_EQ(brush.Style(), bsClear);
    EXPECT_EQ(brush.Color(), clWhite);
    int changes = 0;
    brush.OnChange = [&] { ++changes; };
    brush.SetColor(clWhite);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(brush.Style(), bsClear);
    brush.SetColor(0x0000FF);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(brush.Style(), bsSolid);
    brush.SetStyle(bsCross);
    brush.SetStyle(bsCross);
    EXPECT_EQ(changes, 2);
}

TEST(PqFontTest, DefaultsAreArialTwelveBlack) {
    TPqFont font;
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), 12);
    EXPECT_EQ(font.Style(), 0);
    EXPECT_EQ(font.Color(), clBlack);
    EXPECT_EQ(font.Charset(), 1);
    EXPECT_EQ(font.Angle(), 0);
}

TEST(PqFontTest, SettersFireOnlyOnARealChangeAndAssignAlwaysFires) {
    TPqFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetSize(12);
    font.SetName("Arial");
    EXPECT_EQ(changes, 0);
    font.SetSize(14);
    font.SetStyle(fsBold | fsItalic);
    font.SetAngle(90);
    EXPECT_EQ(changes, 3);
    TPqFont other;
    font.Assign(other);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(font.Size(), 12);
}

TEST(DeviceAssignTest, BrushFontAndPenTakeTheDeviceObjectsFieldsAndFireOnce) {
    int changes = 0;
    TPqBrush brush;
    brush.OnChange = [&] { ++changes; };
    brush.Assign(QBrush(QColor(0x12, 0x34, 0x56), Qt::DiagCrossPattern));
    EXPECT_EQ(brush.Color(), 0x563412); // stored as 0x00BBGGRR
    EXPECT_EQ(brush.Style(), bsDiagCross);
    brush.Assign(QBrush(QColor(0, 0, 0), Qt::NoBrush));
    EXPECT_EQ(brush.Style(), bsClear); // a colour from a device brush does not make it solid
    brush.Assign(QBrush(Qt::red, Qt::Dense4Pattern));
    EXPECT_EQ(brush.Style(), bsSolid);
    EXPECT_EQ(changes, 3);

    changes = 0;
    TPqFont font;
    font.OnChange = [&] { ++changes; };
    font.SetAngle(30);
    font.SetCharset(0);
    QFont serif("Liberation Serif", 14);
    serif.setBold(true);
    serif.setUnderline(true);
    font.Assign(serif, QColor(255, 0, 0));
    EXPECT_EQ(font.Name(), "Liberation Serif");
    EXPECT_EQ(font.Size(), 14);
    EXPECT_EQ(font.Style(), fsBold | fsUnderline);
    EXPECT_EQ(font.Color(), 0x0000FF);
    EXPECT_EQ(font.Charset(), 1);
    EXPECT_EQ(font.Angle(), 0);
    QFont pixels("Liberation Sans");
    pixels.setPixelSize(16); // 16 pixels at 96 per inch: 12 points
    pixels.setItalic(true);
    pixels.setStrikeOut(true);
    font.Assign(pixels, Qt::black);
    EXPECT_EQ(font.Size(), 12);
    EXPECT_EQ(font.Style(), fsItalic | fsStrikeOut);
    EXPECT_EQ(changes, 4);

    changes = 0;
    TPqPen pen;
    pen.OnChange = [&] { ++changes; };
    pen.SetMode(13);
    pen.Assign(QPen(QColor(0, 128, 0), 3, Qt::DashDotLine));
    EXPECT_EQ(pen.Color(), 0x008000);
    EXPECT_EQ(pen.Width(), 3);
    EXPECT_EQ(pen.Mode(), pmCopy);
    EXPECT_EQ(pen.Style(), psDashDot);
    pen.Assign(QPen(Qt::NoPen));
    EXPECT_EQ(pen.Style(), psClear);
    EXPECT_EQ(changes, 3);
}

TEST(FontsEqualTest, CharsetIsIgnoredNamesAreCaseSensitive) {
    TPqFont a;
    TPqFont b;
    b.SetCharset(0);
    EXPECT_TRUE(FontsEqual(a, b));
    b.SetName("arial");
    EXPECT_FALSE(FontsEqual(a, b));
    TPqFont c;
    c.SetAngle(45);
    EXPECT_FALSE(FontsEqual(a, c));
    TPqFont d;
    d.SetColor(0x0000FF);
    EXPECT_FALSE(FontsEqual(a, d));
}

TEST(EqualityTest, BrushesAndPensCompareEveryField) {
    TPqBrush clear;
    TPqBrush solid;
    EXPECT_TRUE(BrushesEqual(clear, solid));
    solid.SetStyle(bsSolid);
    EXPECT_FALSE(BrushesEqual(clear, solid));
    TPqPen p;
    TPqPen q;
    EXPECT_TRUE(PensEqual(p, q));
    q.SetMode(6);
    EXPECT_FALSE(PensEqual(p, q));
    q.SetMode(pmCopy);
    q.SetWidth(2);
    EXPECT_FALSE(PensEqual(p, q));
}

TEST(StoredFormTest, BrushFiveBytesPenTenFontFiftyThree) {
    TPqStream stream;
    TPqBrush brush;
    brush.SetColor(0x00123456);
    brush.WriteToStream(stream);
    EXPECT_EQ(stream.Size(), 5);
    EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{0, 0x56, 0x34, 0x12, 0}));

    TPqStream penStream;
    TPqPen pen;
    pen.SetWidth(3);
    pen.SetStyle(psDot);
    pen.WriteToStream(penStream);
    EXPECT_EQ(penStream.Bytes(), (std::vector<std::uint8_t>{0, 0, 0, 0, 3, 0, 0, 0, 4, 2}));

    TPqStream fontStream;
    TPqFont font;
    font.WriteToStream(fontStream);
    ASSERT_EQ(fontStream.Size(), 53);
    // Size 12, no style, angle 0 (10 bytes), black, charset 1, then "Arial" as a short string.
    EXPECT_EQ(fontStream.Bytes()[0], 12);
    EXPECT_EQ(fontStream.Bytes()[19], 1);
    EXPECT_EQ(fontStream.Bytes()[20], 5);
    EXPECT_EQ(std::string(fontStream.Bytes().begin() + 21, fontStream.Bytes().begin() + 26),
              "Arial");
    EXPECT_EQ(fontStream.Bytes()[26], 0);
}

TEST(StoredFormTest, ItemsReadBackEqual) {
    TPqStream stream;
    TPqFont font;
    font.SetName("Times New Roman");
    font.SetSize(-9);
    font.SetStyle(fsUnderline | fsStrikeOut);
    font.SetAngle(-12.5);
    font.SetColor(0x00ABCDEF);
    font.SetCharset(0);
    font.WriteToStream(stream);
    TPqPen pen;
    pen.SetColor(0x00010203);
    pen.SetWidth(-1);
    pen.WriteToStream(stream);
    stream.Seek(0);
    TPqFont fontRead;
    fontRead.ReadFromStream(stream);
    TPqPen penRead;
    penRead.ReadFromStream(stream);
    EXPECT_TRUE(FontsEqual(font, fontRead));
    EXPECT_EQ(fontRead.Charset(), 0);
    EXPECT_TRUE(PensEqual(pen, penRead));
    EXPECT_TRUE(stream.AtEnd());
}

TEST(StoredFormTest, AFortyCharacterFontNameKeepsItsFirstThirtyTwo) {
    TPqFont font;
    font.SetName(std::string(32, 'A') + "BCDEFGHI");
    TPqStream stream;
    font.WriteToStream(stream);
    EXPECT_EQ(stream.Size(), 53);
    stream.Seek(0);
    TPqFont read;
    read.ReadFromStream(stream);
    EXPECT_EQ(read.Name(), std::string(32, 'A'));
}

} // namespace
} // namespace duebell
