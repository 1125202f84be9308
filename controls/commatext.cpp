#include "controls/commatext.h"

namespace duebell {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(std::string_view field) {
    for (char c : field)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',')
            return true;
    return false;
}

std::string Quoted(std::string_view field) {
    std::string result = "\"";
    for (char c : field) {
        if (c == '"')
            result += '"';
        result += c;
    }
    return result + '"';
}

// Reads a quoted field starting at the opening quote; an unterminated field runs to the end.
std::string ExtractQuoted(std::string_view text, std::size_t& pos) {
    std::string field;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                field += '"';
                pos += 2;
                continue;
            }
            ++pos;
            return field;
        }
        field += text[pos++];
    }
    return field;
}

} // namespace

std::string JoinCommaText(const std::vector<std::string>& fields) {
    if (fields.size() == 1 && fields[0].empty())
        return "\"\"";
    std::string result;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            result += ',';
        result += NeedsQuotes(fields[i]) ? Quoted(fields[i]) : fields[i];
    }
    return result;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == '"') {
            fields.push_back(ExtractQuoted(text, pos));
        } else {
            std::size_t start = pos;
            while (pos < text.size() && static_cast<unsigned char>(text[pos]) > ' ' &&
                   text[pos] != ',')
                ++pos;
            fields.emplace_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == ',') {
            if (pos + 1 == text.size())
                fields.emplace_back();
            ++pos;
            skipBlanks();
        }
    }
    return fields;
}

} // namespace duebell
