#include "domain/calendar.h"
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

// Weekdays of the dates used: 10/07/2024 Wednesday, 13/07/2024 Saturday, 29/03/2024 Good
// Friday, 01/04/2024 Easter Monday, 25/12/2021 Saturday.

TEST(BusinessDays, AWeekdayWithoutHolidaysIsItsOwnBusinessDay) {
    EngineBook book;
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 10)), Day(2024, 7, 10));
    EXPECT_FALSE(IsWeekend(Day(2024, 7, 10)));
    EXPECT_FALSE(IsPublicHoliday(Day(2024, 7, 10)));
}

TEST(BusinessDays, AWeekendMovesToMonday) {
    EngineBook book;
    EXPECT_TRUE(IsWeekend(Day(2024, 7, 13)));
    EXPECT_TRUE(IsWeekend(Day(2024, 7, 14)));
    EXPECT_FALSE(IsWeekend(Day(2024, 7, 15)));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 13)), Day(2024, 7, 15));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 14)), Day(2024, 7, 15));
}

TEST(BusinessDays, OnceOffHolidayOnMondayMovesTheWeekendToTuesday) {
    EngineBook book;
    book.AddHoliday(Day(2024, 7, 15));
    EXPECT_TRUE(IsPublicHoliday(Day(2024, 7, 15)));
    EXPECT_FALSE(IsPublicHoliday(Day(2025, 7, 15))); // once only
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 13)), Day(2024, 7, 16));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 15)), Day(2024, 7, 16));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 12)), Day(2024, 7, 12)); // the Friday before
}

TEST(BusinessDays, RecurringHolidayMatchesItsDayInEveryYear) {
    EngineBook book;
    book.AddRecurringHoliday(12, 25);
    EXPECT_TRUE(IsPublicHoliday(Day(2023, 12, 25)));
    EXPECT_TRUE(IsPublicHoliday(Day(2030, 12, 25)));
    EXPECT_FALSE(IsPublicHoliday(Day(2023, 12, 24)));
    EXPECT_FALSE(IsPublicHoliday(Day(2023, 11, 25)));
    // 25/12/2024 is a Wednesday.
    EXPECT_EQ(NextBusinessDay(Day(2024, 12, 25)), Day(2024, 12, 26));
}

TEST(BusinessDays, HolidayOnFridayGivesMonday) {
    EngineBook book;
    book.AddHoliday(Day(2024, 7, 12));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 12)), Day(2024, 7, 15));
}

TEST(BusinessDays, HolidaysOnSaturdayAndSundayGiveTuesday) {
    EngineBook book;
    book.AddRecurringHoliday(12, 25);
    book.AddRecurringHoliday(12, 26);
    // Christmas 2021 fell on a Saturday, Boxing Day on the Sunday: both are made up on the
    // Monday and the Tuesday.
    EXPECT_EQ(NextBusinessDay(Day(2021, 12, 25)), Day(2021, 12, 28));
    EXPECT_EQ(NextBusinessDay(Day(2021, 12, 24)), Day(2021, 12, 24));
}

TEST(BusinessDays, HolidayOnSaturdayIsAbsorbedByAPlainMonday) {
    EngineBook book;
    book.AddHoliday(Day(2024, 7, 13));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 13)), Day(2024, 7, 15));
}

TEST(BusinessDays, EachHolidayOnConsecutiveDaysAsksForOneMoreWeekday) {
    EngineBook book;
    // Easter 2024: Good Friday and Easter Monday. Two holidays met, so the second plain
    // weekday after them: Tuesday settles one, Wednesday the other.
    book.AddHoliday(Day(2024, 3, 29));
    book.AddHoliday(Day(2024, 4, 1));
    EXPECT_EQ(NextBusinessDay(Day(2024, 3, 29)), Day(2024, 4, 3));
    // From the Saturday only Easter Monday is met.
    EXPECT_EQ(NextBusinessDay(Day(2024, 3, 30)), Day(2024, 4, 2));
    // Two weekday holidays in a row, Monday and Tuesday: Wednesday and Thursday make up for
    // them.
    book.AddHoliday(Day(2024, 7, 15));
    book.AddHoliday(Day(2024, 7, 16));
    EXPECT_EQ(NextBusinessDay(Day(2024, 7, 15)), Day(2024, 7, 18));
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
