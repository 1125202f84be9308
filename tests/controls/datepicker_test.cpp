#include "controls/datepicker.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "support/qtapp.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

QString Shown(const TDatePicker& picker) {
    return picker.findChild<QLineEdit*>()->text().trimmed();
}

TEST(DatePicker, DayNumbersRoundTripAsDdMmYyyy) {
    TDatePicker picker;
    // Day numbers worked by hand from 30/12/1899: 1 is the next day, 45000 is 15 March 2023.
    const struct {
        double set;
        double read;
        const char* shown;
    } cases[] = {
        {45000, 45000, "15/03/2023"},
        {45000.75, 45000, "15/03/2023"}, // the time of day is dropped
        {1, 1, "31/12/1899"},
        {36526, 36526, "01/01/2000"},
        {0, 0, ""},  // the empty date is a blank field
        {-3, 0, ""}, // nothing before the empty date
    };
    for (const auto& c : cases) {
        picker.SetDate(45001); // a different date first, so each case really changes it
        picker.SetDate(c.set);
        EXPECT_EQ(picker.Date(), c.read) << c.set;
        EXPECT_EQ(Shown(picker), c.shown) << c.set;
        EXPECT_EQ(picker.property("Date").toDouble(), c.read) << c.set;
    }
}

TEST(DatePicker, TheUsersLocaleChangesNothing) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    TDatePicker picker;
    picker.SetDate(EncodeDate(2024, 2, 29));
    QLocale::setDefault(before);
    EXPECT_EQ(Shown(picker), "29/02/2024");
}

TEST(DatePicker, ChangesReportedUnlessSignalsAreBlocked) {
    TDatePicker picker;
    int changes = 0;
    picker.OnChange = [&] { ++changes; };
    picker.SetDate(45000);
    EXPECT_EQ(changes, 1);
    {
        const QSignalBlocker fill(picker);
        picker.SetDate(45100);
        picker.SetDate(0);
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picker.Date(), 0);
}

TEST(DatePicker, ABlankFieldOpensTheCalendarOnTodaysMonth) {
    const ScopedFixedClock clock(EncodeDate(2025, 7, 14) + 0.5);
    TDatePicker picker;
    picker.show();
    picker.setFocus();
    QTest::keyClick(&picker, Qt::Key_Down, Qt::AltModifier);
    QCalendarWidget* calendar = picker.calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->yearShown(), 2025);
    EXPECT_EQ(calendar->monthShown(), 7);
    EXPECT_EQ(picker.Date(), 0); // opening picks nothing
    calendar->window()->hide();

    picker.SetDate(EncodeDate(2021, 3, 9));
    QTest::keyClick(&picker, Qt::Key_F4);
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->yearShown(), 2021);
    EXPECT_EQ(calendar->monthShown(), 3);
}

} // namespace
} // namespace duebell
