// TDatePicker: the date field of the dialogs. A QDateEdit showing "dd/mm/yyyy" with a calendar
// that drops down under it, read and written as a day number (the loan book's dates count days
// since 30/12/1899). The empty date, day 0, shows as a blank field and reads back as 0, so a
// picker bound to a record without a date (or a hidden one) keeps it empty.
//
// Digits and month names come from the C locale, never from the user's settings.
#pragma once

#include <QDateEdit>
#include <functional>

namespace duebell {

class TDatePicker : public QDateEdit {
    Q_OBJECT
    Q_PROPERTY(double Date READ Date WRITE SetDate)

public:
    explicit TDatePicker(QWidget* parent = nullptr);

    // The day shown; 0 while the field is blank.
    double Date() const;
    // The whole day of a day number (the time of day is dropped); 0, or any day before
    // 31/12/1899, blanks the field.
    void SetDate(double day);

    // Every change of the date, typed, picked or set; silent while the picker's signals are
    // blocked (QSignalBlocker), so programmatic fills can stay quiet.
    std::function<void()> OnChange;

    // Drops the calendar down, as a click on the arrow does; nothing while read-only.
    void DropDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // F4 and Alt+Down drop the calendar down.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void WatchCalendar();
};

// Day numbers and calendar dates; an invalid date is day 0.
double DayNumberOf(const QDate& date);
QDate DateOfDayNumber(double day);

} // namespace duebell
