// TCalculatorPanel: a pocket calculator of glyph speed buttons with a display and a memory
// mark, over CalculatorEngine. Two layouts: the dialog's with 36 x 22 buttons and every key,
// and the popup's (TLocCalculator) with 21 x 21 buttons for the digits, the four operators,
// sign, decimal point, percent, equals, backspace and clear. Keys without a button still work
// from the keyboard.
#pragma once

#include "controls/calculatorengine.h"
#include "controls/exspeedbutton.h"

#include <QFrame>
#include <QLabel>
#include <map>

namespace duebell {

// Button kinds: 1-10 the digits 0-9, then these.
enum TCalcButtonKind {
    cbSign = 11,
    cbDecimal,
    cbDivide,
    cbMultiply,
    cbSubtract,
    cbAdd,
    cbSqrt,
    cbPercent,
    cbReciprocal,
    cbEquals,
    cbBackspace,
    cbClear,
    cbMemoryAdd,
    cbMemoryStore,
    cbMemoryRecall,
    cbMemoryClear,
    cbOk,
    cbCancel
};

enum TCalcLayout { clDialog, clPopup };

class TCalcButton : public TExSpeedButton {
    Q_OBJECT
public:
    TCalcButton(int kind, QWidget* parent);
    int Kind() const { return kind_; }

private:
    int kind_;
};

class TCalculatorPanel : public QFrame {
    Q_OBJECT
public:
    explicit TCalculatorPanel(TCalcLayout layout = clDialog, QWidget* parent = nullptr);

    CalculatorEngine& Engine() { return engine_; }
    const CalculatorEngine& Engine() const { return engine_; }
    TCalcButton* Button(int kind) const;
    QLabel* Display() const { return display_; }
    QLabel* MemoryLabel() const { return memoryLabel_; }

    // A typed key: clicks its visible button, or goes to the engine. Ctrl+C copies the
    // display, Ctrl+V pastes a number.
    void KeyPress(QKeyEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ButtonClicked(int kind);
    void AddButton(int kind, int left, int top, int width, int height);

    CalculatorEngine engine_;
    QLabel* display_;
    QLabel* memoryLabel_;
    std::map<int, TCalcButton*> buttons_;
};

// The variant inside the popup: popup layout, raised outer bevel, 15 digits, no tab stop.
class TLocCalculator : public TCalculatorPanel {
    Q_OBJECT
public:
    explicit TLocCalculator(QWidget* parent = nullptr);
};

} // namespace duebell
