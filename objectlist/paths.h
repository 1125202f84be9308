// File-system path helpers with the Linux separator "/".
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace duebell {

// Joins pieces with single "/": each piece is trimmed of blanks and control characters, an
// empty piece is skipped, a later piece loses one leading "/" unless it starts with "//", and
// no "/" is added after a result that already ends with one. The first piece keeps its
// leading "/", so an absolute path stays absolute.
std::string JoinPath(std::initializer_list<std::string_view> pieces);

// The temporary folder with a trailing "/": $TMPDIR when set and not empty, else /tmp.
// The true/false result of the original is kept; on Linux there is always a folder.
bool GetTempDirectory(std::string& path);

} // namespace duebell
