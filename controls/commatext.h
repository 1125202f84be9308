// The class library's comma-text form of a string list: fields separated by ",", a field
// quoted with double quotes (inner quotes doubled) when it holds a blank, a control
// character, a comma or a quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace duebell {

std::string JoinCommaText(const std::vector<std::string>& fields);

// Reads comma text back. Unquoted fields end at a comma or at a blank; blanks around fields
// are skipped; a trailing comma adds one empty field.
std::vector<std::string> SplitCommaText(std::string_view text);

} // namespace duebell
