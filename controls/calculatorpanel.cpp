#include "controls/calculatorpanel.h"

#include "controls/tcolor.h"
#include "controls/uihooks.h"
#include "objectlist/formatsettings.h"

#include <QApplication>
#include <QKeyEvent>

namespace duebell {

namespace {

struct KindLook {
    const char* caption;
    TColor color;
};

KindLook LookOf(int kind) {
    static const char* digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    static const std::string decimal(1, FormatSettings::DecimalSeparator);
    if (kind >= 1 && kind <= 10)
        return {digits[kind - 1], clBtnText};
    switch (kind) {
    case cbSign:
        return {"\u00B1", clBtnText};
    case cbDecimal:
        return {decimal.c_str(), clBtnText};
    case cbDivide:
        return {"/", clPurple};
    case cbMultiply:
        return {"*", clPurple};
    case cbSubtract:
        return {"-", clPurple};
    case cbAdd:
        return {"+", clPurple};
    case cbSqrt:
        return {"sqrt", clNavy};
    case cbPercent:
        return {"%", clNavy};
    case cbReciprocal:
        return {"1/x", clNavy};
    case cbEquals:
        return {"=", clPurple};
    case cbBackspace:
        return {"<-", clMaroon};
    case cbClear:
        return {"C", clMaroon};
    case cbMemoryAdd:
        return {"MP", clNavy};
    case cbMemoryStore:
        return {"MS", clNavy};
    case cbMemoryRecall:
        return {"MR", clNavy};
    case cbMemoryClear:
        return {"MC", clNavy};
    case cbOk:
        return {"OK", clBtnText};
    case cbCancel:
        return {"Cancel", clBtnText};
    default:
        return {"", clBtnText};
    }
}

int Digit(int n) {
    return n + 1;
}

// The two layouts, as rows of kinds (0: no button there).
const int PopupRows[5][4] = {{cbClear, cbBackspace, cbPercent, cbDivide},
                             {Digit(7), Digit(8), Digit(9), cbMultiply},
                             {Digit(4), Digit(5), Digit(6), cbSubtract},
                             {Digit(1), Digit(2), Digit(3), cbAdd},
                             {Digit(0), cbSign, cbDecimal, cbEquals}};
const int DialogRows[4][6] = {
    {cbMemoryClear, Digit(7), Digit(8), Digit(9), cbDivide, cbSqrt},
    {cbMemoryRecall, Digit(4), Digit(5), Digit(6), cbMultiply, cbPercent},
    {cbMemoryStore, Digit(1), Digit(2), Digit(3), cbSubtract, cbReciprocal},
    {cbMemoryAdd, Digit(0), cbSign, cbDecimal, cbAdd, cbEquals}};

// A typed key's button kind, from its place in "0123456789_./*-+Q%R=", backspace, "C".
int KindOfKey(char key) {
    static const std::string keys = "0123456789_./*-+Q%R=";
    if (key == CalculatorEngine::KeyBackspace)
        return cbBackspace;
    if (key == 'C')
        return cbClear;
    const std::size_t at = keys.find(key);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

} // namespace

TCalcButton::TCalcButton(int kind, QWidget* parent) : TExSpeedButton(parent), kind_(kind) {
    const KindLook look = LookOf(kind);
    SetCaption(QString::fromUtf8(look.caption));
    QPalette p = palette();
    p.setColor(QPalette::ButtonText, ToQColor(look.color, p));
    setPalette(p);
}

TCalculatorPanel::TCalculatorPanel(TCalcLayout layout, QWidget* parent)
    : QFrame(parent), display_(new QLabel(this)), memoryLabel_(new QLabel(this)) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    setFont(bold);
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    display_->setAutoFillBackground(true);
    display_->setBackgroundRole(QPalette::Base);
    memoryLabel_->setAlignment(Qt::AlignCenter);
    if (layout == clPopup) {
        resize(104, 127);
        memoryLabel_->setGeometry(3, 3, 12, 18);
        display_->setGeometry(16, 3, 85, 18);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                AddButton(PopupRows[r][c], 4 + c * 24, 24 + r * 20, 21, 21);
    } else {
        resize(248, 170);
        memoryLabel_->setGeometry(8, 6, 20, 22);
        display_->setGeometry(32, 6, 208, 22);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 6; ++c)
                AddButton(DialogRows[r][c], 8 + c * 40, 34 + r * 26, 36, 22);
        AddButton(cbBackspace, 8, 138, 36, 22);
        AddButton(cbClear, 48, 138, 36, 22);
        AddButton(cbOk, 88, 138, 76, 22);
        AddButton(cbCancel, 168, 138, 76, 22);
    }
    engine_.OnDisplayChange = [this] {
        display_->setText(QString::fromStdString(engine_.DisplayText()));
    };
    engine_.OnMemoryChange = [this] {
        memoryLabel_->setText(QString::fromStdString(engine_.MemoryText()));
    };
    display_->setText(QString::fromStdString(engine_.DisplayText()));
}

void TCalculatorPanel::AddButton(int kind, int left, int top, int width, int height) {
    auto* button = new TCalcButton(kind, this);
    button->setGeometry(left, top, width, height);
    button->OnClick = [this, kind] { ButtonClicked(kind); };
    buttons_[kind] = button;
}

TCalcButton* TCalculatorPanel::Button(int kind) const {
    auto it = buttons_.find(kind);
    return it == buttons_.end() ? nullptr : it->second;
}

void TCalculatorPanel::ButtonClicked(int kind) {
    static const char operators[] = {'/', '*', '-', '+'};
    if (kind >= 1 && kind <= 10) {
        engine_.CalcKey(static_cast<char>('0' + kind - 1));
        return;
    }
    switch (kind) {
    case cbSign:
        engine_.CalcKey('_');
        break;
    case cbDecimal:
        engine_.CalcKey(FormatSettings::DecimalSeparator);
        break;
    case cbDivide:
    case cbMultiply:
    case cbSubtract:
    case cbAdd:
        engine_.CalcKey(operators[kind - cbDivide]);
        break;
    case cbSqrt:
        engine_.CalcKey('Q');
        break;
    case cbPercent:
        engine_.CalcKey('%');
        break;
    case cbReciprocal:
        engine_.CalcKey('R');
        break;
    case cbEquals:
        engine_.CalcKey('=');
        break;
    case cbBackspace:
        engine_.CalcKey(CalculatorEngine::KeyBackspace);
        break;
    case cbClear:
        engine_.CalcKey('C');
        break;
    case cbMemoryAdd:
        engine_.MemoryAdd();
        break;
    case cbMemoryStore:
        engine_.MemoryStore();
        break;
    case cbMemoryRecall:
        engine_.MemoryRecall();
        break;
    case cbMemoryClear:
        engine_.MemoryClear();
        break;
    case cbOk:
        engine_.Ok();
        break;
    case cbCancel:
        engine_.Cancel();
        break;
    default:
        break;
    }
}

void TCalculatorPanel::KeyPress(QKeyEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_C)
            engine_.Copy();
        else if (event->key() == Qt::Key_V)
            engine_.Paste();
        return;
    }
    char key = 0;
    switch (event->key()) {
    case Qt::Key_Backspace:
        key = CalculatorEngine::KeyBackspace;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = CalculatorEngine::KeyEnter;
        break;
    case Qt::Key_Escape:
        key = CalculatorEngine::KeyEscape;
        break;
    default: {
        const QString text = event->text();
        if (text.size() != 1 || text[0].unicode() > 127)
            return;
        key = static_cast<char>(QChar::toUpper(text[0].unicode()));
    }
    }
    TCalcButton* button = Button(KindOfKey(key));
    if (button != nullptr && button->isVisible())
        button->Click();
    else
        engine_.CalcKey(key);
}

void TCalculatorPanel::keyPressEvent(QKeyEvent* event) {
    GuardEvent([&] { KeyPress(event); });
}

TLocCalculator::TLocCalculator(QWidget* parent) : TCalculatorPanel(clPopup, parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFocusPolicy(Qt::NoFocus);
    Engine().SetPrecision(15);
}

} // namespace duebell
