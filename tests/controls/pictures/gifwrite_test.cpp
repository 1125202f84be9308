// Writing GIF files, checked byte by byte where the format fixes the bytes and by ImageMagick
// and gifsicle for everything they report.
#include "controls/pictures/formats/gifwrite.h"
#include "controls/pictures/formats/lzwgif.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/gifpicture.h"
#include "support/picturetests.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace duebell::pictures {
namespace {

using namespace test;

std::string Written(const TGifPicture& picture) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.SaveToStream(buffer);
    return buffer.data().toStdString();
}

std::string SaveTo(const TempFolder& folder, const TGifPicture& picture, const std::string& name) {
    const std::string path = folder / name;
    picture.SaveToFile(QString::fromStdString(path));
    return path;
}

TEST(GifWrite, ColourCountGivesVersionAndCodeSize) {
    struct Case {
        int colors;
        char codeSize;
    };
    for (const Case c : {Case{2, 2}, Case{16, 4}, Case{256, 8}}) {
        SCOPED_TRACE(c.colors);
        TGifPicture picture;
        picture.AddFrame(ScatteredIndexed(20, 10, c.colors, 1));
        const std::string bytes = Written(picture);
        EXPECT_EQ(bytes.substr(0, 6), "GIF87a");
        // Header 13, the global table, the image descriptor 10, then the code size.
        EXPECT_EQ(bytes[13 + 3 * c.colors + 10], c.codeSize);
        EXPECT_EQ(picture.Version(), 1);
    }
}

TEST(GifWrite, TransparentFrameWritesAGraphicControlAndGifsicleSeesIt) {
    TempFolder folder;
    TGifPicture picture;
    TGifFrameOptions options;
    options.transparentIndex = 3;
    options.delay = 25;
    picture.AddFrame(ScatteredIndexed(12, 8, 16, 2), options);
    const std::string bytes = Written(picture);
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
    // Straight after the 16-colour global table: disposal 0, transparent flag, delay 25, index 3.
    EXPECT_EQ(bytes.substr(13 + 48, 8), std::string("\x21\xF9\x04\x01\x19\x00\x03\x00", 8));
    const std::string info = RunTool("gifsicle --info " + Quote(SaveTo(folder, picture, "t.gif")));
    EXPECT_NE(info.find("transparent 3"), std::string::npos) << info;
    EXPECT_NE(info.find("delay 0.25s"), std::string::npos) << info;
}

TEST(GifWrite, TwoLoopingFramesCarryTheNetscapeExtension) {
    TempFolder folder;
    TGifPicture picture;
    picture.AddFrame(ScatteredIndexed(30, 20, 4, 3));
    picture.AddFrame(ScatteredIndexed(10, 5, 4, 4), {.left = 7, .top = 9, .delay = 10});
    picture.SetLoop(true, 0);
    const std::string bytes = Written(picture);
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
    EXPECT_NE(bytes.find(std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19)),
              std::string::npos);
    const std::string path = SaveTo(folder, picture, "loop.gif");
    const std::string info = RunTool("gifsicle --info " + Quote(path));
    EXPECT_NE(info.find("loop forever"), std::string::npos) << info;
    EXPECT_EQ(RunTool("identify -format '%W %H %w %h %X %Y\\n' " + Quote(path)),
              "30 20 30 20 +0 +0\n30 20 10 5 +7 +9\n");
}

TEST(GifWrite, AnyExtensionMakesTheFile89a) {
    // The loop alone, a comment alone, a frame's own extension alone: each is an extension.
    TGifPicture looping;
    looping.AddFrame(ScatteredIndexed(4, 4, 2, 5));
    looping.AddFrame(ScatteredIndexed(4, 4, 2, 6));
    looping.SetLoop(true, 3);
    TGifPicture commented;
    commented.AddFrame(ScatteredIndexed(4, 4, 2, 7));
    commented.SetComment("made here");
    // A file with an application extension of another program, read and written again.
    std::string foreign = Written(commented);
    const std::string comment = std::string("\x21\xFE\x09made here\x00", 13);
    foreign.replace(foreign.find(comment), comment.size(),
                    std::string("\x21\xFF\x0BXMP DataXMP\x02hi\x00", 18));
    TGifPicture withExtension;
    QBuffer buffer;
    buffer.setData(QByteArray::fromStdString(foreign));
    buffer.open(QIODevice::ReadOnly);
    withExtension.LoadFromStream(buffer);
    ASSERT_EQ(withExtension.Frame(0).extensions.size(), 1u);
    for (const TGifPicture* picture : {&looping, &commented, &withExtension}) {
        EXPECT_EQ(Written(*picture).substr(0, 6), "GIF89a");
        EXPECT_EQ(picture->Version(), 2);
    }
    EXPECT_NE(Written(withExtension).find("XMP DataXMP\x02hi", 0, 14), std::string::npos);
    // One frame of a looping picture writes no loop, so nothing calls for 89a.
    TGifPicture single;
    single.AddFrame(ScatteredIndexed(4, 4, 2, 8));
    single.SetLoop(true);
    EXPECT_EQ(Written(single).substr(0, 6), "GIF87a");
}

TEST(GifWrite, ImageMagickShowsEveryFrameAsItsSource) {
    TempFolder folder;
    // A 256-colour frame, an interlaced frame with a table of its own, a true-colour frame
    // of fewer than 256 colours, and a one-bit frame.
    QImage trueColour(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            trueColour.setPixel(x, y, qRgb(x / 4 * 25, y / 5 * 40, (x + y) % 3 * 100));
        }
    }
    QImage mono(40, 30, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 128)});
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            mono.setPixel(x, y, (x * y) % 7 == 0);
        }
    }
    const QImage sources[] = {ScatteredIndexed(40, 30, 256, 11), ScatteredIndexed(40, 30, 32, 12),
                              trueColour, mono};
    TGifPicture picture;
    picture.AddFrame(sources[0]);
    picture.AddFrame(sources[1], {.interlaced = true});
    picture.AddFrame(sources[2]);
    picture.AddFrame(sources[3]);
    EXPECT_FALSE(picture.Frame(1).colorTable.empty());
    const std::string path = SaveTo(folder, picture, "frames.gif");
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Pixels(ConvertToImage(path, i)), Pixels(sources[i]));
    }
}

TEST(GifWrite, InterlacedRowsGoOutPassByPass) {
    // Row r of a 16-row frame has colour r; the coded data must hold the rows in pass order.
    QImage rows(3, 16, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 16; ++i) {
        table << qRgb(i * 16, 0, 0);
    }
    rows.setColorTable(table);
    for (int y = 0; y < 16; ++y) {
        std::fill_n(rows.scanLine(y), 3, uchar(y));
    }
    TGifPicture picture;
    picture.AddFrame(rows, {.interlaced = true});
    const TGifPictureFrame& frame = picture.Frame(0);
    std::vector<std::uint8_t> dataOrder(48);
    LzwDecodeGif(*frame.coded, dataOrder, false);
    std::vector<std::uint8_t> rowOrder;
    for (int i = 0; i < 16; ++i) {
        rowOrder.push_back(dataOrder[static_cast<std::size_t>(i) * 3]);
    }
    EXPECT_EQ(rowOrder,
              (std::vector<std::uint8_t>{0, 8, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15}));
    TempFolder folder;
    EXPECT_EQ(Pixels(ConvertToImage(SaveTo(folder, picture, "rows.gif"))), Pixels(rows));
}

TEST(GifWrite, RefusesWhatCannotBeWritten) {
    const auto message = [](auto action) -> std::string {
        try {
            action();
        } catch (const Exception& e) {
            return e.what();
        }
        return "no error";
    };
    TGifPicture empty;
    EXPECT_EQ(message([&] { Written(empty); }), "No GIF Data to write");
    TGifSharedImage badTable;
    badTable.colorTable.resize(3);
    badTable.frames.resize(1);
    EXPECT_EQ(message([&] { WriteGif(badTable); }), "Wrong number of colors; must be a power of 2");
    EXPECT_EQ(message([&] { empty.AddFrame(QImage()); }), "Bitmap image is not valid");
}

} // namespace
} // namespace duebell::pictures
