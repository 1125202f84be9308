// The entry decoders on their own: hand-made streams, streams made by Python's zlib fed
// one byte at a time, and corrupt streams, which must end with an error and never loop or
// read out of bounds.
#include "support/bitwriter.h"
#include "support/legacyencoders.h"
#include "support/testfiles.h"
#include "zip/entrydecoder.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

using namespace ziptest;

// Hands out the data in pieces of at most pieceSize bytes.
class PieceInput : public TDecoderInput {
public:
    PieceInput(std::string data, std::size_t pieceSize)
        : data_(std::move(data)), piece_(pieceSize) {}
    std::size_t Fetch(std::uint8_t* buffer, std::size_t capacity) override {
        const std::size_t n = std::min({capacity, piece_, data_.size() - pos_});
        std::copy_n(data_.data() + pos_, n, buffer);
        pos_ += n;
        ++fetches;
        return n;
    }
    int fetches = 0;

private:
    std::string data_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

class StringOutput : public TDecoderOutput {
public:
    void Deliver(const std::uint8_t* data, std::size_t count) override {
        text.append(reinterpret_cast<const char*>(data), count);
    }
    std::string text;
};

struct Decoded {
    TDecodeResult result;
    std::string text;
};

Decoded Decode(std::uint16_t method, std::uint16_t flags, const std::string& data, std::size_t size,
               std::size_t pieceSize = 32768) {
    PieceInput input(data, pieceSize);
    StringOutput output;
    const TDecodeResult result = DecodeEntryData(method, flags, size, input, output);
    return {result, output.text};
}

Decoded Inflated(const std::string& data, std::size_t pieceSize = 32768) {
    return Decode(8, 0, data, 0, pieceSize);
}

TEST(Inflate, HandMadeStreams) {
    // Fixed Huffman: "a" (code 0x91, 8 bits) and end of block (7 zero bits).
    EXPECT_EQ(Inflated(std::string("\x4B\x04\x00", 3)).text, "a");
    // A stored block of "abc".
    EXPECT_EQ(Inflated(std::string("\x01\x03\x00\xFC\xFF"
                                   "abc",
                                   8))
                  .text,
              "abc");
    // Only an end of block.
    const Decoded empty = Inflated(std::string("\x03\x00", 2));
    EXPECT_EQ(empty.result, TDecodeResult::Ok);
    EXPECT_EQ(empty.text, "");
    // Fixed: "a", then length 5 at distance 1 (code 259 = 0000011, distance code 0).
    BitWriter w;
    w.PutFields({{1, 1}, {1, 2}});
    w.PutMsbFirst(0x30 + 'a', 8);
    w.PutMsbFirst(3, 7);
    w.PutMsbFirst(0, 5);
    w.PutMsbFirst(0, 7);
    EXPECT_EQ(Inflated(w.Bytes()).text, "aaaaaa");
}

TEST(Inflate, CorruptStreamsAreErrors) {
    // Stored block whose length and complement disagree.
    EXPECT_EQ(Inflated(std::string("\x01\x03\x00\xFC\xFE"
                                   "abc",
                                   8))
                  .result,
              TDecodeResult::DataError);
    // Block type 3.
    EXPECT_EQ(Inflated(std::string("\x07\x00", 2)).result, TDecodeResult::DataError);
    // A match before anything was written.
    BitWriter before;
    before.PutFields({{1, 1}, {1, 2}});
    before.PutMsbFirst(1, 7); // length 3
    before.PutMsbFirst(0, 5); // distance 1
    EXPECT_EQ(Inflated(before.Bytes()).result, TDecodeResult::DataError);
    // Dynamic block whose 19 code-length codes are all one bit long (over-subscribed).
    BitWriter over;
    over.PutFields({{1, 1}, {2, 2}, {0, 5}, {0, 5}, {15, 4}});
    for (int i = 0; i < 19; ++i) {
        over.Put(1, 3);
    }
    over.Put(0, 32);
    EXPECT_EQ(Inflated(over.Bytes()).result, TDecodeResult::DataError);
    // Dynamic block with a single two-bit code-length code (incomplete).
    BitWriter incomplete;
    incomplete.PutFields({{1, 1}, {2, 2}, {0, 5}, {0, 5}, {0, 4}, {2, 3}, {0, 9}, {0, 32}});
    EXPECT_EQ(Inflated(incomplete.Bytes()).result, TDecodeResult::DataError);
    // A stream that ends before its last block: zeros read past the end are no data.
    EXPECT_EQ(Inflated(std::string("\x4A\x04\x00", 3)).result, TDecodeResult::DataError);
    EXPECT_EQ(Inflated("").result, TDecodeResult::DataError);
}

TEST(Inflate, ZlibStreamsWholeAndByteByByteAndCut) {
    TempFolder folder;
    const std::string text =
        SampleLoanBook(200000, 7) + RandomBytes(70000, 8) + std::string(100000, 'z');
    WriteFile(folder / "plain", text);
    ASSERT_EQ(
        RunPython(
            "import sys, zlib\n"
            "data = open(sys.argv[1], 'rb').read()\n"
            "for level in (1, 9):\n"
            "    for strategy in ('Z_DEFAULT_STRATEGY', 'Z_HUFFMAN_ONLY', 'Z_RLE', 'Z_FIXED'):\n"
            "        c = zlib.compressobj(level, zlib.DEFLATED, -15, 9, getattr(zlib, strategy))\n"
            "        open('%s.%d.%s' % (sys.argv[1], level, strategy), "
            "'wb').write(c.compress(data) + c.flush())\n",
            {folder / "plain"}),
        0);
    for (const char* name : {"1.Z_DEFAULT_STRATEGY", "9.Z_DEFAULT_STRATEGY", "9.Z_HUFFMAN_ONLY",
                             "9.Z_RLE", "9.Z_FIXED", "1.Z_FIXED"}) {
        SCOPED_TRACE(name);
        const std::string deflated = ReadFile(folder / (std::string("plain.") + name));
        const Decoded whole = Inflated(deflated);
        EXPECT_EQ(whole.result, TDecodeResult::Ok);
        EXPECT_TRUE(whole.text == text);
        const Decoded bytewise = Inflated(deflated, 1);
        EXPECT_EQ(bytewise.result, TDecodeResult::Ok);
        EXPECT_TRUE(bytewise.text == text);
        for (const std::size_t cut : {deflated.size() / 3, deflated.size() - 1}) {
            const Decoded partial = Inflated(deflated.substr(0, cut), 7);
            EXPECT_EQ(partial.result, TDecodeResult::DataError);
            EXPECT_TRUE(text.compare(0, partial.text.size(), partial.text) == 0);
        }
    }
}

TEST(UnReduce, HandMadeStreamsWithAndWithoutFollowerSets) {
    // Factor 1, no follower sets: "abc", then escape 144, V = 3 (length 6), distance byte 2
    // (distance 3), then an escaped 144 itself.
    BitWriter plain;
    plain.Put(0, 6 * 256);
    for (const int c : {int{'a'}, int{'b'}, int{'c'}, 144, 3, 2, 144, 0}) {
        plain.PutByte(static_cast<std::uint8_t>(c));
    }
    EXPECT_EQ(Decode(2, 0, plain.Bytes(), 10).text, "abcabcabc\x90");

    // Factor 4: V = 0x12 is distance high bits 1 and length 2 + 3; distance byte 0 -> 257.
    std::string expected = SampleText(300, 1);
    expected += expected.substr(300 - 257, 5);
    BitWriter far;
    far.Put(0, 6 * 256);
    for (int i = 0; i < 300; ++i) {
        far.PutByte(static_cast<std::uint8_t>(expected[i]));
    }
    for (const int c : {144, 0x12, 0}) {
        far.PutByte(static_cast<std::uint8_t>(c));
    }
    EXPECT_EQ(Decode(5, 0, far.Bytes(), expected.size()).text, expected);

    // The follower set of 'a' is {'b', 'r'}: after 'a', a 0 bit and a one-bit index choose
    // from it; a 1 bit and 8 bits give any other byte.
    BitWriter sets;
    for (int j = 255; j >= 0; --j) {
        if (j == 'a') {
            sets.Put(2, 6);
            sets.PutByte('b');
            sets.PutByte('r');
        } else {
            sets.Put(0, 6);
        }
    }
    // "a", 0 1 -> 'r'; "a", 0 0 -> 'b'; "a", 1 then 'x'.
    sets.PutFields(
        {{'a', 8}, {0, 1}, {1, 1}, {'a', 8}, {0, 1}, {0, 1}, {'a', 8}, {1, 1}, {'x', 8}});
    EXPECT_EQ(Decode(3, 0, sets.Bytes(), 6).text, "arabax");
}

TEST(Explode, TheSmallDictionaryReadsSixLowDistanceBits) {
    // Two trees (no literal tree): 64 lengths of 6 bits each, so every code is 6 bits and
    // symbol s is sent as the reverse of 63 - s.
    auto tree = [](BitWriter& w) {
        w.PutByte(3);
        for (int i = 0; i < 4; ++i) {
            w.PutByte(0xF5); // 16 codes of length 6
        }
    };
    auto symbol = [](BitWriter& w, int s) { w.PutMsbFirst(static_cast<std::uint32_t>(63 - s), 6); };
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big);
        BitWriter w;
        tree(w);
        tree(w);
        const std::string start = SampleText(200, 3);
        for (const char c : start) {
            w.PutBit(1);
            w.PutByte(static_cast<std::uint8_t>(c));
        }
        // Distance 70: 69 = high 1, low 5 (6 bits) or high 0, low 69 (7 bits); length 4 - 2.
        w.PutBit(0);
        w.Put(big ? 69 : 5, big ? 7 : 6);
        symbol(w, big ? 0 : 1);
        symbol(w, 2);
        const std::string expected = start + start.substr(200 - 70, 4);
        EXPECT_EQ(Decode(6, big ? 2 : 0, w.Bytes(), expected.size()).text, expected);
    }
}

TEST(LegacyDecoders, CutStreamsEndWithAnErrorInsteadOfInventingData) {
    const std::string text = SampleText(20000, 9);
    const std::string shrunk = ShrinkEncode(text);
    EXPECT_EQ(Decode(1, 0, shrunk, text.size()).text, text);
    EXPECT_EQ(Decode(1, 0, shrunk.substr(0, shrunk.size() / 2), text.size()).result,
              TDecodeResult::DataError);
    const std::string reduced = ReduceEncode(text, 2);
    EXPECT_EQ(Decode(3, 0, reduced.substr(0, reduced.size() / 2), text.size()).result,
              TDecodeResult::DataError);
    const std::string imploded = ImplodeEncode(text, true, true);
    EXPECT_EQ(Decode(6, 6, imploded.substr(0, imploded.size() / 2), text.size()).result,
              TDecodeResult::DataError);
    // A shrink stream starting with a code that is not a byte.
    BitWriter bad;
    bad.Put(300, 9);
    EXPECT_EQ(Decode(1, 0, bad.Bytes(), 10).result, TDecodeResult::DataError);
}

TEST(StoredData, PassThroughInPiecesIncludingNothing) {
    EXPECT_EQ(Decode(0, 0, "", 0).text, "");
    const std::string data = RandomBytes(100000, 2);
    EXPECT_EQ(Decode(0, 0, data, data.size(), 4000).text, data);
}

} // namespace
} // namespace duebell::zip
