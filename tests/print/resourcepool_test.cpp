// The resource table's pools: sharing equal items, release by use count, stored forms.
#include "print/resourcetable.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// A font description of the given size (descriptions are not copyable).
std::unique_ptr<TPqFont> FontOf(int size) {
    auto font = std::make_unique<TPqFont>();
    font->SetSize(size);
    return font;
}

TEST(PoolTest, EqualItemsAreSharedAndCounted) {
    TPqFontList pool;
    auto twelve = FontOf(12);
    TPqFont* first = pool.Add(*twelve);
    TPqFont* second = pool.Add(*FontOf(12));
    EXPECT_EQ(first, second);
    EXPECT_NE(first, twelve.get()); // the pool keeps its own copy
    EXPECT_EQ(pool.Count(), 1);
    EXPECT_EQ(pool.UseCount(0), 2);
    TPqFont* other = pool.Add(*FontOf(14));
    EXPECT_NE(other, first);
    EXPECT_EQ(pool.Count(), 2);
    EXPECT_EQ(pool.IndexOf(*FontOf(14)), 1);
    EXPECT_EQ(pool.IndexOf(*FontOf(16)), -1);
}

TEST(PoolTest, ReleaseLowersTheCountAndFreesAtZero) {
    TPqFontList pool;
    pool.Add(*FontOf(12));
    pool.Add(*FontOf(12));
    pool.Add(*FontOf(14));
    pool.Release(*FontOf(12));
    ASSERT_EQ(pool.Count(), 2);
    EXPECT_EQ(pool.UseCount(0), 1);
    pool.Release(*FontOf(12));
    ASSERT_EQ(pool.Count(), 1);
    EXPECT_EQ(pool.Items(0)->Size(), 14);
    EXPECT_EQ(pool.UseCount(0), 1);
    pool.Release(*FontOf(20)); // not pooled: nothing happens
    EXPECT_EQ(pool.Count(), 1);
}

TEST(PoolTest, ItemsOutOfRangeGiveNothing) {
    TPqPenList pool;
    EXPECT_EQ(pool.Items(-1), nullptr);
    EXPECT_EQ(pool.Items(0), nullptr);
    pool.Add(TPqPen());
    EXPECT_NE(pool.Items(0), nullptr);
    pool.Clear();
    EXPECT_EQ(pool.Count(), 0);
}

TEST(PoolTest, StoredFormKeepsItemsAndUseCounts) {
    TPqBrushList pool;
    TPqBrush red;
    red.SetColor(0x0000FF);
    pool.Add(red);
    pool.Add(red);
    pool.Add(TPqBrush());
    TPqStream stream;
    pool.SaveToStream(stream);
    // count, two 5-byte brushes, count, two counts.
    EXPECT_EQ(stream.Size(), 4 + 10 + 4 + 8);
    stream.Seek(0);
    TPqBrushList read;
    read.LoadFromStream(stream);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_TRUE(BrushesEqual(*read.Items(0), red));
    EXPECT_EQ(read.UseCount(0), 2);
    EXPECT_EQ(read.UseCount(1), 1);
}

QImage Checkerboard(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return image;
}

TEST(GraphicPoolTest, EqualPicturesAreSharedUnlessComparingIsOff) {
    TPqGraphicList pool;
    EXPECT_TRUE(pool.CompareGraphics());
    TPqGraphic a = TPqGraphic::FromBitmap(Checkerboard(8));
    TPqGraphic b = TPqGraphic::FromBitmap(Checkerboard(8));
    TPqGraphic c = TPqGraphic::FromBitmap(Checkerboard(9));
    EXPECT_EQ(pool.Add(a), pool.Add(b));
    EXPECT_NE(pool.Add(c), pool.Items(0));
    EXPECT_EQ(pool.Count(), 2);
    pool.SetCompareGraphics(false);
    pool.Add(a);
    EXPECT_EQ(pool.Count(), 3);
}

TEST(GraphicPoolTest, StoredFormSkipsPicturesOfUnknownKind) {
    TPqStream stream;
    stream.WriteInt32(3);
    // A bitmap, a picture of kind 7 with 5 bytes of data, a JPEG.
    auto writePicture = [&](std::uint8_t kind, const QByteArray& data) {
        stream.WriteByte(kind);
        stream.WriteInt32(static_cast<std::int32_t>(stream.Position() + 4 + data.size()));
        stream.WriteBytes(data.constData(), static_cast<std::size_t>(data.size()));
    };
    writePicture(2, TPqGraphic::FromBitmap(Checkerboard(4)).StoredForm());
    writePicture(7, QByteArray("xxxxx"));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    Checkerboard(16).save(&buffer, "JPEG");
    writePicture(0, jpeg);
    // One use count per picture written; the skipped picture's goes with it.
    stream.WriteInt32(3);
    stream.WriteInt32(5);
    stream.WriteInt32(9);
    stream.WriteInt32(6);
    stream.Seek(0);

    TPqGraphicList pool;
    pool.LoadFromStream(stream);
    EXPECT_TRUE(stream.AtEnd());
    ASSERT_EQ(pool.Count(), 2);
    EXPECT_EQ(pool.Items(0)->Kind(), TPqGraphicKind::Bitmap);
    EXPECT_EQ(pool.Items(0)->Width(), 4);
    EXPECT_EQ(pool.Items(1)->Kind(), TPqGraphicKind::Jpeg);
    EXPECT_EQ(pool.Items(1)->Height(), 16);
    EXPECT_EQ(pool.UseCount(0), 5);
    EXPECT_EQ(pool.UseCount(1), 6);
}

TEST(GraphicPoolTest, StoredFormRoundTripsEveryKind) {
    QPicture recording;
    {
        QPainter painter(&recording);
        painter.drawLine(0, 0, 10, 10);
    }
    TPqGraphicList pool;
    pool.Add(TPqGraphic::FromBitmap(Checkerboard(5)));
    pool.Add(TPqGraphic::FromMetafile(recording, QSize(10, 10)));
    TPqStream stream;
    pool.SaveToStream(stream);
    stream.Seek(0);
    TPqGraphicList read;
    read.LoadFromStream(stream);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_TRUE(GraphicsEqual(*read.Items(0), *pool.Items(0)));
    EXPECT_EQ(read.Items(1)->Kind(), TPqGraphicKind::Metafile);
    EXPECT_EQ(read.Items(1)->Width(), 10);
}

TEST(MemoPoolTest, EqualRichTextIsShared) {
    TPqMemo a{CreateHiddenRichEdit(), false};
    SetRtfText(*a.Document, "<p>Arrears <b>notice</b></p>");
    TPqMemo b{CreateHiddenRichEdit(), false};
    SetRtfText(*b.Document, "<p>Arrears <b>notice</b></p>");
    TPqMemo c{CreateHiddenRichEdit(), true};
    SetRtfText(*c.Document, "<p>Arrears notice</p>");
    TPqCustomMemoList pool;
    EXPECT_EQ(pool.Add(a), pool.Add(b));
    pool.Add(c);
    EXPECT_EQ(pool.Count(), 2);

    TPqStream stream;
    pool.SaveToStream(stream);
    stream.Seek(0);
    TPqCustomMemoList read;
    read.LoadFromStream(stream);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_TRUE(MemosEqual(*read.Items(0), a));
    EXPECT_TRUE(read.Items(1)->PlainMemo);
    EXPECT_EQ(read.UseCount(0), 2);
}

} // namespace
} // namespace duebell
