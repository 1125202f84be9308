// Text helpers of the record library.
#pragma once

#include <string>
#include <string_view>

namespace duebell {

// Text with every From replaced by To.
std::string ReplaceChar(std::string_view text, char from, char to);

// Reads a date-time as a record property takes it from a file or a control: first the fixed
// "dd/mm/yyyy[ hh:nn[:ss]]" form, then the XML form "yyyy-mm-dd[Thh:nn:ss[+hh:mm|-hh:mm|Z]]"
// whose zone offset is ignored (not applied). Raises EConvertError when neither reads.
double StrToDateTimeXML(std::string_view text);

} // namespace duebell
