// The file-mask matcher of the zip components: "*" any run (also none), "?" any one
// character, "<...>" one character of a set ("!" or "^" first negates, "a-z" a range in
// either order). ASCII case is ignored. True only when pattern and text match to their ends.
#pragma once

#include <string_view>

namespace duebell::zip {

bool IsMatch(std::string_view pattern, std::string_view text);

} // namespace duebell::zip
