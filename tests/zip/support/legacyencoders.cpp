#include "support/legacyencoders.h"

#include "support/bitwriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <numeric>
#include <vector>

namespace duebell::zip::ziptest {

namespace {

// ---- shrink ----

class ShrinkDictionary {
public:
    static constexpr int Size = 8192;
    ShrinkDictionary() : parent_(Size, -1), suffix_(Size, 0) {}

    int Find(int parent, std::uint8_t c) const {
        const auto it = codes_.find({parent, c});
        return it == codes_.end() ? -1 : it->second;
    }
    bool Full() const { return next_ >= Size; }
    void Add(int parent, std::uint8_t c) {
        if (Full()) {
            return;
        }
        parent_[next_] = parent;
        suffix_[next_] = c;
        codes_[{parent, c}] = next_;
        do {
            ++next_;
        } while (next_ < Size && parent_[next_] != -1);
    }
    // Frees the codes that are no prefix of another, except keep.
    void ClearLeaves(int keep) {
        std::vector<bool> prefix(Size, false);
        for (int c = 257; c < Size; ++c) {
            if (parent_[c] >= 257) {
                prefix[parent_[c]] = true;
            }
        }
        for (int c = 257; c < Size; ++c) {
            if (parent_[c] != -1 && !prefix[c] && c != keep) {
                codes_.erase({parent_[c], suffix_[c]});
                parent_[c] = -1;
            }
        }
        next_ = 257;
        while (next_ < Size && parent_[next_] != -1) {
            ++next_;
        }
    }

private:
    std::vector<int> parent_;
    std::vector<std::uint8_t> suffix_;
    std::map<std::pair<int, std::uint8_t>, int> codes_;
    int next_ = 257;
};

// ---- Shannon-Fano code lengths and codes for implode ----

// Lengths (1..16) for every symbol that fill the code space exactly (a complete tree):
// all start at 16, then the most frequent symbols are shortened while the space allows.
std::vector<int> CodeLengths(const std::vector<std::uint64_t>& frequency) {
    std::vector<int> lengths(frequency.size(), 16);
    std::uint64_t used = frequency.size();
    const std::uint64_t space = std::uint64_t{1} << 16;
    std::vector<std::size_t> order(frequency.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return frequency[a] > frequency[b]; });
    bool changed = true;
    while (changed) {
        changed = false;
        for (const std::size_t s : order) {
            const std::uint64_t cost = std::uint64_t{1} << (16 - lengths[s]);
            if (lengths[s] > 1 && used + cost <= space) {
                --lengths[s];
                used += cost;
                changed = true;
            }
        }
    }
    return lengths;
}

struct SfCode {
    std::uint32_t bits; // in sending order: first bit sent is bit 0
    int length;
};

// Codes handed out from the longest length down, counting in the top bits of 16.
std::vector<SfCode> ShannonFanoCodes(const std::vector<int>& lengths) {
    const int n = static_cast<int>(lengths.size());
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return lengths[a] < lengths[b]; });
    std::vector<SfCode> codes(static_cast<std::size_t>(n));
    std::uint32_t code = 0;
    std::uint32_t increment = 0;
    int last = 0;
    for (int i = n - 1; i >= 0; --i) {
        const int s = order[static_cast<std::size_t>(i)];
        code += increment;
        if (lengths[s] != last) {
            last = lengths[s];
            increment = 1u << (16 - last);
        }
        std::uint32_t sent = 0;
        for (int b = 0; b < last; ++b) {
            sent |= ((code >> (15 - b)) & 1) << b;
        }
        codes[static_cast<std::size_t>(s)] = {sent, last};
    }
    return codes;
}

void PutTree(BitWriter& out, const std::vector<int>& lengths) {
    std::vector<std::uint8_t> runs;
    for (std::size_t i = 0; i < lengths.size();) {
        std::size_t j = i;
        while (j < lengths.size() && lengths[j] == lengths[i] && j - i < 16) {
            ++j;
        }
        runs.push_back(static_cast<std::uint8_t>(((j - i - 1) << 4) | (lengths[i] - 1)));
        i = j;
    }
    out.PutByte(static_cast<std::uint8_t>(runs.size() - 1));
    for (const std::uint8_t r : runs) {
        out.PutByte(r);
    }
}

struct Match {
    std::size_t length = 0;
    std::size_t distance = 0;
};

// The longest earlier match at position i within the window (plain search; test sizes).
Match FindMatch(const std::string& data, std::size_t i, std::size_t window, std::size_t maxLength) {
    Match best;
    const std::size_t from = i > window ? i - window : 0;
    for (std::size_t j = i; j-- > from;) {
        std::size_t len = 0;
        while (len < maxLength && i + len < data.size() && data[j + len] == data[i + len]) {
            ++len;
        }
        if (len > best.length) {
            best = {len, i - j};
            if (len == maxLength) {
                break;
            }
        }
    }
    return best;
}

} // namespace

std::string ShrinkEncode(const std::string& data) {
    BitWriter out;
    if (data.empty()) {
        return out.Bytes();
    }
    ShrinkDictionary dictionary;
    int codeSize = 9;
    auto emit = [&](int code) {
        while (code >= (1 << codeSize)) {
            out.Put(256, codeSize);
            out.Put(1, codeSize);
            ++codeSize;
        }
        out.Put(static_cast<std::uint32_t>(code), codeSize);
    };
    int w = static_cast<std::uint8_t>(data[0]);
    for (std::size_t i = 1; i < data.size(); ++i) {
        const auto c = static_cast<std::uint8_t>(data[i]);
        const int extended = dictionary.Find(w, c);
        if (extended >= 0) {
            w = extended;
            continue;
        }
        emit(w);
        // The reader learns the new code only with the next code it reads, so a clear is
        // sent before the code is added here.
        if (dictionary.Full()) {
            out.Put(256, codeSize);
            out.Put(2, codeSize);
            dictionary.ClearLeaves(-1);
        }
        dictionary.Add(w, c);
        w = c;
    }
    emit(w);
    return out.Bytes();
}

std::string ReduceEncode(const std::string& data, int factor) {
    // First the length/distance stage, giving the intermediate byte stream.
    const unsigned lengthMask = 0xFFu >> factor;
    const std::size_t maxDistance = std::size_t{256} << factor;
    const std::size_t maxLength = lengthMask + 255 + 3;
    std::vector<std::uint8_t> stream;
    for (std::size_t i = 0; i < data.size();) {
        Match m = FindMatch(data, i, maxDistance, maxLength);
        // V = 0 would read as an escaped 144, so a 3-byte match needs a far distance.
        if (m.length >= 3 && !(m.length == 3 && m.distance <= 256)) {
            const unsigned high = static_cast<unsigned>((m.distance - 1) >> 8);
            const unsigned len = static_cast<unsigned>(m.length - 3);
            const unsigned l = std::min(len, lengthMask);
            stream.push_back(144);
            stream.push_back(static_cast<std::uint8_t>((high << (8 - factor)) | l));
            if (l == lengthMask) {
                stream.push_back(static_cast<std::uint8_t>(len - lengthMask));
            }
            stream.push_back(static_cast<std::uint8_t>((m.distance - 1) & 0xFF));
            i += m.length;
        } else {
            const auto c = static_cast<std::uint8_t>(data[i]);
            stream.push_back(c);
            if (c == 144) {
                stream.push_back(0);
            }
            ++i;
        }
    }
    // Then the follower sets: the most frequent next bytes after each byte.
    std::array<std::array<std::uint32_t, 256>, 256> counts{};
    std::uint8_t last = 0;
    for (const std::uint8_t c : stream) {
        ++counts[last][c];
        last = c;
    }
    std::array<std::vector<std::uint8_t>, 256> followers;
    for (int j = 0; j < 256; ++j) {
        std::vector<int> byCount(256);
        std::iota(byCount.begin(), byCount.end(), 0);
        std::stable_sort(byCount.begin(), byCount.end(),
                         [&](int a, int b) { return counts[j][a] > counts[j][b]; });
        for (int k = 0; k < 32 && counts[j][byCount[k]] > 0; ++k) {
            followers[j].push_back(static_cast<std::uint8_t>(byCount[k]));
        }
    }
    BitWriter out;
    for (int j = 255; j >= 0; --j) {
        out.Put(static_cast<std::uint32_t>(followers[j].size()), 6);
        for (const std::uint8_t f : followers[j]) {
            out.PutByte(f);
        }
    }
    last = 0;
    for (const std::uint8_t c : stream) {
        const auto& set = followers[last];
        if (set.empty()) {
            out.PutByte(c);
        } else {
            const auto found = std::find(set.begin(), set.end(), c);
            if (found == set.end()) {
                out.PutBit(1);
                out.PutByte(c);
            } else {
                int bits = 1;
                while ((1u << bits) < set.size()) {
                    ++bits;
                }
                out.PutBit(0);
                out.Put(static_cast<std::uint32_t>(found - set.begin()), bits);
            }
        }
        last = c;
    }
    return out.Bytes();
}

std::string ImplodeEncode(const std::string& data, bool bigDictionary, bool literalTree) {
    const int lowBits = bigDictionary ? 7 : 6;
    const std::size_t window = bigDictionary ? 8192 : 4096;
    const std::size_t minimum = literalTree ? 3 : 2;
    const std::size_t maxLength = minimum + 63 + 255;
    struct Token {
        bool literal;
        std::uint8_t byte;
        std::size_t length;
        std::size_t distance;
    };
    std::vector<Token> tokens;
    std::vector<std::uint64_t> literalFreq(256, 0), lengthFreq(64, 0), distanceFreq(64, 0);
    for (std::size_t i = 0; i < data.size();) {
        const Match m = FindMatch(data, i, window, maxLength);
        if (m.length >= minimum) {
            tokens.push_back({false, 0, m.length, m.distance});
            ++lengthFreq[std::min<std::size_t>(m.length - minimum, 63)];
            ++distanceFreq[(m.distance - 1) >> lowBits];
            i += m.length;
        } else {
            tokens.push_back({true, static_cast<std::uint8_t>(data[i]), 0, 0});
            ++literalFreq[static_cast<std::uint8_t>(data[i])];
            ++i;
        }
    }
    const std::vector<int> literalLengths = CodeLengths(literalFreq);
    const std::vector<int> lengthLengths = CodeLengths(lengthFreq);
    const std::vector<int> distanceLengths = CodeLengths(distanceFreq);
    const auto literalCodes = ShannonFanoCodes(literalLengths);
    const auto lengthCodes = ShannonFanoCodes(lengthLengths);
    const auto distanceCodes = ShannonFanoCodes(distanceLengths);

    BitWriter out;
    if (literalTree) {
        PutTree(out, literalLengths);
    }
    PutTree(out, lengthLengths);
    PutTree(out, distanceLengths);
    for (const Token& t : tokens) {
        if (t.literal) {
            out.PutBit(1);
            if (literalTree) {
                out.Put(literalCodes[t.byte].bits, literalCodes[t.byte].length);
            } else {
                out.PutByte(t.byte);
            }
            continue;
        }
        out.PutBit(0);
        const std::size_t d = t.distance - 1;
        out.Put(static_cast<std::uint32_t>(d & ((1u << lowBits) - 1)), lowBits);
        const SfCode& dc = distanceCodes[d >> lowBits];
        out.Put(dc.bits, dc.length);
        const std::size_t l = t.length - minimum;
        const SfCode& lc = lengthCodes[std::min<std::size_t>(l, 63)];
        out.Put(lc.bits, lc.length);
        if (l >= 63) {
            out.PutByte(static_cast<std::uint8_t>(l - 63));
        }
    }
    return out.Bytes();
}

} // namespace duebell::zip::ziptest
