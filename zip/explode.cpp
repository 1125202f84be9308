#include "zip/explode.h"

#include "zip/shannonfano.h"

namespace duebell::zip {

TDecodeResult Explode(TBitReader& in, TOutputWindow& out, std::uint64_t size, bool bigDictionary,
                      bool literalTree) {
    TShannonFanoTree literals;
    TShannonFanoTree lengths;
    TShannonFanoTree distances;
    if ((literalTree && !literals.Read(in, 256)) || !lengths.Read(in, 64) ||
        !distances.Read(in, 64)) {
        return TDecodeResult::DataError;
    }
    const int lowDistanceBits = bigDictionary ? 7 : 6;
    const unsigned minimumLength = literalTree ? 3 : 2;
    while (out.Total() < size) {
        if (in.Bits(1) == 1) {
            const int literal = literalTree ? literals.Decode(in) : static_cast<int>(in.Bits(8));
            if (literal < 0) {
                out.Flush();
                return TDecodeResult::DataError;
            }
            out.Put(static_cast<std::uint8_t>(literal));
        } else {
            const unsigned low = in.Bits(lowDistanceBits);
            const int high = distances.Decode(in);
            int length = lengths.Decode(in);
            if (high < 0 || length < 0) {
                out.Flush();
                return TDecodeResult::DataError;
            }
            if (length == 63) {
                length += static_cast<int>(in.Bits(8));
            }
            const std::size_t distance =
                ((static_cast<std::size_t>(high) << lowDistanceBits) | low) + 1;
            std::uint64_t count = static_cast<unsigned>(length) + minimumLength;
            count = std::min<std::uint64_t>(count, size - out.Total());
            out.Copy(distance, static_cast<std::size_t>(count));
        }
        if (in.Overrun()) {
            out.Flush();
            return TDecodeResult::DataError;
        }
    }
    out.Flush();
    return TDecodeResult::Ok;
}

} // namespace duebell::zip
