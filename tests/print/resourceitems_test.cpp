// Brush, font and pen descriptions: change events, equality rules and stored forms.
#include "print/resourceitems.h"

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
