// Animated cursors made by hand, chunk by chunk: frames, rates, sequence, title and creator
// are read; every malformed stream raises "Stream read error" and changes nothing.
#include "controls/pictures/anicursor.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/iconset.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace duebell::pictures {
namespace {

std::string DWord(std::uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

// A chunk with its pad byte when the size is odd.
std::string Chunk(const std::string& id, const std::string& data) {
    return id + DWord(std::uint32_t(data.size())) + data +
           (data.size() % 2 ? std::string(1, '\0') : "");
}

std::string Riff(const std::string& body, const std::string& form = "ACON",
                 const std::string& riff = "RIFF") {
    return riff + DWord(std::uint32_t(body.size() + 4)) + form + body;
}

std::string Header(std::uint32_t frames, std::uint32_t steps, std::uint32_t rate) {
    std::string data =
        DWord(36) + DWord(frames) + DWord(steps) + DWord(0) + DWord(0) + DWord(0) + DWord(0);
    return Chunk("anih", data + DWord(rate) + DWord(3));
}

std::string Numbers(const std::string& id, std::initializer_list<std::uint32_t> values) {
    std::string data;
    for (const std::uint32_t v : values) {
        data += DWord(v);
    }
    return Chunk(id, data);
}

QImage Square(QRgb colour, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

std::string Frames(int count) {
    std::string icons;
    for (int i = 0; i < count; ++i) {
        icons += Chunk("icon", WriteIcon(Square(qRgb(80 * i, 0, 0), 8 + i)).toStdString());
    }
    return Chunk("LIST", "fram" + icons);
}

std::string Info(const std::string& title, const std::string& creator) {
    return Chunk("LIST", "INFO" + Chunk("INAM", title + '\0') + Chunk("IART", creator + '\0'));
}

// Three frames shown 0, 1, 2, 1 at rates 5, 10, 15, 10; an odd-sized chunk of another kind
// (followed by its pad byte) before the frames.
std::string ThreeFrames() {
    return Riff(Header(3, 4, 6) + Numbers("rate", {5, 10, 15, 10}) + Numbers("seq ", {0, 1, 2, 1}) +
                Chunk("odd!", "abc") + Info("Spinning bell", "Duebell") + Frames(3));
}

TAniCursor Load(const std::string& bytes) {
    QBuffer buffer;
    buffer.setData(QByteArray::fromStdString(bytes));
    buffer.open(QIODevice::ReadOnly);
    TAniCursor cursor;
    cursor.LoadFromStream(buffer);
    return cursor;
}

TEST(AniCursor, ReadsFramesRatesSequenceAndTitle) {
    const TAniCursor cursor = Load(ThreeFrames());
    ASSERT_EQ(cursor.Frames().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const TAniCursorFrame& frame = cursor.Frames()[static_cast<std::size_t>(i)];
        EXPECT_EQ(frame.icon, Square(qRgb(80 * i, 0, 0), 8 + i));
        EXPECT_EQ(frame.rate, 5 * (i + 1));
    }
    EXPECT_EQ(cursor.DefaultRate(), 6);
    EXPECT_EQ(cursor.Sequence(), (std::vector<int>{0, 1, 2, 1}));
    EXPECT_EQ(cursor.Title(), "Spinning bell");
    EXPECT_EQ(cursor.Creator(), "Duebell");
    TAniCursor copy;
    copy.Assign(cursor);
    EXPECT_EQ(copy.Title(), "Spinning bell");
    copy.Clear();
    EXPECT_TRUE(copy.Frames().empty());
    EXPECT_EQ(copy.Title(), "");
}

TEST(AniCursor, WithoutRatesOrSequenceFramesShowInTurnAtTheHeadersRate) {
    const std::string longTitle(300, 't');
    const TAniCursor cursor = Load(Riff(Header(2, 2, 9) + Frames(2) + Info(longTitle, "")));
    EXPECT_EQ(cursor.Sequence(), (std::vector<int>{0, 1}));
    EXPECT_EQ(cursor.Frames()[1].rate, 9);
    EXPECT_EQ(cursor.Title(), std::string(255, 't'));
}

TEST(AniCursor, MalformedStreamsAreReadErrors) {
    const std::string good = ThreeFrames();
    std::string oversized = good;
    oversized.replace(16, 4, DWord(5000)); // the header chunk claims more than the file holds
    const std::pair<const char*, std::string> cases[] = {
        {"big-endian RIFX", Riff(Header(3, 4, 6) + Frames(3), "ACON", "RIFX")},
        {"another form", Riff(Header(3, 4, 6) + Frames(3), "AVI ")},
        {"chunk larger than its file", oversized},
        {"cut short", good.substr(0, good.size() - 10)},
        {"no header", Riff(Frames(1))},
        {"no frames", Riff(Header(0, 0, 6))},
        {"sequence names no frame", Riff(Header(2, 2, 6) + Numbers("seq ", {0, 2}) + Frames(2))},
        {"frame that is not an icon",
         Riff(Header(1, 1, 6) + Chunk("LIST", "fram" + Chunk("icon", "GIF89a")))},
        {"list without a type", Riff(Header(1, 1, 6) + Chunk("LIST", "fr"))},
    };
    for (const auto& [name, bytes] : cases) {
        TAniCursor cursor = Load(ThreeFrames());
        QBuffer buffer;
        buffer.setData(QByteArray::fromStdString(bytes));
        buffer.open(QIODevice::ReadOnly);
        try {
            cursor.LoadFromStream(buffer);
            ADD_FAILURE() << name;
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error") << name;
        }
        EXPECT_EQ(cursor.Frames().size(), 3u) << name;
    }
}

} // namespace
} // namespace duebell::pictures
