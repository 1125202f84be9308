// Settings of an archive written in several parts. Only block archives (numbered files of a
// fixed size) are written here; spanning removable disks has no counterpart on Linux.
#pragma once

#include "zip/unzipper.h"

#include <cstdint>

namespace duebell::zip {

struct TMultiZipInfo {
    std::int64_t BlockSize = 1457600;
    std::int64_t FirstBlockSize = 1457600;
    // Bytes kept free on the first disk (spanning only).
    std::int64_t SaveOnFirstDisk = 0;
    // Also write the central directory to a ".zfc" file beside the first part.
    bool SaveZipInfoOnFirstDisk = false;
    TMultiMode MultiMode = TMultiMode::mmNone;
    // Disk labels exist only for spanned disks; kept for the settings' sake.
    bool CheckDiskLabels = true;
    bool WriteDiskLabels = true;
};

} // namespace duebell::zip
