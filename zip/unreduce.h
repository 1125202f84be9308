// Decoding of reduced entries (compression methods 2 to 5, factors 1 to 4): bytes coded
// through follower sets of the previous byte, then expanded by the length/distance scheme
// with the escape byte 144. The entry ends after its uncompressed size; bytes before the
// start of the output read as zeros.
#pragma once

#include "zip/decoderio.h"

#include <cstdint>

namespace duebell::zip {

TDecodeResult UnReduce(TBitReader& input, TOutputWindow& output, std::uint64_t size, int factor);

} // namespace duebell::zip
