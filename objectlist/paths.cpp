#include "objectlist/paths.h"

#include <cstdlib>

namespace duebell {

namespace {

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string JoinPath(std::initializer_list<std::string_view> pieces) {
    std::string result;
    bool first = true;
    for (std::string_view piece : pieces) {
        piece = trimmed(piece);
        if (piece.empty()) {
            continue;
        }
        if (first) {
            result = piece;
            first = false;
            continue;
        }
        if (piece.front() == '/' && !piece.starts_with("//")) {
            piece.remove_prefix(1);
        }
        if (result.back() != '/') {
            result += '/';
        }
        result += piece;
    }
    return result;
}

bool GetTempDirectory(std::string& path) {
    const char* fromEnvironment = std::getenv("TMPDIR");
    std::string folder =
        fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : "/tmp";
    if (folder.back() != '/') {
        folder += '/';
    }
    path = folder;
    return true;
}

} // namespace duebell
