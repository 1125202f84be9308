#include "objectlist/delimitedstringlist.h"

namespace duebell {

namespace {

constexpr char Quote = '"';

bool isBlank(char c) {
    return c >= 1 && c <= ' ';
}

} // namespace

void TDelimitedStringList::SplitDelimitedLine(std::string_view line) {
    line = line.substr(0, MaxLineLength);
    std::vector<std::string> fields;
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < line.size() && isBlank(line[pos])) {
            ++pos;
        }
    };
    skipBlanks();
    if (pos < line.size()) {
        while (true) {
            std::string field;
            if (pos < line.size() && line[pos] == Quote) {
                ++pos;
                while (pos < line.size()) {
                    if (line[pos] == Quote) {
                        if (pos + 1 < line.size() && line[pos + 1] == Quote) {
                            field += Quote;
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    field += line[pos++];
                }
            } else {
                std::size_t end = line.find(delimiter_, pos);
                end = end == std::string_view::npos ? line.size() : end;
                field = line.substr(pos, end - pos);
                pos = end;
            }
            fields.push_back(std::move(field));
            skipBlanks();
            if (pos >= line.size()) {
                break;
            }
            if (line[pos] == delimiter_) {
                ++pos;
                skipBlanks();
            }
        }
    }
    strings_ = std::move(fields); // one update for the whole line
}

} // namespace duebell
