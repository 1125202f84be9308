#include "controls/datepicker.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "support/qtapp.h"

#include <QCalendarWidget>
#include <QLabel>
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
    // Whether or not a window asked for the calendar before it first dropped down.
    for (const bool askedFirst : {false, true}) {
        TDatePicker picker;
        if (askedFirst)
            picker.calendarWidget();
        picker.show();
        picker.setFocus();
        QTest::keyClick(&picker, Qt::Key_Down, Qt::AltModifier);
        QCalendarWidget* calendar = picker.calendarWidget();
        ASSERT_TRUE(calendar->isVisible()) << askedFirst;
        EXPECT_EQ(calendar->yearShown(), 2025) << askedFirst;
        EXPECT_EQ(calendar->monthShown(), 7) << askedFirst;
        EXPECT_EQ(calendar->locale(), QLocale::c()) << askedFirst;
        EXPECT_EQ(picker.Date(), 0) << askedFirst; // opening picks nothing
        calendar->window()->hide();

        picker.SetDate(EncodeDate(2021, 3, 9));
        QTest::keyClick(&picker, Qt::Key_F4);
        ASSERT_TRUE(calendar->isVisible()) << askedFirst;
        EXPECT_EQ(calendar->yearShown(), 2021) << askedFirst;
        EXPECT_EQ(calendar->monthShown(), 3) << askedFirst;
    }
}

// A date field as a dialog has it: named by its label, with another field to leave it for.
class DateTyping : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 120);
        picker = new TDatePicker(&window);
        picker->setGeometry(10, 10, 120, 22);
        auto* label = new QLabel("&Date:", &window);
        label->setBuddy(picker);
        other = new QLineEdit(&window);
        other->setGeometry(10, 60, 120, 22);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QLineEdit& Field() const { return *picker->findChild<QLineEdit*>(); }
    // Clicks into the day, or with `all` selects everything with Ctrl+A, and types.
    void Type(const char* keys, bool all) {
        QTest::mouseClick(&Field(), Qt::LeftButton, {}, QPoint(8, Field().height() / 2));
        if (all)
            QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(picker, keys); // the field's keys reach the picker, its focus proxy
    }
    void Leave() {
        other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    QWidget window;
    TDatePicker* picker = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(DateTyping, AWholeDateTypedReplacesTheWholeDate) {
    test::RecordingHooks hooks;
    for (const bool all : {false, true}) {
        picker->SetDate(EncodeDate(2026, 2, 2));
        Type("26/01/2026", all);
        Leave();
        EXPECT_EQ(picker->Date(), EncodeDate(2026, 1, 26)) << all;
        EXPECT_EQ(Shown(*picker), "26/01/2026");
    }
    // Single digits, and a blank field, work as well; emptying the field gives the zero date.
    picker->SetDate(0);
    Type("5/3/2027", false);
    Leave();
    EXPECT_EQ(picker->Date(), EncodeDate(2027, 3, 5));
    Type("07042027", false);
    QTest::keyClick(picker, Qt::Key_Tab); // leaves the field, not for its month
    EXPECT_FALSE(picker->hasFocus());
    EXPECT_EQ(picker->Date(), EncodeDate(2027, 4, 7));
    EXPECT_EQ(Shown(*picker), "07/04/2027");
    Type("", true);
    QTest::keyClick(picker, Qt::Key_Delete);
    Leave();
    EXPECT_EQ(picker->Date(), 0);
    EXPECT_TRUE(hooks.errors.empty()) << hooks.errors.front();
}

TEST_F(DateTyping, ADateThatDoesNotExistIsRefusedNamingTheFieldAndNothingIsRecorded) {
    test::RecordingHooks hooks;
    int changes = 0;
    picker->OnChange = [&] { ++changes; };
    for (const char* typed : {"31/02/2026", "00/00/0000", "12/13/2026", "01/01/1800", "31022026"}) {
        SCOPED_TRACE(typed);
        hooks.errors.clear();
        picker->SetDate(EncodeDate(2026, 2, 2));
        changes = 0;
        Type(typed, false);
        Leave();
        EXPECT_EQ(hooks.errors, std::vector<std::string>{"\"Date\": \"" + std::string(typed) +
                                                         "\" is not a date (dd/mm/yyyy)"});
        QCoreApplication::processEvents(); // the focus goes back
        EXPECT_TRUE(picker->hasFocus());
        EXPECT_EQ(Field().text(), typed);
        EXPECT_EQ(picker->Date(), EncodeDate(2026, 2, 2));
        EXPECT_EQ(changes, 0);
        // Enter leaves the text for the dialog's Save to refuse.
        QTest::keyClick(picker, Qt::Key_Return);
        EXPECT_EQ(Field().text(), typed);
        EXPECT_THROW(picker->ValidateDate(), Exception);
        // The message saying so comes up in a window of its own, and goes: the text stays for
        // the user to mend.
        QWidget message;
        message.show();
        message.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&message));
        EXPECT_EQ(Field().text(), typed);
        message.close();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_TRUE(picker->hasFocus());
        EXPECT_EQ(Field().text(), typed);
        EXPECT_EQ(picker->Date(), EncodeDate(2026, 2, 2));
    }
}

} // namespace
} // namespace duebell
