// TPopupCalculator: the drop-down of a numeric edit, a 104 x 127 calculator whose result
// becomes the edit's value. OK closes it accepting the value, Cancel without.
#pragma once

#include "controls/calculatorpanel.h"
#include "controls/popupwindow.h"

namespace duebell {

class TPopupCalculator : public TPopupWindow {
    Q_OBJECT
public:
    explicit TPopupCalculator(TCustomComboEdit* editor);

    TLocCalculator* Calculator() const { return calculator_; }
    // The display's number; in the error status a beep and no value.
    QVariant GetValue() const override;
    // Shows the number, 0 for no value.
    void SetValue(const QVariant& value) override;
    QString GetPopupText() const override;

private:
    TLocCalculator* calculator_;
};

} // namespace duebell
