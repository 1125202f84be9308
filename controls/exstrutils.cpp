#include "controls/exstrutils.h"

namespace duebell {

std::string ReplaceSubstring(std::string_view s, std::string_view oldText,
                             std::string_view newText) {
    if (oldText.empty())
        return std::string(s);
    std::string result;
    result.reserve(s.size());
    std::size_t from = 0;
    for (std::size_t at = s.find(oldText); at != std::string_view::npos;
         at = s.find(oldText, from)) {
        result.append(s.substr(from, at - from));
        result.append(newText);
        from = at + oldText.size();
    }
    result.append(s.substr(from));
    return result;
}

std::string DeleteChar(std::string_view s, char ch) {
    std::string result;
    result.reserve(s.size());
    for (char c : s)
        if (c != ch)
            result.push_back(c);
    return result;
}

std::string TrimLeadingSpaces(std::string_view s) {
    std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string TrimTrailingSpaces(std::string_view s) {
    std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string TrimSpaces(std::string_view s) {
    return TrimLeadingSpaces(TrimTrailingSpaces(s));
}

std::string RepeatChar(char ch, int count) {
    return count < 1 ? std::string() : std::string(static_cast<std::size_t>(count), ch);
}

} // namespace duebell
