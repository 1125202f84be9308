#include "zip/unshrink.h"

#include <memory>
#include <vector>

namespace duebell::zip {

namespace {

constexpr int MaxCodes = 8192;
constexpr int FirstFreeCode = 257;
constexpr int ControlCode = 256;
constexpr std::int16_t Root = -2;

class Dictionary {
public:
    Dictionary()
        : parent_(MaxCodes, Root), suffix_(MaxCodes, 0), used_(MaxCodes, false), stack_(MaxCodes) {
        for (int c = 0; c < 256; ++c) {
            suffix_[c] = static_cast<std::uint8_t>(c);
            used_[c] = true;
        }
    }

    bool InUse(int code) const { return used_[code]; }
    int NextFree() const { return nextFree_; }

    // The string of a code, into the stack (last byte first); 0 when it does not end at a
    // byte code (a chain through codes never defined, or a loop).
    std::size_t Spell(int code) {
        std::size_t n = 0;
        while (code >= 0 && n < stack_.size()) {
            stack_[n++] = suffix_[code];
            if (code < 256) {
                return n;
            }
            code = parent_[code];
        }
        return 0;
    }
    const std::uint8_t* Stack() const { return stack_.data(); }

    void Add(int prefix, std::uint8_t last) {
        if (nextFree_ >= MaxCodes) {
            return; // full until the next clear
        }
        parent_[nextFree_] = static_cast<std::int16_t>(prefix);
        suffix_[nextFree_] = last;
        used_[nextFree_] = true;
        AdvanceFree(nextFree_ + 1);
    }

    // Frees every code that is no prefix of another code in use. A freed code keeps its
    // string until it is defined anew, as codes defined on it still spell through it.
    void PartialClear() {
        std::vector<bool> isPrefix(MaxCodes, false);
        for (int c = FirstFreeCode; c < MaxCodes; ++c) {
            if (used_[c] && parent_[c] >= FirstFreeCode) {
                isPrefix[static_cast<std::size_t>(parent_[c])] = true;
            }
        }
        for (int c = FirstFreeCode; c < MaxCodes; ++c) {
            if (!isPrefix[static_cast<std::size_t>(c)]) {
                used_[c] = false;
            }
        }
        AdvanceFree(FirstFreeCode);
    }

private:
    void AdvanceFree(int from) {
        nextFree_ = from;
        while (nextFree_ < MaxCodes && used_[nextFree_]) {
            ++nextFree_;
        }
    }

    std::vector<std::int16_t> parent_;
    std::vector<std::uint8_t> suffix_;
    std::vector<bool> used_;
    std::vector<std::uint8_t> stack_;
    int nextFree_ = FirstFreeCode;
};

} // namespace

TDecodeResult UnShrink(TBitReader& in, TOutputWindow& out, std::uint64_t size) {
    auto dictionary = std::make_unique<Dictionary>();
    int codeSize = 9;
    int previous = -1;
    std::uint8_t previousFirst = 0;
    while (out.Total() < size) {
        const int code = static_cast<int>(in.Bits(codeSize));
        if (in.Overrun()) {
            out.Flush();
            return TDecodeResult::DataError;
        }
        if (code == ControlCode) {
            const std::uint32_t what = in.Bits(codeSize);
            if (what == 1 && codeSize < 13) {
                ++codeSize;
            } else if (what == 2) {
                dictionary->PartialClear();
            } else {
                out.Flush();
                return TDecodeResult::DataError;
            }
            continue;
        }
        if (previous < 0) {
            if (code > 255) {
                out.Flush();
                return TDecodeResult::DataError;
            }
            out.Put(static_cast<std::uint8_t>(code));
            previous = code;
            previousFirst = static_cast<std::uint8_t>(code);
            continue;
        }
        std::size_t length = 0;
        std::uint8_t first = 0;
        if (dictionary->InUse(code)) {
            length = dictionary->Spell(code);
            first = length > 0 ? dictionary->Stack()[length - 1] : 0;
            if (length > 0) {
                dictionary->Add(previous, first);
            }
        } else if (code == dictionary->NextFree()) {
            // The code being defined right now: the previous string plus its own first byte.
            first = previousFirst;
            dictionary->Add(previous, first);
            length = dictionary->Spell(code);
        }
        if (length == 0) {
            out.Flush();
            return TDecodeResult::DataError;
        }
        const std::uint8_t* stack = dictionary->Stack();
        for (std::size_t i = length; i-- > 0;) {
            out.Put(stack[i]);
        }
        previous = code;
        previousFirst = first;
    }
    out.Flush();
    return TDecodeResult::Ok;
}

} // namespace duebell::zip
