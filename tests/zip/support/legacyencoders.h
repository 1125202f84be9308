// Test-only encoders for the compression methods no common tool writes any more: shrink,
// reduce and implode, written from the published zip format. They need not compress well;
// they must produce what the format allows, so that archives made with them can be checked
// by Debian's unzip and by our reader.
#pragma once

#include <string>

namespace duebell::zip::ziptest {

// LZW with 9 to 13-bit codes; widens the codes when needed and clears the leaf codes
// (256, 2) each time the table fills up.
std::string ShrinkEncode(const std::string& data);

// Follower sets of up to 32 bytes per previous byte, and length/distance pairs after the
// escape byte 144, for factors 1 to 4.
std::string ReduceEncode(const std::string& data, int factor);

// Shannon-Fano coded literals (when literalTree), lengths and distances over a 4 KB or 8 KB
// dictionary.
std::string ImplodeEncode(const std::string& data, bool bigDictionary, bool literalTree);

} // namespace duebell::zip::ziptest
