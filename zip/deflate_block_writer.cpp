#include "zip/deflate_block_writer.h"

#include "zip/deflate_huffman.h"

#include <algorithm>

namespace duebell::zip::deflate {

namespace {

constexpr unsigned StoredType = 0;
constexpr unsigned FixedType = 1;
constexpr unsigned DynamicType = 2;
constexpr std::size_t MaxStoredLength = 65535;

struct FixedCodes {
    std::array<std::uint8_t, 288> literalLengthLengths;
    std::array<std::uint16_t, 288> literalLengthCodes;
    std::array<std::uint8_t, 32> distanceLengths;
    std::array<std::uint16_t, 32> distanceCodes;
};

const FixedCodes& fixedCodes() {
    static const FixedCodes codes = [] {
        FixedCodes c{};
        c.literalLengthLengths = FixedLiteralLengths;
        buildCanonicalCodes(c.literalLengthLengths, c.literalLengthCodes);
        c.distanceLengths.fill(5);
        buildCanonicalCodes(c.distanceLengths, c.distanceCodes);
        return c;
    }();
    return codes;
}

// One item of the run-length coded code lengths: a code-length symbol and its extra bits.
struct CodeLengthItem {
    std::uint8_t symbol;
    std::uint8_t extra;
};

constexpr std::array<std::uint8_t, CodeLengthSymbols> CodeLengthExtraBits = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};

// Code lengths of both trees as one sequence, with runs of zeros as symbols 17 and 18 and
// repeats of the previous length as symbol 16.
std::vector<CodeLengthItem> runLengthCode(const std::vector<std::uint8_t>& lengths) {
    std::vector<CodeLengthItem> items;
    std::size_t i = 0;
    while (i < lengths.size()) {
        const std::uint8_t value = lengths[i];
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == value)
            ++run;
        i += run;
        if (value == 0) {
            while (run >= 11) {
                const std::size_t take = std::min<std::size_t>(run, 138);
                items.push_back({18, static_cast<std::uint8_t>(take - 11)});
                run -= take;
            }
            if (run >= 3) {
                items.push_back({17, static_cast<std::uint8_t>(run - 3)});
                run = 0;
            }
        } else {
            items.push_back({value, 0});
            --run;
            while (run >= 3) {
                const std::size_t take = std::min<std::size_t>(run, 6);
                items.push_back({16, static_cast<std::uint8_t>(take - 3)});
                run -= take;
            }
        }
        for (; run > 0; --run)
            items.push_back({value, 0});
    }
    return items;
}

template <std::size_t N>
std::uint64_t codedBits(const std::array<std::uint32_t, N>& frequencies,
                        const std::uint8_t* lengths) {
    std::uint64_t bits = 0;
    for (std::size_t s = 0; s < N; ++s)
        bits += static_cast<std::uint64_t>(frequencies[s]) * lengths[s];
    return bits;
}

} // namespace

struct BlockWriter::DynamicCode {
    std::array<std::uint8_t, LiteralLengthSymbols> literalLengthLengths{};
    std::array<std::uint16_t, LiteralLengthSymbols> literalLengthCodes{};
    std::array<std::uint8_t, DistanceSymbols> distanceLengths{};
    std::array<std::uint16_t, DistanceSymbols> distanceCodes{};
    std::array<std::uint8_t, CodeLengthSymbols> codeLengthLengths{};
    std::array<std::uint16_t, CodeLengthSymbols> codeLengthCodes{};
    std::vector<CodeLengthItem> items;
    unsigned literalLengthCount = 0; // HLIT + 257
    unsigned distanceCount = 0;      // HDIST + 1
    unsigned codeLengthCount = 0;    // HCLEN + 4
    std::uint64_t headerBits = 0;    // everything before the first data symbol
};

BlockWriter::BlockWriter() : literals_(Capacity), distances_(Capacity) {}

void BlockWriter::start(BitWriter* output) {
    output_ = output;
    isText_.reset();
    clearCounts();
}

void BlockWriter::clearCounts() {
    count_ = 0;
    literalLengthFrequencies_.fill(0);
    distanceFrequencies_.fill(0);
    literalLengthFrequencies_[EndOfBlock] = 1;
}

// Control characters below 7 and bytes from 128 up count against text; text wins while they
// are at most a quarter of the printable and whitespace bytes.
void BlockWriter::decideText() {
    std::uint64_t binary = 0, text = 0;
    for (unsigned b = 0; b < 256; ++b) {
        if (b <= 6 || b >= 128)
            binary += literalLengthFrequencies_[b];
        else
            text += literalLengthFrequencies_[b];
    }
    isText_ = binary <= text / 4;
}

std::uint64_t BlockWriter::storedBits(std::size_t rawLength) const {
    std::uint64_t position = output_->bitPosition();
    std::uint64_t bits = 0;
    do {
        const std::size_t piece = std::min(rawLength, MaxStoredLength);
        const std::uint64_t afterHeader = position + 3;
        const std::uint64_t padding = (8 - afterHeader % 8) % 8;
        const std::uint64_t pieceBits = 3 + padding + 32 + 8 * static_cast<std::uint64_t>(piece);
        bits += pieceBits;
        position += pieceBits;
        rawLength -= piece;
    } while (rawLength > 0);
    return bits;
}

std::uint64_t BlockWriter::extraBits() const {
    std::uint64_t bits = 0;
    for (unsigned code = 0; code < LengthExtraBits.size(); ++code)
        bits += static_cast<std::uint64_t>(literalLengthFrequencies_[EndOfBlock + 1 + code]) *
                LengthExtraBits[code];
    for (unsigned code = 0; code < DistanceSymbols; ++code)
        bits += static_cast<std::uint64_t>(distanceFrequencies_[code]) * DistanceExtraBits[code];
    return bits;
}

void BlockWriter::planDynamicCode(DynamicCode& code) const {
    buildCodeLengths(literalLengthFrequencies_, MaxCodeBits, code.literalLengthLengths);
    buildCodeLengths(distanceFrequencies_, MaxCodeBits, code.distanceLengths);
    if (std::all_of(code.distanceLengths.begin(), code.distanceLengths.end(),
                    [](std::uint8_t length) { return length == 0; })) {
        // No matches: two one-bit codes keep the distance code complete, which every
        // inflater accepts (an empty one is legal but not universally understood).
        code.distanceLengths[0] = 1;
        code.distanceLengths[1] = 1;
    }
    buildCanonicalCodes(code.literalLengthLengths, code.literalLengthCodes);
    buildCanonicalCodes(code.distanceLengths, code.distanceCodes);

    code.literalLengthCount = LiteralLengthSymbols;
    while (code.literalLengthCount > 257 &&
           code.literalLengthLengths[code.literalLengthCount - 1] == 0)
        --code.literalLengthCount;
    code.distanceCount = DistanceSymbols;
    while (code.distanceCount > 1 && code.distanceLengths[code.distanceCount - 1] == 0)
        --code.distanceCount;

    std::vector<std::uint8_t> lengths(code.literalLengthLengths.begin(),
                                      code.literalLengthLengths.begin() + code.literalLengthCount);
    lengths.insert(lengths.end(), code.distanceLengths.begin(),
                   code.distanceLengths.begin() + code.distanceCount);
    code.items = runLengthCode(lengths);

    std::array<std::uint32_t, CodeLengthSymbols> frequencies{};
    for (const auto& item : code.items)
        ++frequencies[item.symbol];
    buildCodeLengths(frequencies, MaxCodeLengthBits, code.codeLengthLengths);
    buildCanonicalCodes(code.codeLengthLengths, code.codeLengthCodes);

    code.codeLengthCount = CodeLengthSymbols;
    while (code.codeLengthCount > 4 &&
           code.codeLengthLengths[CodeLengthOrder[code.codeLengthCount - 1]] == 0)
        --code.codeLengthCount;

    code.headerBits = 3 + 5 + 5 + 4 + 3 * code.codeLengthCount;
    for (unsigned s = 0; s < CodeLengthSymbols; ++s)
        code.headerBits += static_cast<std::uint64_t>(frequencies[s]) *
                           (code.codeLengthLengths[s] + CodeLengthExtraBits[s]);
}

std::uint64_t BlockWriter::fixedCodeBits() const {
    const FixedCodes& fixed = fixedCodes();
    return 3 + extraBits() +
           codedBits(literalLengthFrequencies_, fixed.literalLengthLengths.data()) +
           codedBits(distanceFrequencies_, fixed.distanceLengths.data());
}

void BlockWriter::flush(const std::uint8_t* raw, std::size_t rawLength, bool last) {
    if (!isText_)
        decideText();

    DynamicCode dynamic;
    planDynamicCode(dynamic);
    const std::uint64_t extra = extraBits();
    const std::uint64_t dynamicBits =
        dynamic.headerBits + extra +
        codedBits(literalLengthFrequencies_, dynamic.literalLengthLengths.data()) +
        codedBits(distanceFrequencies_, dynamic.distanceLengths.data());
    const FixedCodes& fixed = fixedCodes();
    const std::uint64_t fixedBits = fixedCodeBits();

    if (raw != nullptr && storedBits(rawLength) < std::min(fixedBits, dynamicBits)) {
        writeStored(raw, rawLength, last);
    } else if (fixedBits <= dynamicBits) {
        output_->putBits((FixedType << 1) | (last ? 1 : 0), 3);
        writeSymbols(fixed.literalLengthLengths.data(), fixed.literalLengthCodes.data(),
                     fixed.distanceLengths.data(), fixed.distanceCodes.data());
    } else {
        output_->putBits((DynamicType << 1) | (last ? 1 : 0), 3);
        writeDynamicHeader(dynamic);
        writeSymbols(dynamic.literalLengthLengths.data(), dynamic.literalLengthCodes.data(),
                     dynamic.distanceLengths.data(), dynamic.distanceCodes.data());
    }
    clearCounts();
}

void BlockWriter::writeStored(const std::uint8_t* raw, std::size_t rawLength, bool last) {
    do {
        const std::size_t piece = std::min(rawLength, MaxStoredLength);
        rawLength -= piece;
        const bool lastPiece = last && rawLength == 0;
        output_->putBits((StoredType << 1) | (lastPiece ? 1 : 0), 3);
        output_->alignToByte();
        const std::uint8_t header[4] = {
            static_cast<std::uint8_t>(piece), static_cast<std::uint8_t>(piece >> 8),
            static_cast<std::uint8_t>(~piece), static_cast<std::uint8_t>(~piece >> 8)};
        output_->putBytes(header, 4);
        output_->putBytes(raw, piece);
        raw += piece;
    } while (rawLength > 0);
}

void BlockWriter::writeDynamicHeader(const DynamicCode& code) {
    output_->putBits(code.literalLengthCount - 257, 5);
    output_->putBits(code.distanceCount - 1, 5);
    output_->putBits(code.codeLengthCount - 4, 4);
    for (unsigned i = 0; i < code.codeLengthCount; ++i)
        output_->putBits(code.codeLengthLengths[CodeLengthOrder[i]], 3);
    for (const auto& item : code.items) {
        output_->putBits(code.codeLengthCodes[item.symbol], code.codeLengthLengths[item.symbol]);
        if (CodeLengthExtraBits[item.symbol] != 0)
            output_->putBits(item.extra, CodeLengthExtraBits[item.symbol]);
    }
}

void BlockWriter::writeSymbols(const std::uint8_t* literalLengthLengths,
                               const std::uint16_t* literalLengthCodes,
                               const std::uint8_t* distanceLengths,
                               const std::uint16_t* distanceCodes) {
    BitWriter& out = *output_;
    for (std::size_t i = 0; i < count_; ++i) {
        const unsigned distance = distances_[i];
        const unsigned value = literals_[i];
        if (distance == 0) {
            out.putBits(literalLengthCodes[value], literalLengthLengths[value]);
            continue;
        }
        const unsigned lengthCode = LengthCode[value];
        const unsigned symbol = EndOfBlock + 1 + lengthCode;
        const unsigned lengthExtra = value + MinMatch - LengthBase[lengthCode];
        out.putBits(literalLengthCodes[symbol] | (lengthExtra << literalLengthLengths[symbol]),
                    literalLengthLengths[symbol] + LengthExtraBits[lengthCode]);
        const unsigned distCode = distanceCode(distance);
        const unsigned distanceExtra = distance - DistanceBase[distCode];
        out.putBits(distanceCodes[distCode] | (distanceExtra << distanceLengths[distCode]),
                    distanceLengths[distCode] + DistanceExtraBits[distCode]);
    }
    out.putBits(literalLengthCodes[EndOfBlock], literalLengthLengths[EndOfBlock]);
}

} // namespace duebell::zip::deflate
