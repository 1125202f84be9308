// Icon files and the icon set: our files read back and read by ImageMagick, ImageMagick's
// and hand-made files read by us, and the set's changes, stream and stored form.
#include "controls/pictures/formats/iconfile.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/iconset.h"
#include "controls/rangeerror.h"
#include "support/picturetests.h"

#include <QBuffer>
#include <QMimeData>
#include <gtest/gtest.h>

namespace duebell::pictures {
namespace {

using namespace test;

// A 16 x 16 icon: a solid disc of colour on a see-through square, a half-transparent corner.
QImage Disc(QRgb colour) {
    QImage icon(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int dx = x - 8, dy = y - 8;
            icon.setPixel(x, y, dx * dx + dy * dy < 36 ? colour : qRgba(0, 0, 0, 0));
        }
    }
    icon.setPixel(0, 0, qRgba(10, 20, 30, 128));
    return icon;
}

std::string Word(int v) {
    return {char(v & 0xFF), char(v >> 8)};
}
std::string DWord(std::uint32_t v) {
    return Word(int(v & 0xFFFF)) + Word(int(v >> 16));
}

// A 4-bit cursor 8 x 2 with a hot spot, made byte by byte: row 0 uses colours 0 .. 7, row 1
// colour 15 (beyond the two-entry table); the mask hides the first pixel of row 0.
std::string HandMadeCursor() {
    std::string image = DWord(40) + DWord(8) + DWord(4) + Word(1) + Word(4) + DWord(0) + DWord(0) +
                        DWord(0) + DWord(0) + DWord(2) + DWord(0);
    image += DWord(0x00FF0000) + DWord(0x000000FF); // red, blue (blue, green, red, reserved)
    image += std::string("\xFF\xFF\xFF\xFF", 4);    // bottom row first: colour 15
    image += std::string("\x01\x01\x01\x01", 4);    // top row: 0, 1, 0, 1, ...
    image += std::string(4, '\0') + std::string("\x80\0\0\0", 4); // mask, bottom row first
    return Word(0) + Word(2) + Word(1) + std::string("\x08\x02\x00\x00", 4) + Word(3) + Word(1) +
           DWord(std::uint32_t(image.size())) + DWord(22) + image;
}

// An icon file whose directory lists one 256 x 256 one-bit image `entries` times.
std::string AliasedIcon(int entries) {
    std::string image =
        DWord(40) + DWord(256) + DWord(512) + Word(1) + Word(1) + std::string(24, '\0');
    image += DWord(0) + DWord(0xFFFFFF) + std::string(2 * 32 * 256, '\0');
    std::string file = Word(0) + Word(1) + Word(entries);
    for (int i = 0; i < entries; ++i) {
        file += std::string(4, '\0') + Word(1) + Word(1) + DWord(std::uint32_t(image.size())) +
                DWord(std::uint32_t(6 + 16 * entries));
    }
    return file + image;
}

TEST(Icons, OurIconsReadBackAndImageMagickAgrees) {
    const QImage icon = Disc(qRgb(200, 30, 40));
    const QByteArray file = WriteIcon(icon);
    EXPECT_EQ(ReadIcon(file), icon);
    TempFolder folder;
    const std::string path = folder / "disc.ico";
    WriteFile(path, file.toStdString());
    EXPECT_EQ(RunTool("identify -format '%m %w %h' " + Quote(path)), "ICO 16 16");
    EXPECT_EQ(Pixels(ConvertToImage(path)), Pixels(icon));
}

TEST(Icons, ReadsImageMagickIconsOfSeveralSizes) {
    TempFolder folder;
    const std::string source = folder / "source.png";
    Disc(qRgb(20, 90, 200)).scaled(48, 48).save(QString::fromStdString(source));
    const std::string path = folder / "sizes.ico";
    RunTool("convert " + Quote(source) + " -define icon:auto-resize=48,32,16 " + Quote(path));
    const QImage best = ReadIcon(QByteArray::fromStdString(ReadFile(path)));
    EXPECT_EQ(best.size(), QSize(48, 48));
    EXPECT_EQ(Pixels(best), Pixels(QImage(QString::fromStdString(source))));
}

TEST(Icons, ReadsAPalettedCursorWithItsMask) {
    const TIconFile file = ReadIconFile(HandMadeCursor());
    ASSERT_TRUE(file.cursor);
    const TIconImage& image = file.images.at(0);
    EXPECT_EQ(image.hotspotX, 3);
    EXPECT_EQ(image.hotspotY, 1);
    const TArgb red = MakeArgb(255, 0, 0), blue = MakeArgb(0, 0, 255);
    EXPECT_EQ(image.pixels,
              (std::vector<TArgb>{red & 0xFFFFFF, blue, red, blue, red, blue, red, blue, blue, blue,
                                  blue, blue, blue, blue, blue, blue}));
}

TEST(Icons, RefusesWhatIsNotAnIcon) {
    const std::string cursor = HandMadeCursor();
    std::string wide = cursor;
    wide.replace(22 + 4, 4, DWord(300)); // a bitmap 300 pixels wide
    std::string pointsOutside = cursor;
    pointsOutside.replace(18, 4, DWord(5000));
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"a bitmap file", "BM" + cursor.substr(2), "Icon image is not valid"},
        {"no images", Word(0) + Word(1) + Word(0), "Icon image is not valid"},
        {"wider than 256", wide, "Icon image is not valid"},
        {"image outside the file", pointsOutside, "Stream read error"},
        {"cut short", cursor.substr(0, cursor.size() - 3), "Stream read error"},
        // 65 images of 256 x 256 pixels from 16 KB: more than 4M pixels together.
        {"one image listed 65 times", AliasedIcon(65), "Icon image is not valid"},
    };
    for (const Case& c : cases) {
        try {
            ReadIconFile(c.bytes);
            ADD_FAILURE() << c.name;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
    EXPECT_EQ(ReadIconFile(AliasedIcon(64)).images.size(), 64u);
    EXPECT_THROW(WriteIcon(QImage(257, 10, QImage::Format_ARGB32)), EInvalidGraphic);
}

TEST(Icons, IconsTravelThroughTheClipboardFormat) {
    QMimeData data;
    SaveIconToMimeData(Disc(qRgb(1, 2, 3)), data);
    EXPECT_TRUE(data.hasFormat("image/vnd.microsoft.icon"));
    EXPECT_EQ(LoadIconFromMimeData(data), Disc(qRgb(1, 2, 3)));
}

TEST(IconSet, EditsTellOfEachChangeOrOncePerUpdate) {
    TIconSet set;
    int changes = 0;
    set.OnChange = [&] { ++changes; };
    const QImage a = Disc(qRgb(255, 0, 0)), b = Disc(qRgb(0, 255, 0)), c = Disc(qRgb(0, 0, 255));
    EXPECT_EQ(set.Add(a), 0);
    EXPECT_EQ(set.Add(c), 1);
    set.Insert(1, b);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(set.IndexOf(b), 1);
    EXPECT_EQ(set.IndexOf(Disc(qRgb(9, 9, 9))), -1);
    set.BeginUpdate();
    set.Exchange(0, 2); // c b a
    set.Move(0, 2);     // b a c
    set.BeginUpdate();
    set.SetItem(1, c); // b c c
    set.EndUpdate();
    EXPECT_EQ(changes, 3);
    set.EndUpdate();
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(set.Item(0), b);
    EXPECT_EQ(set.Item(1), c);
    set.Delete(0);
    EXPECT_EQ(changes, 5);
    set.Clear();
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(set.Count(), 0);
    try {
        set.Item(0);
        ADD_FAILURE();
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (0)");
    }
    EXPECT_THROW(set.Add(QImage()), EInvalidGraphic);
    EXPECT_EQ(changes, 6);
}

TEST(IconSet, KeepsItsIconsInAStreamAndInAStoredForm) {
    TempFolder folder;
    const std::string resource = folder / "bell.ico";
    WriteFile(resource, WriteIcon(Disc(qRgb(0, 0, 99))).toStdString());
    TIconSet set;
    set.Add(Disc(qRgb(255, 0, 0)));
    set.Add(Disc(qRgb(0, 128, 0)).scaled(32, 24));
    set.InsertResource(0, QString::fromStdString(resource));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    set.SaveToStream(buffer);
    buffer.write("tail");
    buffer.seek(0);
    TIconSet loaded;
    loaded.LoadFromStream(buffer);
    EXPECT_EQ(buffer.readAll(), "tail");
    StoredForm form;
    loaded.WriteToForm(form);
    ASSERT_EQ(form.size(), 1u);
    EXPECT_EQ(form[0].name, "Icons");
    // Through the form's text and back.
    TIconSet fromForm;
    fromForm.ReadFromForm(FormFromText(FormToText(form)));
    ASSERT_EQ(fromForm.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fromForm.Item(i), set.Item(i));
    }
    EXPECT_EQ(fromForm.Item(0), Disc(qRgb(0, 0, 99)));
    // A damaged stream leaves the set as it was.
    QByteArray damaged = buffer.data();
    damaged.chop(40);
    QBuffer bad(&damaged);
    bad.open(QIODevice::ReadOnly);
    EXPECT_THROW(fromForm.LoadFromStream(bad), EReadError);
    EXPECT_EQ(fromForm.Count(), 3);
}

} // namespace
} // namespace duebell::pictures
