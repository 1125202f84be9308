#include "zip/sortedzip.h"

#include "zip/filehelpers.h"

#include <algorithm>

namespace duebell::zip {

namespace {

int CompareIgnoringAsciiCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto upper = [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u >= 'a' && u <= 'z' ? u - 32 : u;
        };
        const int d = static_cast<int>(upper(a[i])) - static_cast<int>(upper(b[i]));
        if (d != 0) {
            return d;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int Rate(const TZipHeaderInfo& entry) {
    return static_cast<int>(Percentage(entry.CompressedSize, entry.UncompressedSize));
}

} // namespace

int TSortedZip::Compare(const TZipHeaderInfo* item1, const TZipHeaderInfo* item2) const {
    switch (SortMode) {
    case TZipSortMode::ByName:
        return CompareIgnoringAsciiCase(item1->Directory() + item1->Filename(),
                                        item2->Directory() + item2->Filename());
    case TZipSortMode::ByFileName:
        return CompareIgnoringAsciiCase(item1->Filename(), item2->Filename());
    case TZipSortMode::ByDirectoryName:
        return CompareIgnoringAsciiCase(item1->Directory(), item2->Directory());
    case TZipSortMode::ByDate:
        return item1->DateTime >= item2->DateTime ? -1 : 1;
    case TZipSortMode::ByCompressedSize:
        return item1->CompressedSize >= item2->CompressedSize ? -1 : 1;
    case TZipSortMode::ByUnCompressedSize:
        return item1->UncompressedSize >= item2->UncompressedSize ? -1 : 1;
    case TZipSortMode::ByRate:
        return Rate(*item2) - Rate(*item1);
    case TZipSortMode::ByNone:
        break;
    }
    if (item1->DiskNumberStart != item2->DiskNumberStart) {
        return item1->DiskNumberStart < item2->DiskNumberStart ? -1 : 1;
    }
    if (item1->RelativeOffset != item2->RelativeOffset) {
        return item1->RelativeOffset < item2->RelativeOffset ? -1 : 1;
    }
    return 0;
}

} // namespace duebell::zip
