// Copying grid text through streams and the clipboard.
#pragma once

#include <iosfwd>
#include <string_view>

namespace duebell {

// Writes the characters of s, without length or terminator.
void WriteStringToStream(std::ostream& stream, std::string_view s);
// Puts the whole stream, read from its start, on the clipboard as text.
void StreamToClipboard(std::istream& stream);
// Writes the clipboard's text into the stream from its start.
void ClipboardToStream(std::iostream& stream);

} // namespace duebell
