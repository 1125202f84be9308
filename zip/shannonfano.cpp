#include "zip/shannonfano.h"

#include "zip/bitreverse.h"

#include <algorithm>
#include <numeric>

namespace duebell::zip {

namespace {

constexpr int MaxLength = 16;

} // namespace

bool TShannonFanoTree::Read(TBitReader& in, int symbolCount) {
    const int bytes = static_cast<int>(in.Bits(8)) + 1;
    std::vector<std::uint8_t> lengths;
    for (int i = 0; i < bytes; ++i) {
        const std::uint32_t b = in.Bits(8);
        const int count = static_cast<int>(b >> 4) + 1;
        const int length = static_cast<int>(b & 0x0F) + 1;
        if (static_cast<int>(lengths.size()) + count > symbolCount) {
            return false;
        }
        lengths.insert(lengths.end(), static_cast<std::size_t>(count),
                       static_cast<std::uint8_t>(length));
    }
    return !in.Overrun() && static_cast<int>(lengths.size()) == symbolCount && Build(lengths);
}

bool TShannonFanoTree::Build(const std::vector<std::uint8_t>& lengths) {
    const int n = static_cast<int>(lengths.size());
    // Codes must fit the 16-bit code space without overlapping.
    std::uint64_t used = 0;
    for (const std::uint8_t length : lengths) {
        if (length < 1 || length > MaxLength) {
            return false;
        }
        used += std::uint64_t{1} << (MaxLength - length);
    }
    if (used > (std::uint64_t{1} << MaxLength)) {
        return false;
    }
    // Sort by length, keeping the stored order among equal lengths; codes are handed out
    // from the last (longest) one, counting up in the top bits of a 16-bit value.
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return lengths[a] < lengths[b]; });
    lengths_ = lengths;
    codes_.assign(static_cast<std::size_t>(n), 0);
    byLength_.assign(MaxLength + 1, {});
    std::uint32_t code = 0;
    std::uint32_t increment = 0;
    int lastLength = 0;
    for (int i = n - 1; i >= 0; --i) {
        const int symbol = order[static_cast<std::size_t>(i)];
        code += increment;
        if (lengths[symbol] != lastLength) {
            lastLength = lengths[symbol];
            increment = 1u << (MaxLength - lastLength);
        }
        // The code's first bit is the top bit of the 16-bit value.
        const std::uint32_t topBits = (code & 0xFFFF) >> (MaxLength - lastLength);
        codes_[static_cast<std::size_t>(symbol)] = ReverseBits(topBits, lastLength);
        byLength_[static_cast<std::size_t>(lastLength)].push_back(
            {codes_[static_cast<std::size_t>(symbol)], symbol});
    }
    for (auto& list : byLength_) {
        std::sort(list.begin(), list.end());
    }
    return true;
}

int TShannonFanoTree::Decode(TBitReader& in) const {
    in.Need(MaxLength);
    const std::uint32_t window = in.Peek(MaxLength);
    for (int length = 1; length <= MaxLength; ++length) {
        const auto& list = byLength_[static_cast<std::size_t>(length)];
        if (list.empty()) {
            continue;
        }
        const std::uint32_t code = window & ((1u << length) - 1);
        const auto found =
            std::lower_bound(list.begin(), list.end(), std::pair<std::uint32_t, int>{code, -1});
        if (found != list.end() && found->first == code) {
            in.Drop(length);
            return found->second;
        }
    }
    return -1;
}

} // namespace duebell::zip
