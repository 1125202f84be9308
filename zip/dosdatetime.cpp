#include "zip/dosdatetime.h"

#include <sys/stat.h>
#include <sys/time.h>

namespace duebell::zip {

namespace {

struct DosFields {
    unsigned year, month, day, hour, minute, second;
};

DosFields Split(std::uint32_t v) {
    return {1980 + ((v >> 25) & 0x7F), (v >> 21) & 0x0F, (v >> 16) & 0x1F,
            (v >> 11) & 0x1F,          (v >> 5) & 0x3F,  (v & 0x1F) * 2};
}

std::uint32_t Join(const DosFields& f) {
    return ((f.year - 1980) << 25) | (f.month << 21) | (f.day << 16) | (f.hour << 11) |
           (f.minute << 5) | (f.second / 2);
}

// Days since 1 March of year 0 in the proleptic Gregorian calendar.
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe);
}

} // namespace

std::uint32_t ValidateDosDateTime(std::uint32_t dosDateTime) {
    DosFields f = Split(dosDateTime);
    bool clamped = false;
    auto clamp = [&clamped](unsigned& value, unsigned low, unsigned high) {
        if (value < low) {
            value = low;
            clamped = true;
        } else if (value > high) {
            value = high;
            clamped = true;
        }
    };
    clamp(f.hour, 0, 23);
    clamp(f.minute, 0, 59);
    clamp(f.second, 0, 58);
    clamp(f.year, 1980, 2099);
    clamp(f.month, 1, 12);
    clamp(f.day, 1, 31);
    return clamped ? Join(f) : dosDateTime;
}

TDateTime DosDateTimeToDateTime(std::uint32_t dosDateTime) {
    const DosFields f = Split(dosDateTime);
    const long days = DaysFromCivil(f.year, f.month, f.day) - DaysFromCivil(1899, 12, 30);
    const double time = (f.hour * 3600.0 + f.minute * 60.0 + f.second) / 86400.0;
    return TDateTime(static_cast<double>(days) + time);
}

std::uint32_t DosDateTimeFromUnix(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    DosFields f{};
    f.year = static_cast<unsigned>(local.tm_year + 1900);
    if (f.year < 1980) {
        return Join({1980, 1, 1, 0, 0, 0});
    }
    f.month = static_cast<unsigned>(local.tm_mon + 1);
    f.day = static_cast<unsigned>(local.tm_mday);
    f.hour = static_cast<unsigned>(local.tm_hour);
    f.minute = static_cast<unsigned>(local.tm_min);
    f.second = static_cast<unsigned>(local.tm_sec);
    return ValidateDosDateTime(Join(f));
}

std::time_t DosDateTimeToUnix(std::uint32_t dosDateTime) {
    const DosFields f = Split(ValidateDosDateTime(dosDateTime));
    std::tm local{};
    local.tm_year = static_cast<int>(f.year) - 1900;
    local.tm_mon = static_cast<int>(f.month) - 1;
    local.tm_mday = static_cast<int>(f.day);
    local.tm_hour = static_cast<int>(f.hour);
    local.tm_min = static_cast<int>(f.minute);
    local.tm_sec = static_cast<int>(f.second);
    local.tm_isdst = -1;
    return std::mktime(&local);
}

std::optional<std::uint32_t> FileDateTime(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return DosDateTimeFromUnix(info.st_mtime);
}

bool SetFileDateTime(const std::string& fileName, std::uint32_t dosDateTime) {
    const std::time_t when = DosDateTimeToUnix(dosDateTime);
    const struct timeval times[2] = {{when, 0}, {when, 0}};
    return ::utimes(fileName.c_str(), times) == 0;
}

} // namespace duebell::zip
