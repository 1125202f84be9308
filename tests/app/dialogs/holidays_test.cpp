// The public holiday dialogs: the recurring holiday's month list (the fixed English names) and
// day list (the days of the month in a leap year, "11th" to "13th" in English), the day kept
// when the month changes, the keys offered when adding and fixed when editing, and a second
// holiday on a listed day refused by the list.
#include "app/dialogs/holidaydialogs.h"
#include "app/dialogs/holidaysconfig.h"
#include "controls/datepicker.h"
#include "controls/modalresult.h"
#include "domain/configuration.h"
#include "settingsbook.h"

namespace duebell {
namespace {

using test::ColumnTexts;
using test::ComboNamed;
using test::ComboTexts;
using test::EditNamed;
using test::Press;
using test::PressFrameButton;
using test::PressOnRow;

const std::string Duplicate =
    "You have attempted to create a duplicate record.  Entry will be ignored";

class Holidays : public test::SettingsBook {
protected:
    // Runs a list dialog on the configuration; `act` works in it.
    template <class Dialog> bool RunConfig(const std::function<void(QDialog&)>& act) {
        Dialog dialog;
        driver.Expect([&](QDialog& shown) {
            act(shown);
            Press(shown, "btnCancel");
            return mrNone;
        });
        dialog.EditItem(mmEdit, *Configuration());
        return dialog.EntriesChanged();
    }
};

TEST_F(Holidays, TheDayListHasTheMonthsDaysInEnglishAndKeepsTheChosenDay) {
    TfmPublicHolidaysRecurringAddEdit dialog;
    QComboBox& month = *ComboNamed(dialog, "cmbHolidayMonth");
    QComboBox& day = *ComboNamed(dialog, "cmbHolidayDay");
    EXPECT_EQ(ComboTexts(month), (std::vector<std::string>{
                                     "January", "February", "March", "April", "May", "June", "July",
                                     "August", "September", "October", "November", "December"}));
    const std::vector<std::string> january = ComboTexts(day);
    ASSERT_EQ(january.size(), 31u);
    const std::pair<int, const char*> texts[] = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {11, "11th"}, {12, "12th"},
        {13, "13th"}, {21, "21st"}, {22, "22nd"}, {23, "23rd"}, {30, "30th"}, {31, "31st"}};
    for (const auto& [number, text] : texts)
        EXPECT_EQ(january[number - 1], text);

    month.setCurrentIndex(1);
    EXPECT_EQ(day.count(), 29); // February of a leap year
    EXPECT_EQ(day.itemText(28), "29th");

    month.setCurrentIndex(0);
    day.setCurrentIndex(30); // the 31st of January
    month.setCurrentIndex(3);
    EXPECT_EQ(day.count(), 30);
    EXPECT_EQ(day.currentText(), "30th"); // April has no 31st
    day.setCurrentIndex(11);
    month.setCurrentIndex(1);
    EXPECT_EQ(day.currentText(), "12th");
}

TEST_F(Holidays, ARecurringHolidayIsAddedFromTheFirstDayAndEditedWithItsDayFixed) {
    const bool changed = RunConfig<TfmPublicHolidaysRecurringConfig>([&](QDialog& shown) {
        EXPECT_EQ(ColumnTexts(shown, 0), std::vector<std::string>{"December"});
        driver.Expect([this](QDialog& entry) {
            EXPECT_EQ(ComboNamed(entry, "cmbHolidayMonth")->currentText(), "January");
            EXPECT_EQ(ComboNamed(entry, "cmbHolidayDay")->currentText(), "1st");
            ComboNamed(entry, "cmbHolidayMonth")->setCurrentIndex(1);
            ComboNamed(entry, "cmbHolidayDay")->setCurrentIndex(28);
            SaveRefused(entry, "You must provide a value for the \"Description\" field");
            EditNamed(entry, "edtDescription")->setText("Leap Day");
            Press(entry, "btnSave");
            return mrNone;
        });
        PressFrameButton(shown, "btnAdd");
        EXPECT_EQ(ColumnTexts(shown, 0), (std::vector<std::string>{"February", "December"}));
        EXPECT_EQ(ColumnTexts(shown, 1), (std::vector<std::string>{"29th", "25th"}));

        driver.Expect([](QDialog& entry) {
            EXPECT_FALSE(ComboNamed(entry, "cmbHolidayMonth")->isEnabled());
            EXPECT_FALSE(ComboNamed(entry, "cmbHolidayDay")->isEnabled());
            EXPECT_EQ(ComboNamed(entry, "cmbHolidayMonth")->currentText(), "February");
            EXPECT_EQ(ComboNamed(entry, "cmbHolidayDay")->currentText(), "29th");
            EXPECT_EQ(ComboNamed(entry, "cmbHolidayDay")->count(), 29);
            EditNamed(entry, "edtDescription")->setText("Leap Year Day");
            Press(entry, "btnSave");
            return mrNone;
        });
        ConfirmEdit();
        PressOnRow(shown, 0, "btnEdit");
    });
    EXPECT_TRUE(changed);
    TTovObjectList& holidays = *Configuration()->RecurringPublicHolidayList;
    auto& leapDay = static_cast<TMorvaneRecurringPublicHoliday&>(*holidays.PeekFirst());
    EXPECT_EQ(leapDay.Month, 2);
    EXPECT_EQ(leapDay.Day, 29);
    EXPECT_EQ(leapDay.Description, "Leap Year Day");
}

TEST_F(Holidays, ASecondHolidayOnAListedDayIsRefusedAndChangesNothing) {
    const bool recurringChanged = RunConfig<TfmPublicHolidaysRecurringConfig>([&](QDialog& shown) {
        driver.Expect([](QDialog& entry) {
            ComboNamed(entry, "cmbHolidayMonth")->setCurrentIndex(11);
            ComboNamed(entry, "cmbHolidayDay")->setCurrentIndex(24);
            EditNamed(entry, "edtDescription")->setText("Christmas again");
            Press(entry, "btnSave");
            return mrNone;
        });
        ExpectError(Duplicate);
        PressFrameButton(shown, "btnAdd");
    });
    EXPECT_FALSE(recurringChanged);
    EXPECT_EQ(Configuration()->RecurringPublicHolidayList->Count(), 1);

    // Once-off: a new holiday is offered today; the date of a listed one cannot be changed.
    const bool onceOffChanged = RunConfig<TfmPublicHolidaysConfig>([&](QDialog& shown) {
        driver.Expect([](QDialog& entry) {
            EXPECT_EQ(entry.findChild<TDatePicker*>("edtHolidayDate")->Date(), test::BookToday);
            entry.findChild<TDatePicker*>("edtHolidayDate")->SetDate(EncodeDate(2025, 4, 18));
            EditNamed(entry, "edtDescription")->setText("Good Friday again");
            Press(entry, "btnSave");
            return mrNone;
        });
        ExpectError(Duplicate);
        PressFrameButton(shown, "btnAdd");
        driver.Expect([](QDialog& entry) {
            EXPECT_FALSE(entry.findChild<TDatePicker*>("edtHolidayDate")->isEnabled());
            Press(entry, "btnCancel");
            return mrNone;
        });
        ConfirmEdit();
        PressOnRow(shown, 0, "btnEdit");
        EXPECT_EQ(ColumnTexts(shown, 0), std::vector<std::string>{"18/04/2025"});
    });
    EXPECT_FALSE(onceOffChanged);
    EXPECT_EQ(Configuration()->PublicHolidayList->Count(), 1);
}

} // namespace
} // namespace duebell
