#include "zip/wildcard.h"

#include <cstddef>

namespace duebell::zip {

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Matches one pattern element at pattern[p] (not "*") against c; next is set to the element
// behind it.
bool MatchElement(std::string_view pattern, std::size_t p, char c, std::size_t& next) {
    const char head = pattern[p];
    if (head == '?') {
        next = p + 1;
        return true;
    }
    const std::size_t close = head == '<' ? pattern.find('>', p + 1) : std::string_view::npos;
    if (close == std::string_view::npos) {
        next = p + 1;
        return Upper(head) == Upper(c);
    }
    next = close + 1;
    std::size_t i = p + 1;
    const bool negate = i < close && (pattern[i] == '!' || pattern[i] == '^');
    if (negate) {
        ++i;
    }
    const char u = Upper(c);
    bool inSet = false;
    while (i < close) {
        if (i + 2 < close && pattern[i + 1] == '-') {
            char low = Upper(pattern[i]);
            char high = Upper(pattern[i + 2]);
            if (low > high) {
                std::swap(low, high);
            }
            inSet = inSet || (u >= low && u <= high);
            i += 3;
        } else {
            inSet = inSet || Upper(pattern[i]) == u;
            ++i;
        }
    }
    return inSet != negate;
}

} // namespace

bool IsMatch(std::string_view pattern, std::string_view text) {
    std::size_t p = 0;
    std::size_t t = 0;
    // The last "*" seen and the text position it is trying to absorb up to.
    std::size_t starPattern = std::string_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        std::size_t next = 0;
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starText = t;
        } else if (p < pattern.size() && MatchElement(pattern, p, text[t], next)) {
            p = next;
            ++t;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace duebell::zip
