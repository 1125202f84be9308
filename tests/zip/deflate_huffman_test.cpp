#include "zip/deflate_huffman.h"

#include <gtest/gtest.h>
#include <vector>

namespace duebell::zip::deflate {
namespace {

std::vector<std::uint8_t> lengthsFor(const std::vector<std::uint32_t>& frequencies,
                                     unsigned maxBits) {
    std::vector<std::uint8_t> lengths(frequencies.size());
    buildCodeLengths(frequencies, maxBits, lengths);
    return lengths;
}

// Sum of 2^(maxBits - length) over the used symbols: exactly 2^maxBits for a complete code.
std::uint64_t kraftSum(const std::vector<std::uint8_t>& lengths, unsigned maxBits) {
    std::uint64_t sum = 0;
    for (auto length : lengths)
        if (length != 0)
            sum += std::uint64_t{1} << (maxBits - length);
    return sum;
}

std::uint64_t cost(const std::vector<std::uint32_t>& frequencies,
                   const std::vector<std::uint8_t>& lengths) {
    std::uint64_t bits = 0;
    for (std::size_t s = 0; s < frequencies.size(); ++s)
        bits += std::uint64_t{frequencies[s]} * lengths[s];
    return bits;
}

std::vector<std::uint32_t> fibonacci(std::size_t count) {
    std::vector<std::uint32_t> f{1, 1};
    while (f.size() < count)
        f.push_back(f[f.size() - 1] + f[f.size() - 2]);
    f.resize(count);
    return f;
}

TEST(DeflateHuffman, UnlimitedCodesAreTheTextbookHuffmanLengths) {
    // 8 : 4 : 2 : 1 gives 1, 2, 3 and 3 bits.
    EXPECT_EQ(lengthsFor({1, 2, 4, 8}, 15), (std::vector<std::uint8_t>{3, 3, 2, 1}));
    EXPECT_EQ(lengthsFor({5, 5, 5, 5}, 15), (std::vector<std::uint8_t>{2, 2, 2, 2}));
    // Unused symbols get no code.
    EXPECT_EQ(lengthsFor({0, 3, 0, 1, 1}, 15), (std::vector<std::uint8_t>{0, 1, 0, 2, 2}));
}

TEST(DeflateHuffman, LimitForcesTheOnlyCodeThatFits) {
    EXPECT_EQ(lengthsFor({1, 2, 4, 8}, 2), (std::vector<std::uint8_t>{2, 2, 2, 2}));
    // Six symbols within 3 bits: four of 3 bits and two of 2 bits is the only complete shape.
    EXPECT_EQ(lengthsFor({1, 1, 2, 3, 5, 8}, 3), (std::vector<std::uint8_t>{3, 3, 3, 3, 2, 2}));
}

TEST(DeflateHuffman, LimitedCodeIsOptimal) {
    // Fibonacci 1,1,2,3,5,8 would want 5,5,4,3,2,1 bits (45 bits in all). Within 4 bits the
    // best complete codes (e.g. 4,4,4,4,2,1 or 4,4,3,2,2,2) cost 46 bits; worked by hand.
    const std::vector<std::uint32_t> f = fibonacci(6);
    EXPECT_EQ(cost(f, lengthsFor(f, 15)), 45u);
    const auto limited = lengthsFor(f, 4);
    EXPECT_EQ(cost(f, limited), 46u);
    EXPECT_EQ(kraftSum(limited, 4), 16u);
}

TEST(DeflateHuffman, SkewedFrequenciesStayWithinFifteenAndSevenBits) {
    // Fibonacci frequencies make the deepest possible tree: 29 symbols would want 28 bits.
    const auto literals = fibonacci(29);
    const auto lengths = lengthsFor(literals, 15);
    EXPECT_EQ(*std::max_element(lengths.begin(), lengths.end()), 15);
    EXPECT_EQ(kraftSum(lengths, 15), std::uint64_t{1} << 15);
    // The more frequent symbol never gets the longer code.
    for (std::size_t s = 1; s < lengths.size(); ++s)
        EXPECT_LE(lengths[s], lengths[s - 1]);

    const auto codeLengthCode = lengthsFor(fibonacci(19), 7);
    EXPECT_EQ(*std::max_element(codeLengthCode.begin(), codeLengthCode.end()), 7);
    EXPECT_EQ(kraftSum(codeLengthCode, 7), 128u);
}

TEST(DeflateHuffman, FewerThanTwoSymbolsStillMakeACompleteCode) {
    EXPECT_EQ(lengthsFor({0, 0, 0}, 15), (std::vector<std::uint8_t>{0, 0, 0}));
    EXPECT_EQ(lengthsFor({0, 0, 9}, 15), (std::vector<std::uint8_t>{1, 0, 1}));
    EXPECT_EQ(lengthsFor({4, 0, 0}, 15), (std::vector<std::uint8_t>{1, 1, 0}));
}

TEST(DeflateHuffman, CanonicalCodesFollowTheFormatsExample) {
    // The deflate format's own example: lengths 3,3,3,3,3,2,4,4 for A..H give
    // 010, 011, 100, 101, 110, 00, 1110, 1111 (most significant bit first).
    const std::vector<std::uint8_t> lengths{3, 3, 3, 3, 3, 2, 4, 4};
    std::vector<std::uint16_t> codes(lengths.size());
    buildCanonicalCodes(lengths, codes);
    const std::vector<unsigned> expected{0b010, 0b011, 0b100, 0b101, 0b110, 0b00, 0b1110, 0b1111};
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        unsigned msbFirst = 0;
        for (unsigned b = 0; b < lengths[s]; ++b)
            msbFirst = (msbFirst << 1) | ((codes[s] >> b) & 1);
        EXPECT_EQ(msbFirst, expected[s]) << "symbol " << s;
    }
}

} // namespace
} // namespace duebell::zip::deflate
