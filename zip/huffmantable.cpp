#include "zip/huffmantable.h"

#include "zip/bitreverse.h"

#include <array>

namespace duebell::zip {

namespace {

constexpr int MaxCodeLength = 15;

} // namespace

bool THuffmanTable::Build(const std::uint8_t* lengths, int count, int rootBits,
                          SymbolMeaning meaning, bool allowEmpty) {
    std::array<int, MaxCodeLength + 1> lengthCount{};
    int maxLength = 0;
    for (int s = 0; s < count; ++s) {
        if (lengths[s] > MaxCodeLength) {
            return false;
        }
        ++lengthCount[lengths[s]];
        maxLength = std::max<int>(maxLength, lengths[s]);
    }
    rootBits_ = rootBits;
    entries_.assign(std::size_t{1} << rootBits, {0, huffman_op::Invalid, 1});
    if (maxLength == 0) {
        return allowEmpty;
    }
    int left = 1;
    for (int len = 1; len <= MaxCodeLength; ++len) {
        left = (left << 1) - lengthCount[len];
        if (left < 0) {
            return false; // over-subscribed
        }
    }
    if (left > 0 && maxLength != 1) {
        return false; // incomplete
    }

    // Symbols in canonical order: by length, then by symbol.
    std::array<int, MaxCodeLength + 2> offset{};
    for (int len = 1; len <= MaxCodeLength; ++len) {
        offset[len + 1] = offset[len] + lengthCount[len];
    }
    std::vector<int> sorted(static_cast<std::size_t>(offset[MaxCodeLength + 1]));
    for (int s = 0; s < count; ++s) {
        if (lengths[s] != 0) {
            sorted[static_cast<std::size_t>(offset[lengths[s]]++)] = s;
        }
    }

    std::array<int, MaxCodeLength + 1> remaining = lengthCount;
    const std::uint32_t rootMask = (1u << rootBits) - 1;
    std::uint32_t code = 0;
    int codeLength = 0;
    std::uint32_t currentPrefix = ~0u;
    std::size_t subOffset = 0;
    int subBits = 0;
    for (const int symbol : sorted) {
        const int len = lengths[symbol];
        code <<= (len - codeLength);
        codeLength = len;
        const std::uint32_t reversed = ReverseBits(code, len);
        THuffmanEntry entry = meaning(symbol);
        entry.bits = static_cast<std::uint8_t>(len);
        if (len <= rootBits) {
            for (std::uint32_t i = reversed; i <= rootMask; i += 1u << len) {
                entries_[i] = entry;
            }
        } else {
            const std::uint32_t prefix = reversed & rootMask;
            if (prefix != currentPrefix) {
                // Size the subtable for the codes that share this prefix.
                subBits = len - rootBits;
                int slots = 1 << subBits;
                while (subBits + rootBits < maxLength) {
                    slots -= remaining[subBits + rootBits];
                    if (slots <= 0) {
                        break;
                    }
                    ++subBits;
                    slots <<= 1;
                }
                subOffset = entries_.size();
                entries_.resize(subOffset + (std::size_t{1} << subBits),
                                {0, huffman_op::Invalid, static_cast<std::uint8_t>(rootBits + 1)});
                entries_[prefix] = {static_cast<std::uint16_t>(subOffset),
                                    static_cast<std::uint8_t>(huffman_op::Subtable + subBits),
                                    static_cast<std::uint8_t>(rootBits)};
                currentPrefix = prefix;
            }
            const std::uint32_t step = 1u << (len - rootBits);
            for (std::uint32_t i = reversed >> rootBits; i < (1u << subBits); i += step) {
                entries_[subOffset + i] = entry;
            }
        }
        --remaining[len];
        ++code;
    }
    return true;
}

} // namespace duebell::zip
