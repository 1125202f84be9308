// Names in archives written on DOS and Windows are in the OEM code page 437; in memory
// they are UTF-8. Bytes below 0x80 are the same in both.
#pragma once

#include <string>
#include <string_view>

namespace duebell::zip {

// Every byte has a UTF-8 form, so this never loses anything.
std::string OemToUtf8(std::string_view oem);
// Characters without a code page 437 form (and malformed UTF-8) become "?".
std::string Utf8ToOem(std::string_view utf8);
// The name as it reads after a trip through the code page: what an archive can hold.
std::string OemRoundTrip(std::string_view utf8);

} // namespace duebell::zip
