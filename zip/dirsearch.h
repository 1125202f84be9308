// A depth-first walk over a folder that yields the files matching a mask, and with recursion
// each subfolder (as its path with a trailing "/") before its contents. The start folder may
// itself hold wildcards ("/data/*/logs/"): the folders below its fixed part are then taken
// level by level from its folder masks. Entries of a folder come in name order.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace duebell::zip {

struct TFoundFile {
    std::string name; // full path; a folder ends in "/"
    bool isDirectory = false;
    std::int64_t size = 0;
    std::time_t modified = 0;
};

class TDirSearch {
public:
    TDirSearch(const std::string& startDir, bool recurse, const std::string& mask);
    ~TDirSearch();
    TDirSearch(const TDirSearch&) = delete;
    TDirSearch& operator=(const TDirSearch&) = delete;

    // The next match, or no value when the walk is done.
    std::optional<TFoundFile> NextFile();

private:
    struct Level;

    void PushFolder(const std::string& folder, std::size_t maskDepth);

    std::string mask_;
    bool recurse_;
    // Masks of the wildcard folder levels below the fixed part of the start folder.
    std::vector<std::string> folderMasks_;
    std::vector<std::unique_ptr<Level>> stack_;
};

} // namespace duebell::zip
