#include "zip/filehelpers.h"

#include "zip/stream.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace duebell::zip {

bool ForceDirs(const std::string& folder) {
    if (folder.empty() || DirExists(folder)) {
        return !folder.empty();
    }
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !ForceDirs(path.substr(0, slash))) {
        return false;
    }
    return ::mkdir(path.c_str(), 0777) == 0 || DirExists(path);
}

bool FileExists(const std::string& fileName) {
    struct stat info {};
    return ::stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirExists(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MoveFileWithBackup(const std::string& source, const std::string& dest) {
    return ::rename(source.c_str(), dest.c_str()) == 0;
}

bool CopyFileTo(const std::string& source, const std::string& dest, TZipCallbacks& callbacks) {
    if (MoveFileWithBackup(source, dest)) {
        return true;
    }
    std::string temp;
    try {
        TFileStream in(source, TFileMode::OpenRead);
        temp = TempFileName(ExtractFilePath(dest).empty() ? "." : ExtractFilePath(dest));
        bool copied = false;
        {
            TFileStream out(temp, TFileMode::Create);
            const std::int64_t size = in.Size();
            out.CopyFrom(in, size);
            copied = out.FlushToDisk() && (size > 0 || in.Size() == 0);
        }
        if (copied && ::rename(temp.c_str(), dest.c_str()) == 0) {
            return true;
        }
    } catch (const EStreamError&) {
    }
    if (!temp.empty()) {
        ::unlink(temp.c_str());
    }
    callbacks.ShowMessage(msg::Error, std::string(msg::CouldNotCopy) + source + " -> " + dest);
    return false;
}

std::string TempFileName(const std::string& folder) {
    static std::mt19937 random{std::random_device{}()};
    std::string base = folder.empty() ? "." : folder;
    if (base.back() != '/') {
        base += '/';
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        const unsigned value = random() & 0xFFFFFF;
        for (int i = 0; i < 6; ++i) {
            suffix[i] = "0123456789ABCDEF"[(value >> (4 * i)) & 0xF];
        }
        suffix[6] = '\0';
        const std::string name = base + "zip" + suffix + ".tmp";
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST) {
            throw EFCreateError("Cannot create file \"" + name + "\". " + std::strerror(errno));
        }
    }
    throw EFCreateError("Cannot create a temporary file in \"" + base + "\"");
}

std::string ExtractFilePath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return path + ext;
    }
    return path.substr(0, dot) + ext;
}

std::string CurrentDir() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

bool HasWildcards(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

std::string DosToUnixFilename(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::string UnixToDosFilename(std::string name) {
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string RightStr(std::string_view s, int n) {
    std::size_t start = s.size();
    for (int taken = 0; taken < n && start > 0; ++taken) {
        do {
            --start;
        } while (start > 0 && IsContinuationByte(s[start]));
    }
    return std::string(s.substr(start));
}

std::string LeftStr(std::string_view s, int n) {
    std::size_t end = 0;
    for (int taken = 0; taken < n && end < s.size(); ++taken) {
        do {
            ++end;
        } while (end < s.size() && IsContinuationByte(s[end]));
    }
    return std::string(s.substr(0, end));
}

std::int64_t Percentage(std::int64_t part, std::int64_t whole) {
    if (whole <= 0) {
        return 0;
    }
    // Ties go to the even number, as the rest of the program rounds.
    const __int128 scaled = static_cast<__int128>(std::max<std::int64_t>(part, 0)) * 100;
    __int128 quotient = scaled / whole;
    const __int128 twice = (scaled % whole) * 2;
    if (twice > whole || (twice == whole && quotient % 2 == 1)) {
        ++quotient;
    }
    return quotient > 100 ? 100 : static_cast<std::int64_t>(quotient);
}

} // namespace duebell::zip
