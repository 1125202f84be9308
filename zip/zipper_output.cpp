#include "zip/zipper_output.h"

#include "zip/filehelpers.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace duebell::zip {

namespace {

constexpr int OutputBufferSize = 8192;

// Makes a rename durable: the folder's entry is synced too (best effort; some file systems
// refuse to sync a folder).
void SyncFolderOf(const std::string& fileName) {
    const std::string folder = ExtractFilePath(fileName);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void RenameOrRaise(const std::string& from, const std::string& to) {
    // An archive replaced by its update keeps who may read it.
    struct stat old {};
    if (::stat(to.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::chmod(from.c_str(), old.st_mode & 07777);
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        throw EWriteError("Cannot replace \"" + to + "\". " + std::strerror(errno));
    }
    SyncFolderOf(to);
}

} // namespace

// Passes everything to the part's buffered stream; a write that falls short means the
// medium is full.
class TZipOutput::RoomCheckedStream : public TStream {
public:
    explicit RoomCheckedStream(TStream& target) : target_(target) {}
    std::int64_t Read(void* buffer, std::int64_t count) override {
        return target_.Read(buffer, count);
    }
    std::int64_t Write(const void* buffer, std::int64_t count) override {
        const std::int64_t written = target_.Write(buffer, count);
        if (written != count) {
            throw ENotEnoughRoom(msg::NotEnoughRoom);
        }
        return written;
    }
    std::int64_t Seek(std::int64_t offset, int origin) override {
        return target_.Seek(offset, origin);
    }
    std::int64_t Size() override { return target_.Size(); }

private:
    TStream& target_;
};

TZipOutput::TZipOutput(const std::string& zipName) : zipName_(zipName) {
    const std::string folder = ExtractFilePath(zipName);
    OpenPart(TempFileName(folder.empty() ? "." : folder));
}

TZipOutput::TZipOutput(const std::string& zipName, std::int64_t firstBlockSize,
                       std::int64_t blockSize)
    : zipName_(zipName), blocks_(true), firstBlockSize_(firstBlockSize), blockSize_(blockSize) {
    OpenPart(PartName(1));
}

TZipOutput::~TZipOutput() {
    if (!committed_) {
        Discard();
    }
}

std::string TZipOutput::PartName(int number) const {
    char extension[16];
    std::snprintf(extension, sizeof extension, ".%3.3d", number);
    return ChangeFileExt(zipName_, extension);
}

void TZipOutput::OpenPart(const std::string& fileName) {
    parts_.push_back(fileName);
    file_ = std::make_unique<TLFNFileStream>(fileName, OutputBufferSize, false, TFileMode::Create);
    checked_ = std::make_unique<RoomCheckedStream>(*file_);
}

void TZipOutput::ClosePart() {
    const std::int64_t size = file_->Position();
    if (!file_->FlushBuffer()) {
        throw ENotEnoughRoom(msg::NotEnoughRoom);
    }
    auto* file = dynamic_cast<TFileStream*>(&file_->Underlying());
    if (file != nullptr && !file->FlushToDisk()) {
        throw EWriteError("Cannot write \"" + parts_.back() + "\". " + std::strerror(errno));
    }
    checked_.reset();
    file_.reset();
    closedBytes_ += size;
}

TStream& TZipOutput::Stream() {
    return *checked_;
}

std::int64_t TZipOutput::RoomLeft() {
    if (!blocks_) {
        return std::numeric_limits<std::int64_t>::max();
    }
    const std::int64_t size = parts_.size() == 1 ? firstBlockSize_ : blockSize_;
    return size - Position();
}

void TZipOutput::StartNextPart() {
    ClosePart();
    OpenPart(PartName(static_cast<int>(parts_.size()) + 1));
}

std::int64_t TZipOutput::BytesWritten() {
    return closedBytes_ + (file_ ? Position() : 0);
}

std::string TZipOutput::Commit() {
    ClosePart();
    std::string finalName = parts_.back();
    if (parts_.size() == 1) {
        RenameOrRaise(parts_.back(), zipName_);
        finalName = zipName_;
    }
    committed_ = true;
    return finalName;
}

void TZipOutput::Discard() noexcept {
    checked_.reset();
    try {
        file_.reset();
    } catch (...) {
    }
    for (const std::string& part : parts_) {
        ::unlink(part.c_str());
    }
}

} // namespace duebell::zip
