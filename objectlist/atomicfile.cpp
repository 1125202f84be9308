#include "objectlist/atomicfile.h"

#include "objectlist/exceptions.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
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

// Creates a file of a new name beginning with the prefix (six random letters and digits, then
// ".tmp"), never opening one that exists. Mode 0666 less the process umask, as any new file:
// the umask is applied by the system, never read (reading it means changing it, for every
// thread). Gives the descriptor and the path, or -1 with errno set.
int createTemporary(const std::string& prefix, std::string& path) {
    static std::minstd_rand random(static_cast<std::uint_fast32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid()));
    static constexpr char Letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string candidate = prefix + "XXXXXX.tmp";
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = prefix.size(); i < prefix.size() + 6; ++i)
            candidate[i] = Letters[random() % (sizeof Letters - 1)];
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            path = std::move(candidate);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1; // errno is EEXIST
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
    FileBuffer() : storage_(256 * 1024) {
        setp(storage_.data(), storage_.data() + storage_.size());
    }

    void attach(int fd) { fd_ = fd; }
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

    int fd_ = -1;
    int error_ = 0;
    std::vector<char> storage_;
};

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : targetPath_(resolveLink(targetPath)) {
    std::filesystem::path target(targetPath_);
    std::string folder = target.parent_path().string();
    if (folder.empty())
        folder = ".";
    const std::string prefix = (std::filesystem::path(folder) / target.filename()).string() + ".";
    // Everything that can fail to allocate is made before the file exists, so from the moment
    // it is created the destructor closes and removes it, whatever happens.
    buffer_ = std::make_unique<FileBuffer>();
    stream_ = std::make_unique<std::ostream>(buffer_.get());
    const int fd = createTemporary(prefix, temporaryPath_);
    if (fd < 0)
        raiseSaveError(targetPath_, errno);
    buffer_->attach(fd);
    // A file being replaced keeps its permissions.
    struct stat info {};
    if (::stat(targetPath_.c_str(), &info) == 0 && ::fchmod(fd, info.st_mode & 07777) != 0) {
        const int error = errno;
        discard();
        raiseSaveError(targetPath_, error);
    }
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

namespace {

// What the file holds; nothing when there is no file. Raises Exception when it cannot be read.
std::optional<std::string> ReadFileIfPresent(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    std::ifstream input(path, std::ios::binary);
    std::ostringstream content;
    content << input.rdbuf();
    if (!input)
        throw Exception("Cannot read \"" + path + "\".");
    return content.str();
}

// Best effort: the failure that made the commit go back is the one reported.
void PutBack(
    const std::vector<std::pair<std::string, std::optional<std::string>>>& replaced) noexcept {
    for (const auto& [target, before] : replaced) {
        try {
            if (!before) {
                ::unlink(target.c_str());
                continue;
            }
            AtomicFileWriter writer(target);
            writer.stream() << *before;
            writer.commit();
        } catch (...) {
        }
    }
}

} // namespace

void CommitTogether(const std::vector<AtomicFileWriter*>& writers) {
    std::vector<std::pair<std::string, std::optional<std::string>>> replaced;
    try {
        for (AtomicFileWriter* writer : writers) {
            // Only a file replaced before another may need putting back.
            std::optional<std::string> before;
            if (writer != writers.back())
                before = ReadFileIfPresent(writer->targetPath());
            writer->commit();
            replaced.emplace_back(writer->targetPath(), std::move(before));
        }
    } catch (...) {
        PutBack(replaced);
        throw;
    }
}

} // namespace duebell
