#include "deflate_test_support.h"
#include "objectlist/exceptions.h"
#include "zip/deflate.h"

#include <array>
#include <gtest/gtest.h>
#include <queue>
#include <unordered_map>
#include <utility>

namespace duebell::zip {
namespace {

using testing::Bytes;
using ziptest::RunPython;
using ziptest::TempFolder;

std::string asText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

Bytes loanBook(std::size_t size, std::uint32_t seed) {
    return testing::toBytes(ziptest::SampleLoanBook(size, seed));
}

// Python's zlib inflates each packed file to its raw file, ends the stream exactly there and
// leaves no bytes over.
bool ZlibInflatesToTheRaw(const std::vector<std::pair<std::string, std::string>>& packedToRaw) {
    std::vector<std::string> arguments;
    for (const auto& [packed, raw] : packedToRaw) {
        arguments.push_back(packed);
        arguments.push_back(raw);
    }
    return RunPython(R"(
import sys, zlib
for packed, raw in zip(sys.argv[1::2], sys.argv[2::2]):
    d = zlib.decompressobj(-15)
    out = d.decompress(open(packed, 'rb').read()) + d.flush()
    if out != open(raw, 'rb').read() or not d.eof or d.unused_data:
        sys.exit('mismatch ' + packed)
)",
                     arguments) == 0;
}

// A canonical Huffman code as a decoder needs it: symbols by code length, counts per length.
struct CanonicalCode {
    explicit CanonicalCode(const std::vector<std::uint8_t>& lengths) {
        for (unsigned length = 1; length <= 15; ++length)
            for (std::size_t s = 0; s < lengths.size(); ++s)
                if (lengths[s] == length) {
                    symbols.push_back(static_cast<unsigned>(s));
                    ++counts[length];
                }
    }
    std::vector<unsigned> symbols;
    std::array<unsigned, 16> counts{};
};

// Reads a deflate stream least significant bit first.
class BitReader {
public:
    explicit BitReader(const Bytes& data) : data_(data) {}
    unsigned bits(unsigned count) {
        unsigned value = 0;
        for (unsigned i = 0; i < count; ++i, ++position_)
            value |= ((data_.at(position_ / 8) >> (position_ % 8)) & 1u) << i;
        return value;
    }
    // One symbol; codes arrive top bit first, and the codes of one length are consecutive.
    unsigned symbol(const CanonicalCode& code) {
        unsigned value = 0, firstValue = 0, firstIndex = 0;
        for (unsigned length = 1; length <= 15; ++length) {
            value = (value << 1) | bits(1);
            if (value - firstValue < code.counts[length])
                return code.symbols[firstIndex + value - firstValue];
            firstIndex += code.counts[length];
            firstValue = (firstValue + code.counts[length]) << 1;
        }
        throw std::runtime_error("bad code");
    }
    std::size_t position() const { return position_; }
    void skip(std::size_t count) { position_ += count; }

private:
    const Bytes& data_;
    std::size_t position_ = 0;
};

struct BlockHeader {
    bool final = false;
    unsigned type = 0;
    std::vector<std::uint8_t> literalLengths, distanceLengths, codeLengthLengths;
};

// The header of the first block, with the code lengths of a dynamic block decoded.
BlockHeader firstBlockHeader(const Bytes& stream, std::size_t* headerBits = nullptr) {
    static const unsigned order[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                       11, 4,  12, 3, 13, 2, 14, 1, 15};
    BitReader in(stream);
    BlockHeader header;
    header.final = in.bits(1) == 1;
    header.type = in.bits(2);
    if (header.type != 2)
        return header;
    const unsigned literals = in.bits(5) + 257, distances = in.bits(5) + 1,
                   codeLengths = in.bits(4) + 4;
    header.codeLengthLengths.assign(19, 0);
    for (unsigned i = 0; i < codeLengths; ++i)
        header.codeLengthLengths[order[i]] = static_cast<std::uint8_t>(in.bits(3));
    const CanonicalCode codeLengthCode(header.codeLengthLengths);
    std::vector<std::uint8_t> lengths;
    while (lengths.size() < literals + distances) {
        const unsigned s = in.symbol(codeLengthCode);
        if (s < 16)
            lengths.push_back(static_cast<std::uint8_t>(s));
        else if (s == 16)
            lengths.insert(lengths.end(), 3 + in.bits(2), lengths.back());
        else if (s == 17)
            lengths.insert(lengths.end(), 3 + in.bits(3), 0);
        else
            lengths.insert(lengths.end(), 11 + in.bits(7), 0);
    }
    header.literalLengths.assign(lengths.begin(), lengths.begin() + literals);
    header.distanceLengths.assign(lengths.begin() + literals, lengths.end());
    if (headerBits)
        *headerBits = in.position();
    return header;
}

std::uint8_t maxOf(const std::vector<std::uint8_t>& v) {
    return *std::max_element(v.begin(), v.end());
}

TEST(Deflate, EmptyInputIsTheTwoBytes0300AtEveryLevel) {
    for (int level = 1; level <= 9; ++level)
        EXPECT_EQ(deflateBuffer({}, level), (Bytes{0x03, 0x00})) << "level " << level;
}

TEST(Deflate, OneLetterIsAFixedCodeBlock) {
    // Final bit, type 01, 'a' = fixed code 10010001, end of block 0000000: 4B 04 00.
    const Bytes a{'a'};
    for (int level = 1; level <= 9; ++level)
        EXPECT_EQ(deflateBuffer(a, level), (Bytes{0x4B, 0x04, 0x00})) << "level " << level;
}

TEST(Deflate, IncompressibleInputIsStored) {
    // One final stored block: 01, length E8 03, its complement 17 FC, then the bytes unchanged.
    const Bytes random = testing::randomBytes(1000, 1);
    for (int level = 1; level <= 9; ++level) {
        const Bytes out = deflateBuffer(random, level);
        ASSERT_EQ(out.size(), 1005u) << "level " << level;
        EXPECT_EQ(Bytes(out.begin(), out.begin() + 5), (Bytes{0x01, 0xE8, 0x03, 0x17, 0xFC}));
        EXPECT_TRUE(std::equal(random.begin(), random.end(), out.begin() + 5));
    }
    // 100 000 random bytes: a block ends after 32768 symbols or where the window slides
    // (65274), whichever comes first: blocks at 0, 32768, 65274 and 98042, each stored with 5
    // header bytes.
    const Bytes large = testing::randomBytes(100'000, 2);
    for (int level = 1; level <= 9; ++level)
        EXPECT_EQ(deflateBuffer(large, level).size(), 100'020u) << "level " << level;
}

// 16 MiB of one byte are a literal, 65,027 matches of 258 bytes at distance 1 and one of 249.
// With one-bit codes for length 258 and for distance 1, each whole match costs two bits:
// 130,054 bits or 16,257 bytes, plus the code tables of the few blocks. (Ending a block every
// 32 KB of input once repeated the tables 512 times: 22,650 bytes; zlib needs 16,310.)
TEST(Deflate, ALongRunOfOneByteCostsTwoBitsPerMatch) {
    const Bytes run(16u << 20, 0);
    const Bytes out = deflateBuffer(run, 6);
    EXPECT_GE(out.size(), 16'257u);
    EXPECT_LE(out.size(), 16'257u + 64);
    TempFolder folder;
    ziptest::WriteFile(folder / "raw", asText(run));
    ziptest::WriteFile(folder / "packed", asText(out));
    EXPECT_TRUE(ZlibInflatesToTheRaw({{folder / "packed", folder / "raw"}}));
}

TEST(Deflate, TextIsCodedInDynamicBlocks) {
    const Bytes prose = testing::toBytes(testing::proseText(50'000, 4));
    for (int level = 1; level <= 9; ++level) {
        const Bytes out = deflateBuffer(prose, level);
        EXPECT_EQ(firstBlockHeader(out).type, 2u) << "level " << level;
        EXPECT_LT(out.size(), prose.size() / 3) << "level " << level;
    }
}

// Input whose matches fall into distance classes with Fibonacci-shrinking counts: 1 copy at
// distance 1, 1 at distance 2, 2 at 3, 3 at 4, 5 at 5..6, ... 1597 at 257..384. An unlimited
// Huffman code for those distance symbols would be 16 bits deep.
class SkewedDistanceStream {
public:
    SkewedDistanceStream() : engine_(9) {
        while (data_.size() < 400)
            pushFreshRandom();
    }

    // Three fresh random bytes, then a 3-byte copy from a distance of the class. The copy's
    // source is the nearest occurrence of its string, and the strings that begin in the random
    // bytes and run into the copy are new (or point back the same distance), so the encoder
    // can only find the intended match.
    void addSegment(unsigned code) {
        for (int i = 0; i < 3; ++i)
            pushFreshRandom();
        const std::size_t p = data_.size();
        const unsigned base = deflate::DistanceBase[code];
        const unsigned span = 1u << deflate::DistanceExtraBits[code];
        std::uint8_t copy[3];
        for (int attempt = 0; attempt < 500; ++attempt) {
            const unsigned distance = base + engine_() % span;
            for (unsigned i = 0; i < 3; ++i)
                copy[i] = i < distance ? data_[p - distance + i] : copy[i - distance];
            const std::uint32_t intoCopy1 = data_[p - 2] << 16 | data_[p - 1] << 8 | copy[0];
            const std::uint32_t intoCopy2 = data_[p - 1] << 16 | copy[0] << 8 | copy[1];
            const std::uint32_t whole = copy[0] << 16 | copy[1] << 8 | copy[2];
            if (newOrAt(intoCopy1, p - 2 - distance) && newOrAt(intoCopy2, p - 1 - distance) &&
                (distance < 3 || newOrAt(whole, p - distance)))
                break;
        }
        for (auto byte : copy)
            push(byte);
    }

    const Bytes& data() const { return data_; }

private:
    std::uint32_t gramAt(std::size_t position) const {
        return data_[position] << 16 | data_[position + 1] << 8 | data_[position + 2];
    }
    void push(std::uint8_t byte) {
        data_.push_back(byte);
        if (data_.size() >= 3)
            last_[gramAt(data_.size() - 3)] = data_.size() - 3;
    }
    // True when the string was not seen within reach of a match, or last seen at `position`.
    bool newOrAt(std::uint32_t gram, std::size_t position) const {
        const auto found = last_.find(gram);
        return found == last_.end() || found->second == position ||
               data_.size() - found->second > 40'000;
    }
    // A byte that ends no string already present within reach of a match.
    void pushFreshRandom() {
        for (;;) {
            const auto byte = static_cast<std::uint8_t>(engine_());
            if (data_.size() >= 2 &&
                !newOrAt(data_[data_.size() - 2] << 16 | data_.back() << 8 | byte, SIZE_MAX))
                continue;
            push(byte);
            return;
        }
    }

    std::mt19937 engine_;
    Bytes data_;
    std::unordered_map<std::uint32_t, std::size_t> last_;
};

Bytes skewedDistances() {
    std::vector<unsigned> classes;
    std::uint32_t a = 1, b = 1;
    for (unsigned code = 0; code < 17; ++code) {
        classes.insert(classes.end(), a, code);
        a = std::exchange(b, a + b);
    }
    std::shuffle(classes.begin(), classes.end(), std::mt19937(4));
    SkewedDistanceStream stream;
    for (unsigned code : classes)
        stream.addSegment(code);
    return stream.data();
}

// Decodes a dynamic block's symbols and counts the distance codes used.
std::vector<std::uint32_t> distanceFrequencies(const Bytes& stream, const BlockHeader& header,
                                               std::size_t headerBits) {
    BitReader in(stream);
    in.skip(headerBits);
    const CanonicalCode literalCode(header.literalLengths), distanceCode(header.distanceLengths);
    std::vector<std::uint32_t> counts(30, 0);
    for (;;) {
        const unsigned symbol = in.symbol(literalCode);
        if (symbol == 256)
            return counts;
        if (symbol < 256)
            continue;
        in.bits(deflate::LengthExtraBits[symbol - 257]);
        const unsigned distance = in.symbol(distanceCode);
        ++counts[distance];
        in.bits(deflate::DistanceExtraBits[distance]);
    }
}

// Depth of an unlimited Huffman tree over the frequencies (textbook pairing of the two
// lightest).
unsigned huffmanDepth(const std::vector<std::uint32_t>& frequencies) {
    using Node = std::pair<std::uint64_t, unsigned>; // weight, depth below
    std::priority_queue<Node, std::vector<Node>, std::greater<>> queue;
    for (auto f : frequencies)
        if (f != 0)
            queue.push({f, 0});
    while (queue.size() > 1) {
        const Node x = queue.top();
        queue.pop();
        const Node y = queue.top();
        queue.pop();
        queue.push({x.first + y.first, std::max(x.second, y.second) + 1});
    }
    return queue.top().second;
}

TEST(Deflate, SkewedInputIsCodedWithinTheFifteenAndSevenBitLimits) {
    const Bytes data = skewedDistances();
    for (int level = 1; level <= 9; ++level) {
        const Bytes out = deflateBuffer(data, level);
        std::size_t headerBits = 0;
        const BlockHeader header = firstBlockHeader(out, &headerBits);
        ASSERT_EQ(header.type, 2u);
        ASSERT_TRUE(header.final) << "the test wants everything in one block";
        EXPECT_GT(huffmanDepth(distanceFrequencies(out, header, headerBits)), 15u);
        EXPECT_EQ(maxOf(header.distanceLengths), 15) << "level " << level;
        EXPECT_LE(maxOf(header.literalLengths), 15);
        EXPECT_LE(maxOf(header.codeLengthLengths), 7);
    }
    TempFolder folder;
    ziptest::WriteFile(folder / "raw", asText(data));
    ziptest::WriteFile(folder / "packed", asText(deflateBuffer(data, 6)));
    EXPECT_TRUE(ZlibInflatesToTheRaw({{folder / "packed", folder / "raw"}}));
}

TEST(Deflate, LevelNineIsNeverLargerThanLevelOneOnText) {
    for (const Bytes& bytes :
         {loanBook(300'000, 1), testing::toBytes(testing::proseText(300'000, 2)),
          loanBook(20'000, 3)}) {
        EXPECT_LE(deflateBuffer(bytes, 9).size(), deflateBuffer(bytes, 1).size());
        EXPECT_LE(deflateBuffer(bytes, 6).size(), deflateBuffer(bytes, 1).size());
    }
}

DeflateResult deflateWithResult(const Bytes& data, int level) {
    std::size_t offset = 0;
    DeflateEncoder encoder;
    return encoder.Deflate(
        level,
        [&](std::uint8_t* buffer, std::size_t capacity) {
            const std::size_t n = std::min(capacity, data.size() - offset);
            std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), n, buffer);
            offset += n;
            return n;
        },
        [](const std::uint8_t*, std::size_t) {});
}

Bytes ascending(unsigned first, unsigned count) {
    Bytes bytes;
    for (unsigned i = 0; i < count; ++i)
        bytes.push_back(static_cast<std::uint8_t>(first + i));
    return bytes;
}

TEST(Deflate, TextDetectionCountsControlAndHighBytesAgainstAQuarterOfTheRest) {
    EXPECT_TRUE(deflateWithResult(loanBook(2000, 1), 6).isText);
    EXPECT_FALSE(deflateWithResult(testing::randomBytes(5000, 1), 6).isText);
    // Ascending bytes repeat no three-byte string, so every byte is a literal: 100 text bytes
    // (20..119) allow 25 others and no more; bytes 0 to 6 count against text as well as the high
    // ones (128..).
    auto mixed = [](unsigned controls, unsigned highs) {
        Bytes bytes = ascending(20, 100), low = ascending(0, controls),
              high = ascending(128, highs);
        bytes.insert(bytes.end(), low.begin(), low.end());
        bytes.insert(bytes.end(), high.begin(), high.end());
        return deflateWithResult(bytes, 6).isText;
    };
    EXPECT_TRUE(mixed(0, 25));
    EXPECT_FALSE(mixed(0, 26));
    EXPECT_TRUE(mixed(7, 18));
    EXPECT_FALSE(mixed(7, 19));
}

TEST(Deflate, ReportsSizesAndRefusesLevelsOutsideOneToNine) {
    const Bytes xml = loanBook(50'000, 8);
    const DeflateResult result = deflateWithResult(xml, 6);
    EXPECT_EQ(result.uncompressedSize, xml.size());
    EXPECT_EQ(result.compressedSize, deflateBuffer(xml, 6).size());
    EXPECT_THROW(deflateBuffer(xml, 0), Exception);
    EXPECT_THROW(deflateBuffer(xml, 10), Exception);
}

TEST(Deflate, InputPiecesAndEncoderReuseDoNotChangeTheOutput) {
    const Bytes xml = loanBook(200'000, 6);
    for (int level : {1, 4, 6, 9}) {
        const Bytes whole = deflateBuffer(xml, level);
        DeflateEncoder encoder;
        for (int round = 0; round < 2; ++round) {
            std::size_t offset = 0, pieces = 0, largestPiece = 0;
            Bytes out;
            encoder.Deflate(
                level,
                [&](std::uint8_t* buffer, std::size_t capacity) {
                    const std::size_t n = std::min<std::size_t>({capacity, 7, xml.size() - offset});
                    std::copy_n(xml.begin() + static_cast<std::ptrdiff_t>(offset), n, buffer);
                    offset += n;
                    return n;
                },
                [&](const std::uint8_t* bytes, std::size_t length) {
                    out.insert(out.end(), bytes, bytes + length);
                    ++pieces;
                    largestPiece = std::max(largestPiece, length);
                });
            EXPECT_EQ(out, whole) << "level " << level << " round " << round;
            EXPECT_EQ(largestPiece, 1024u);
            EXPECT_EQ(pieces, (out.size() + 1023) / 1024);
        }
    }
}

TEST(Deflate, PythonZlibInflatesEveryLevelOfTheCorpusToTheInput) {
    TempFolder folder;
    std::vector<std::pair<std::string, std::string>> packedToRaw;
    for (const auto& [name, bytes] : testing::deflateCorpus()) {
        ziptest::WriteFile(folder / (name + ".raw"), asText(bytes));
        for (int level = 1; level <= 9; ++level) {
            const std::string packed = folder / (name + "." + std::to_string(level) + ".deflate");
            ziptest::WriteFile(packed, asText(deflateBuffer(bytes, level)));
            packedToRaw.emplace_back(packed, folder / (name + ".raw"));
        }
    }
    EXPECT_EQ(packedToRaw.size(), 81u);
    EXPECT_TRUE(ZlibInflatesToTheRaw(packedToRaw));
}

} // namespace
} // namespace duebell::zip
