// Fonts as the library lays text out: the Windows names resolve to metric-compatible fonts,
// pixel heights round as MulDiv does, and widths follow the fonts' design metrics.
#include "controls/fontmap.h"
#include "print/textmetrics.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(FontMapping, WindowsNamesAskForAndResolveToTheLiberationFonts) {
    // Every centred line and column assumes Arial's metrics; a wider fallback would shift them.
    // The family asked for comes from the one table of the controls, not from fontconfig's
    // aliases, and the dialog fonts print in Liberation Sans whatever the desktop uses.
    const std::pair<const char*, const char*> rows[] = {{"Arial", "Liberation Sans"},
                                                        {"Times New Roman", "Liberation Serif"},
                                                        {"Courier New", "Liberation Mono"},
                                                        {"MS Sans Serif", "Liberation Sans"},
                                                        {"Tahoma", "Liberation Sans"}};
    for (const auto& [name, family] : rows) {
        TPqFont font;
        font.SetName(name);
        EXPECT_EQ(DeviceFont(font).family(), family) << name;
        EXPECT_EQ(QFontInfo(DeviceFont(font)).family(), family) << name;
        EXPECT_EQ(DeviceFont(font).family(), MapFontFamily(name));
    }
    TPqFont bold;
    bold.SetStyle(fsBold);
    QFontInfo boldInfo(DeviceFont(bold));
    EXPECT_EQ(boldInfo.family(), "Liberation Sans");
    EXPECT_TRUE(boldInfo.bold());
}

TEST(FontMapping, ChineseJapaneseAndKoreanNamesHaveGlyphsOnScreenAndInPrint) {
    // Without a font that covers them a name such as 王小明 shows and prints as boxes. The
    // test asks which font really draws each glyph, not whether some font of the machine has
    // it (the system's fallbacks would answer for a font the program never names). CTest runs
    // it once more with that font hidden from fontconfig, where it must fail.
    const QString names = QStringLiteral("王小明たなかキム김민준");
    TPqFont printed;
    printed.SetName("Times New Roman");
    for (const QFont& font : {InterfaceFont(), DeviceFont(TPqFont()), DeviceFont(printed)}) {
        QTextLayout layout(names, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        qsizetype glyphs = 0;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const QString family = run.rawFont().familyName();
            for (const quint32 index : run.glyphIndexes()) {
                ++glyphs;
                EXPECT_TRUE(index != 0 && family == "WenQuanYi Micro Hei")
                    << font.family().toStdString() << " draws glyph " << index << " with "
                    << family.toStdString() << ", not WenQuanYi Micro Hei";
            }
        }
        EXPECT_EQ(glyphs, names.size()) << font.family().toStdString();
    }
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(12, 600, 72), 100);
    EXPECT_EQ(MulDiv(10, 600, 72), 83); // 83.33
    EXPECT_EQ(MulDiv(11, 600, 72), 92); // 91.67
    EXPECT_EQ(MulDiv(3, 5, 2), 8);      // 7.5
    EXPECT_EQ(MulDiv(-3, 5, 2), -8);
    EXPECT_EQ(MulDiv(3, -5, 2), -8);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(DeviceFontTest, PixelHeightIsThePointSizeAt600PixelsPerInch) {
    TPqFont font;
    font.SetSize(18);
    EXPECT_EQ(DeviceFont(font).pixelSize(), 150);
    font.SetSize(10);
    EXPECT_EQ(DeviceFont(font).pixelSize(), 83);
}

TEST(TextMetricsTest, ArialTwelvePointMeasuresFromItsDesignMetrics) {
    // Arial at a 100-pixel em: ascent 1854/2048, descent 434/2048 of the em.
    TPqTextMetrics metrics{TPqFont()};
    EXPECT_EQ(metrics.Ascent(), 91);
    EXPECT_EQ(metrics.Descent(), 21);
    EXPECT_EQ(metrics.Height(), 112);
    // "Hello": H 1479 + e 1139 + l 455 + l 455 + o 1139 = 4667 units = 227.9 pixels.
    EXPECT_EQ(metrics.TextWidth("Hello"), 228);
    EXPECT_NEAR(TextWidthInches(TPqFont(), "Hello"), 228 / 600.0, 1e-12);
    EXPECT_NEAR(TextHeightInches(TPqFont(), "anything"), 112 / 600.0, 1e-12);
}

TEST(TextMetricsTest, WidthGrowsWithSizeAndBoldness) {
    TPqFont small;
    small.SetSize(10);
    TPqFont large;
    large.SetSize(20);
    TPqFont bold;
    bold.SetSize(10);
    bold.SetStyle(fsBold);
    int w10 = TPqTextMetrics(small).TextWidth("Statement of account");
    int w20 = TPqTextMetrics(large).TextWidth("Statement of account");
    EXPECT_NEAR(w20, 2 * w10 * 167.0 / 166.0, 3); // 10 pt is 83 pixels, 20 pt 167
    EXPECT_GT(TPqTextMetrics(bold).TextWidth("Statement of account"), w10);
}

} // namespace
} // namespace duebell
