// A list of texts filled from one delimited line ("a, \"b,c\", d"), honouring double quotes.
// The control binder splits dotted property paths with it ("Address.Suburb").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

class TDelimitedStringList {
public:
    static constexpr std::size_t MaxLineLength = 4095;

    explicit TDelimitedStringList(char delimiter = ',') : delimiter_(delimiter) {}

    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }

    // Clears the list and adds the fields of the line (cut to MaxLineLength characters):
    // - blanks and control characters before a field are skipped;
    // - a field starting with a double quote runs to the next single double quote, a doubled
    //   quote inside standing for one; the quotes are not part of the field;
    // - any other field runs to the next delimiter or the end, keeping blanks before it;
    // - after a field blanks are skipped; a delimiter starts the next field (so a delimiter at
    //   the end gives a last, empty field); any other character starts a field at once.
    // A blank line gives no fields.
    void SplitDelimitedLine(std::string_view line);

    std::size_t Count() const { return strings_.size(); }
    const std::string& operator[](std::size_t index) const { return strings_.at(index); }
    const std::vector<std::string>& Strings() const { return strings_; }
    void Clear() { strings_.clear(); }

private:
    char delimiter_;
    std::vector<std::string> strings_;
};

} // namespace duebell
