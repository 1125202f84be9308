// Decoding of deflated entries (compression method 8): stored, fixed and dynamic Huffman
// blocks until the block marked last. Hostile data cost no more than their size: an
// over-subscribed or incomplete code table, a distance reaching before the start of the
// output and data ending before the last block are errors.
#pragma once

#include "zip/decoderio.h"

namespace duebell::zip {

TDecodeResult Inflate(TBitReader& input, TOutputWindow& output);

} // namespace duebell::zip
