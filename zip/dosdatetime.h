// MS-DOS date-times as archives store them: the time in the low 16 bits (seconds / 2, minute,
// hour), the date in the high 16 bits (day, month, year - 1980), local time.
#pragma once

#include "objectlist/datetime.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace duebell::zip {

// Returns the value unchanged when it is valid, else with its fields clamped: hour 23,
// minute 59, seconds 58, year 2099, month 1..12, day at least 1.
std::uint32_t ValidateDosDateTime(std::uint32_t dosDateTime);

TDateTime DosDateTimeToDateTime(std::uint32_t dosDateTime);
std::uint32_t DosDateTimeFromUnix(std::time_t time);
std::time_t DosDateTimeToUnix(std::uint32_t dosDateTime);

// The file's modification time, validated; no value when the file cannot be examined.
std::optional<std::uint32_t> FileDateTime(const std::string& fileName);
bool SetFileDateTime(const std::string& fileName, std::uint32_t dosDateTime);

} // namespace duebell::zip
