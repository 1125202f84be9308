// Pictures of the graphics pool: drawn into bitmaps, compressed as JPEG by libjpeg, read back.
#include "print/graphic.h"
#include "print/resourcetable.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <cstdlib>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// Each channel within 'tolerance' of the expected colour (JPEG is lossy).
::testing::AssertionResult Near(QRgb actual, QRgb expected, int tolerance = 12) {
    if (std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
        std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
        std::abs(qBlue(actual) - qBlue(expected)) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << QColor(actual).name().toStdString() << " is not near "
                                         << QColor(expected).name().toStdString();
}

// 64 x 32: red on the left half, blue on the right (halves on 16-pixel block edges).
QImage RedBlue() {
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, 32, 32, Qt::red);
    return image;
}

TEST(GraphicToBitmap, DrawsThePictureAtTheTopLeftOnWhite) {
    QPicture recording;
    {
        QPainter painter(&recording);
        painter.fillRect(2, 2, 3, 3, Qt::red);
    }
    const TPqGraphic bitmap = GraphicToBitmap(TPqGraphic::FromMetafile(recording, QSize(10, 8)));
    EXPECT_EQ(bitmap.Kind(), TPqGraphicKind::Bitmap);
    EXPECT_EQ(bitmap.Image().size(), QSize(10, 8));
    EXPECT_EQ(bitmap.Image().pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(bitmap.Image().pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(bitmap.Image().pixel(9, 7), qRgb(255, 255, 255));

    const TPqGraphic fromJpeg = GraphicToBitmap(NewJpegFrom(TPqGraphic::FromBitmap(RedBlue())));
    EXPECT_EQ(fromJpeg.Kind(), TPqGraphicKind::Bitmap);
    EXPECT_TRUE(Near(fromJpeg.Image().pixel(8, 8), qRgb(255, 0, 0)));
}

TEST(NewJpegFrom, PoolKeepsAJpegFileThatImageMagickReads) {
    const TPqGraphic jpeg = NewJpegFrom(TPqGraphic::FromBitmap(RedBlue()));
    EXPECT_EQ(jpeg.Kind(), TPqGraphicKind::Jpeg);
    EXPECT_EQ(jpeg.Width(), 64);
    EXPECT_EQ(jpeg.Height(), 32);
    EXPECT_TRUE(Near(jpeg.Image().pixel(8, 16), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(jpeg.Image().pixel(56, 16), qRgb(0, 0, 255)));

    // The picture's bytes as the pool stores them: count, kind, end offset, the file.
    TPqGraphicList pool;
    pool.Add(jpeg);
    TPqStream stream;
    pool.SaveToStream(stream);
    stream.Seek(4);
    ASSERT_EQ(stream.ReadByte(), 0); // JPEG
    const std::int32_t end = stream.ReadInt32();
    QByteArray file(static_cast<qsizetype>(end - stream.Position()), '\0');
    stream.ReadBytes(file.data(), static_cast<std::size_t>(file.size()));
    const QString path = QStringLiteral(DUEBELL_TEST_OUTPUT_DIR "/pooled.jpg");
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    QProcess identify;
    identify.start("identify", {"-format", "%m %w %h %[colorspace]", path});
    ASSERT_TRUE(identify.waitForFinished(30000));
    EXPECT_EQ(identify.exitCode(), 0) << identify.readAllStandardError().toStdString();
    EXPECT_EQ(identify.readAllStandardOutput().toStdString(), "JPEG 64 32 sRGB");
}

TEST(StoredPicture, ASizeItsBytesCannotHoldOrDataThatEndEarlyAreRefused) {
    const QByteArray jpeg = NewJpegFrom(TPqGraphic::FromBitmap(RedBlue())).StoredForm();
    // The frame header's height and width (after FF C0, length and precision) made 16000.
    QByteArray huge = jpeg;
    const qsizetype frame = huge.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    for (const qsizetype at : {frame + 5, frame + 7}) {
        huge[at] = char(16000 >> 8);
        huge[at + 1] = char(16000 & 0xFF);
    }
    const QByteArray bitmap = TPqGraphic::FromBitmap(RedBlue()).StoredForm();
    QByteArray hugeBitmap = bitmap; // the info header's width and height made 16000
    for (const qsizetype at : {18, 22}) {
        hugeBitmap[at] = char(16000 & 0xFF);
        hugeBitmap[at + 1] = char(16000 >> 8);
    }
    const struct {
        const char* what;
        TPqGraphicKind kind;
        QByteArray data;
        bool reads;
    } cases[] = {
        {"the JPEG file", TPqGraphicKind::Jpeg, jpeg, true},
        {"16000 x 16000 pixels claimed by a JPEG file", TPqGraphicKind::Jpeg, huge, false},
        {"a JPEG file cut inside its data", TPqGraphicKind::Jpeg, jpeg.left(jpeg.size() - 60),
         false},
        {"the bitmap file", TPqGraphicKind::Bitmap, bitmap, true},
        {"16000 x 16000 pixels claimed by a bitmap file", TPqGraphicKind::Bitmap, hugeBitmap,
         false},
    };
    for (const auto& [what, kind, data, reads] : cases)
        EXPECT_EQ(TPqGraphic::FromStoredForm(kind, data).has_value(), reads) << what;
}

TEST(JpegPicture, ReadsGreyAndColourFilesOfAnotherWriterAndRefusesOthers) {
    QImage grey(16, 16, QImage::Format_Grayscale8);
    grey.fill(100);
    QByteArray greyFile;
    QBuffer buffer(&greyFile);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(grey.save(&buffer, "JPEG", 95));
    const auto greyPicture = TPqGraphic::FromJpeg(greyFile);
    ASSERT_TRUE(greyPicture.has_value());
    EXPECT_TRUE(Near(greyPicture->Image().pixel(5, 5), qRgb(100, 100, 100), 3));

    EXPECT_FALSE(TPqGraphic::FromJpeg(QByteArray("not a picture")).has_value());
    EXPECT_FALSE(TPqGraphic::FromJpeg(QByteArray()).has_value());
    // A file cut inside its header.
    EXPECT_FALSE(
        TPqGraphic::FromJpeg(NewJpegFrom(TPqGraphic::FromBitmap(RedBlue())).StoredForm().left(40))
            .has_value());
}

} // namespace
} // namespace duebell
