// TExSpinEdit: the whole-number field of the dialogs (notice periods, terms, label counts): an
// edit with a spin button at its side that steps Value by Increment, arrow-key stepping, a
// character filter by value type, and a range applied when Value is written (reading it never
// clamps). A key the filter refuses beeps and raises the field's message, naming the field by
// its label and what it holds; a typed text it cannot hold is refused by ValidateValue, which
// every command that reads the field asks first. The text is never changed behind the user.
#pragma once

#include "controls/exspinbutton.h"
#include "controls/spinvalue.h"

#include <QLineEdit>
#include <functional>

namespace duebell {

enum TSpinButtonKind { bkStandard, bkDiagonal };

class TExSpinEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ GetValue WRITE SetValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(double Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int Decimal READ Decimal WRITE SetDecimal)
    Q_PROPERTY(int ValueType READ ValueType WRITE SetValueType)
    Q_PROPERTY(bool ArrowKeys READ ArrowKeys WRITE SetArrowKeys)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(QString Text READ text WRITE SetText)

public:
    explicit TExSpinEdit(QWidget* parent = nullptr);

    // The text read by value type; text that is no number gives MinValue.
    double GetValue() const { return rules_.ValueOf(text().toStdString()); }
    // The check a dialog makes before it reads the field: a text that is no number of the
    // value type, or one outside the range (or beyond an int), raises "Value must be a whole
    // number between <min> and <max>" naming the field, with the text selected and the field
    // focused.
    void ValidateValue();
    // Clamped to the range, then written as text.
    void SetValue(double value);
    // A changed text fires one change notification.
    void SetText(const QString& text);
    double MinValue() const { return rules_.MinValue; }
    void SetMinValue(double value) { rules_.MinValue = value; }
    double MaxValue() const { return rules_.MaxValue; }
    void SetMaxValue(double value) { rules_.MaxValue = value; }
    double Increment() const { return rules_.Increment(); }
    void SetIncrement(double increment) { rules_.SetIncrement(increment); }
    int Decimal() const { return rules_.Decimal; }
    void SetDecimal(int decimals);
    int ValueType() const { return rules_.ValueType(); }
    void SetValueType(int type);
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool on) { arrowKeys_ = on; }
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool on) { editorEnabled_ = on; }
    TSpinButtonKind ButtonKind() const { return buttonKind_; }
    void SetButtonKind(TSpinButtonKind kind);
    TSpinButtonBase* Button() const { return button_; }

    // One step up (down): beeps on a read-only field; otherwise one OnChange when the text
    // changed, then OnTopClick (OnBottomClick).
    virtual void UpClick();
    virtual void DownClick();

    // The change notification, beside the Changed signal; a handler may close (delete) the
    // field's window.
    std::function<void()> OnChange;
    // The focus moved on to another control of the window (the Exited signal, then OnExit;
    // neither while the field's signals are blocked). A handler may close the field's window.
    std::function<void()> OnExit;
    // A handler may close (delete) the field's window or change ButtonKind.
    std::function<void()> OnTopClick;
    std::function<void()> OnBottomClick;

signals:
    // Every change of the text, as OnChange hears it. Slots must handle their own errors.
    void Changed();
    // The focus left the field for another control of its window, as OnExit hears it.
    void Exited();

protected:
    // The Changed signal, then OnChange; neither while the field's signals are blocked (the
    // fill lock). Typing and the spin button reach it through the event loop's guard, so
    // their errors go to the application's handler; SetValue, SetText and the step calls
    // raise them to their caller.
    void Change();
    virtual bool IsValidChar(char key) const;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Step(double by, const std::function<void()>& after);
    // Writes the text without the typing notification; true when it changed.
    bool WriteText(const QString& text);
    void LayoutButton();

    SpinValue rules_;
    TSpinButtonBase* button_ = nullptr;
    TSpinButtonKind buttonKind_ = bkDiagonal;
    bool arrowKeys_ = true;
    bool editorEnabled_ = true;
    bool writing_ = false;
};

} // namespace duebell
