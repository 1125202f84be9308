#include "app/main/leftovers.h"

#include "domain/datafiles.h"

#include <filesystem>
#include <set>

namespace duebell {

namespace {

namespace fs = std::filesystem;

bool IsRandomCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The folders and names whose leftovers are looked for: the data file itself, and the file it
// links to (the writer saves beside the link's target).
std::set<std::pair<fs::path, std::string>> SavedFiles(const fs::path& folder) {
    std::set<std::pair<fs::path, std::string>> files;
    for (const char* name : {DataFileName, ConfigurationFileName, HelpTopicsFileName}) {
        const fs::path file = folder / name;
        files.emplace(folder, name);
        std::error_code error;
        if (fs::is_symlink(file, error)) {
            const fs::path target = fs::weakly_canonical(file, error);
            if (!error)
                files.emplace(target.parent_path(), target.filename().string());
        }
    }
    return files;
}

} // namespace

bool IsLeftoverSaveFile(const std::string& fileName, const std::string& dataFileName) {
    const std::string suffix = ".tmp";
    const std::size_t expected = dataFileName.size() + 1 + 6 + suffix.size();
    if (fileName.size() != expected ||
        fileName.compare(0, dataFileName.size(), dataFileName) != 0 ||
        fileName[dataFileName.size()] != '.' ||
        fileName.compare(expected - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (std::size_t i = dataFileName.size() + 1; i < expected - suffix.size(); ++i)
        if (!IsRandomCharacter(fileName[i]))
            return false;
    return true;
}

std::vector<std::string> RemoveLeftoverSaveFiles(const std::string& folder) {
    std::vector<std::string> removed;
    for (const auto& [place, name] : SavedFiles(folder)) {
        std::error_code error;
        for (fs::directory_iterator entry(place, error), end; !error && entry != end;
             entry.increment(error)) {
            if (!entry->is_regular_file(error) || entry->is_symlink(error) ||
                !IsLeftoverSaveFile(entry->path().filename().string(), name))
                continue;
            std::error_code removeError;
            if (fs::remove(entry->path(), removeError))
                removed.push_back(entry->path().string());
        }
    }
    return removed;
}

} // namespace duebell
