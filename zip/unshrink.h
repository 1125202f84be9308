// Decoding of shrunk entries (compression method 1): dynamic LZW with codes of 9 to 13 bits;
// code 256 followed by 1 widens the codes, followed by 2 clears the codes that are no
// prefix of another. The entry ends after its uncompressed size.
#pragma once

#include "zip/decoderio.h"

#include <cstdint>

namespace duebell::zip {

TDecodeResult UnShrink(TBitReader& input, TOutputWindow& output, std::uint64_t size);

} // namespace duebell::zip
