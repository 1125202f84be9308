// From FilesList to the files that go into the archive, and from a file to the name it is
// stored under.
#include "zip/dirsearch.h"
#include "zip/filehelpers.h"
#include "zip/oemcodepage.h"
#include "zip/wildcard.h"
#include "zip/zipper.h"
#include "zip/zipper_build.h"

#include <filesystem>
#include <sys/stat.h>

namespace duebell::zip {

namespace {

bool IsFolderItem(const std::string& item) {
    return !item.empty() && item.back() == '/';
}

std::int64_t FileSize(const std::string& fileName) {
    struct stat info {};
    return ::stat(fileName.c_str(), &info) == 0 ? info.st_size : 0;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// Stored names compare as the archive's name list does: ASCII case ignored.

} // namespace

bool TZipper::Excluded(const std::string& fileName) const {
    for (const std::string& mask : ExcludeList) {
        const bool fullPath = mask.find('/') != std::string::npos;
        if (IsMatch(mask, fullPath ? fileName : ExtractFileName(fileName))) {
            return true;
        }
    }
    return false;
}

std::string TZipper::StoredPath(const std::string& fileName) const {
    if (!storePaths_) {
        return {};
    }
    std::string folder = ExtractFilePath(fileName);
    if (relativePaths_ && !RootDir().empty() && folder.starts_with(RootDir())) {
        return folder.substr(RootDir().size());
    }
    // No volume part to keep or drop; a stored name is never absolute, nor starts with "./".
    while (folder.starts_with("/") || folder.starts_with("./")) {
        folder.erase(0, folder.starts_with("/") ? 1 : 2);
    }
    return folder;
}

// Directory and file name as an entry for the file would hold them.
std::string TZipper::StoredName(const std::string& fileName) const {
    const std::string name = StoredPath(fileName) + ExtractFileName(fileName);
    return OEMConvert ? OemRoundTrip(name) : name;
}

bool TZipper::HasOldEntry(const std::string& fileName) const {
    const std::string stored = StoredName(fileName);
    for (int i = 0; i < Count(); ++i) {
        const TZipHeaderInfo& entry = Entry(i);
        if (SameStoredName(entry.Directory() + entry.Filename(), stored)) {
            return true;
        }
    }
    return false;
}

void TZipper::ExpandFilesList(Build& build) {
    std::vector<std::string> files;
    std::vector<std::string> masks;
    for (const std::string& item : FilesList) {
        if (IsFolderItem(item)) {
            files.push_back(item);
        } else if (!HasWildcards(item)) {
            const std::string fileName = ExtractFilePath(item).empty() ? RootDir() + item : item;
            if (Excluded(fileName)) {
                continue;
            }
            if (!FileExists(fileName)) {
                if (OnNoSuchFile) {
                    OnNoSuchFile(fileName);
                }
                continue;
            }
            if (ZipAction == TZipAction::zaFreshen && !HasOldEntry(fileName)) {
                continue;
            }
            build.totalBytes += FileSize(fileName);
            files.push_back(fileName);
        } else {
            masks.push_back(item);
        }
    }

    for (std::string mask : masks) {
        bool recurse = Recurse;
        if (mask.starts_with("|") || mask.starts_with(">")) {
            recurse = mask.front() == '>';
            mask.erase(0, 1);
        }
        std::string folder = ExtractFilePath(mask);
        if (folder.empty()) {
            folder = RootDir().empty() ? "./" : RootDir();
        }
        if (!HasWildcards(folder) && !DirExists(folder)) {
            continue;
        }
        std::string namePart = ExtractFileName(mask);
        if (namePart == "*.*") {
            namePart = "*";
        }
        TDirSearch search(folder, recurse, namePart);
        while (const auto found = search.NextFile()) {
            CheckCancel();
            std::string fileName = found->name;
            if (fileName.starts_with("./")) {
                fileName.erase(0, 2);
            }
            if (OnRecursingFile) {
                OnRecursingFile(fileName);
            }
            if (found->isDirectory) {
                if (AddDirEntriesOnRecurse) {
                    files.push_back(fileName);
                }
                continue;
            }
            if (SameFile(fileName, ZipName()) || Excluded(fileName) ||
                (ZipAction == TZipAction::zaFreshen && !HasOldEntry(fileName))) {
                continue;
            }
            build.totalBytes += found->size;
            files.push_back(fileName);
        }
    }
    FilesList = std::move(files);
}

} // namespace duebell::zip
