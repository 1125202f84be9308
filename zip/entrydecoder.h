// Chooses the decoder for an entry's compression method and runs it from the entry's
// compressed data to its output.
#pragma once

#include "zip/decoderio.h"

#include <cstdint>

namespace duebell::zip {

enum TCompressionMethod : std::uint16_t {
    cmStored = 0,
    cmShrunk = 1,
    cmReduced1 = 2,
    cmReduced4 = 5,
    cmImploded = 6,
    cmDeflated = 8,
};

// Stored, shrunk, reduced (factors 1 to 4), imploded and deflated.
bool IsKnownMethod(std::uint16_t method);

// size: the entry's uncompressed size, which ends the methods that have no end code.
// flags: the entry's general purpose flags (bits 1 and 2 choose the implode variant).
TDecodeResult DecodeEntryData(std::uint16_t method, std::uint16_t flags, std::uint64_t size,
                              TDecoderInput& input, TDecoderOutput& output);

} // namespace duebell::zip
