// The working state of one TZipper::Zip call, shared by the files that implement it.
#pragma once

#include "zip/zipcrypt.h"
#include "zip/zipper.h"
#include "zip/zipper_output.h"

#include <algorithm>
#include <string>

namespace duebell::zip {

struct TZipper::Build {
    std::unique_ptr<TZipOutput> output;
    // The new archive's entries: in written order (owning), and by name to refuse a name
    // twice.
    std::unique_ptr<TSortedZip> written;
    std::unique_ptr<TSortedZip> byName;
    TEndCentral endCentral;
    std::unique_ptr<DeflateEncoder> encoder;
    TZipCrypt crypt;
    bool updating = false;
    int filesAdded = 0;
    std::int64_t totalBytes = 0; // to compress, for progress
    std::int64_t doneBytes = 0;
    std::vector<std::string> toDispose;
    // The central directory and end record as written, for the ".zfc" copy.
    std::vector<std::uint8_t> directoryBytes;
};

// Stored names compare as the archive's name list does: ASCII case ignored.
inline bool SameStoredName(const std::string& a, const std::string& b) {
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return fold(x) == fold(y); });
}

} // namespace duebell::zip
