// The caption tokens of texts, headers and footers.
#pragma once

#include <string>
#include <string_view>

namespace duebell {

// The formats every drawn text passes for "{DATE}" and "{TIME}".
inline constexpr std::string_view CaptionDateFormat = "dd-mmm-yyyy";
inline constexpr std::string_view CaptionTimeFormat = "hh:nn";

// Replaces every "{DATE}", "{TIME}", "{PAGE}" and "{NUMPAGES}" (case-sensitive, in that order)
// with 'now' formatted, the page number and the page count.
std::string ReplaceTokens(std::string text, int page, int numPages, std::string_view timeFormat,
                          std::string_view dateFormat, double now);

} // namespace duebell
