#include "controls/popupcalculator.h"

#include "controls/uihooks.h"

namespace duebell {

TPopupCalculator::TPopupCalculator(TCustomComboEdit* editor)
    : TPopupWindow(editor), calculator_(new TLocCalculator(this)) {
    setFrameStyle(QFrame::NoFrame);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    resize(104, 127);
    calculator_->setGeometry(rect());
    calculator_->Engine().OnOk = [this] { CloseUp(true); };
    calculator_->Engine().OnCancel = [this] { CloseUp(false); };
}

QVariant TPopupCalculator::GetValue() const {
    const CalculatorEngine& engine = calculator_->Engine();
    if (engine.Status() == csError) {
        if (engine.BeepOnError)
            MessageBeep();
        return {};
    }
    return engine.DisplayValue();
}

void TPopupCalculator::SetValue(const QVariant& value) {
    calculator_->Engine().SetValue(value.isValid() ? value.toDouble() : 0);
}

QString TPopupCalculator::GetPopupText() const {
    return QString::fromStdString(calculator_->Engine().DisplayText());
}

} // namespace duebell
