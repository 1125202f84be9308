// The program's help: a folder of HTML pages beside the program ("DuebellHelp") with three
// small tab-separated text files - contents.txt (the table of contents: a leading tab per
// level, a title, a tab, a page), contexts.txt (a help context number, a tab, a page) and
// index.txt (a keyword, a tab, a page). Lines starting with "#" are comments.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace duebell {

inline constexpr const char* HelpFolderName = "DuebellHelp";
inline constexpr const char* HelpContentsPage = "contents.html";

struct HelpContentsEntry {
    int level = 0; // 0 at the top
    std::string title;
    std::string page;
};

struct HelpIndexEntry {
    std::string keyword;
    std::string page;
};

class HelpBook {
public:
    // The help in the folder; nothing when the folder or its contents page is missing. A line
    // that is not of its file's form is left out and named in Damage().
    static std::optional<HelpBook> Open(const std::string& folder);

    // One text per line left out: "The help file "<file>" is damaged at line <n>."
    const std::vector<std::string>& Damage() const { return damage_; }

    const std::string& Folder() const { return folder_; }
    const std::vector<HelpContentsEntry>& Contents() const { return contents_; }
    const std::vector<HelpIndexEntry>& Index() const { return index_; }
    // The page of a help context; empty when the help has none.
    std::string PageOfContext(int helpContext) const;
    // Whether the folder holds that page.
    bool HasPage(const std::string& page) const;

private:
    std::string folder_;
    std::vector<HelpContentsEntry> contents_;
    std::vector<std::pair<int, std::string>> contexts_;
    std::vector<HelpIndexEntry> index_;
    std::vector<std::string> damage_;
};

} // namespace duebell
