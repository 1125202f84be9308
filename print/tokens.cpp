#include "print/tokens.h"

#include "objectlist/datetime.h"

namespace duebell {

namespace {

void ReplaceAll(std::string& text, std::string_view token, const std::string& by) {
    // Search again from the start each time, as a repeated find-first does.
    for (auto at = text.find(token); at != std::string::npos; at = text.find(token))
        text.replace(at, token.size(), by);
}

} // namespace

std::string ReplaceTokens(std::string text, int page, int numPages, std::string_view timeFormat,
                          std::string_view dateFormat, double now) {
    if (text.find('{') == std::string::npos)
        return text;
    if (text.find("{DATE}") != std::string::npos)
        ReplaceAll(text, "{DATE}", FormatDateTime(dateFormat, now));
    if (text.find("{TIME}") != std::string::npos)
        ReplaceAll(text, "{TIME}", FormatDateTime(timeFormat, now));
    ReplaceAll(text, "{PAGE}", std::to_string(page));
    ReplaceAll(text, "{NUMPAGES}", std::to_string(numPages));
    return text;
}

} // namespace duebell
