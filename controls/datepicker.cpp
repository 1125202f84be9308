#include "controls/datepicker.h"

#include "controls/fieldname.h"
#include "controls/focusexit.h"
#include "controls/uihooks.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <cmath>

namespace duebell {

namespace {

// Day 0 of the loan book; the picker's minimum, shown as the blank field.
const QDate DayZero(1899, 12, 30);

// The date of a typed "d/m/yyyy" (day and month of one or two digits) or "ddmmyyyy" after day
// 0; an invalid date for any other text.
QDate TypedDate(const QString& text) {
    static const QRegularExpression whole(R"(^(\d{1,2})/(\d{1,2})/(\d{4})$|^(\d\d)(\d\d)(\d{4})$)");
    const QRegularExpressionMatch match = whole.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    const int at = match.hasCaptured(1) ? 1 : 4;
    const QDate date(match.captured(at + 2).toInt(), match.captured(at + 1).toInt(),
                     match.captured(at).toInt());
    return date.isValid() && date > DayZero ? date : QDate();
}

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
    lineEdit()->installEventFilter(this);
    // Moving the cursor into another section would make the date-time edit put the last whole
    // date back over a date still being typed: the text is plain text here.
    disconnect(lineEdit(), SIGNAL(cursorPositionChanged(int, int)), this,
               SLOT(_q_editorCursorPositionChanged(int, int)));
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
    if (calendar->window() == watchedCalendar_)
        return;
    calendar->setLocale(QLocale::c());
    watchedCalendar_ = calendar->window();
    watchedCalendar_->installEventFilter(this);
}

void TDatePicker::mousePressEvent(QMouseEvent* event) {
    if (calendarPopup() && !isReadOnly())
        GuardEvent([this] { WatchCalendar(); });
    QDateEdit::mousePressEvent(event);
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
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint() &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        if (freshTyping_ && !isReadOnly())
            lineEdit()->selectAll();
        freshTyping_ = false;
        // Into the text as typed: the date-time edit would jump between and select sections.
        QAbstractSpinBox::keyPressEvent(event);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !TextIsDate()) {
        event->ignore(); // the spin box would put the old date back
        return;
    }
    const int key = event->key();
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
        freshTyping_ = false;
    QDateEdit::keyPressEvent(event);
}

void TDatePicker::focusInEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason)
        freshTyping_ = true;
    // Coming back to a refused text, which the date-time edit would replace by the last date.
    const QString typed = lineEdit()->text();
    const bool refused = !TextIsDate();
    QDateEdit::focusInEvent(event);
    if (refused) {
        lineEdit()->setText(typed);
        lineEdit()->selectAll();
    }
}

void TDatePicker::focusOutEvent(QFocusEvent* event) {
    if (TextIsDate()) {
        QDateEdit::focusOutEvent(event);
        return;
    }
    // Not the spin box's leaving, which puts the old date back over the text: the field keeps
    // what was typed. Another window coming up (the message refusing this very text) leaves
    // it at that; leaving for another control of the window takes the focus back and refuses
    // it.
    QWidget::focusOutEvent(event);
    if (!IsFocusExit(*event))
        return;
    GuardEvent([this] {
        QTimer::singleShot(0, this, [this] {
            if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
                setFocus(Qt::OtherFocusReason);
        });
        RefuseText();
    });
}

void TDatePicker::ValidateDate() {
    if (TextIsDate())
        return;
    if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
        setFocus(Qt::OtherFocusReason);
    RefuseText();
}

void TDatePicker::RefuseText() {
    const QString typed = lineEdit()->text();
    lineEdit()->selectAll();
    throw Exception(
        FieldMessage(*this, "\"" + typed.toStdString() + "\" is not a date (dd/mm/yyyy)"));
}

bool TDatePicker::TextIsDate() const {
    QString text = lineEdit()->text();
    int pos = 0;
    return validate(text, pos) == QValidator::Acceptable;
}

QValidator::State TDatePicker::validate(QString& input, int&) const {
    const QString text = input.trimmed();
    if (text.isEmpty() || TypedDate(text).isValid())
        return QValidator::Acceptable;
    static const QRegularExpression partial(R"(^(\d{0,8}|\d{1,2}/\d{0,2}(/\d{0,4})?)$)");
    return partial.match(text).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

void TDatePicker::fixup(QString&) const {}

bool TDatePicker::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

QDateTime TDatePicker::dateTimeFromText(const QString& text) const {
    const QDate date = TypedDate(text);
    return (date.isValid() ? date : DayZero).startOfDay();
}

bool TDatePicker::eventFilter(QObject* watched, QEvent* event) {
    // A click into the text starts the typing afresh, as entering the field does.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        freshTyping_ = true;
    // A blank field would open the calendar on December 1899: open it on today's month.
    if (event->type() == QEvent::Show && watched == watchedCalendar_ && Date() == 0) {
        GuardEvent([this] {
            const QDate today = DateOfDayNumber(duebell::Date());
            calendarWidget()->setCurrentPage(today.year(), today.month());
        });
    }
    return QDateEdit::eventFilter(watched, event);
}

} // namespace duebell
