// The sorted list of archive entries that the reader fills and the writer builds.
#pragma once

#include "zip/objectcontainer.h"
#include "zip/zipheaderinfo.h"

namespace duebell::zip {

enum class TZipSortMode {
    ByName,             // directory plus name, ASCII case ignored
    ByFileName,         // the name alone
    ByDirectoryName,    // the directory alone
    ByDate,             // newest first
    ByCompressedSize,   // largest first
    ByUnCompressedSize, // largest first
    ByRate,             // highest compressed-to-uncompressed rate first
    ByNone              // physical order: disk, then local header offset
};

class TSortedZip : public TSortedObjectList<TZipHeaderInfo> {
public:
    // A new list owns its entries and keeps physical order.
    explicit TSortedZip(TDuplicates duplicates, bool ownsObjects = true)
        : TSortedObjectList<TZipHeaderInfo>(duplicates, ownsObjects) {}

    TZipSortMode SortMode = TZipSortMode::ByNone;

protected:
    int Compare(const TZipHeaderInfo* item1, const TZipHeaderInfo* item2) const override;
};

} // namespace duebell::zip
