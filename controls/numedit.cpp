#include "controls/numedit.h"

#include "controls/editbutton.h"
#include "controls/fieldname.h"
#include "controls/focusexit.h"
#include "controls/popupcalculator.h"
#include "controls/rangeerror.h"
#include "controls/uihooks.h"
#include "objectlist/exceptions.h"
#include "objectlist/formatsettings.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFrame>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <string_view>

namespace duebell {

namespace {

constexpr char Decimal = FormatSettings::DecimalSeparator;
constexpr char Thousands = FormatSettings::ThousandSeparator;

// Sets a flag of a field for the length of a scope, however the scope ends; a field that a
// change handler deleted meanwhile is left alone.
class Lock {
public:
    Lock(QObject* owner, bool& flag) : owner_(owner), flag_(flag), old_(flag) { flag_ = true; }
    ~Lock() {
        if (owner_)
            flag_ = old_;
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    QPointer<QObject> owner_;
    bool& flag_;
    bool old_;
};

Qt::Alignment ToQtAlignment(TAlignment a) {
    return a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
}

// The little calculator on the button.
QImage CalculatorGlyph() {
    QImage image(11, 13, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(0, 0, 10, 12);
    p.fillRect(2, 2, 7, 3, Qt::white);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.fillRect(2 + col * 3, 6 + row * 2, 1, 1, Qt::black);
    return image;
}

} // namespace

TCustomNumEdit::TCustomNumEdit(QWidget* parent)
    : TCustomComboEdit(parent), calculator_(new TPopupCalculator(this)) {
    SetPopup(calculator_);
    UseDefaultDisplayFormat();
    ApplyEditAlignment();
    UpdateDisplayText();
    SetButtonWidth(20);
    SetGlyphKind(gkDefault);
    Button()->setAccessibleName(QStringLiteral("Calculator"));
    UpdatePopup();
}

void TCustomNumEdit::UseDefaultDisplayFormat() {
    rules_.DisplayFormat = GetDefaultDisplayFormat();
    update();
}

void TCustomNumEdit::SetEditText(const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (t == this->text())
        return;
    Lock lock(this, reformatting_);
    setText(t);
    Change();
}

void TCustomNumEdit::UpdateDisplayText() {
    SetEditText(rules_.EditText(value_));
}

QString TCustomNumEdit::DisplayText() const {
    return QString::fromStdString(FormatDisplayText());
}

void TCustomNumEdit::StoreTextValue() {
    value_ = rules_.ClampToRange(NumEditRules::TextValue(text().toStdString()), false);
}

void TCustomNumEdit::CheckRangeOnExit() {
    if (checkOnExit_)
        CheckText();
}

void TCustomNumEdit::CheckText() {
    try {
        rules_.ClampToRange(NumEditRules::TextValue(text().toStdString()), true);
    } catch (const ERangeError& e) {
        failedText_ = text();
        throw ERangeError(FieldMessage(*this, e.what()));
    } catch (const Exception&) {
        failedText_ = text();
        throw;
    }
    failedText_.reset();
}

void TCustomNumEdit::ValidateValue() {
    try {
        CheckText();
    } catch (const Exception&) {
        selectAll();
        if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
            setFocus(Qt::OtherFocusReason);
        throw;
    }
}

double TCustomNumEdit::GetValue() {
    if (failedText_ && *failedText_ == text())
        CheckText();
    failedText_.reset();
    try {
        StoreTextValue();
    } catch (const Exception&) {
        value_ = rules_.MinValue;
    }
    return value_;
}

void TCustomNumEdit::SetValue(double value) {
    value_ = rules_.ClampToRange(value, false);
    update();
    UpdateDisplayText();
}

void TCustomNumEdit::SetText(const QString& text) {
    value_ = rules_.ClampToRange(NumEditRules::TextValue(text.toStdString()), false);
    update();
    UpdateDisplayText();
}

void TCustomNumEdit::SetMinValue(double value) {
    if (value == rules_.MinValue)
        return;
    rules_.MinValue = value;
    SetValue(value_);
}

void TCustomNumEdit::SetMaxValue(double value) {
    if (value == rules_.MaxValue)
        return;
    rules_.MaxValue = value;
    SetValue(value_);
}

void TCustomNumEdit::SetDecimalPlaces(int places) {
    if (places == rules_.DecimalPlaces)
        return;
    rules_.DecimalPlaces = places;
    UpdateDisplayText();
    update();
}

void TCustomNumEdit::SetDisplayFormat(const QString& format) {
    if (format.toStdString() == rules_.DisplayFormat)
        return;
    rules_.DisplayFormat = format.toStdString();
    UpdateDisplayText();
    update();
}

void TCustomNumEdit::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    ApplyEditAlignment();
    update();
}

void TCustomNumEdit::SetBeepOnError(bool on) {
    beepOnError_ = on;
    UpdatePopup();
}

void TCustomNumEdit::SetZeroEmpty(bool on) {
    rules_.ZeroEmpty = on;
    UpdateDisplayText();
    update();
}

void TCustomNumEdit::SetFormatOnEditing(bool on) {
    formatOnEditing_ = on;
    ApplyEditAlignment();
    if (!editing_)
        return;
    if (on) {
        ReformatEditText();
    } else {
        StoreTextValue();
        UpdateDisplayText();
    }
}

void TCustomNumEdit::ApplyEditAlignment() {
    setAlignment(formatOnEditing_ ? ToQtAlignment(alignment_) : Qt::AlignLeft);
}

void TCustomNumEdit::UpdatePopup() {
    calculator_->Calculator()->Engine().SetPrecision(15);
    calculator_->Calculator()->Engine().BeepOnError = beepOnError_;
}

void TCustomNumEdit::Reset() {
    UpdateDisplayText();
    selectAll();
}

void TCustomNumEdit::ReformatEditText() {
    const std::string s = text().toStdString();
    if (s.empty() || s == "-")
        return;
    Lock lock(this, reformatting_);
    const std::string formatted = NumEditRules::FormatNumberText(
        NumEditRules::NormalizeNumberText(s), rules_.DisplayFormat.find(',') != std::string::npos);
    if (formatted == s)
        return;
    const int grown = static_cast<int>(formatted.size()) - static_cast<int>(s.size());
    const int caret = cursorPosition();
    setText(QString::fromStdString(formatted));
    if (hasFocus())
        setCursorPosition(std::clamp(caret + grown, 0, static_cast<int>(formatted.size())));
}

void TCustomNumEdit::Change() {
    if (!reformatting_ && formatOnEditing_ && editing_)
        ReformatEditText();
    TCustomComboEdit::Change();
}

void TCustomNumEdit::Paste() {
    if (isReadOnly())
        return;
    const std::string pasted = ClipboardText();
    const std::string number = NumEditRules::PastedNumber(pasted);
    std::string result = text().toStdString();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    result.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), number);
    if (!rules_.IsValidText(result)) {
        // Refused as a typed key is: the text stays as it was, and the user is told why.
        selectAll();
        if (beepOnError_)
            MessageBeep();
        throw Exception(FieldMessage(*this, "\"" + pasted + "\" cannot be pasted here. " +
                                                rules_.RangeMessage()));
    }
    QPointer<TCustomNumEdit> alive(this);
    insert(QString::fromStdString(number));
    Change();
    if (alive)
        StoreTextValue();
}

void TCustomNumEdit::PreparePopup() {
    // The calculator starts from the number in the field as typed, unclamped.
    QVariant value;
    try {
        if (!text().isEmpty())
            value = NumEditRules::TextValue(text().toStdString());
    } catch (const Exception&) {
    }
    SetPopupValue(value);
}

void TCustomNumEdit::AcceptValue(const QVariant& value) {
    if (!value.isValid())
        return;
    QPointer<TCustomNumEdit> alive(this);
    SetValue(value.toDouble());
    if (alive)
        setModified(true);
}

void TCustomNumEdit::PopupKeyPress(QKeyEvent* event) {
    const QString typed = event->text().toUpper();
    bool toCalculator = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Return ||
                        event->key() == Qt::Key_Enter;
    if (typed.size() == 1 && typed[0].unicode() < 128) {
        const char c = static_cast<char>(typed[0].unicode());
        toCalculator =
            toCalculator ||
            ((std::isdigit(static_cast<unsigned char>(c)) ||
              std::string_view("%*+,-./=CQR_").find(c) != std::string_view::npos || c == Decimal) &&
             c != Thousands);
    }
    if (toCalculator) {
        calculator_->Calculator()->KeyPress(event);
        event->accept();
        return;
    }
    TCustomComboEdit::PopupKeyPress(event);
}

QImage TCustomNumEdit::DefaultGlyph() const {
    static const QImage glyph = CalculatorGlyph();
    return glyph;
}

void TCustomNumEdit::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    GuardEvent([&] {
        if (event->matches(QKeySequence::Paste)) {
            handled = true; // also when refused: the line edit's own paste must not run
            Paste();
            return;
        }
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
            !PopupVisible()) {
            Reset();
            handled = true;
            return;
        }
        const QString typed = event->text();
        if (typed.size() != 1 || typed[0].unicode() < 32 ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return;
        char key = typed[0].unicode() < 128 ? static_cast<char>(typed[0].unicode()) : '\x7f';
        if ((key == '.' || key == ',') && key != Thousands)
            key = Decimal;
        const std::string current = text().toStdString();
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
        if (!rules_.IsValidKey(key, current, start, length)) {
            if (beepOnError_)
                MessageBeep();
            handled = true;
            // A key left out silently would record a number other than the one typed.
            throw Exception(FieldMessage(*this, "\"" + typed.toStdString() +
                                                    "\" cannot be typed here. " +
                                                    rules_.RangeMessage()));
        }
        if (key != typed[0].unicode()) {
            insert(QString(QChar(key)));
            Change();
            handled = true;
        }
    });
    if (handled)
        event->accept();
    else
        TCustomComboEdit::keyPressEvent(event);
}

void TCustomNumEdit::focusInEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason && !editing_) {
        editing_ = true;
        GuardEvent([this] {
            UpdateDisplayText();
            if (formatOnEditing_)
                ReformatEditText();
        });
        update();
    }
    TCustomComboEdit::focusInEvent(event);
}

void TCustomNumEdit::focusOutEvent(QFocusEvent* event) {
    TCustomComboEdit::focusOutEvent(event);
    // The calculator taking the keyboard, or another window coming up, is no exit.
    if (!IsFocusExit(*event))
        return;
    if (!editing_) {
        Exit();
        return;
    }
    bool failed = false;
    GuardEvent([&] {
        try {
            CheckRangeOnExit();
            StoreTextValue();
        } catch (...) {
            // The field keeps the focus with its text selected, and the error is shown.
            failed = true;
            selectAll();
            QTimer::singleShot(0, this, [this] {
                if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
                    setFocus(Qt::OtherFocusReason);
            });
            throw;
        }
    });
    if (failed)
        return;
    editing_ = false;
    GuardEvent([this] { UpdateDisplayText(); });
    setCursorPosition(0);
    update();
    Exit();
}

void TCustomNumEdit::Exit() {
    if (signalsBlocked())
        return;
    GuardEvent([this] {
        QPointer<TCustomNumEdit> alive(this);
        emit Exited();
        if (alive && OnExit)
            OnExit();
    });
}

void TCustomNumEdit::paintEvent(QPaintEvent* event) {
    if (editing_ && !PopupVisible()) {
        TCustomComboEdit::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    const QString shown = PopupVisible() ? Popup()->GetPopupText() : DisplayText();
    PaintFieldText(p, shown, ToQtAlignment(alignment_));
}

void TCustomNumEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions())
        if (action->objectName() == "edit-paste") {
            action->disconnect();
            connect(action, &QAction::triggered, this, [this] { GuardEvent([this] { Paste(); }); });
        }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

TCurrencyEdit::TCurrencyEdit(QWidget* parent) : TCustomNumEdit(parent) {
    UseDefaultDisplayFormat();
    SetButtonWidth(0);
}

} // namespace duebell
