#include "zip/stream.h"

#include "zip/zipexceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace duebell::zip {

std::int64_t TStream::Size() {
    const std::int64_t here = Position();
    const std::int64_t size = Seek(0, soFromEnd);
    Seek(here, soFromBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count) {
        throw EReadError("Stream read error");
    }
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count) {
        throw EWriteError("Stream write error");
    }
}

void TStream::CopyFrom(TStream& source, std::int64_t count) {
    std::vector<std::uint8_t> buffer(
        static_cast<std::size_t>(std::min<std::int64_t>(count, 65536)));
    while (count > 0) {
        const std::int64_t piece = std::min<std::int64_t>(count, std::ssize(buffer));
        source.ReadBuffer(buffer.data(), piece);
        WriteBuffer(buffer.data(), piece);
        count -= piece;
    }
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName) {
    int flags = O_RDONLY;
    if (mode == TFileMode::OpenReadWrite) {
        flags = O_RDWR;
    } else if (mode == TFileMode::Create) {
        flags = O_RDWR | O_CREAT | O_TRUNC;
    }
    handle_ = ::open(fileName.c_str(), flags | O_CLOEXEC, 0666);
    if (handle_ < 0) {
        const std::string reason = std::strerror(errno);
        if (mode == TFileMode::Create) {
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        }
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
    struct stat info {};
    if (::fstat(handle_, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(handle_);
        handle_ = -1;
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(EISDIR));
    }
}

TFileStream::~TFileStream() {
    if (handle_ >= 0) {
        ::close(handle_);
    }
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    while (done < count) {
        const ssize_t got = ::read(handle_, bytes + done, static_cast<std::size_t>(count - done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += got;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    while (done < count) {
        const ssize_t put = ::write(handle_, bytes + done, static_cast<std::size_t>(count - done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            break;
        }
        done += put;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, int origin) {
    off_t result = -1;
    if (origin == soFromBeginning) {
        result = ::lseek(handle_, offset, SEEK_SET);
    } else if (origin == soFromCurrent) {
        result = ::lseek(handle_, offset, SEEK_CUR);
    } else {
        result = ::lseek(handle_, -std::abs(offset), SEEK_END);
    }
    if (result < 0) {
        throw EStreamError("Seek error in \"" + fileName_ + "\". " + std::strerror(errno));
    }
    return result;
}

std::int64_t TFileStream::Size() {
    struct stat info {};
    if (::fstat(handle_, &info) != 0) {
        return TStream::Size();
    }
    return info.st_size;
}

bool TFileStream::FlushToDisk() {
    return ::fsync(handle_) == 0;
}

TMemoryStream::TMemoryStream(const void* data, std::size_t size)
    : data_(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size) {
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    const std::int64_t available = std::max<std::int64_t>(0, std::ssize(data_) - position_);
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, available);
    if (n > 0) {
        std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
        position_ += n;
    }
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) {
        return 0;
    }
    const std::int64_t end = position_ + count;
    if (end > std::ssize(data_)) {
        data_.resize(static_cast<std::size_t>(end));
    }
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, int origin) {
    std::int64_t target = offset;
    if (origin == soFromCurrent) {
        target = position_ + offset;
    } else if (origin == soFromEnd) {
        target = std::ssize(data_) - std::abs(offset);
    }
    if (target < 0) {
        throw EStreamError("Seek error");
    }
    position_ = target;
    return position_;
}

} // namespace duebell::zip
