#include "controls/buttonglyph.h"
#include "support/qtapp.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

QImage Strip(int cells, int size, QRgb background) {
    QImage image(cells * size, size, QImage::Format_RGB32);
    image.fill(background);
    for (int i = 0; i < cells; ++i)
        image.setPixel(i * size + size / 2, size / 2, qRgb(200, 0, 40 * i));
    return image;
}

TEST(ButtonGlyph, AStripGivesItsImageCountAndTransparentColour) {
    TExButtonGlyph g;
    g.SetGlyph(Strip(4, 16, qRgb(0, 128, 128)));
    EXPECT_EQ(g.NumGlyphs(), 4);
    EXPECT_EQ(g.GlyphSize(), QSize(16, 16));
    EXPECT_EQ(g.TransparentColor(), clTeal);
    g.SetGlyph(Strip(6, 16, qRgb(0, 128, 128)));
    EXPECT_EQ(g.NumGlyphs(), 1);
    g.SetNumGlyphs(3);
    g.SetGlyph(QImage(20, 16, QImage::Format_RGB32));
    EXPECT_EQ(g.NumGlyphs(), 3); // not a multiple: the count stays
}

TEST(ButtonGlyph, MissingStatesComeFromTheFirstImage) {
    test::EnsureApplication();
    TExButtonGlyph g;
    g.SetGlyph(Strip(2, 8, qRgb(255, 0, 255)));
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(192, 192, 192));
    const QImage up = g.StateImage(ebsUp, palette);
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0);
    EXPECT_EQ(up.pixel(4, 4), qRgb(200, 0, 0));
    EXPECT_EQ(g.StateImage(ebsDisabled, palette).pixel(4, 4), qRgb(200, 0, 40)); // the strip's own
    EXPECT_EQ(g.StateImage(ebsDown, palette).pixel(4, 4), qRgb(200, 0, 0));
    EXPECT_EQ(g.StateImage(ebsExclusive, palette).pixel(4, 4), qRgb(200, 0, 0));
    // (200 x 77 + 0 x 150 + 0 x 29) / 256 = 60
    EXPECT_EQ(g.StateImage(ebsInactive, palette).pixel(4, 4), qRgb(60, 60, 60));
}

TEST(ButtonGlyph, InactiveGreyKeepsTransparentAndFacePixels) {
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 255));
    image.setPixel(1, 0, qRgb(192, 192, 192));
    image.setPixel(2, 0, qRgb(10, 100, 250));
    const QImage grey = InactiveImage(image, clFuchsia, qRgb(192, 192, 192));
    EXPECT_EQ(grey.pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_EQ(grey.pixel(1, 0), qRgb(192, 192, 192));
    const int g = (10 * 77 + 100 * 150 + 250 * 29) / 256; // 89
    EXPECT_EQ(grey.pixel(2, 0), qRgb(g, g, g));
}

TEST(GlyphCache, ButtonsOfOneSizeShareAListThatGoesWithTheLastImage) {
    test::EnsureApplication();
    TGlyphCache& cache = TGlyphCache::Instance();
    const int before = cache.ListCount();
    QPalette palette;
    {
        TExButtonGlyph a;
        TExButtonGlyph b;
        a.SetGlyph(Strip(1, 13, qRgb(0, 0, 0)));
        b.SetGlyph(Strip(1, 13, qRgb(0, 0, 0)));
        a.StateImage(ebsUp, palette);
        b.StateImage(ebsUp, palette);
        b.StateImage(ebsDisabled, palette);
        EXPECT_EQ(cache.ListCount(), before + 1);
        EXPECT_EQ(cache.GetList(QSize(13, 13)).Count(), 3);
        a.DropStateImages();
        EXPECT_EQ(cache.GetList(QSize(13, 13)).Count(), 2);
    }
    EXPECT_EQ(cache.ListCount(), before);
}

TEST(GlyphList, AddingTakesTheFirstFreeSlot) {
    TGlyphList list(QSize(4, 4));
    EXPECT_EQ(list.Add(QImage(4, 4, QImage::Format_RGB32)), 0);
    EXPECT_EQ(list.Add(QImage(4, 4, QImage::Format_RGB32)), 1);
    EXPECT_EQ(list.Add(QImage(4, 4, QImage::Format_RGB32)), 2);
    list.Delete(1);
    EXPECT_EQ(list.Add(QImage(4, 4, QImage::Format_RGB32)), 1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(ButtonLayoutCalc, CentredBlockAndSpreadSpacing) {
    // 25 x 25 face, 16 x 16 glyph on top of a 10 x 8 caption, spacing 1: the block is
    // 16 + 1 + 8 = 25 high, so it starts at (25 - 25 + 1) / 2 = 0.
    ButtonLayout l = CalcButtonLayout({25, 25}, {16, 16}, {10, 8}, blGlyphTop, -1, 1);
    EXPECT_EQ(l.glyphPos, QPoint(5, 0));
    EXPECT_EQ(l.textRect, QRect(8, 17, 10, 8));
    // Glyph left, margin -1 and spacing -1 in a 70-wide face: (70 - 36) / 3 = 11.
    l = CalcButtonLayout({70, 20}, {16, 16}, {20, 10}, blGlyphLeft, -1, -1);
    EXPECT_EQ(l.glyphPos, QPoint(11, 2));
    EXPECT_EQ(l.textRect.topLeft(), QPoint(38, 5));
    // Glyph right with a margin of 3.
    l = CalcButtonLayout({70, 20}, {16, 16}, {20, 10}, blGlyphRight, 3, 4);
    EXPECT_EQ(l.glyphPos.x(), 51);
    EXPECT_EQ(l.textRect.left(), 27);
    // No caption: no spacing, the glyph alone is centred.
    l = CalcButtonLayout({21, 17}, {7, 4}, {0, 0}, blGlyphTop, -1, 1);
    EXPECT_EQ(l.glyphPos, QPoint(7, 7));
}

} // namespace
} // namespace duebell
