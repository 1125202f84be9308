// The LZW coder against hand-worked streams, against a plain reference coder of our own that
// may leave the table full (the deferred clear), and with damaged data.
#include "controls/pictures/formats/lzwgif.h"
#include "controls/pictures/formats/pictureerrors.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace duebell::pictures {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The textbook coder: strings in a std::map; with `clearWhenFull` false it keeps coding with
// a full table at 12 bits and never sends another clear code.
std::string ReferenceEncode(const Bytes& pixels, int codeSize, bool clearWhenFull) {
    std::string out;
    std::uint64_t bits = 0;
    int count = 0;
    const auto put = [&](int code, int width) {
        bits |= std::uint64_t(code) << count;
        for (count += width; count >= 8; count -= 8, bits >>= 8) {
            out.push_back(char(bits & 0xFF));
        }
    };
    const int clear = 1 << codeSize;
    std::map<std::pair<int, int>, int> table;
    int next = clear + 2, width = codeSize + 1;
    put(clear, width);
    int current = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const auto found = table.find({current, pixels[i]});
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        put(current, width);
        if (next < 4096) {
            table[{current, pixels[i]}] = next++;
            if (next > (1 << width) && width < 12) {
                ++width;
            }
        }
        if (next == 4096 && clearWhenFull) {
            put(clear, width);
            table.clear();
            next = clear + 2;
            width = codeSize + 1;
        }
        current = pixels[i];
    }
    put(current, width);
    if (next == (1 << width) && width < 12) {
        ++width;
    }
    put(clear + 1, width);
    if (count > 0) {
        out.push_back(char(bits & 0xFF));
    }
    return out;
}

Bytes Noise(std::size_t size, int colors, unsigned seed) {
    std::mt19937 engine(seed);
    Bytes pixels(size);
    for (auto& p : pixels) {
        // Mostly noise with runs, so strings of every length occur.
        p = std::uint8_t(engine() % 3 == 0 ? 0 : engine() % colors);
    }
    return pixels;
}

Bytes Decode(const std::string& bytes, int codeSize, std::size_t size, bool tolerate = false,
             bool* corrupted = nullptr) {
    Bytes pixels(size, 0xEE);
    const bool damaged = LzwDecodeGif({codeSize, bytes}, pixels, tolerate);
    if (corrupted != nullptr) {
        *corrupted = damaged;
    }
    return pixels;
}

TEST(Lzw, FivePixelsWorkedByHand) {
    // Clear 4, literal 1, then 6 twice: the first 6 is the code equal to the next free code
    // ("1 1"); after it the table reaches 8 entries, so the end code 5 goes out in 4 bits.
    const Bytes pixels{1, 1, 1, 1, 1};
    const TGifCodedData coded = LzwEncodeGif(pixels, 2);
    EXPECT_EQ(coded.codeSize, 2);
    EXPECT_EQ(coded.bytes, std::string("\x8C\x5D", 2));
    EXPECT_EQ(Decode(coded.bytes, 2, 5), pixels);
}

TEST(Lzw, AgreesWithTheReferenceCoderAtEveryCodeSize) {
    for (int codeSize = 2; codeSize <= 8; ++codeSize) {
        SCOPED_TRACE(codeSize);
        // Long enough to fill the 4096-entry table several times.
        const Bytes pixels = Noise(200000, 1 << codeSize, unsigned(codeSize));
        const std::string reference = ReferenceEncode(pixels, codeSize, true);
        EXPECT_EQ(LzwEncodeGif(pixels, codeSize).bytes, reference);
        EXPECT_EQ(Decode(reference, codeSize, pixels.size()), pixels);
    }
}

TEST(Lzw, DecodesAFullTableKeptWithoutClearCodes) {
    for (int codeSize : {2, 8}) {
        const Bytes pixels = Noise(150000, 1 << codeSize, 7);
        EXPECT_EQ(Decode(ReferenceEncode(pixels, codeSize, false), codeSize, pixels.size()),
                  pixels);
    }
}

TEST(Lzw, ShortRunsAndEmptyPictures) {
    for (const Bytes& pixels : {Bytes{}, Bytes{3}, Bytes{0, 3}, Bytes(5000, 2)}) {
        const TGifCodedData coded = LzwEncodeGif(pixels, 2);
        EXPECT_EQ(Decode(coded.bytes, 2, pixels.size()), pixels);
    }
}

TEST(Lzw, StopsAtTheEndOfTheFrame) {
    // Twenty pixels of data decoded into a frame of seven: the rest is never written.
    const TGifCodedData coded = LzwEncodeGif(Bytes(20, 1), 2);
    Bytes pixels(9, 0xEE);
    LzwDecodeGif(coded, std::span(pixels).first(7), false);
    EXPECT_EQ(pixels, (Bytes{1, 1, 1, 1, 1, 1, 1, 0xEE, 0xEE}));
}

TEST(Lzw, RefusesPixelsTheCodeSizeCannotHold) {
    EXPECT_THROW(
        {
            try {
                LzwEncodeGif(Bytes{0, 4}, 2);
            } catch (const EInvalidGraphicOperation& e) {
                EXPECT_STREQ(e.what(), "GIF image encoding error");
                throw;
            }
        },
        EInvalidGraphicOperation);
}

struct DamageCase {
    const char* name;
    std::string bytes;
    int codeSize;
    const char* message;
};

TEST(Lzw, DamagedDataRaisesOrIsMarked) {
    const std::string good = LzwEncodeGif(Bytes{1, 2, 3, 1, 2, 3}, 2).bytes;
    const DamageCase cases[] = {
        {"code size 1", good, 1, "GIF code size not in range 2 to 9"},
        {"code size 10", good, 10, "GIF code size not in range 2 to 9"},
        // Clear (100), literal 1 (001), then 7 (111) while the next free code is 6.
        {"code beyond the next free code", std::string(1, char(0b11001100)) + char(0b1), 2,
         "GIF encoded data is corrupt"},
        // After the clear code, a code that is not a literal.
        {"string code after a clear", std::string(1, char(0b110100)), 2,
         "GIF encoded data is corrupt"},
        {"end code before the frame is full", LzwEncodeGif(Bytes{1, 2}, 2).bytes, 2,
         "GIF encoded data is corrupt"},
        {"data that runs out", good.substr(0, 2), 2, "Stream read error"},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Decode(c.bytes, c.codeSize, 6);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        bool corrupted = false;
        const Bytes pixels = Decode(c.bytes, c.codeSize, 6, true, &corrupted);
        EXPECT_TRUE(corrupted);
        EXPECT_EQ(pixels.size(), 6u);
    }
}

TEST(Lzw, ToleratedDamageKeepsWhatCameBefore) {
    const Bytes pixels = Noise(3000, 16, 3);
    const std::string bytes = LzwEncodeGif(pixels, 4).bytes;
    bool corrupted = false;
    const Bytes decoded =
        Decode(bytes.substr(0, bytes.size() / 2), 4, pixels.size(), true, &corrupted);
    EXPECT_TRUE(corrupted);
    // The first thousand pixels come from the first half of the data.
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.begin() + 1000, decoded.begin()));
}

TEST(Lzw, ReportsProgressFromStartToEnd) {
    const Bytes pixels = Noise(50000, 256, 9);
    const TGifCodedData coded = LzwEncodeGif(pixels, 8);
    std::vector<std::pair<TProgressStage, int>> events;
    Bytes out(pixels.size());
    LzwDecodeGif(coded, out, false,
                 [&](TProgressStage stage, int percent) { events.emplace_back(stage, percent); });
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front(), std::make_pair(TProgressStage::Starting, 0));
    EXPECT_EQ(events.back(), std::make_pair(TProgressStage::Ending, 100));
    for (std::size_t i = 2; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i].first, TProgressStage::Running);
        EXPECT_GT(events[i].second, events[i - 1].second);
    }
    EXPECT_GE(events[events.size() - 2].second, 99);
}

} // namespace
} // namespace duebell::pictures
