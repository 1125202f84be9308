// The fixed alphabets of the deflate format: match lengths 3..258 map to the length
// symbols 257..285 and distances 1..32768 to the distance symbols 0..29, each with a
// base value and a number of extra bits; the fixed Huffman code lengths.
#pragma once

#include <array>
#include <cstdint>

namespace duebell::zip::deflate {

inline constexpr unsigned MinMatch = 3;
inline constexpr unsigned MaxMatch = 258;
inline constexpr unsigned LiteralLengthSymbols = 286; // 256 literals, end of block, 29 lengths
inline constexpr unsigned DistanceSymbols = 30;
inline constexpr unsigned CodeLengthSymbols = 19;
inline constexpr unsigned EndOfBlock = 256;
inline constexpr unsigned MaxCodeBits = 15;
inline constexpr unsigned MaxCodeLengthBits = 7;

inline constexpr std::array<std::uint16_t, 29> LengthBase = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr std::array<std::uint8_t, 29> LengthExtraBits = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

inline constexpr std::array<std::uint16_t, 30> DistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
inline constexpr std::array<std::uint8_t, 30> DistanceExtraBits = {
    0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Order in which a dynamic block header lists the code-length code lengths.
inline constexpr std::array<std::uint8_t, 19> CodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                                 11, 4,  12, 3, 13, 2, 14, 1, 15};

namespace detail {

constexpr std::array<std::uint8_t, 256> makeLengthCodes() {
    std::array<std::uint8_t, 256> codes{};
    for (unsigned code = 0; code < 29; ++code) {
        unsigned last = code == 28 ? 258 : LengthBase[code] + (1u << LengthExtraBits[code]) - 1;
        for (unsigned length = LengthBase[code]; length <= last; ++length)
            codes[length - MinMatch] = static_cast<std::uint8_t>(code);
    }
    return codes;
}

// Distances up to 256 index the first half directly; larger ones by (distance - 1) >> 7.
constexpr std::array<std::uint8_t, 512> makeDistanceCodes() {
    std::array<std::uint8_t, 512> codes{};
    for (unsigned code = 0; code < 30; ++code) {
        unsigned first = DistanceBase[code] - 1;
        unsigned last = first + (1u << DistanceExtraBits[code]) - 1;
        for (unsigned d = first; d <= last; ++d) {
            if (d < 256)
                codes[d] = static_cast<std::uint8_t>(code);
            else
                codes[256 + (d >> 7)] = static_cast<std::uint8_t>(code);
        }
    }
    return codes;
}

constexpr std::array<std::uint8_t, 288> makeFixedLiteralLengths() {
    std::array<std::uint8_t, 288> lengths{};
    for (unsigned s = 0; s < 288; ++s)
        lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    return lengths;
}

} // namespace detail

// Index = match length - 3; value = length symbol - 257.
inline constexpr std::array<std::uint8_t, 256> LengthCode = detail::makeLengthCodes();
inline constexpr std::array<std::uint8_t, 512> DistanceCodeTable = detail::makeDistanceCodes();
inline constexpr std::array<std::uint8_t, 288> FixedLiteralLengths =
    detail::makeFixedLiteralLengths();

inline unsigned distanceCode(unsigned distance) {
    unsigned d = distance - 1;
    return d < 256 ? DistanceCodeTable[d] : DistanceCodeTable[256 + (d >> 7)];
}

} // namespace duebell::zip::deflate
