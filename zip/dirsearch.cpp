#include "zip/dirsearch.h"

#include "zip/filehelpers.h"
#include "zip/wildcard.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace duebell::zip {

struct TDirSearch::Level {
    std::string folder; // with a trailing "/"
    std::size_t maskDepth = 0;
    std::vector<TFoundFile> entries;
    std::size_t next = 0;
};

namespace {

std::vector<TFoundFile> ListFolder(const std::string& folder) {
    std::vector<TFoundFile> entries;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* item = ::readdir(dir)) {
        const std::string name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        const std::string path = folder + name;
        // A link to a folder is not followed into, so the walk cannot loop.
        if (::lstat(path.c_str(), &info) != 0) {
            continue;
        }
        if (S_ISLNK(info.st_mode) && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            continue;
        }
        TFoundFile found;
        found.isDirectory = S_ISDIR(info.st_mode);
        found.name = found.isDirectory ? path + "/" : path;
        found.size = found.isDirectory ? 0 : info.st_size;
        found.modified = info.st_mtime;
        entries.push_back(std::move(found));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const TFoundFile& a, const TFoundFile& b) { return a.name < b.name; });
    return entries;
}

// The last path component of a found entry, without its trailing "/".
std::string LastComponent(const TFoundFile& found) {
    std::string name = found.name;
    if (found.isDirectory) {
        name.pop_back();
    }
    return ExtractFileName(name);
}

} // namespace

TDirSearch::TDirSearch(const std::string& startDir, bool recurse, const std::string& mask)
    : mask_(mask), recurse_(recurse) {
    std::string start = startDir;
    if (!start.empty() && start.back() != '/') {
        start += '/';
    }
    // Split off the folder levels from the first one holding a wildcard.
    std::string fixed;
    std::size_t from = 0;
    while (from < start.size()) {
        const std::size_t slash = start.find('/', from);
        const std::string part = start.substr(from, slash - from);
        if (!folderMasks_.empty() || HasWildcards(part)) {
            folderMasks_.push_back(part);
        } else {
            fixed += part + "/";
        }
        from = slash + 1;
    }
    PushFolder(fixed, 0);
}

TDirSearch::~TDirSearch() = default;

void TDirSearch::PushFolder(const std::string& folder, std::size_t maskDepth) {
    auto level = std::make_unique<Level>();
    level->folder = folder;
    level->maskDepth = maskDepth;
    level->entries = ListFolder(folder);
    stack_.push_back(std::move(level));
}

std::optional<TFoundFile> TDirSearch::NextFile() {
    while (!stack_.empty()) {
        Level& level = *stack_.back();
        if (level.next == level.entries.size()) {
            stack_.pop_back();
            continue;
        }
        const TFoundFile found = level.entries[level.next++];
        const std::string name = LastComponent(found);
        if (level.maskDepth < folderMasks_.size()) {
            // A level of the start folder's own wildcards: folders that match lead on.
            if (found.isDirectory && IsMatch(folderMasks_[level.maskDepth], name)) {
                PushFolder(found.name, level.maskDepth + 1);
            }
            continue;
        }
        if (found.isDirectory) {
            if (recurse_) {
                PushFolder(found.name, level.maskDepth);
                return found;
            }
            continue;
        }
        const bool hasExtension = name.find('.') != std::string::npos;
        if (IsMatch(mask_, hasExtension ? name : name + ".")) {
            return found;
        }
    }
    return std::nullopt;
}

} // namespace duebell::zip
