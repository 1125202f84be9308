#include "domain/calendar.h"
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

// Weekdays of the dates used: 10/07/2024 Wednesday, 13/07/2024 Saturday, 25/12/2021 Saturday,
// 25/12/2024 Wednesday.

TEST(BusinessDays, WeekendsAndHolidaysAreDetected) {
    EngineBook book;
    book.AddHoliday(Day(2024, 7, 15));
    book.AddRecurringHoliday(12, 25);
    EXPECT_FALSE(IsWeekend(Day(2024, 7, 12)));
    EXPECT_TRUE(IsWeekend(Day(2024, 7, 13)));
    EXPECT_TRUE(IsWeekend(Day(2024, 7, 14)));
    EXPECT_FALSE(IsWeekend(Day(2024, 7, 15)));
    EXPECT_FALSE(IsPublicHoliday(Day(2024, 7, 10)));
    EXPECT_TRUE(IsPublicHoliday(Day(2024, 7, 15)));
    EXPECT_FALSE(IsPublicHoliday(Day(2025, 7, 15))); // once only
    EXPECT_TRUE(IsPublicHoliday(Day(2023, 12, 25))); // every year
    EXPECT_TRUE(IsPublicHoliday(Day(2030, 12, 25)));
    EXPECT_FALSE(IsPublicHoliday(Day(2023, 12, 24)));
    EXPECT_FALSE(IsPublicHoliday(Day(2023, 11, 25)));
}

// Holidays of the year -> the business day a date moves to. Each holiday met on the way asks
// for one more plain weekday after the weekend.
TEST(BusinessDays, NextBusinessDayWalksPastWeekendsAndHolidays) {
    struct Row {
        const char* name;
        std::vector<TDate> once;
        std::vector<std::pair<int, int>> recurring;
        TDate from;
        TDate expected;
    };
    const Row rows[] = {
        {"a plain weekday stays", {}, {}, Day(2024, 7, 10), Day(2024, 7, 10)},
        {"Saturday to Monday", {}, {}, Day(2024, 7, 13), Day(2024, 7, 15)},
        {"Sunday to Monday", {}, {}, Day(2024, 7, 14), Day(2024, 7, 15)},
        {"holiday Monday: the weekend to Tuesday",
         {Day(2024, 7, 15)},
         {},
         Day(2024, 7, 13),
         Day(2024, 7, 16)},
        {"holiday Monday itself", {Day(2024, 7, 15)}, {}, Day(2024, 7, 15), Day(2024, 7, 16)},
        {"the Friday before it", {Day(2024, 7, 15)}, {}, Day(2024, 7, 12), Day(2024, 7, 12)},
        {"recurring on a Wednesday", {}, {{12, 25}}, Day(2024, 12, 25), Day(2024, 12, 26)},
        {"holiday Friday", {Day(2024, 7, 12)}, {}, Day(2024, 7, 12), Day(2024, 7, 15)},
        // Christmas 2021 fell on a Saturday, Boxing Day on the Sunday: made up on the Monday
        // and the Tuesday.
        {"Saturday and Sunday holidays",
         {},
         {{12, 25}, {12, 26}},
         Day(2021, 12, 25),
         Day(2021, 12, 28)},
        {"the Friday before them", {}, {{12, 25}, {12, 26}}, Day(2021, 12, 24), Day(2021, 12, 24)},
        {"Saturday holiday absorbed by a plain Monday",
         {Day(2024, 7, 13)},
         {},
         Day(2024, 7, 13),
         Day(2024, 7, 15)},
        // Easter 2024: Good Friday 29/03 and Easter Monday 01/04.
        {"Good Friday: two holidays met",
         {Day(2024, 3, 29), Day(2024, 4, 1)},
         {},
         Day(2024, 3, 29),
         Day(2024, 4, 3)},
        {"Easter Saturday: one met",
         {Day(2024, 3, 29), Day(2024, 4, 1)},
         {},
         Day(2024, 3, 30),
         Day(2024, 4, 2)},
        {"holiday Monday and Tuesday",
         {Day(2024, 7, 15), Day(2024, 7, 16)},
         {},
         Day(2024, 7, 15),
         Day(2024, 7, 18)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineBook book;
        for (TDate day : row.once) {
            book.AddHoliday(day);
        }
        for (const auto& [month, day] : row.recurring) {
            book.AddRecurringHoliday(month, day);
        }
        EXPECT_EQ(NextBusinessDay(row.from), row.expected);
    }
}

TEST(BusinessDays, WithoutAConfigurationThereAreNoHolidays) {
    SetConfiguration(nullptr);
    EXPECT_FALSE(IsPublicHoliday(Day(2024, 12, 25)));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 13)), Day(2024, 7, 15));
}

TEST(BusinessDays, HolidaysCoveringEveryDayEndTheWalkWithAnError) {
    EngineBook book;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(2024, month); ++day) {
            book.AddRecurringHoliday(month, day);
        }
    }
    try {
        NextBusinessDay(Day(2024, 7, 10));
        FAIL() << "a business day was found";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(),
                  "No business day follows 10/07/2024: the public holidays cover every weekday.");
    }
}

TEST(BusinessCalendar, TakesTheHolidaysOnceAndAnswersLikeTheConfiguration) {
    EngineBook book;
    book.AddHoliday(Day(2024, 7, 15));
    book.AddRecurringHoliday(1, 26);
    const TBusinessCalendar calendar(&book.Config());
    EXPECT_TRUE(calendar.IsPublicHoliday(DayOf(Day(2024, 7, 15))));
    EXPECT_TRUE(calendar.IsPublicHoliday(DayOf(Day(2027, 1, 26))));
    EXPECT_FALSE(calendar.IsPublicHoliday(DayOf(Day(2024, 7, 16))));
    EXPECT_EQ(calendar.NextBusinessDay(DayOf(Day(2024, 7, 13))), DayOf(Day(2024, 7, 16)));
    // A holiday added later is not seen by a calendar taken before.
    book.AddHoliday(Day(2024, 7, 16));
    EXPECT_EQ(calendar.NextBusinessDay(DayOf(Day(2024, 7, 13))), DayOf(Day(2024, 7, 16)));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 13)), Day(2024, 7, 18));
}

} // namespace
} // namespace duebell::enginetest
