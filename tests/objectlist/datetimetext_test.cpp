// Date and time texts: the fixed formats, Delphi's pattern letters, and reading them back.
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

constexpr double Day05032024 = 45356;
// 05/03/2024 14:30:15.250
const double Moment = Day05032024 + (((14 * 60 + 30) * 60 + 15) * 1000 + 250) / 86400000.0;

TEST(DateText, FixedFormats) {
    EXPECT_EQ(DateToStr(Moment), "05/03/2024");
    EXPECT_EQ(TimeToStr(Moment), "14:30:15");
    EXPECT_EQ(DateTimeToStr(Moment), "05/03/2024 14:30:15");
    EXPECT_EQ(DateTimeToStr(Day05032024), "05/03/2024"); // no time at exactly midnight
    EXPECT_EQ(DateToStr(0), "30/12/1899");
}

TEST(DateText, DelphiPatternLetters) {
    EXPECT_EQ(FormatDateTime("d/m/yy", Moment), "5/3/24");
    EXPECT_EQ(FormatDateTime("dd mmmm yyyy", Moment), "05 March 2024");
    EXPECT_EQ(FormatDateTime("dd-mmm-yyyy", Moment), "05-Mar-2024");
    EXPECT_EQ(FormatDateTime("ddd dddd", Moment), "Tue Tuesday");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", Moment), "2024-03-05");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Moment), "14:30:15.250");
    EXPECT_EQ(FormatDateTime("h:n:s", EncodeDate(2024, 1, 2) + EncodeTime(9, 5, 7, 0)), "9:5:7");
    EXPECT_EQ(FormatDateTime("ddddd", Moment), "05/03/2024");
    EXPECT_EQ(FormatDateTime("dddddd", Moment), "Tuesday, 5 March 2024");
    EXPECT_EQ(FormatDateTime("c", Moment), "05/03/2024 14:30:15");
    EXPECT_EQ(FormatDateTime("t", Moment), "14:30");
    EXPECT_EQ(FormatDateTime("tt", Moment), "14:30:15");
    EXPECT_EQ(FormatDateTime("DD/MM/YYYY", Moment), "05/03/2024"); // letters ignore case
}

TEST(DateText, MinutesRightAfterAnHour) {
    EXPECT_EQ(FormatDateTime("hh:mm", Moment), "14:30");
    EXPECT_EQ(FormatDateTime("mm/yyyy hh:mm", Moment), "03/2024 14:30");
}

TEST(DateText, TwelveHourClock) {
    EXPECT_EQ(FormatDateTime("h:nn am/pm", Moment), "2:30 pm");
    EXPECT_EQ(FormatDateTime("hh:nn AM/PM", Moment), "02:30 PM");
    EXPECT_EQ(FormatDateTime("h:nn a/p", Moment), "2:30 p");
    EXPECT_EQ(FormatDateTime("h ampm", Day05032024), "12 AM");
    EXPECT_EQ(FormatDateTime("h ampm", Day05032024 + 0.5), "12 PM");
    EXPECT_EQ(FormatDateTime("hh", Moment), "14"); // no am/pm: 24-hour clock
}

TEST(DateText, QuotedTextAndFixedSeparators) {
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd\"T\"hh:nn:ss", Moment), "2024-03-05T14:30:15");
    EXPECT_EQ(FormatDateTime("'Due on' dddd", Moment), "Due on Tuesday");
    EXPECT_EQ(FormatDateTime("'dd' dd", Moment), "dd 05");
}

TEST(DateText, ReadsTheShortDateFormat) {
    EXPECT_EQ(StrToDate("05/03/2024"), Day05032024);
    EXPECT_EQ(StrToDate("5/3/2024"), Day05032024);
    EXPECT_EQ(StrToDate(" 05/03/2024 "), Day05032024);
    EXPECT_EQ(StrToDate("29/02/2000"), 36585);
    double ignored = 0;
    for (const char* text :
         {"29/02/2100", "31/04/2024", "2024-03-05", "05/03/24", "05/03/2024x", "", "005/03/2024"})
        EXPECT_FALSE(TryStrToDate(text, ignored)) << text;
}

TEST(DateText, ReadsDateAndTime) {
    EXPECT_DOUBLE_EQ(StrToDateTime("05/03/2024 14:30"), Day05032024 + 14.5 / 24);
    EXPECT_DOUBLE_EQ(StrToDateTime("05/03/2024 14:30:15"),
                     Day05032024 + (14 * 3600 + 30 * 60 + 15) / 86400.0);
    EXPECT_DOUBLE_EQ(StrToDateTime("05/03/2024"), Day05032024);
    EXPECT_DOUBLE_EQ(StrToDateTime("14:30"), 14.5 / 24); // a time alone is on day 0
    EXPECT_DOUBLE_EQ(StrToTime("6:00:00.5"), 0.25 + 0.5 / 86400);
    double ignored = 0;
    for (const char* text :
         {"05/03/2024 24:00", "05/03/2024 14:60", "05/03/2024T14:30", "2024-03-05T14:30:00+10:00"})
        EXPECT_FALSE(TryStrToDateTime(text, ignored)) << text;
    EXPECT_FALSE(TryStrToTime("14", ignored));
}

TEST(DateText, UnreadableTextRaisesWithTheText) {
    try {
        StrToDate("soon");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'soon' is not a valid date");
    }
    try {
        StrToDateTime("31/02/2024");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'31/02/2024' is not a valid date and time");
    }
    EXPECT_THROW(StrToTime("noon"), EConvertError);
}

TEST(DateText, NormalizeKeepsWholeSecondsOnly) {
    EXPECT_DOUBLE_EQ(NormalizeDateTime(Moment), Day05032024 + (14 * 3600 + 30 * 60 + 15) / 86400.0);
    EXPECT_DOUBLE_EQ(NormalizeDateTime(Day05032024), Day05032024);
    EXPECT_DOUBLE_EQ(NormalizeDateTime(-1.25), -1.25);
    // 14:29:59.9999 reads as 14:30:00 rather than dropping to 14:29:59.
    EXPECT_DOUBLE_EQ(NormalizeDateTime(Day05032024 + (52200000 - 0.1) / 86400000.0),
                     Day05032024 + 14.5 / 24);
}

} // namespace
} // namespace duebell
