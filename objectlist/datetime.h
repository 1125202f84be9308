// Dates as Delphi's TDateTime: days since 30/12/1899 with the time of day as the fraction.
// TDate and TDateTime are distinct types because the record library converts them
// differently (a TDate is always a whole day).
#pragma once

#include <compare>
#include <string>
#include <string_view>

namespace duebell {

struct TDateTime {
    double value = 0.0;
    constexpr TDateTime() = default;
    constexpr explicit TDateTime(double v) : value(v) {}
    constexpr auto operator<=>(const TDateTime&) const = default;
};

struct TDate {
    double value = 0.0;
    constexpr TDate() = default;
    constexpr explicit TDate(double v) : value(v) {}
    constexpr auto operator<=>(const TDate&) const = default;
};

// Calendar arithmetic on day numbers. Encode* raise EConvertError for impossible dates.
// A negative day number counts back from 30/12/1899 with the time still counted forward from
// midnight (-1.25 is 29/12/1899 06:00). Days before 01/01/0001 or after 31/12/9999 raise
// EConvertError when decoded.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool TryEncodeDate(int year, int month, int day, double& result);
double EncodeDate(int year, int month, int day);
void DecodeDate(double dateTime, int& year, int& month, int& day);
bool TryEncodeTime(int hour, int minute, int second, int msec, double& result);
double EncodeTime(int hour, int minute, int second, int msec);
// The time fraction is rounded to whole milliseconds first, so 14:30:00 never reads 14:29:59.
void DecodeTime(double dateTime, int& hour, int& minute, int& second, int& msec);
// Date and time in one go, from one rounding to milliseconds (23:59:59.9996 is the next day).
void DecodeDateTime(double dateTime, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec);
// A whole day plus a time of day; before day 0 the time is subtracted, so it still counts
// forward from that day's midnight.
double CombineDateTime(double date, double time);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(double dateTime);
// Same day of month, months later (or earlier), clamped to the last day of a shorter month.
double IncMonth(double dateTime, int months);

// Fixed formats, never the locale: "dd/mm/yyyy", "hh:nn", "hh:nn:ss".
std::string DateToStr(double dateTime);
std::string TimeToStr(double dateTime);     // "hh:nn:ss"
std::string DateTimeToStr(double dateTime); // date, then " hh:nn:ss" when there is a time
// Delphi FormatDateTime patterns: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz am/pm,
// "/" and ":" literal, quoted text literal. Month and day names are fixed English names.
std::string FormatDateTime(std::string_view pattern, double dateTime);
// Reads "dd/mm/yyyy" optionally followed by " hh:nn[:ss]"; false when the text is no date.
bool TryStrToDateTime(std::string_view text, double& result);
double StrToDateTime(std::string_view text); // raises EConvertError
bool TryStrToDate(std::string_view text, double& result);
double StrToDate(std::string_view text);
bool TryStrToTime(std::string_view text, double& result);
double StrToTime(std::string_view text);

// The value through DateTimeToStr and back: whole seconds kept, fractions of a second dropped.
double NormalizeDateTime(double dateTime);

} // namespace duebell
