#include "controls/exspinedit.h"

#include "controls/fieldname.h"
#include "controls/focusexit.h"
#include "controls/rangeerror.h"
#include "controls/uihooks.h"

#include <QKeyEvent>
#include <QPointer>

namespace duebell {

TExSpinEdit::TExSpinEdit(QWidget* parent) : QLineEdit(parent) {
    setText("0");
    setMinimumHeight(QFontMetrics(font()).height() + 4 + 1);
    // Typing, pasting and undoing; the field's own writes report their change themselves.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!writing_)
            GuardEvent([this] { Change(); });
    });
    SetButtonKind(bkDiagonal);
}

void TExSpinEdit::ValidateValue() {
    if (rules_.Holds(text().toStdString()))
        return;
    selectAll();
    if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
        setFocus(Qt::OtherFocusReason);
    throw ERangeError(FieldMessage(*this, rules_.RangeMessage()));
}

void TExSpinEdit::SetValue(double value) {
    SetText(QString::fromStdString(rules_.TextOf(value)));
}

void TExSpinEdit::SetText(const QString& text) {
    if (WriteText(text))
        Change();
}

bool TExSpinEdit::WriteText(const QString& text) {
    if (text == this->text())
        return false;
    writing_ = true; // its textChanged is no typing
    setText(text);
    writing_ = false;
    return true;
}

void TExSpinEdit::Change() {
    if (signalsBlocked())
        return;
    QPointer<TExSpinEdit> alive(this);
    emit Changed();
    if (alive && OnChange)
        OnChange();
}

void TExSpinEdit::SetDecimal(int decimals) {
    const double value = GetValue();
    rules_.Decimal = decimals;
    SetValue(value);
}

void TExSpinEdit::SetValueType(int type) {
    const double value = GetValue();
    rules_.SetValueType(static_cast<TValueType>(type));
    SetValue(value);
}

void TExSpinEdit::SetButtonKind(TSpinButtonKind kind) {
    buttonKind_ = kind;
    if (button_ != nullptr) {
        // The old button may be inside its own press (a click handler swapping the kind): it
        // goes once that is over, and hears nothing more.
        button_->CancelPress();
        button_->OnTopClick = nullptr;
        button_->OnBottomClick = nullptr;
        button_->hide();
        button_->deleteLater();
    }
    if (kind == bkDiagonal)
        button_ = new TExSpinButton(this);
    else
        button_ = new TExUpDown(this);
    button_->SetFocusControl(this);
    button_->OnTopClick = [this] { UpClick(); };
    button_->OnBottomClick = [this] { DownClick(); };
    button_->show();
    LayoutButton();
}

void TExSpinEdit::Step(double by, const std::function<void()>& after) {
    if (isReadOnly()) {
        MessageBeep();
        return;
    }
    QPointer<TExSpinEdit> alive(this);
    if (WriteText(QString::fromStdString(rules_.TextOf(GetValue() + by)))) {
        setModified(true);
        Change();
    }
    // The change handler may have closed the field's window.
    if (alive && after)
        after();
}

void TExSpinEdit::UpClick() {
    Step(Increment(), OnTopClick);
}

void TExSpinEdit::DownClick() {
    Step(-Increment(), OnBottomClick);
}

bool TExSpinEdit::IsValidChar(char key) const {
    return rules_.IsValidChar(key, text().toUpper().toStdString(), editorEnabled_);
}

void TExSpinEdit::keyPressEvent(QKeyEvent* event) {
    bool consumed = false;
    GuardEvent([&] {
        if (arrowKeys_ && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
            (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
                0) {
            if (event->key() == Qt::Key_Up)
                UpClick();
            else
                DownClick();
            consumed = true;
            return;
        }
        // A typed character the value type does not allow is refused with a beep and, in a
        // field that takes typing, a message: a key left out silently would record a number
        // other than the one typed ("2.5" as 25).
        const QString typed = event->text();
        if (typed.size() == 1 && typed[0].unicode() >= 32 &&
            (event->modifiers() & Qt::ControlModifier) == 0) {
            const char16_t ch = typed[0].unicode();
            if (ch > 127 || !IsValidChar(static_cast<char>(ch))) {
                MessageBeep();
                consumed = true;
                if (editorEnabled_ && !isReadOnly())
                    throw Exception(FieldMessage(*this, "\"" + typed.toStdString() +
                                                            "\" cannot be typed here. " +
                                                            rules_.RangeMessage()));
            }
        } else if (event->key() == Qt::Key_Backspace && !IsValidChar('\b')) {
            MessageBeep();
            consumed = true;
        }
    });
    if (consumed)
        event->accept();
    else
        QLineEdit::keyPressEvent(event);
}

void TExSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A field that lost the focus (another window came up) keeps no spin button held.
    if (button_ != nullptr)
        button_->CancelPress();
    if (!IsFocusExit(*event) || signalsBlocked())
        return;
    GuardEvent([this] {
        QPointer<TExSpinEdit> alive(this);
        emit Exited();
        if (alive && OnExit)
            OnExit();
    });
}

void TExSpinEdit::LayoutButton() {
    if (button_ == nullptr)
        return;
    const int frame = hasFrame() ? 2 : 0;
    const int h = std::max(height() - 2 * frame, 1);
    const int w = buttonKind_ == bkDiagonal ? std::min(h, 20) : button_->width();
    button_->setGeometry(width() - frame - w, frame, w, h);
    setTextMargins(0, 0, w + 2, 0);
}

void TExSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    LayoutButton();
}

void TExSpinEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setMinimumHeight(QFontMetrics(font()).height() + 4 + 1);
    else if (event->type() == QEvent::EnabledChange && button_ != nullptr)
        button_->setEnabled(isEnabled());
}

} // namespace duebell
