#include "controls/calculatorpanel.h"
#include "controls/editbutton.h"
#include "controls/numedit.h"
#include "controls/popupcalculator.h"
#include "controls/rangeerror.h"
#include "objectlist/exceptions.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

class NumEditWidget : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 120);
        window.setFont(QFont("Liberation Sans", 9));
        amount = new TCurrencyEdit(&window);
        amount->setGeometry(10, 10, 120, 22);
        other = new QLineEdit(&window);
        other->setGeometry(10, 60, 120, 22);
        amount->OnChange = [this] { ++changes; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void Enter() {
        amount->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    void Leave() {
        other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    QWidget window;
    TCurrencyEdit* amount = nullptr;
    QLineEdit* other = nullptr;
    int changes = 0;
};

TEST_F(NumEditWidget, ACurrencyEditHasNoButtonAndShowsMoney) {
    EXPECT_EQ(amount->ButtonWidth(), 0);
    EXPECT_EQ(amount->DisplayFormat(), "$,0.00;-$,0.00");
    amount->SetValue(1234.5);
    EXPECT_EQ(amount->DisplayText(), "$1,234.50");
    EXPECT_EQ(amount->text(), "1234.5");
    amount->SetValue(-1234.5);
    EXPECT_EQ(amount->DisplayText(), "-$1,234.50");
    amount->SetValue(1.5);
    Enter();
    EXPECT_TRUE(amount->Editing());
    EXPECT_EQ(amount->text(), "1.5");
    Leave();
    EXPECT_FALSE(amount->Editing());
    EXPECT_EQ(amount->DisplayText(), "$1.50");
}

TEST_F(NumEditWidget, ZeroShowsAnEmptyEditTextAndEmptyReadsAsZero) {
    amount->SetValue(0);
    EXPECT_EQ(amount->text(), "");
    amount->SetValue(12);
    amount->SetText("");
    EXPECT_EQ(amount->GetValue(), 0);
    EXPECT_THROW(amount->SetText("12x"), EConvertError);
}

TEST_F(NumEditWidget, TypingOverTheMaximumIsAllowedAndLeavingRefusesItNamingTheField) {
    test::RecordingHooks hooks;
    QLabel label("&Deposit:", &window);
    label.setBuddy(amount);
    amount->SetMinValue(0);
    amount->SetMaxValue(99999999);
    Enter();
    QTest::keyClicks(amount, "123456789012");
    EXPECT_EQ(amount->text(), "123456789012");
    Leave();
    EXPECT_EQ(hooks.errors,
              std::vector<std::string>{"\"Deposit\": Value must be between 0.00 and 99999999.00"});
    EXPECT_TRUE(amount->hasFocus());
    EXPECT_EQ(amount->text(), "123456789012"); // never a quiet $99,999,999.00
    EXPECT_THROW(amount->GetValue(), ERangeError);
    // A form that turns the check off gets the clamped value.
    amount->SetCheckOnExit(false);
    Leave();
    EXPECT_EQ(amount->GetValue(), 99999999);
}

TEST_F(NumEditWidget, CheckOnExitRaisesTheRangeMessageAndKeepsTheFocus) {
    test::RecordingHooks hooks;
    amount->SetMinValue(0);
    amount->SetMaxValue(100);
    amount->SetCheckOnExit(true);
    Enter();
    QTest::keyClicks(amount, "150");
    Leave();
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"Value must be between 0.00 and 100.00"});
    EXPECT_TRUE(amount->hasFocus());
    EXPECT_EQ(amount->selectedText(), "150");
    EXPECT_TRUE(amount->Editing());
    // Reading the value after the failed check raises the same error: never a quiet 100.
    EXPECT_THROW(amount->GetValue(), ERangeError);
    QTest::keyClick(amount, Qt::Key_End);
    QTest::keyClick(amount, Qt::Key_Backspace);
    EXPECT_EQ(amount->GetValue(), 15);
    amount->SetCheckOnExit(false);
}

TEST_F(NumEditWidget, ExitIsToldAfterTheExitChecksPassedAndOnlyForAnotherControl) {
    test::RecordingHooks hooks;
    amount->SetMaxValue(100);
    amount->SetCheckOnExit(true);
    std::vector<std::string> exits; // what OnExit found
    amount->OnExit = [&] {
        exits.push_back((amount->Editing() ? "editing " : "") +
                        amount->DisplayText().toStdString());
    };
    int signalled = 0;
    QObject::connect(amount, &TCurrencyEdit::Exited, [&] { ++signalled; });

    Enter();
    QTest::keyClicks(amount, "150");
    Leave(); // the check fails: the field keeps the focus and tells no exit
    EXPECT_EQ(hooks.errors.size(), 1u);
    EXPECT_TRUE(exits.empty());
    QTest::keyClick(amount, Qt::Key_End);
    QTest::keyClick(amount, Qt::Key_Backspace);
    Leave();
    EXPECT_EQ(exits, std::vector<std::string>{"$15.00"});
    EXPECT_EQ(signalled, 1);

    // Another window coming up is no exit: nothing is checked and nothing told.
    Enter();
    QTest::keyClicks(amount, "0");
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(hooks.errors.size(), 1u);
    EXPECT_EQ(exits.size(), 1u);
    EXPECT_TRUE(amount->Editing());
    amount->SetCheckOnExit(false);
}

TEST(NumEditInADialog, SaveWithAnAmountOutOfRangeIsRefusedWithTheRangeMessage) {
    // Enter on the default button never leaves the field: the dialog's Save checks it.
    test::RecordingHooks hooks;
    QDialog dialog;
    auto* amount = new TCurrencyEdit(&dialog);
    amount->SetMaxValue(1000000);
    auto* save = new QPushButton("Save", &dialog);
    save->move(0, 40);
    save->setDefault(true);
    std::vector<double> saved;
    QObject::connect(save, &QPushButton::clicked, &dialog, [&] {
        GuardEvent([&] {
            amount->ValidateValue();
            saved.push_back(amount->GetValue());
            dialog.accept();
        });
    });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    amount->setFocus();
    QTest::keyClicks(amount, "1500000");
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"Value must be between 0.00 and 1000000.00"});
    EXPECT_TRUE(saved.empty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(amount->hasFocus());
    EXPECT_EQ(amount->selectedText(), "1500000");
    EXPECT_THROW(amount->GetValue(), ERangeError);
    QTest::keyClicks(amount, "250000.5");
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(saved, std::vector<double>{250000.5});
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(NumEditWidget, RefusedKeysBeepAndChangeNothing) {
    test::RecordingHooks hooks;
    amount->SetMinValue(0);
    amount->SetMaxValue(99999999);
    Enter();
    QLabel label("Amount", &window);
    label.setBuddy(amount);
    QTest::keyClicks(amount, "-1.255a");
    EXPECT_EQ(amount->text(), "1.25");
    EXPECT_EQ(hooks.beeps, 3); // the minus, the third decimal, the letter
    // Each is refused with a message naming the field and what it takes, never silently.
    const std::string range = " cannot be typed here. Value must be between 0.00 and 99999999.00";
    EXPECT_EQ(hooks.errors,
              (std::vector<std::string>{"\"Amount\": \"-\"" + range, "\"Amount\": \"5\"" + range,
                                        "\"Amount\": \"a\"" + range}));
    // Without a range a letter is no number.
    hooks.errors.clear();
    amount->SetMaxValue(0);
    QTest::keyClicks(amount, "x");
    EXPECT_EQ(hooks.errors, std::vector<std::string>{
                                "\"Amount\": \"x\" cannot be typed here. Value must be a number"});
    // Escape puts the edit text back from the value.
    amount->SetValue(7);
    Enter();
    QTest::keyClicks(amount, "9");
    QTest::keyClick(amount, Qt::Key_Escape);
    EXPECT_EQ(amount->text(), "7");
    EXPECT_EQ(amount->selectedText(), "7");
}

TEST_F(NumEditWidget, APastedAmountIsTakenAsItsNumberAndAnythingElseRefusedNamingTheField) {
    test::RecordingHooks hooks;
    QLabel label("Amount", &window);
    label.setBuddy(amount);
    amount->SetMaxValue(99999999);
    amount->SetValue(5);
    Enter();
    amount->end(false);
    // Refused with a beep and the field's message; the text stays as it was.
    for (const char* pasted : {"x", "-2", "$1.255"}) {
        hooks.clipboard = pasted;
        QTest::keyClick(amount, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(amount->text(), "5");
        EXPECT_EQ(amount->selectedText(), "5");
        amount->end(false);
    }
    EXPECT_EQ(hooks.beeps, 3);
    const std::string range = " cannot be pasted here. Value must be between 0.00 and 99999999.00";
    EXPECT_EQ(hooks.errors,
              (std::vector<std::string>{"\"Amount\": \"x\"" + range, "\"Amount\": \"-2\"" + range,
                                        "\"Amount\": \"$1.255\"" + range}));
    hooks.clipboard = "0.5";
    QTest::keyClick(amount, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(amount->text(), "50.5");
    EXPECT_EQ(amount->GetValue(), 50.5);
    // An amount copied from a notice is its number.
    amount->selectAll();
    hooks.clipboard = "$1,681.59";
    QTest::keyClick(amount, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(amount->text(), "1681.59");
    EXPECT_EQ(amount->GetValue(), 1681.59);
    EXPECT_EQ(hooks.errors.size(), 3u);
}

TEST_F(NumEditWidget, TextThatIsNoNumberReadsAsTheMinimum) {
    amount->SetMinValue(3);
    amount->SetMaxValue(9);
    Enter();
    amount->setText("abc");
    EXPECT_EQ(amount->GetValue(), 3);
    EXPECT_EQ(amount->GetAsInteger(), 3);
    amount->setText("4");
}

TEST_F(NumEditWidget, BoundChangesClampTheValueAgain) {
    amount->SetValue(50);
    amount->SetMaxValue(20);
    EXPECT_EQ(amount->GetValue(), 20);
    EXPECT_EQ(amount->text(), "20");
    amount->SetMinValue(30); // min above max, max not 0, min not 0: no range any more
    amount->SetValue(-5);
    EXPECT_EQ(amount->GetValue(), -5);
}

class CalcEditWidget : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        edit = new TCustomNumEdit(&window);
        edit->setGeometry(10, 10, 120, 22);
        edit->OnChange = [this] { ++changes; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    QWidget window;
    TCustomNumEdit* edit = nullptr;
    int changes = 0;
};

TEST_F(CalcEditWidget, OpeningTheCalculatorIsNoExitAndItsKeysReachIt) {
    test::RecordingHooks hooks;
    edit->SetMinValue(0);
    edit->SetMaxValue(100);
    edit->SetCheckOnExit(true);
    EXPECT_EQ(edit->ButtonWidth(), 20);
    QTest::keyClicks(edit, "150");
    QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(edit->PopupVisible());
    EXPECT_TRUE(hooks.errors.empty()); // the out-of-range 150 raised nothing on the way
    TLocCalculator* calc = edit->Calculator()->Calculator();
    EXPECT_EQ(calc->Display()->text(), "150");
    QTest::keyClicks(edit->Calculator(), "c12+30%");
    EXPECT_EQ(calc->Display()->text(), "15.6");
    QTest::keyClick(edit->Calculator(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(edit->PopupVisible());
    EXPECT_EQ(edit->text(), "15.6");
    EXPECT_TRUE(edit->isModified());
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(CalcEditWidget, AnErrorInTheCalculatorGivesNoValue) {
    test::RecordingHooks hooks;
    edit->SetValue(4);
    edit->DropDown();
    QTest::keyClicks(edit->Calculator(), "0r");
    EXPECT_EQ(edit->Calculator()->GetPopupText(), "Error");
    edit->PopupCloseUp(true);
    EXPECT_EQ(edit->GetValue(), 4);
    EXPECT_EQ(hooks.beeps, 2); // the error, then taking its value
}

TEST_F(CalcEditWidget, TheCalculatorsOkButtonAccepts) {
    edit->DropDown();
    QTest::keyClicks(edit->Calculator(), "7*6=");
    TLocCalculator* calc = edit->Calculator()->Calculator();
    ASSERT_EQ(calc->Button(cbOk), nullptr); // no OK on the popup: the engine's OK closes it
    calc->Engine().Ok();
    EXPECT_FALSE(edit->PopupVisible());
    EXPECT_EQ(edit->GetValue(), 42);
}

TEST(NumEditScreenshot, ANegativeAmountAndTheCalculatorPanel) {
    QWidget window;
    QPalette p = window.palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
    p.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
    p.setColor(QPalette::ButtonText, Qt::black);
    window.setPalette(p);
    window.setFont(QFont("Liberation Sans", 9));
    window.resize(280, 150);
    TCurrencyEdit amount(&window);
    amount.setGeometry(10, 10, 130, 22);
    amount.SetValue(-1234.5);
    TLocCalculator calculator(&window);
    calculator.move(160, 10);
    QTest::keyClicks(&calculator, "12+30%");
    window.show();
    const QImage image = window.grab().toImage();
    test::SaveScreenshot(image, "numedit_and_calculator");

    // The amount sits against the right edge of its field.
    auto ink = [&](const QRect& r, auto isInk) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += isInk(image.pixelColor(x, y)) ? 1 : 0;
        return n;
    };
    auto dark = [](const QColor& c) { return c.lightness() < 100; };
    EXPECT_GT(ink(QRect(10 + 65, 14, 60, 14), dark), 20);
    EXPECT_EQ(ink(QRect(10 + 4, 14, 50, 14), dark), 0);
    // The calculator's display shows 15.6 at its right, the operators are purple.
    const QRect display = calculator.Display()->geometry().translated(160, 10);
    EXPECT_GT(ink(QRect(display.right() - 25, display.top() + 3, 22, display.height() - 6), dark),
              10);
    EXPECT_EQ(calculator.Display()->text(), "15.6");
    const QRect plus = calculator.Button(cbAdd)->geometry().translated(160, 10);
    auto purple = [](const QColor& c) { return c.red() > 90 && c.blue() > 90 && c.green() < 60; };
    EXPECT_GT(ink(plus, purple), 3);
    const QRect seven = calculator.Button(8)->geometry().translated(160, 10);
    EXPECT_EQ(ink(seven, purple), 0);
}

} // namespace
} // namespace duebell
