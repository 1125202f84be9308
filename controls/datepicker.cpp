#include "controls/datepicker.h"

#include "controls/uihooks.h"
#include "objectlist/clock.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <cmath>

namespace duebell {

namespace {

// Day 0 of the loan book; the picker's minimum, shown as the blank field.
const QDate DayZero(1899, 12, 30);

} // namespace

double DayNumberOf(const QDate& date) {
    return date.isValid() ? static_cast<double>(DayZero.daysTo(date)) : 0.0;
}

QDate DateOfDayNumber(double day) {
    return DayZero.addDays(static_cast<qint64>(std::floor(day)));
}

TDatePicker::TDatePicker(QWidget* parent) : QDateEdit(parent) {
    setLocale(QLocale::c());
    setDisplayFormat("dd/MM/yyyy");
    setCalendarPopup(true);
    // The minimum is day 0, which shows the special text: a blank field.
    setMinimumDate(DayZero);
    setSpecialValueText(" ");
    setDate(DayZero);
    WatchCalendar();
    connect(this, &QDateEdit::dateChanged, this, [this] {
        GuardEvent([this] {
            if (OnChange)
                OnChange();
        });
    });
}

double TDatePicker::Date() const {
    return DayNumberOf(date());
}

void TDatePicker::SetDate(double day) {
    setDate(day < 1 || !std::isfinite(day) ? DayZero : DateOfDayNumber(day));
}

void TDatePicker::WatchCalendar() {
    QCalendarWidget* calendar = calendarWidget();
    calendar->setLocale(QLocale::c());
    calendar->window()->installEventFilter(this);
}

void TDatePicker::DropDown() {
    if (isReadOnly() || !calendarPopup())
        return;
    // Qt opens the calendar only from a press on the arrow, so press it.
    QStyleOptionComboBox arrow;
    arrow.initFrom(this);
    arrow.editable = true;
    arrow.subControls = QStyle::SC_All;
    const QPoint at =
        style()
            ->subControlRect(QStyle::CC_ComboBox, &arrow, QStyle::SC_ComboBoxArrow, this)
            .center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
}

void TDatePicker::keyPressEvent(QKeyEvent* event) {
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if (f4 || altDown) {
        GuardEvent([this] { DropDown(); });
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

bool TDatePicker::eventFilter(QObject* watched, QEvent* event) {
    // A blank field would open the calendar on December 1899: open it on today's month.
    if (event->type() == QEvent::Show && watched == calendarWidget()->window() && Date() == 0) {
        GuardEvent([this] {
            const QDate today = DateOfDayNumber(duebell::Date());
            calendarWidget()->setCurrentPage(today.year(), today.month());
        });
    }
    return QDateEdit::eventFilter(watched, event);
}

} // namespace duebell
