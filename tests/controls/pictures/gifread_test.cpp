// Reading GIF files: files made by ImageMagick decode pixel for pixel as ImageMagick itself
// shows them; hand-made files check each block and every refusal.
#include "controls/pictures/formats/gifread.h"
#include "controls/pictures/formats/lzwgif.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/gifpicture.h"
#include "support/picturetests.h"

#include <QBuffer>
#include <ctime>
#include <gtest/gtest.h>

namespace duebell::pictures {
namespace {

using namespace test;

std::string Word(int value) {
    return {char(value & 0xFF), char((value >> 8) & 0xFF)};
}

// Sub-blocks of at most 255 bytes and the terminator.
std::string Blocks(const std::string& data) {
    std::string out;
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string piece = data.substr(at, 255);
        out += char(piece.size()) + piece;
    }
    return out + '\0';
}

// A header with a global table of `entries` greys (0 for none).
std::string Header(int width, int height, int entries, const std::string& version = "GIF89a") {
    std::string out = version + Word(width) + Word(height);
    int bits = 0;
    while (entries > (1 << bits)) {
        ++bits;
    }
    out += entries ? char(0x80 | 0x70 | (bits - 1)) : char(0x70);
    out += std::string(2, '\0');
    for (int i = 0; i < entries; ++i) {
        out += std::string(3, char(i * 255 / (entries - 1)));
    }
    return out;
}

// An image descriptor and its data: code size byte, then the sub-blocks.
std::string Image(int width, int height, int codeSize, const std::string& data,
                  bool interlaced = false, int left = 0, int top = 0) {
    return "\x2C" + Word(left) + Word(top) + Word(width) + Word(height) +
           char(interlaced ? 0x40 : 0) + char(codeSize) + Blocks(data);
}

std::string Coded(const std::vector<std::uint8_t>& pixels, int codeSize) {
    return LzwEncodeGif(pixels, codeSize).bytes;
}

TGifPicture Load(const std::string& bytes, bool tolerate = false) {
    TGifPicture picture;
    picture.SetTolerateDamage(tolerate);
    QBuffer buffer;
    buffer.setData(QByteArray::fromStdString(bytes));
    buffer.open(QIODevice::ReadOnly);
    picture.LoadFromStream(buffer);
    return picture;
}

std::string LoadError(const std::string& bytes) {
    try {
        Load(bytes);
    } catch (const Exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(GifRead, ImageMagickFilesDecodeAsImageMagickShowsThem) {
    TempFolder folder;
    struct Case {
        const char* name;
        const char* make; // convert arguments before the output file
    };
    const Case cases[] = {
        {"interlaced", "-seed 4 -size 97x61 plasma:fractal -colors 200 -interlace GIF"},
        // 256 colours of noise: the 4096-entry table fills many times over.
        {"noise", "-seed 5 -size 320x240 xc: +noise Random -colors 256"},
        {"two colours", "-size 53x41 pattern:checkerboard -colors 2"},
        {"odd table", "-seed 6 -size 40x30 plasma: -colors 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder / "magick.gif";
        RunTool(std::string("convert ") + c.make + " " + Quote(path));
        TGifPicture picture;
        picture.LoadFromFile(QString::fromStdString(path));
        EXPECT_FALSE(picture.Corrupted());
        EXPECT_EQ(Pixels(picture.Bitmap()), Pixels(ConvertToImage(path)));
    }
}

TEST(GifRead, ImageMagickAnimationGivesFramesLoopAndDelays) {
    TempFolder folder;
    const std::string path = folder / "anim.gif";
    RunTool("convert -delay 7 -size 20x10 xc:red xc:blue -page +3+4 -size 5x5 xc:lime -loop 5 " +
            Quote(path));
    TGifPicture picture;
    picture.LoadFromFile(QString::fromStdString(path));
    ASSERT_EQ(picture.FrameCount(), 3);
    EXPECT_TRUE(picture.Looping());
    // "-loop 5" plays five times: the file holds 4 repetitions, as gifsicle also reports.
    EXPECT_EQ(picture.LoopCount(), 4);
    EXPECT_NE(RunTool("gifsicle --info " + Quote(path)).find("loop count 4"), std::string::npos);
    EXPECT_EQ(picture.Frame(1).delay, 7);
    EXPECT_EQ(picture.Frame(2).left, 3);
    EXPECT_EQ(picture.Frame(2).top, 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Pixels(picture.FrameBitmap(i)), Pixels(ConvertToImage(path, i)));
    }
}

TEST(GifRead, InterlacedRowsComePassByPass) {
    // The data hold rows 0, 8, 4, 12, 2, 6, 10, 14 and the odd rows, each row its own number.
    const int passOrder[] = {0, 8, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15};
    std::vector<std::uint8_t> data;
    for (const int row : passOrder) {
        data.insert(data.end(), 2, std::uint8_t(row));
    }
    const TGifPicture picture =
        Load(Header(2, 16, 16) + Image(2, 16, 4, Coded(data, 4), true) + ";");
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(picture.Frame(0).pixels[static_cast<std::size_t>(y) * 2], y);
    }
}

TEST(GifRead, ExtensionsGiveTheirFrameAndThePicture) {
    const std::string control =
        std::string("\x21\xF9\x04", 3) + char(0x09) + Word(150) + char(2) + '\0';
    const std::string loop = std::string("\x21\xFF\x0B"
                                         "ANIMEXTS1.0\x03\x01",
                                         16) +
                             Word(9) + '\0';
    const std::string comment = "\x21\xFE" + Blocks("first ") + "\x21\xFE" + Blocks("second");
    const std::string frame = Image(2, 2, 2, Coded({0, 1, 2, 3}, 2));
    const TGifPicture picture =
        Load(Header(2, 2, 4) + loop + comment + control + frame + frame + ";");
    EXPECT_TRUE(picture.Looping());
    EXPECT_EQ(picture.LoopCount(), 9);
    EXPECT_EQ(picture.Comment(), "first second");
    EXPECT_EQ(picture.Frame(0).disposal, dmBackground);
    EXPECT_EQ(picture.Frame(0).delay, 150);
    EXPECT_EQ(picture.Frame(0).transparentIndex, 2);
    EXPECT_TRUE(picture.Frame(0).extensions.empty());
    // The graphic control belongs to its own frame only.
    EXPECT_EQ(picture.Frame(1).transparentIndex, -1);
    EXPECT_EQ(qAlpha(picture.FrameBitmap(0).pixel(0, 1)), 0);
}

TEST(GifRead, RefusalsNameTheFault) {
    const std::string frame = Image(2, 2, 2, Coded({0, 1, 2, 3}, 2));
    const std::string good = Header(2, 2, 4) + frame + ";";
    std::string codeSize1 = good, codeSize10 = good;
    codeSize1[13 + 12 + 10] = 1;
    codeSize10[13 + 12 + 10] = 10;
    // Clear, literal 1, then code 7 while 6 is the next free code.
    const std::string beyondNext =
        Header(2, 2, 4) + Image(2, 2, 2, std::string(1, char(0b11001100)) + '\1') + ";";
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"version 88a", "GIF88a" + good.substr(6), "Unknown GIF version"},
        {"not a GIF", "JIF89a" + good.substr(6), "Unknown GIF version"},
        {"code size 1", codeSize1, "GIF code size not in range 2 to 9"},
        {"code size 10", codeSize10, "GIF code size not in range 2 to 9"},
        {"extension 3a", Header(2, 2, 4) + "\x21\x3A" + Blocks("x") + frame + ";",
         "Unrecognized extension block: 3a"},
        {"code beyond the next free code", beyondNext, "GIF encoded data is corrupt"},
        {"no trailer", good.substr(0, good.size() - 1), "Stream read error"},
        {"data cut short", good.substr(0, good.size() - 4), "Stream read error"},
        {"table cut short", good.substr(0, 20), "Stream read error"},
        {"unknown block", Header(2, 2, 4) + "\x99" + frame + ";", "Stream read error"},
        {"absurd frame", Header(2, 2, 4) + Image(65535, 65535, 2, Coded({0}, 2)) + ";",
         "GIF image is too large"},
        {"absurd screen", Header(65535, 65535, 4) + frame + ";", "GIF image is too large"},
        // A screen of no size is drawn as far as the frames reach: 16383 x 16383 here.
        {"a frame far out on a screen of no size",
         Header(0, 0, 4) + Image(2, 2, 2, Coded({0, 1, 2, 3}, 2), false, 16381, 16381) + ";",
         "GIF image is too large"},
        {"frames of no area far out on a screen of no height",
         Header(2, 0, 4) + Image(0, 0, 2, Coded({}, 2), false, 65535, 65535) + frame + ";",
         "GIF image is too large"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadError(c.bytes), c.message) << c.name;
    }
}

TEST(GifRead, AFrameItsDataCannotFillIsRefusedAtOnce) {
    // 8000 x 8000 pixels from a dozen bytes: refused before 64 MB are set aside. Timed in
    // processor time, which a busy machine does not stretch.
    const std::clock_t start = std::clock();
    EXPECT_EQ(
        LoadError(Header(8000, 8000, 4) + Image(8000, 8000, 2, std::string(12, '\x55')) + ";"),
        "Stream read error");
    EXPECT_LT(std::clock() - start, CLOCKS_PER_SEC / 20);
}

TEST(GifRead, IndicesBeyondTheTableTakeItsLastColour) {
    // A four-colour table, but codes of size 3 carrying the indices 5 and 7.
    const TGifPicture picture =
        Load(Header(4, 1, 4) + Image(4, 1, 3, Coded({0, 5, 7, 2}, 3)) + ";");
    EXPECT_EQ(picture.Frame(0).pixels, (std::vector<std::uint8_t>{0, 3, 3, 2}));
    EXPECT_EQ(picture.FrameBitmap(0).pixel(1, 0), qRgb(255, 255, 255));
}

TEST(GifRead, ToleratedDamageKeepsWhatWasRead) {
    std::vector<std::uint8_t> pixels(400);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = std::uint8_t((i * 2654435761u >> 7) % 16); // noise: no shorter data
    }
    const std::string first = Image(20, 20, 4, Coded(pixels, 4));
    const std::string file = Header(20, 20, 16) + first + first + ";";
    const std::string cut = file.substr(0, file.size() - 60);
    EXPECT_EQ(LoadError(cut), "Stream read error");
    const TGifPicture damaged = Load(cut, true);
    EXPECT_TRUE(damaged.Corrupted());
    ASSERT_EQ(damaged.FrameCount(), 2);
    EXPECT_EQ(damaged.Frame(0).pixels, pixels);
    // A bad code size is clamped and the rest read on.
    std::string badSize = file;
    badSize[13 + 48 + 10] = 12;
    const TGifPicture clamped = Load(badSize, true);
    EXPECT_TRUE(clamped.Corrupted());
    EXPECT_EQ(clamped.FrameCount(), 2);
    EXPECT_EQ(clamped.Frame(1).pixels, pixels);
    EXPECT_FALSE(Load(file, true).Corrupted());
}

} // namespace
} // namespace duebell::pictures
