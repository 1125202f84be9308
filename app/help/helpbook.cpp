#include "app/help/helpbook.h"

#include <charconv>
#include <filesystem>
#include <fstream>

namespace duebell {

namespace {

namespace fs = std::filesystem;

// The lines of a text file that are neither empty nor comments, with their line numbers.
std::vector<std::pair<int, std::string>> DataLines(const fs::path& file) {
    std::vector<std::pair<int, std::string>> lines;
    std::ifstream input(file, std::ios::binary);
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        lines.emplace_back(number, line);
    }
    return lines;
}

std::string BadLine(const fs::path& file, int number) {
    return "The help file \"" + file.string() + "\" is damaged at line " + std::to_string(number) +
           ".";
}

// "text<TAB>page" after any leading tabs; the number of leading tabs is the level. False for
// a line of another form.
bool SplitEntry(const std::string& line, int& level, std::string& text, std::string& page) {
    const std::size_t start = line.find_first_not_of('\t');
    const std::size_t tab = start == std::string::npos ? start : line.find('\t', start);
    if (tab == std::string::npos || tab == start || tab + 1 >= line.size() ||
        line.find('\t', tab + 1) != std::string::npos)
        return false;
    level = static_cast<int>(start);
    text = line.substr(start, tab - start);
    page = line.substr(tab + 1);
    return true;
}

} // namespace

std::optional<HelpBook> HelpBook::Open(const std::string& folder) {
    std::error_code error;
    if (!fs::is_regular_file(fs::path(folder) / HelpContentsPage, error))
        return std::nullopt;
    HelpBook book;
    book.folder_ = folder;
    int level = 0;
    std::string text;
    std::string page;

    const fs::path contents = fs::path(folder) / "contents.txt";
    for (const auto& [number, line] : DataLines(contents)) {
        if (SplitEntry(line, level, text, page))
            book.contents_.push_back({level, text, page});
        else
            book.damage_.push_back(BadLine(contents, number));
    }
    const fs::path contexts = fs::path(folder) / "contexts.txt";
    for (const auto& [number, line] : DataLines(contexts)) {
        int context = 0;
        const bool split = SplitEntry(line, level, text, page);
        const auto [end, failure] =
            std::from_chars(text.data(), text.data() + text.size(), context);
        if (split && level == 0 && failure == std::errc() && end == text.data() + text.size())
            book.contexts_.emplace_back(context, page);
        else
            book.damage_.push_back(BadLine(contexts, number));
    }
    const fs::path index = fs::path(folder) / "index.txt";
    for (const auto& [number, line] : DataLines(index)) {
        if (SplitEntry(line, level, text, page) && level == 0)
            book.index_.push_back({text, page});
        else
            book.damage_.push_back(BadLine(index, number));
    }
    return book;
}

std::string HelpBook::PageOfContext(int helpContext) const {
    for (const auto& [context, page] : contexts_)
        if (context == helpContext)
            return page;
    return {};
}

bool HelpBook::HasPage(const std::string& page) const {
    std::error_code error;
    return !page.empty() && page.find("..") == std::string::npos &&
           fs::is_regular_file(fs::path(folder_) / page, error);
}

} // namespace duebell
