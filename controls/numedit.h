// TCustomNumEdit: the numeric field with a calculator drop-down; TCurrencyEdit: the amount
// field of every record dialog, the same without the button. Value is a number shown through a
// display format while the field is not being edited; while it is, the edit text shows the
// plain number and typing may only keep it a valid number within the decimals and the sign the
// range allows; a key it refuses beeps and raises the field's message, naming the field by its
// label and the range. A value set is clamped to the range (see NumEditRules); a typed one is
// checked when the field is left and refused when the range would change it.
#pragma once

#include "controls/comboedit.h"
#include "controls/exspeedbutton.h"
#include "controls/numeditrules.h"

#include <optional>

namespace duebell {

class TPopupCalculator;

class TCustomNumEdit : public TCustomComboEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ GetValue WRITE SetValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int DecimalPlaces READ DecimalPlaces WRITE SetDecimalPlaces)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
    Q_PROPERTY(bool BeepOnError READ BeepOnError WRITE SetBeepOnError)
    Q_PROPERTY(bool CheckOnExit READ CheckOnExit WRITE SetCheckOnExit)
    Q_PROPERTY(bool ZeroEmpty READ ZeroEmpty WRITE SetZeroEmpty)
    Q_PROPERTY(bool FormatOnEditing READ FormatOnEditing WRITE SetFormatOnEditing)

public:
    explicit TCustomNumEdit(QWidget* parent = nullptr);

    // Reads the edit text first; text that is no number gives MinValue. After a failed check
    // (ValidateValue, or CheckOnExit on leaving) raises that check's error again instead, as
    // long as the text is the one that failed: never a silently clamped value.
    double GetValue();
    // The check a dialog makes before it saves, whatever CheckOnExit says: EConvertError for
    // text that is no number, ERangeError "Value must be between <min> and <max>" for a
    // number the range would change. A failed check selects the text and focuses the field.
    void ValidateValue();
    // Clamped to the range, then shown.
    void SetValue(double value);
    // Value truncated toward zero.
    long long GetAsInteger() { return static_cast<long long>(GetValue()); }
    double MinValue() const { return rules_.MinValue; }
    void SetMinValue(double value);
    double MaxValue() const { return rules_.MaxValue; }
    void SetMaxValue(double value);
    int DecimalPlaces() const { return rules_.DecimalPlaces; }
    void SetDecimalPlaces(int places);
    QString DisplayFormat() const { return QString::fromStdString(rules_.DisplayFormat); }
    void SetDisplayFormat(const QString& format);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool on);
    bool CheckOnExit() const { return checkOnExit_; }
    void SetCheckOnExit(bool on) { checkOnExit_ = on; }
    bool ZeroEmpty() const { return rules_.ZeroEmpty; }
    void SetZeroEmpty(bool on);
    bool FormatOnEditing() const { return formatOnEditing_; }
    void SetFormatOnEditing(bool on);
    bool Editing() const { return editing_; }
    TPopupCalculator* Calculator() const { return calculator_; }

    // The Text setter: the text's number, clamped, becomes Value; EConvertError for text that
    // is no number.
    void SetText(const QString& text) override;
    // What the field shows while it is not being edited.
    QString DisplayText() const;
    // The edit text from Value, all of it selected.
    void Reset();
    // Pastes the clipboard's number (an amount as the program prints one, "$1,234.50", is
    // pasted as 1234.50). A paste that would leave no number the field may hold while typing
    // is refused as a typed key is: the text stays, a beep, and the field's message.
    void Paste();

    // The focus moved on to another control of the window and the exit checks passed (the
    // Exited signal, then OnExit; neither while the field's signals are blocked). A handler
    // may close (delete) the field's window.
    std::function<void()> OnExit;

signals:
    // The field was left for another control of its window, as OnExit hears it.
    void Exited();

protected:
    virtual std::string GetDefaultDisplayFormat() const { return DefaultNumberDisplayFormat(); }
    // The edit text from Value.
    virtual void UpdateDisplayText();
    virtual std::string FormatDisplayText() const { return rules_.DisplayText(value_); }
    // The calculator takes the precision and the beep setting.
    virtual void UpdatePopup();
    // Value from the edit text; raises EConvertError for text that is no number.
    void StoreTextValue();
    // With CheckOnExit, a text outside the range raises ERangeError.
    void CheckRangeOnExit();
    // The text as a number within the range, or the error; remembered as failed.
    void CheckText();
    void ReformatEditText();
    // Resets the display format to the class's own default.
    void UseDefaultDisplayFormat();

    void Change() override;
    void PreparePopup() override;
    void AcceptValue(const QVariant& value) override;
    void PopupKeyPress(QKeyEvent* event) override;
    QImage DefaultGlyph() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The exit notification.
    void Exit();
    void SetEditText(const std::string& text);
    void ApplyEditAlignment();

    NumEditRules rules_;
    double value_ = 0;
    TAlignment alignment_ = taRightJustify;
    bool beepOnError_ = true;
    // On unless a form turns it off: a typed number the range would change is refused, never
    // recorded changed.
    bool checkOnExit_ = true;
    bool formatOnEditing_ = false;
    bool editing_ = false;
    bool reformatting_ = false;
    TPopupCalculator* calculator_;
    // The text whose check failed, while the field still shows it.
    std::optional<QString> failedText_;
};

class TCurrencyEdit : public TCustomNumEdit {
    Q_OBJECT
public:
    explicit TCurrencyEdit(QWidget* parent = nullptr);

protected:
    std::string GetDefaultDisplayFormat() const override { return DefaultCurrencyDisplayFormat(); }
};

} // namespace duebell
