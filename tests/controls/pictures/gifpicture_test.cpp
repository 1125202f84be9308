// The GIF picture as the program uses it: streams, files, the clipboard, shared copies, the
// frames composed for showing, the format registry and the splash picture.
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/gifpicture.h"
#include "controls/pictures/pictureregistry.h"
#include "controls/pictures/splashpicture.h"
#include "support/picturetests.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <gtest/gtest.h>

namespace duebell::pictures {
namespace {

using namespace test;

QByteArray Bytes(const TGifPicture& picture) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.SaveToStream(buffer);
    return buffer.data();
}

TGifPicture TwoFrames() {
    TGifPicture picture;
    picture.AddFrame(ScatteredIndexed(9, 7, 8, 1));
    picture.AddFrame(ScatteredIndexed(3, 2, 8, 2), {.left = 1, .top = 1});
    return picture;
}

TEST(GifPicture, ReadsOneFileFromAStreamAndStopsAfterIt) {
    const QByteArray gif = Bytes(TwoFrames());
    QBuffer buffer;
    buffer.setData(gif + "after");
    buffer.open(QIODevice::ReadOnly);
    TGifPicture picture;
    picture.LoadFromStream(buffer);
    EXPECT_EQ(buffer.pos(), gif.size());
    EXPECT_EQ(picture.FrameCount(), 2);
    EXPECT_EQ(buffer.readAll(), "after");
}

TEST(GifPicture, AFailedLoadKeepsThePicture) {
    TGifPicture picture = TwoFrames();
    QByteArray broken = Bytes(picture);
    broken.chop(5);
    QBuffer buffer;
    buffer.setData(broken);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(picture.LoadFromStream(buffer), EReadError);
    EXPECT_EQ(buffer.pos(), 0);
    EXPECT_EQ(picture.FrameCount(), 2);
    EXPECT_EQ(Bytes(picture), Bytes(TwoFrames()));
}

TEST(GifPicture, SavingNothingLeavesTheFileAsItWas) {
    TempFolder folder;
    const QString path = QString::fromStdString(folder / "kept.gif");
    TwoFrames().SaveToFile(path);
    const std::string before = ReadFile(path.toStdString());
    EXPECT_THROW(TGifPicture().SaveToFile(path), EInvalidGraphicOperation);
    EXPECT_EQ(ReadFile(path.toStdString()), before);
    TGifPicture loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(Bytes(loaded), QByteArray::fromStdString(before));
}

TEST(GifPicture, CopiesShareUntilOneChanges) {
    const TGifPicture original = TwoFrames();
    TGifPicture copy = original;
    EXPECT_EQ(&copy.Image(), &original.Image());
    copy.AddFrame(ScatteredIndexed(2, 2, 2, 3));
    copy.SetComment("changed");
    EXPECT_EQ(original.FrameCount(), 2);
    EXPECT_EQ(original.Comment(), "");
    TGifPicture assigned;
    assigned.Assign(original);
    EXPECT_EQ(&assigned.Image(), &original.Image());
}

TEST(GifPicture, TravelsThroughTheClipboardFormats) {
    QMimeData data;
    TwoFrames().SaveToMimeData(data);
    EXPECT_TRUE(data.hasFormat("GIF Image"));
    EXPECT_TRUE(data.hasFormat("image/gif"));
    TGifPicture pasted;
    pasted.LoadFromMimeData(data);
    EXPECT_EQ(Bytes(pasted), Bytes(TwoFrames()));
    QMimeData text;
    text.setText("no picture");
    try {
        pasted.LoadFromMimeData(text);
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Unsupported clipboard format");
    }
}

TEST(GifPicture, SizeIsTheLogicalScreenAndCannotBeSet) {
    TGifPicture picture = TwoFrames();
    EXPECT_EQ(picture.Width(), 9);
    EXPECT_EQ(picture.Height(), 7);
    EXPECT_EQ(picture.Palette().size(), 8);
    for (const auto set : {&TGifPicture::SetWidth, &TGifPicture::SetHeight}) {
        try {
            (picture.*set)(20);
            ADD_FAILURE();
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_STREQ(e.what(), "Cannot change the Size of a GIF image");
        }
    }
    EXPECT_EQ(picture.Width(), 9);
}

TEST(GifPicture, FramesShowAsTheirDisposalLeavesTheScreen) {
    // A 4 x 1 screen; each frame is one pixel of one colour at x = its number, over frame 0
    // which fills the screen with colour 0 and stays. Frame 1 is cleared after showing,
    // frame 2 is restored away, frame 3 stays.
    QImage full(4, 1, QImage::Format_Indexed8);
    const QList<QRgb> table{qRgb(10, 10, 10), qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
    full.setColorTable(table);
    full.fill(0);
    TGifPicture picture;
    picture.AddFrame(full, {.disposal = dmKeep});
    const int disposals[] = {dmBackground, dmPrevious, dmKeep};
    for (int i = 1; i <= 3; ++i) {
        QImage dot(1, 1, QImage::Format_Indexed8);
        dot.setColorTable(table);
        dot.fill(uint(i));
        picture.AddFrame(dot, {.left = i, .disposal = disposals[i - 1]});
    }
    const QRgb dark = qRgb(10, 10, 10), red = qRgb(200, 0, 0), green = qRgb(0, 200, 0),
               blue = qRgb(0, 0, 200);
    const std::vector<std::vector<TArgb>> shown{{dark, dark, dark, dark},
                                                {dark, red, dark, dark},
                                                {dark, 0, green, dark},
                                                {dark, 0, dark, blue}};
    for (int i = 0; i < 4; ++i) {
        picture.SetCurrentFrame(i);
        EXPECT_EQ(Pixels(picture.Bitmap()), shown[static_cast<std::size_t>(i)]) << i;
    }
    // Each frame's screen is kept: drawing it again hands back the same bitmap.
    const qint64 kept = picture.Bitmap().cacheKey();
    picture.SetCurrentFrame(1);
    EXPECT_EQ(Pixels(picture.Bitmap()), shown[1]);
    picture.SetCurrentFrame(3);
    EXPECT_EQ(picture.Bitmap().cacheKey(), kept);
    // A copy starting at the last frame draws it alike.
    TGifPicture copy;
    copy.Assign(picture);
    copy.SetCurrentFrame(3);
    EXPECT_EQ(Pixels(copy.Bitmap()), shown[3]);
}

TEST(GifPicture, ReportsReadingProgress) {
    const QByteArray gif = Bytes(TwoFrames());
    TGifPicture picture;
    int starts = 0, ends = 0;
    picture.SetOnProgress([&](TProgressStage stage, int) {
        starts += stage == TProgressStage::Starting;
        ends += stage == TProgressStage::Ending;
    });
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    picture.LoadFromStream(buffer);
    EXPECT_EQ(starts, 2); // one for each frame's data
    EXPECT_EQ(ends, 2);
}

TEST(GifPicture, TheRegistryKnowsGifFilesByExtension) {
    ASSERT_NE(FindPictureFileFormat("Pictures/Logo.GIF"), nullptr);
    EXPECT_EQ(FindPictureFileFormat("logo.gif")->description, "CompuServe GIF Image");
    EXPECT_EQ(FindPictureFileFormat("logo.bmp"), nullptr);
    EXPECT_EQ(PictureFileFilter(), "CompuServe GIF Image (*.gif)");
    TempFolder folder;
    const QString path = QString::fromStdString(folder / "two.gif");
    TwoFrames().SaveToFile(path);
    EXPECT_EQ(LoadPictureFile(path).size(), QSize(9, 7));
    try {
        LoadPictureFile("logo.xyz");
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Unknown picture file extension (.xyz)");
    }
}

TEST(GifPicture, TheSplashPictureIsAGif89aOf491By203) {
    const QImage splash = LoadSplashPicture();
    EXPECT_EQ(splash.size(), QSize(491, 203));
    QFile resource(SplashPictureResource);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const QByteArray bytes = resource.readAll();
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    // ImageMagick reads the same file to the same pixels.
    TempFolder folder;
    const std::string path = folder / "splash.gif";
    WriteFile(path, bytes.toStdString());
    EXPECT_EQ(RunTool("identify -format '%m %w %h' " + Quote(path)), "GIF 491 203");
    EXPECT_EQ(Pixels(splash), Pixels(ConvertToImage(path)));
    splash.save(QString::fromStdString(std::string(DUEBELL_TEST_OUTPUT_DIR) + "/splash.png"));
}

} // namespace
} // namespace duebell::pictures
