#include "zip/entrydecoder.h"

#include "zip/explode.h"
#include "zip/inflate.h"
#include "zip/unreduce.h"
#include "zip/unshrink.h"

#include <vector>

namespace duebell::zip {

namespace {

// Stored data pass through in pieces as they come.
TDecodeResult UnStore(TDecoderInput& input, TDecoderOutput& output) {
    std::vector<std::uint8_t> piece(TBitReader::PieceSize);
    while (const std::size_t n = input.Fetch(piece.data(), piece.size())) {
        output.Deliver(piece.data(), n);
    }
    return TDecodeResult::Ok;
}

} // namespace

bool IsKnownMethod(std::uint16_t method) {
    return method <= cmImploded || method == cmDeflated;
}

TDecodeResult DecodeEntryData(std::uint16_t method, std::uint16_t flags, std::uint64_t size,
                              TDecoderInput& input, TDecoderOutput& output) {
    if (method == cmStored) {
        return UnStore(input, output);
    }
    TBitReader bits(input);
    TOutputWindow window(output);
    switch (method) {
    case cmShrunk:
        return UnShrink(bits, window, size);
    case cmImploded:
        return Explode(bits, window, size, (flags & 0x02) != 0, (flags & 0x04) != 0);
    case cmDeflated:
        return Inflate(bits, window);
    default:
        if (method >= cmReduced1 && method <= cmReduced4) {
            return UnReduce(bits, window, size, method - 1);
        }
        return TDecodeResult::DataError;
    }
}

} // namespace duebell::zip
