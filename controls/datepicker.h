// TDatePicker: the date field of the dialogs. A QDateEdit showing "dd/mm/yyyy" with a calendar
// that drops down under it, read and written as a day number (the loan book's dates count days
// since 30/12/1899). The empty date, day 0, shows as a blank field and reads back as 0, so a
// picker bound to a record without a date (or a hidden one) keeps it empty.
//
// Digits and month names come from the C locale, never from the user's settings.
//
// Typing is plain text, not Qt's section editing (which keeps the sections a typed date does
// not reach): the first key typed after the field is entered or clicked replaces the whole
// text, "d/m/yyyy" with one or two digits for day and month, or "ddmmyyyy", is taken once it is
// a real date, and an empty field is the empty date. A text that is no date is refused when
// the field is left (the message names the field; the focus goes back, the date stays as it
// was); Enter leaves it for the dialog's Save, which refuses it through ValidateDate.
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

    // The check a dialog makes before it saves: raises the field's message for a text that is
    // no date, with the field focused.
    void ValidateDate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The calendar is made on the first press rather than with the field: a window with many
    // date fields opens without making calendars nobody drops down.
    void mousePressEvent(QMouseEvent* event) override;
    // F4 and Alt+Down drop the calendar down; the first typed key replaces the text.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
    // Nothing: the date-time edit would make 31/02 the last day of February.
    void fixup(QString& input) const override;
    // Tab leaves the field, as the text is typed whole rather than section by section.
    bool focusNextPrevChild(bool next) override;

private:
    // Sets the calendar's locale and watches it being shown; once for each calendar, whoever
    // made it.
    void WatchCalendar();
    // Whether the text is a date the field takes (or empty).
    bool TextIsDate() const;
    [[noreturn]] void RefuseText();

    // Set on entering or clicking the field: the next typed key starts the text afresh.
    bool freshTyping_ = false;
    QWidget* watchedCalendar_ = nullptr; // the calendar's pop-up window, once watched
};

// Day numbers and calendar dates; an invalid date is day 0.
double DayNumberOf(const QDate& date);
QDate DateOfDayNumber(double day);

} // namespace duebell
