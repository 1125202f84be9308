// Decoding of imploded entries (compression method 6): Shannon-Fano coded literals (or
// plain bytes), lengths and distances over a 4 KB or 8 KB sliding dictionary. The entry
// ends after its uncompressed size; bytes before the start of the output read as zeros.
#pragma once

#include "zip/decoderio.h"

#include <cstdint>

namespace duebell::zip {

// bigDictionary: flag bit 1 (8 KB); literalTree: flag bit 2 (three trees).
TDecodeResult Explode(TBitReader& input, TOutputWindow& output, std::uint64_t size,
                      bool bigDictionary, bool literalTree);

} // namespace duebell::zip
