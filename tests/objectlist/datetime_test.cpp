// Calendar arithmetic, fixed-format texts and parsing of day numbers. Expected day numbers
// are counted by hand from 30/12/1899 (day 0).
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>

namespace duebell {
namespace {

constexpr double Day05032024 = 45356;
// 14:30 as a fraction of a day: 14.5 / 24.
constexpr double HalfPastTwo = 14.5 / 24;

std::array<int, 3> Ymd(double value) {
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    return {y, m, d};
}

std::array<int, 4> Hnsz(double value) {
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(value, h, n, s, ms);
    return {h, n, s, ms};
}

TEST(DateCore, DayNumbersOfKnownDates) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1899, 12, 31), 1);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(2024, 3, 5), Day05032024);
    // 36526 + 31 (January) + 28 = 29/02/2000, then 01/03/2000.
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586);
}

TEST(DateCore, DaysBeforeDayZeroAreNegative) {
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    // 30/12/1899 is the 364th day of 1899, so 01/01/1899 lies 363 days earlier.
    EXPECT_EQ(EncodeDate(1899, 1, 1), -363);
    EXPECT_EQ(Ymd(-363), (std::array{1899, 1, 1}));
}

TEST(DateCore, DecodeReturnsTheEncodedDateAcrossMonthEndsAndLeapYears) {
    for (const std::array<int, 3> c : {std::array{2000, 2, 29},
                                       {2024, 2, 29},
                                       {2023, 12, 31},
                                       {2024, 1, 1},
                                       {2100, 2, 28},
                                       {2100, 3, 1},
                                       {1, 1, 1},
                                       {9999, 12, 31}})
        EXPECT_EQ(Ymd(EncodeDate(c[0], c[1], c[2])), c) << c[0] << "-" << c[1] << "-" << c[2];
}

TEST(DateCore, LeapYearRules) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    double ignored = 0;
    for (const std::array<int, 3> c :
         {std::array{2100, 2, 29}, {1900, 2, 29}, {2024, 4, 31}, {2024, 13, 1}, {0, 1, 1}})
        EXPECT_FALSE(TryEncodeDate(c[0], c[1], c[2], ignored))
            << c[0] << "-" << c[1] << "-" << c[2];
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
}

TEST(DateCore, DayOfWeekRunsSundayOneToSaturdaySeven) {
    EXPECT_EQ(DayOfWeek(0), 7);                         // 30/12/1899 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7);    // Saturday
    EXPECT_EQ(DayOfWeek(Day05032024), 3);               // Tuesday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 2, 29)), 5);   // Thursday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 10)), 1);   // Sunday
    EXPECT_EQ(DayOfWeek(Day05032024 + HalfPastTwo), 3); // the time does not matter
    EXPECT_EQ(DayOfWeek(-1), 6);                        // 29/12/1899, Friday
}

TEST(DateCore, IncMonthClampsToTheLastDayOfAShorterMonth) {
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31), 1), EncodeDate(2023, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2100, 1, 31), 1), EncodeDate(2100, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 2, 29), 12), EncodeDate(2025, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 12, 31), 2), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -1), EncodeDate(2023, 12, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 5, 31), 0), EncodeDate(2024, 5, 31));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 120), EncodeDate(2034, 1, 31));
}

TEST(DateCore, IncMonthKeepsTheTimeOfDay) {
    double moved = IncMonth(EncodeDate(2024, 1, 31) + HalfPastTwo, 1);
    EXPECT_DOUBLE_EQ(moved, EncodeDate(2024, 2, 29) + HalfPastTwo);
}

TEST(DateCore, TimeIsRoundedToMillisecondsBeforeSplitting) {
    EXPECT_EQ(Hnsz(Day05032024 + HalfPastTwo), (std::array{14, 30, 0, 0}));
    // 0.604166666 days is 14:29:59.99994: a hair below half past two still reads 14:30:00.
    EXPECT_EQ(Hnsz(Day05032024 + 0.604166666), (std::array{14, 30, 0, 0}));
    EXPECT_EQ(TimeToStr(Day05032024 + 0.604166666), "14:30:00");
    // Each minute of a day formatted from a sum of date and time reads back exactly.
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const auto [h, n, s, ms] = Hnsz(Day05032024 + EncodeTime(minute / 60, minute % 60, 0, 0));
        ASSERT_EQ(h * 60 + n, minute);
        ASSERT_EQ(s, 0);
    }
}

TEST(DateCore, RoundingUpToMidnightMovesToTheNextDay) {
    // 23:59:59.9996 rounds to 24:00:00.000, which is 00:00 of 06/03/2024.
    double value = Day05032024 + (86400000 - 0.4) / 86400000.0;
    EXPECT_EQ(DateTimeToStr(value), "06/03/2024");
    EXPECT_EQ(Ymd(value)[2], 6);
}

TEST(DateCore, NegativeValuesCountTheTimeForwardFromMidnight) {
    // -1.25: day -1 (29/12/1899), a quarter day (06:00) into it.
    EXPECT_EQ(DateTimeToStr(-1.25), "29/12/1899 06:00:00");
    EXPECT_DOUBLE_EQ(StrToDateTime("29/12/1899 06:00:00"), -1.25);
    EXPECT_DOUBLE_EQ(CombineDateTime(-1, 0.25), -1.25);
    EXPECT_DOUBLE_EQ(CombineDateTime(3, 0.25), 3.25);
}

TEST(DateCore, ValuesOutsideTheCalendarAreRefused) {
    EXPECT_THROW(Ymd(1e10), EConvertError);
    EXPECT_THROW(Ymd(-1e10), EConvertError);
    EXPECT_THROW(DateToStr(std::numeric_limits<double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

TEST(DateCore, EncodeTimeChecksItsParts) {
    EXPECT_DOUBLE_EQ(EncodeTime(14, 30, 0, 0), HalfPastTwo);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    double ignored = 0;
    for (const std::array<int, 4> c :
         {std::array{24, 0, 0, 0}, {12, 60, 0, 0}, {12, 0, 60, 0}, {12, 0, 0, 1000}})
        EXPECT_FALSE(TryEncodeTime(c[0], c[1], c[2], c[3], ignored)) << c[0] << ":" << c[1];
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
}

} // namespace
} // namespace duebell
