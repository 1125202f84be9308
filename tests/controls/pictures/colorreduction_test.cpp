// Colour reduction: the fixed palettes' entries, the histogram and median-cut palettes worked
// by hand, and bitmap files that ImageMagick reads at the expected depth.
#include "controls/pictures/bitmapdib.h"
#include "controls/pictures/formats/colorreduction.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/qtpixels.h"
#include "support/picturetests.h"

#include <gtest/gtest.h>
#include <set>

namespace duebell::pictures {
namespace {

using namespace test;

// Every colour of the 6 x 6 x 6 cube and a few more: 4096 colours in a 64 x 64 picture.
TRgbImage Spectrum() {
    TRgbImage image{64, 64, {}};
    for (int i = 0; i < 64 * 64; ++i) {
        image.pixels.push_back(MakeArgb((i & 15) * 17, ((i >> 4) & 15) * 17, (i >> 8) * 17));
    }
    return image;
}

std::set<int> Levels(const TColorTable& palette, int (*channel)(TArgb)) {
    std::set<int> levels;
    for (const TArgb c : palette) {
        levels.insert(channel(c));
    }
    return levels;
}

TEST(ColorReduction, FixedPalettesHaveTheirEntries) {
    struct Case {
        TPaletteMethod method;
        std::size_t entries;
        std::set<int> red, green, blue;
    };
    const std::set<int> cube{0, 51, 102, 153, 204, 255};
    std::set<int> grey64;
    for (int level = 0; level <= 252; level += 4) {
        grey64.insert(level);
    }
    std::set<int> grey256;
    for (int level = 0; level < 256; ++level) {
        grey256.insert(level);
    }
    const Case cases[] = {
        {TPaletteMethod::ColorCube, 216, cube, cube, cube},
        {TPaletteMethod::ColorGrid,
         224,
         {0, 43, 85, 128, 170, 213, 255},
         {0, 36, 73, 109, 146, 182, 219, 255},
         {0, 85, 170, 255}},
        {TPaletteMethod::Grey64, 64, grey64, grey64, grey64},
        {TPaletteMethod::Grey256, 256, grey256, grey256, grey256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.method));
        const TIndexedImage reduced = ReduceColors(Spectrum(), 256, c.method);
        ASSERT_EQ(reduced.palette.size(), c.entries);
        EXPECT_EQ(std::set<TArgb>(reduced.palette.begin(), reduced.palette.end()).size(),
                  c.entries);
        EXPECT_EQ(Levels(reduced.palette, RedOf), c.red);
        EXPECT_EQ(Levels(reduced.palette, GreenOf), c.green);
        EXPECT_EQ(Levels(reduced.palette, BlueOf), c.blue);
    }
}

TEST(ColorReduction, FixedPalettesTakeTheNearestLevel) {
    const TRgbImage pixels{4,
                           1,
                           {MakeArgb(25, 26, 130), MakeArgb(26, 200, 250), MakeArgb(100, 100, 100),
                            MakeArgb(255, 0, 0)}};
    const auto shown = [&](TPaletteMethod method) {
        const TIndexedImage reduced = ReduceColors(pixels, 256, method);
        std::vector<TArgb> colors;
        for (const std::uint8_t index : reduced.indices) {
            colors.push_back(reduced.palette[index]);
        }
        return colors;
    };
    EXPECT_EQ(shown(TPaletteMethod::ColorCube),
              (std::vector<TArgb>{MakeArgb(0, 51, 153), MakeArgb(51, 204, 255),
                                  MakeArgb(102, 102, 102), MakeArgb(255, 0, 0)}));
    EXPECT_EQ(shown(TPaletteMethod::ColorGrid),
              (std::vector<TArgb>{MakeArgb(43, 36, 170), MakeArgb(43, 182, 255),
                                  MakeArgb(85, 109, 85), MakeArgb(255, 0, 0)}));
    // Luminance 0.299 R + 0.587 G + 0.114 B: 37.557, 154.174, 100, 76.245; in steps of 4 the
    // halfway 38 and 154 go up.
    EXPECT_EQ(shown(TPaletteMethod::Grey256),
              (std::vector<TArgb>{MakeArgb(38, 38, 38), MakeArgb(154, 154, 154),
                                  MakeArgb(100, 100, 100), MakeArgb(76, 76, 76)}));
    EXPECT_EQ(shown(TPaletteMethod::Grey64),
              (std::vector<TArgb>{MakeArgb(40, 40, 40), MakeArgb(156, 156, 156),
                                  MakeArgb(100, 100, 100), MakeArgb(76, 76, 76)}));
}

TEST(ColorReduction, HistogramKeepsColoursThatFitAndCoarsensTheRest) {
    TRgbImage few{3,
                  2,
                  {MakeArgb(1, 2, 3), MakeArgb(250, 0, 9), MakeArgb(1, 2, 3), MakeArgb(7, 7, 7),
                   MakeArgb(250, 0, 9), MakeArgb(1, 2, 3)}};
    const TIndexedImage kept = ReduceColors(few, 16, TPaletteMethod::Histogram);
    ASSERT_EQ(kept.palette.size(), 3u);
    for (std::size_t i = 0; i < few.pixels.size(); ++i) {
        EXPECT_EQ(kept.palette[kept.indices[i]], few.pixels[i]);
    }
    // 4096 colours (16 levels k * 17 per channel) into 16. A channel keeps 16 values until it
    // loses 5 bits; dropping bits from blue, red and green in turn ends with red and blue in
    // halves (0 .. 119 and 136 .. 255, means 60 and 196) and green in quarters (means 26, 94,
    // 162, 230).
    const TRgbImage many = Spectrum();
    const TIndexedImage coarse = ReduceColors(many, 16, TPaletteMethod::Histogram);
    EXPECT_EQ(coarse.palette.size(), 16u);
    EXPECT_EQ(Levels(coarse.palette, RedOf), (std::set<int>{60, 196}));
    EXPECT_EQ(Levels(coarse.palette, GreenOf), (std::set<int>{26, 94, 162, 230}));
    EXPECT_EQ(Levels(coarse.palette, BlueOf), (std::set<int>{60, 196}));
    for (std::size_t i = 0; i < many.pixels.size(); ++i) {
        const TArgb shown = coarse.palette[coarse.indices[i]];
        EXPECT_LE(std::abs(RedOf(shown) - RedOf(many.pixels[i])), 60);
        EXPECT_LE(std::abs(GreenOf(shown) - GreenOf(many.pixels[i])), 26);
    }
    // Two colours: the picture's halves by green, each shown as its mean.
    TRgbImage halves{
        2, 2, {MakeArgb(0, 0, 0), MakeArgb(0, 20, 0), MakeArgb(0, 200, 0), MakeArgb(0, 220, 0)}};
    const TIndexedImage two = ReduceColors(halves, 2, TPaletteMethod::Histogram);
    EXPECT_EQ(two.palette, (TColorTable{MakeArgb(0, 10, 0), MakeArgb(0, 210, 0)}));
    EXPECT_EQ(two.indices, (std::vector<std::uint8_t>{0, 0, 1, 1}));
}

TEST(ColorReduction, MedianCutSplitsAtTheMedianAndTakesMeans) {
    // Red spreads widest. The first cut, by red at the pixel median, parts the three pixels of
    // red 10 from the rest; the half whose red spans 100 .. 200 is the wider and is cut next.
    TRgbImage image{6,
                    1,
                    {MakeArgb(10, 0, 0), MakeArgb(10, 0, 0), MakeArgb(10, 0, 50),
                     MakeArgb(100, 0, 0), MakeArgb(200, 0, 0), MakeArgb(200, 0, 0)}};
    const TIndexedImage reduced = MedianCutQuantize(image, 3);
    std::vector<TArgb> shown;
    for (const std::uint8_t index : reduced.indices) {
        shown.push_back(reduced.palette[index]);
    }
    const TArgb low = MakeArgb(10, 0, 17); // (0 + 0 + 50) / 3 rounded
    EXPECT_EQ(shown, (std::vector<TArgb>{low, low, low, MakeArgb(100, 0, 0), MakeArgb(200, 0, 0),
                                         MakeArgb(200, 0, 0)}));
    // Fewer colours than asked for: each keeps its own entry.
    EXPECT_EQ(MedianCutQuantize(image, 256).palette.size(), 4u);
}

struct DibCase {
    int colors;
    int bits;
    int rowSize;       // for a picture 5 pixels wide
    const char* depth; // as identify names it: bits per sample and the storage class
};

TEST(ColorReduction, BitmapFilesOfEachDepth) {
    TempFolder folder;
    const DibCase cases[] = {{2, 1, 4, "1 PseudoClass"},
                             {16, 4, 4, "4 PseudoClass"},
                             {256, 8, 8, "8 PseudoClass"},
                             {257, 24, 16, "8 DirectClass"}};
    // Five columns of colours, in 3 rows; a fourth row repeats the first.
    QImage picture(5, 4, QImage::Format_RGB32);
    for (const DibCase& c : cases) {
        SCOPED_TRACE(c.colors);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                picture.setPixel(x, y,
                                 c.colors <= 2 ? ((x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                                               : qRgb(x * 50, (y % 3) * 100, 7));
            }
        }
        const QByteArray dib = BitmapToDibForColors(picture, c.colors);
        const std::string bytes = dib.toStdString();
        const auto word = [&](std::size_t at) {
            return std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8;
        };
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(word(28), c.bits);
        EXPECT_EQ(DibRowSize(c.bits, 5), c.rowSize);
        const std::size_t palette = c.bits == 24 ? 0 : word(46);
        EXPECT_EQ(bytes.size(), 54 + 4 * palette + 4 * std::size_t(c.rowSize));
        const std::string path = folder / ("depth" + std::to_string(c.bits) + ".bmp");
        WriteFile(path, bytes);
        const std::string described = RunTool("identify -format '%z %r' " + Quote(path));
        EXPECT_EQ(described.substr(0, described.find(' ', described.find(' ') + 1)), c.depth);
        // Bottom-up: ImageMagick shows the picture the right way up, every colour kept.
        EXPECT_EQ(Pixels(ConvertToImage(path)), Pixels(picture));
    }
}

TEST(ColorReduction, ACountOfNoColoursIsRefused) {
    const TRgbImage two{2, 1, {MakeArgb(255, 0, 0), MakeArgb(0, 0, 255)}};
    for (const int count : {0, -1, -256})
        for (const TPaletteMethod method :
             {TPaletteMethod::Histogram, TPaletteMethod::MedianCut, TPaletteMethod::ColorCube}) {
            try {
                ReduceColors(two, count, method);
                ADD_FAILURE() << count << " colours were accepted";
            } catch (const EInvalidGraphicOperation& e) {
                EXPECT_STREQ(e.what(), "Wrong number of colors; must be a power of 2");
            }
        }
    EXPECT_EQ(ReduceColors(two, 1, TPaletteMethod::Histogram).palette.size(), 1u);
}

TEST(ColorReduction, ANullBitmapIsNotValid) {
    try {
        BitmapToDib(QImage(), TPixelFormat::pf8bit, TPaletteMethod::ColorCube);
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

} // namespace
} // namespace duebell::pictures
