#include "objectlist/atomicfile.h"

#include "objectlist/exceptions.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <streambuf>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace duebell {

namespace {

std::string errorText(int error) {
    return std::generic_category().message(error);
}

[[noreturn]] void raiseSaveError(const std::string& path, int error) {
    throw Exception("Cannot save \"" + path + "\": " + errorText(error));
}

// Saving through a symbolic link replaces the file it points at, not the link.
std::string resolveLink(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    auto resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

// The permissions a new file would get, or those of the file being replaced.
mode_t modeFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the rename itself has happened; durability of the entry is best effort
    ::fsync(fd);
    ::close(fd);
}

} // namespace

// A stream buffer over a file descriptor that remembers the first write error.
class AtomicFileWriter::FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(int fd) : fd_(fd), storage_(256 * 1024) {
        setp(storage_.data(), storage_.data() + storage_.size());
    }

    int fd() const { return fd_; }
    int error() const { return error_; }

    void release() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    // Closes the descriptor, reporting the error close() gives (some file systems report
    // write failures only there).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

protected:
    int_type overflow(int_type ch) override {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }

    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        const char* data = pbase();
        std::size_t left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0 && error_ == 0) {
            const ssize_t written = ::write(fd_, data, left);
            if (written < 0) {
                if (errno != EINTR)
                    error_ = errno;
                continue;
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        setp(storage_.data(), storage_.data() + storage_.size());
        return error_ == 0;
    }

    int fd_;
    int error_ = 0;
    std::vector<char> storage_;
};

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : targetPath_(resolveLink(targetPath)) {
    std::filesystem::path target(targetPath_);
    std::string folder = target.parent_path().string();
    if (folder.empty())
        folder = ".";
    std::string pattern =
        (std::filesystem::path(folder) / target.filename()).string() + ".XXXXXX.tmp";
    const int fd = ::mkostemps(pattern.data(), 4, O_CLOEXEC);
    if (fd < 0)
        raiseSaveError(targetPath_, errno);
    temporaryPath_ = pattern;
    buffer_ = std::make_unique<FileBuffer>(fd);
    if (::fchmod(fd, modeFor(targetPath_)) != 0) {
        const int error = errno;
        discard();
        raiseSaveError(targetPath_, error);
    }
    stream_ = std::make_unique<std::ostream>(buffer_.get());
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_)
        discard();
}

std::ostream& AtomicFileWriter::stream() {
    return *stream_;
}

void AtomicFileWriter::commit() {
    if (committed_)
        throw InternalError("A file save was committed twice.");
    stream_->flush();
    int error = buffer_->error();
    if (error == 0 && !*stream_)
        error = EIO;
    if (error == 0 && ::fsync(buffer_->fd()) != 0)
        error = errno;
    if (error == 0)
        error = buffer_->close();
    if (error == 0 && ::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0)
        error = errno;
    if (error != 0) {
        discard();
        raiseSaveError(targetPath_, error);
    }
    committed_ = true;
    syncFolder(std::filesystem::path(temporaryPath_).parent_path().string());
}

void AtomicFileWriter::discard() noexcept {
    if (buffer_)
        buffer_->release();
    if (!temporaryPath_.empty())
        ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
}

} // namespace duebell
