#include "zip/unreduce.h"

#include <array>

namespace duebell::zip {

namespace {

constexpr std::uint8_t Escape = 144;

// Bits that index a follower set of n bytes.
int IndexBits(int n) {
    int bits = 1;
    while ((1 << bits) < n) {
        ++bits;
    }
    return bits;
}

} // namespace

TDecodeResult UnReduce(TBitReader& in, TOutputWindow& out, std::uint64_t size, int factor) {
    std::array<std::array<std::uint8_t, 32>, 256> followers{};
    std::array<std::uint8_t, 256> followerCount{};
    for (int j = 255; j >= 0; --j) {
        followerCount[j] = static_cast<std::uint8_t>(in.Bits(6));
        if (followerCount[j] > 32) {
            return TDecodeResult::DataError;
        }
        for (int k = 0; k < followerCount[j]; ++k) {
            followers[j][k] = static_cast<std::uint8_t>(in.Bits(8));
        }
    }
    const unsigned lengthMask = 0xFFu >> factor;
    int state = 0;
    std::uint8_t last = 0;
    unsigned length = 0;
    unsigned distanceHigh = 0;
    while (out.Total() < size) {
        std::uint8_t c = 0;
        const int n = followerCount[last];
        if (n == 0 || in.Bits(1) == 1) {
            c = static_cast<std::uint8_t>(in.Bits(8));
        } else {
            const unsigned index = in.Bits(IndexBits(n));
            if (index >= static_cast<unsigned>(n)) {
                out.Flush();
                return TDecodeResult::DataError;
            }
            c = followers[last][index];
        }
        if (in.Overrun()) {
            out.Flush();
            return TDecodeResult::DataError;
        }
        last = c;
        switch (state) {
        case 0:
            if (c == Escape) {
                state = 1;
            } else {
                out.Put(c);
            }
            break;
        case 1:
            if (c == 0) {
                out.Put(Escape);
                state = 0;
            } else {
                length = c & lengthMask;
                distanceHigh = c >> (8 - factor);
                state = length == lengthMask ? 2 : 3;
            }
            break;
        case 2:
            length += c;
            state = 3;
            break;
        default: {
            const std::size_t distance = distanceHigh * 256 + c + 1;
            std::uint64_t count = length + 3;
            // The last copy may reach past the end of the entry; only its size is written.
            count = std::min<std::uint64_t>(count, size - out.Total());
            out.Copy(distance, static_cast<std::size_t>(count));
            state = 0;
            break;
        }
        }
    }
    out.Flush();
    return in.Overrun() ? TDecodeResult::DataError : TDecodeResult::Ok;
}

} // namespace duebell::zip
