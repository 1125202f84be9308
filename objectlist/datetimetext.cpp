// Date and time texts in the program's fixed formats. Digits are written and read by hand
// and with std::from_chars, never through the C or Qt locale.
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/formatsettings.h"

#include <array>
#include <cctype>
#include <charconv>

namespace duebell {

namespace {

constexpr std::array<std::string_view, 12> ShortMonthNames = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> LongMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed",
                                                           "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 7> LongDayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool startsWithIgnoringCase(std::string_view text, std::size_t pos, std::string_view prefix) {
    if (text.size() - pos < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (upper(text[pos + i]) != upper(prefix[i])) {
            return false;
        }
    }
    return true;
}

void appendNumber(std::string& out, int value, int minDigits) {
    std::array<char, 16> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;
    std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    for (int i = static_cast<int>(digits.size()); i < minDigits; ++i) {
        out += '0';
    }
    out += digits;
}

// The parts of one value, decoded once per format.
struct Moment {
    int year, month, day, hour, minute, second, msec, dayOfWeek;
    explicit Moment(double value) {
        DecodeDateTime(value, year, month, day, hour, minute, second, msec);
        dayOfWeek = DayOfWeek(value);
    }
};

// The pattern letters of Delphi's FormatDateTime, case-insensitive:
// d dd ddd dddd ddddd (short date) dddddd (long date), m mm mmm mmmm (minutes right after an
// hour), yy yyyy, h hh, n nn, s ss, z zzz, c, t (short time) tt (long time), am/pm a/p ampm,
// "/" and ":" as the fixed separators, quoted text; every other character as it is.
void appendFormatted(std::string& out, std::string_view pattern, const Moment& m) {
    char lastToken = ' ';
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        char c = pattern[pos];
        char token = upper(c);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && lastToken == 'H') {
                token = 'N';
            }
            lastToken = token;
        }
        auto count = [&] {
            std::size_t end = pos + 1;
            while (end < pattern.size() && upper(pattern[end]) == upper(c)) {
                ++end;
            }
            auto n = static_cast<int>(end - pos);
            pos = end;
            return n;
        };
        switch (token) {
        case 'Y': {
            int n = count();
            if (n <= 2) {
                appendNumber(out, m.year % 100, 2);
            } else {
                appendNumber(out, m.year, 4);
            }
            break;
        }
        case 'M': {
            int n = count();
            if (n <= 2) {
                appendNumber(out, m.month, n);
            } else if (n == 3) {
                out += ShortMonthNames[m.month - 1];
            } else {
                out += LongMonthNames[m.month - 1];
            }
            break;
        }
        case 'D': {
            int n = count();
            if (n <= 2) {
                appendNumber(out, m.day, n);
            } else if (n == 3) {
                out += ShortDayNames[m.dayOfWeek - 1];
            } else if (n == 4) {
                out += LongDayNames[m.dayOfWeek - 1];
            } else if (n == 5) {
                appendFormatted(out, FormatSettings::ShortDateFormat, m);
            } else {
                appendFormatted(out, FormatSettings::LongDateFormat, m);
            }
            break;
        }
        case 'H': {
            int n = count();
            bool twelveHour = false;
            bool quoted = false;
            char quote = 0;
            for (std::size_t p = pos; p < pattern.size(); ++p) {
                char pc = pattern[p];
                if (quoted) {
                    quoted = pc != quote;
                } else if (pc == '\'' || pc == '"') {
                    quoted = true;
                    quote = pc;
                } else if (upper(pc) == 'H') {
                    break;
                } else if (upper(pc) == 'A') {
                    twelveHour = startsWithIgnoringCase(pattern, p, "AM/PM") ||
                                 startsWithIgnoringCase(pattern, p, "A/P") ||
                                 startsWithIgnoringCase(pattern, p, "AMPM");
                    break;
                }
            }
            int hour = m.hour;
            if (twelveHour) {
                hour = hour == 0 ? 12 : (hour > 12 ? hour - 12 : hour);
            }
            appendNumber(out, hour, n >= 2 ? 2 : 1);
            break;
        }
        case 'N':
            appendNumber(out, m.minute, count() >= 2 ? 2 : 1);
            break;
        case 'S':
            appendNumber(out, m.second, count() >= 2 ? 2 : 1);
            break;
        case 'Z':
            appendNumber(out, m.msec, count() >= 2 ? 3 : 1);
            break;
        case 'C':
            count();
            appendFormatted(out, FormatSettings::ShortDateFormat, m);
            if (m.hour != 0 || m.minute != 0 || m.second != 0) {
                out += ' ';
                appendFormatted(out, FormatSettings::LongTimeFormat, m);
            }
            break;
        case 'T':
            appendFormatted(
                out,
                count() == 1 ? FormatSettings::ShortTimeFormat : FormatSettings::LongTimeFormat, m);
            break;
        case 'A': {
            bool pm = m.hour >= 12;
            if (startsWithIgnoringCase(pattern, pos, "AM/PM")) {
                out += pattern.substr(pos + (pm ? 3 : 0), 2);
                pos += 5;
            } else if (startsWithIgnoringCase(pattern, pos, "A/P")) {
                out += pattern[pos + (pm ? 2 : 0)];
                pos += 3;
            } else if (startsWithIgnoringCase(pattern, pos, "AMPM")) {
                out += pm ? FormatSettings::TimePMString : FormatSettings::TimeAMString;
                pos += 4;
            } else {
                out += c;
                ++pos;
            }
            break;
        }
        case '/':
            out += FormatSettings::DateSeparator;
            ++pos;
            break;
        case ':':
            out += FormatSettings::TimeSeparator;
            ++pos;
            break;
        case '\'':
        case '"': {
            std::size_t close = pattern.find(c, pos + 1);
            if (close == std::string_view::npos) {
                close = pattern.size();
            }
            out += pattern.substr(pos + 1, close - pos - 1);
            pos = close + 1;
            break;
        }
        default:
            out += c;
            ++pos;
            break;
        }
    }
}

// A small cursor over the text being read.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    void skipBlanks() {
        while (!atEnd() && text_[pos_] == ' ') {
            ++pos_;
        }
    }
    bool take(char c) {
        if (!atEnd() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // An unsigned decimal of minDigits to maxDigits digits; digitCount gets how many there were.
    bool number(int minDigits, int maxDigits, int& value, int* digitCount = nullptr) {
        std::size_t end = pos_;
        while (end < text_.size() && end - pos_ < static_cast<std::size_t>(maxDigits) &&
               std::isdigit(static_cast<unsigned char>(text_[end]))) {
            ++end;
        }
        if (end - pos_ < static_cast<std::size_t>(minDigits)) {
            return false;
        }
        std::from_chars(text_.data() + pos_, text_.data() + end, value);
        if (digitCount != nullptr) {
            *digitCount = static_cast<int>(end - pos_);
        }
        pos_ = end;
        return true;
    }
    // A digit right after the accepted ones means the number was too long.
    bool digitFollows() const {
        return !atEnd() && std::isdigit(static_cast<unsigned char>(text_[pos_]));
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// "dd/mm/yyyy" (day and month may have one digit, the year has four).
bool scanDate(Scanner& s, double& date) {
    int day = 0;
    int month = 0;
    int year = 0;
    s.skipBlanks();
    if (!s.number(1, 2, day) || s.digitFollows() || !s.take(FormatSettings::DateSeparator) ||
        !s.number(1, 2, month) || s.digitFollows() || !s.take(FormatSettings::DateSeparator) ||
        !s.number(4, 4, year) || s.digitFollows()) {
        return false;
    }
    return TryEncodeDate(year, month, day, date);
}

// "hh:nn", "hh:nn:ss" or "hh:nn:ss.zzz".
bool scanTime(Scanner& s, double& time) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
    s.skipBlanks();
    if (!s.number(1, 2, hour) || s.digitFollows() || !s.take(FormatSettings::TimeSeparator) ||
        !s.number(1, 2, minute) || s.digitFollows()) {
        return false;
    }
    if (s.take(FormatSettings::TimeSeparator)) {
        if (!s.number(1, 2, second) || s.digitFollows()) {
            return false;
        }
        if (s.take(FormatSettings::DecimalSeparator)) {
            // A decimal fraction of the second: ".5" is 500 ms.
            int digits = 0;
            if (!s.number(1, 3, msec, &digits) || s.digitFollows()) {
                return false;
            }
            for (; digits < 3; ++digits) {
                msec *= 10;
            }
        }
    }
    s.skipBlanks();
    return TryEncodeTime(hour, minute, second, msec, time);
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

} // namespace

std::string FormatDateTime(std::string_view pattern, double dateTime) {
    Moment moment(dateTime);
    std::string out;
    appendFormatted(out, pattern.empty() ? std::string_view("c") : pattern, moment);
    return out;
}

std::string DateToStr(double dateTime) {
    return FormatDateTime(FormatSettings::ShortDateFormat, dateTime);
}

std::string TimeToStr(double dateTime) {
    return FormatDateTime(FormatSettings::LongTimeFormat, dateTime);
}

std::string DateTimeToStr(double dateTime) {
    return FormatDateTime("c", dateTime);
}

bool TryStrToDate(std::string_view text, double& result) {
    Scanner s(text);
    double date = 0;
    if (!scanDate(s, date)) {
        return false;
    }
    s.skipBlanks();
    if (!s.atEnd()) {
        return false;
    }
    result = date;
    return true;
}

bool TryStrToTime(std::string_view text, double& result) {
    Scanner s(text);
    double time = 0;
    if (!scanTime(s, time) || !s.atEnd()) {
        return false;
    }
    result = time;
    return true;
}

bool TryStrToDateTime(std::string_view text, double& result) {
    Scanner s(text);
    double date = 0;
    double time = 0;
    if (scanDate(s, date)) {
        s.skipBlanks();
        if (s.atEnd() || (scanTime(s, time) && s.atEnd())) {
            result = CombineDateTime(date, time);
            return true;
        }
        return false;
    }
    // A time alone is a time on day 0, as the original reader accepted it.
    return TryStrToTime(text, result);
}

double StrToDate(std::string_view text) {
    double result = 0;
    if (!TryStrToDate(text, result)) {
        throw EConvertError(quoted(text) + " is not a valid date");
    }
    return result;
}

double StrToTime(std::string_view text) {
    double result = 0;
    if (!TryStrToTime(text, result)) {
        throw EConvertError(quoted(text) + " is not a valid time");
    }
    return result;
}

double StrToDateTime(std::string_view text) {
    double result = 0;
    if (!TryStrToDateTime(text, result)) {
        throw EConvertError(quoted(text) + " is not a valid date and time");
    }
    return result;
}

double NormalizeDateTime(double dateTime) {
    return StrToDateTime(DateTimeToStr(dateTime));
}

} // namespace duebell
