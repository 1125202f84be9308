// Whether a name stored in an archive can be extracted without writing outside the
// destination folder.
#pragma once

#include <string_view>

namespace duebell::zip {

// False for an absolute name ("/x", "\x", "C:x"), a ".." component, and NUL or other control
// characters; "\" counts as a folder separator.
bool IsSafeEntryName(std::string_view name);

} // namespace duebell::zip
