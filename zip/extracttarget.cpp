#include "zip/extracttarget.h"

#include "zip/dosdatetime.h"
#include "zip/filehelpers.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace duebell::zip {

TFileExtractTarget::TFileExtractTarget(const std::string& fileName, bool flushToDisk)
    : fileName_(fileName), flushToDisk_(flushToDisk) {
    const std::string folder = ExtractFilePath(fileName);
    tempName_ = TempFileName(folder.empty() ? "." : folder);
    try {
        file_ = std::make_unique<TFileStream>(tempName_, TFileMode::OpenReadWrite);
    } catch (...) {
        ::unlink(tempName_.c_str());
        throw;
    }
    stream_ = std::make_unique<TS_BufferStream>(*file_, 8192);
}

TFileExtractTarget::~TFileExtractTarget() {
    if (!committed_) {
        stream_.reset();
        file_.reset();
        ::unlink(tempName_.c_str());
    }
}

bool TFileExtractTarget::Write(const std::uint8_t* data, std::size_t count) {
    return stream_->Write(data, static_cast<std::int64_t>(count)) ==
           static_cast<std::int64_t>(count);
}

void TFileExtractTarget::Commit(std::uint32_t dosDateTime, bool setAttributes, bool readOnly) {
    // A file that replaces another is always put on the disk first: a crash must leave
    // either the old file or the whole new one.
    const bool replaces = ::access(fileName_.c_str(), F_OK) == 0;
    bool ok = stream_->FlushBuffer();
    if (ok && (flushToDisk_ || replaces)) {
        ok = file_->FlushToDisk();
    }
    stream_.reset();
    file_.reset();
    if (ok) {
        SetFileDateTime(tempName_, dosDateTime);
        if (setAttributes && readOnly) {
            struct stat info {};
            if (::stat(tempName_.c_str(), &info) == 0) {
                ::chmod(tempName_.c_str(), info.st_mode & ~static_cast<mode_t>(0222));
            }
        }
        ok = ::rename(tempName_.c_str(), fileName_.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(tempName_.c_str());
        throw ECantWriteUCF(msg::CantWriteUCF);
    }
    committed_ = true;
}

} // namespace duebell::zip
