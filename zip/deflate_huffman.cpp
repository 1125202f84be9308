#include "zip/deflate_huffman.h"

#include "zip/bitreverse.h"
#include "zip/deflate_tables.h"

#include <algorithm>
#include <array>
#include <vector>

namespace duebell::zip::deflate {

namespace {

struct Leaf {
    std::uint32_t frequency;
    std::uint16_t symbol;
};

// One list of the package-merge: for each item in weight order, whether it is a leaf (else a
// package of two items of the list below).
struct MergeLevel {
    std::vector<std::uint8_t> isLeaf;
};

// Textbook Huffman code lengths for leaves sorted by weight (two queues: the leaves, and the
// internal nodes, which are made in order of weight). Returns the longest length.
unsigned unlimitedLengths(const std::vector<Leaf>& leaves, std::span<std::uint8_t> lengths) {
    const std::size_t n = leaves.size();
    std::vector<std::uint64_t> weight(2 * n - 1);
    std::vector<std::size_t> parent(2 * n - 1);
    for (std::size_t i = 0; i < n; ++i)
        weight[i] = leaves[i].frequency;
    std::size_t leaf = 0, node = n;
    auto lightest = [&](std::size_t made) {
        if (leaf < n && (node >= made || weight[leaf] <= weight[node]))
            return leaf++;
        return node++;
    };
    for (std::size_t made = n; made < 2 * n - 1; ++made) {
        const std::size_t a = lightest(made);
        const std::size_t b = lightest(made);
        weight[made] = weight[a] + weight[b];
        parent[a] = parent[b] = made;
    }
    std::vector<unsigned> depth(2 * n - 1, 0);
    unsigned longest = 0;
    for (std::size_t i = 2 * n - 1; i-- > 0;) {
        if (i != 2 * n - 2)
            depth[i] = depth[parent[i]] + 1;
        if (i < n) {
            lengths[leaves[i].symbol] = static_cast<std::uint8_t>(std::min(depth[i], 255u));
            longest = std::max(longest, depth[i]);
        }
    }
    return longest;
}

void completeSingleSymbol(const std::vector<Leaf>& leaves, std::span<std::uint8_t> lengths) {
    lengths[leaves[0].symbol] = 1;
    lengths[leaves[0].symbol == 0 ? 1 : 0] = 1;
}

} // namespace

void buildCodeLengths(std::span<const std::uint32_t> frequencies, unsigned maxBits,
                      std::span<std::uint8_t> lengths) {
    std::fill(lengths.begin(), lengths.end(), 0);
    std::vector<Leaf> leaves;
    leaves.reserve(frequencies.size());
    for (std::size_t s = 0; s < frequencies.size(); ++s)
        if (frequencies[s] != 0)
            leaves.push_back({frequencies[s], static_cast<std::uint16_t>(s)});
    if (leaves.empty())
        return;
    if (leaves.size() == 1) {
        completeSingleSymbol(leaves, lengths);
        return;
    }
    std::sort(leaves.begin(), leaves.end(), [](const Leaf& a, const Leaf& b) {
        return a.frequency != b.frequency ? a.frequency < b.frequency : a.symbol < b.symbol;
    });

    if (unlimitedLengths(leaves, lengths) <= maxBits)
        return;
    std::fill(lengths.begin(), lengths.end(), 0);

    // Too deep: package-merge finds the best code within the limit. Build the lists from the
    // deepest level (leaves only) upwards: each level merges the
    // leaves with the pairs of the level below.
    const std::size_t n = leaves.size();
    std::vector<MergeLevel> levels(maxBits);
    std::vector<std::uint64_t> below(n), current;
    for (std::size_t i = 0; i < n; ++i)
        below[i] = leaves[i].frequency;
    levels[0].isLeaf.assign(n, 1);
    for (unsigned level = 1; level < maxBits; ++level) {
        const std::size_t packages = below.size() / 2;
        current.clear();
        auto& flags = levels[level].isLeaf;
        flags.clear();
        std::size_t leaf = 0, package = 0;
        while (leaf < n || package < packages) {
            std::uint64_t packageWeight =
                package < packages ? below[2 * package] + below[2 * package + 1] : 0;
            if (package >= packages || (leaf < n && leaves[leaf].frequency <= packageWeight)) {
                current.push_back(leaves[leaf++].frequency);
                flags.push_back(1);
            } else {
                current.push_back(packageWeight);
                flags.push_back(0);
                ++package;
            }
        }
        std::swap(below, current);
    }

    // The 2n - 2 lightest items of the top list form the code; a leaf's length is the number of
    // levels at which it is among the chosen items.
    std::size_t chosen = 2 * n - 2;
    for (unsigned level = maxBits; level-- > 0;) {
        const auto& flags = levels[level].isLeaf;
        std::size_t leafCount = 0;
        for (std::size_t i = 0; i < chosen && i < flags.size(); ++i)
            leafCount += flags[i];
        for (std::size_t i = 0; i < leafCount; ++i)
            ++lengths[leaves[i].symbol];
        chosen = 2 * (chosen - leafCount);
    }
}

void buildCanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes) {
    std::array<std::uint16_t, MaxCodeBits + 2> countPerLength{};
    for (auto length : lengths)
        ++countPerLength[length];
    countPerLength[0] = 0;
    std::array<std::uint16_t, MaxCodeBits + 2> nextCode{};
    unsigned code = 0;
    for (unsigned bits = 1; bits <= MaxCodeBits; ++bits) {
        code = (code + countPerLength[bits - 1]) << 1;
        nextCode[bits] = static_cast<std::uint16_t>(code);
    }
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const unsigned length = lengths[s];
        if (length == 0) {
            codes[s] = 0;
            continue;
        }
        codes[s] =
            static_cast<std::uint16_t>(ReverseBits(nextCode[length]++, static_cast<int>(length)));
    }
}

} // namespace duebell::zip::deflate
