#include "controls/exspinedit.h"
#include "objectlist/exceptions.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// Presses and releases through the window system, as a person's mouse does, so the
// application knows the left button is down while the press lasts.
void PressAt(QWidget* widget, QPoint at) {
    QTest::mousePress(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), at));
}

void ReleaseAt(QWidget* widget, QPoint at) {
    QTest::mouseRelease(widget->window()->windowHandle(), Qt::LeftButton, {},
                        widget->mapTo(widget->window(), at));
}

TEST(SpinValueRules, ReadingDoesNotClampWritingDoes) {
    SpinValue v;
    v.MinValue = 1;
    v.MaxValue = 2147483647;
    EXPECT_EQ(v.ValueOf("0"), 0);
    EXPECT_EQ(v.TextOf(0), "1");
    EXPECT_EQ(v.TextOf(3e9), "2147483647");
    v.MinValue = v.MaxValue = 0;
    EXPECT_EQ(v.TextOf(-12), "-12");
}

TEST(SpinValueRules, TextThatIsNoNumberReadsAsTheMinimum) {
    SpinValue v;
    v.MinValue = 2.7;
    v.MaxValue = 10;
    EXPECT_EQ(v.ValueOf("twelve"), 2); // truncated for whole numbers
    v.SetValueType(vtFloat);
    EXPECT_EQ(v.ValueOf("1.2.3"), 2.7);
    EXPECT_EQ(v.ValueOf("1.25"), 1.25);
}

TEST(SpinValueRules, WhatAFieldHoldsAndTheMessageThatSaysSo) {
    SpinValue v;
    // Without a range a whole number still holds no more than an int.
    EXPECT_TRUE(v.Holds("-2147483648"));
    EXPECT_FALSE(v.Holds("2147483648"));
    EXPECT_EQ(v.RangeMessage(), "Value must be a whole number between -2147483648 and 2147483647");
    v.MinValue = 1;
    v.MaxValue = 365;
    EXPECT_TRUE(v.Holds("365"));
    for (const char* text : {"0", "366", "", "abc12x", "2.5", "+-1"})
        EXPECT_FALSE(v.Holds(text)) << text;
    EXPECT_EQ(v.RangeMessage(), "Value must be a whole number between 1 and 365");
    v.SetValueType(vtHex);
    v.MaxValue = 255;
    EXPECT_TRUE(v.Holds("ff"));
    EXPECT_FALSE(v.Holds("100"));
    EXPECT_EQ(v.RangeMessage(), "Value must be a hexadecimal number between 1 and FF");
    v.SetValueType(vtFloat);
    v.MinValue = 0.5;
    v.MaxValue = 10;
    EXPECT_TRUE(v.Holds("2.5"));
    EXPECT_EQ(v.RangeMessage(), "Value must be between 0.50 and 10.00");
    v.MinValue = v.MaxValue = 0;
    EXPECT_EQ(v.RangeMessage(), "Value must be a number");
}

TEST(SpinValueRules, HexadecimalValues) {
    SpinValue v;
    v.SetValueType(vtHex);
    EXPECT_EQ(v.TextOf(255), "FF");
    EXPECT_EQ(v.TextOf(0), "0");
    EXPECT_EQ(v.ValueOf("ff"), 255);
    EXPECT_EQ(v.ValueOf("1A"), 26);
    EXPECT_TRUE(v.IsValidChar('c', "1", true));
    EXPECT_FALSE(v.IsValidChar('g', "1", true));
}

TEST(SpinValueRules, FloatsShowTheirDecimalsAndWholeNumbersRoundHalfToEven) {
    SpinValue v;
    EXPECT_EQ(v.TextOf(2.5), "2");
    EXPECT_EQ(v.TextOf(3.5), "4");
    v.SetValueType(vtFloat);
    EXPECT_EQ(v.TextOf(1.5), "1.50");
    v.Decimal = 0;
    EXPECT_EQ(v.TextOf(1.25), "1");
}

TEST(SpinValueRules, WholeNumberTypesStepByWholeNumbers) {
    SpinValue v;
    v.SetValueType(vtFloat);
    v.SetIncrement(0.4);
    EXPECT_EQ(v.Increment(), 0.4);
    v.SetValueType(vtInteger);
    EXPECT_EQ(v.Increment(), 1);
    v.SetIncrement(2.6);
    EXPECT_EQ(v.Increment(), 3);
}

TEST(SpinValueRules, CharactersByValueType) {
    SpinValue v;
    for (char c : std::string("+-0123456789\b\r"))
        EXPECT_TRUE(v.IsValidChar(c, "", true)) << c;
    EXPECT_FALSE(v.IsValidChar('a', "12", true));
    EXPECT_FALSE(v.IsValidChar('.', "12", true));
    v.SetValueType(vtFloat);
    EXPECT_TRUE(v.IsValidChar('.', "12", true));
    EXPECT_FALSE(v.IsValidChar('.', "1.2", true));
    EXPECT_TRUE(v.IsValidChar('e', "1.2", true));
    EXPECT_FALSE(v.IsValidChar('E', "1.2E", true));
    // A closed editor takes control keys only, and not backspace.
    EXPECT_FALSE(v.IsValidChar('1', "", false));
    EXPECT_FALSE(v.IsValidChar('\b', "", false));
    EXPECT_TRUE(v.IsValidChar('\r', "", false));
}

TEST(DiagonalHalves, TheDiagonalRunsFromBottomLeftToTopRight) {
    EXPECT_EQ(DiagonalHalf(2, 2, 20, 20), shTop);
    EXPECT_EQ(DiagonalHalf(17, 17, 20, 20), shBottom);
    EXPECT_EQ(DiagonalHalf(15, 4, 20, 20), shTop);    // 4 < 20 - 15 = 5
    EXPECT_EQ(DiagonalHalf(15, 5, 20, 20), shBottom); // on the line: bottom
    EXPECT_EQ(DiagonalHalf(10, 9, 20, 40), shTop);    // 9 < 40 - 2 x 10 = 20
}

class SpinEditWidget : public ::testing::Test {
protected:
    void SetUp() override {
        edit.resize(80, 22);
        edit.OnChange = [this] { ++changes; };
        edit.show();
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
        edit.setFocus();
        changes = 0;
    }
    TExSpinEdit edit;
    int changes = 0;
};

TEST_F(SpinEditWidget, StartsAtZeroAndStepsOnceWithOneChange) {
    EXPECT_EQ(edit.text(), "0");
    edit.SetMinValue(1);
    edit.SetMaxValue(2147483647);
    EXPECT_EQ(edit.GetValue(), 0);
    edit.SetValue(0);
    EXPECT_EQ(edit.text(), "1");
    changes = 0;
    int tops = 0;
    edit.OnTopClick = [&] { ++tops; };
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "2");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(tops, 1);
    EXPECT_TRUE(edit.isModified());
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), "1");
    EXPECT_EQ(changes, 2); // the step at the bottom changed nothing
}

TEST_F(SpinEditWidget, ALetterCannotBeTypedIntoAWholeNumberAndSaysSo) {
    test::RecordingHooks hooks;
    edit.SetMinValue(1);
    edit.SetMaxValue(365);
    edit.clear();
    QTest::keyClicks(&edit, "12a.");
    EXPECT_EQ(edit.text(), "12");
    EXPECT_EQ(hooks.beeps, 2);
    // Each key left out is refused with what the field holds, never silently ("2.5" as 25).
    const std::string holds = "\" cannot be typed here. Value must be a whole number between 1 "
                              "and 365";
    EXPECT_EQ(hooks.errors, (std::vector<std::string>{"\"a" + holds, "\"." + holds}));
    edit.SetValueType(vtHex);
    QTest::keyClicks(&edit, "a");
    EXPECT_EQ(edit.text(), "Ca");
    EXPECT_EQ(edit.GetValue(), 202);
}

TEST_F(SpinEditWidget, ATextItCannotHoldIsRefusedByItsCheckAndKept) {
    edit.SetMinValue(1);
    edit.SetMaxValue(2147483647);
    // Twelve digits read as the minimum (an int holds ten): the check refuses them.
    for (const char* text : {"123456789012", "0", "", "2.5", "1-2"}) {
        edit.setText(text);
        try {
            edit.ValidateValue();
            ADD_FAILURE() << "\"" << text << "\" was taken";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Value must be a whole number between 1 and 2147483647");
        }
        EXPECT_EQ(edit.text(), text);
        EXPECT_EQ(edit.selectedText(), text);
    }
    edit.setText("2147483647");
    EXPECT_NO_THROW(edit.ValidateValue());
}

TEST_F(SpinEditWidget, AReadOnlyFieldOnlyBeeps) {
    test::RecordingHooks hooks;
    edit.setReadOnly(true);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "0");
    EXPECT_EQ(hooks.beeps, 1);
    EXPECT_EQ(changes, 0);
}

TEST_F(SpinEditWidget, HoldingTheUpHalfRepeatsAfter400AndThenEvery100Milliseconds) {
    test::ManualTimers timers;
    TSpinButtonBase* button = edit.Button();
    PressAt(button, QPoint(2, 2));
    EXPECT_EQ(edit.text(), "1"); // one step at once
    ASSERT_EQ(timers.made.size(), 1u);
    test::ManualTimer& timer = timers.Last();
    EXPECT_EQ(timer.Interval(), 400);
    timer.Fire();
    EXPECT_EQ(edit.text(), "2");
    EXPECT_EQ(timer.Interval(), 100);
    timer.Fire();
    timer.Fire();
    EXPECT_EQ(edit.text(), "4");
    EXPECT_EQ(timer.history, (std::vector<int>{400, 100, 100}));
    ReleaseAt(button, QPoint(2, 2));
    timer.Fire();
    EXPECT_EQ(edit.text(), "4");
    // The lower half steps down.
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() - 2, button->height() - 2));
    EXPECT_EQ(edit.text(), "3");
}

TEST_F(SpinEditWidget, DraggedOffThePressedHalfTheRepeatPauses) {
    test::ManualTimers timers;
    TSpinButtonBase* button = edit.Button();
    PressAt(button, QPoint(2, 2));
    QMouseEvent away(QEvent::MouseMove, QPointF(button->width() - 2, button->height() - 2),
                     QPointF(), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(button, &away);
    EXPECT_EQ(button->Pressed(), shNone);
    timers.Last().Fire();
    EXPECT_EQ(edit.text(), "1");
    QMouseEvent back(QEvent::MouseMove, QPointF(2, 2), QPointF(), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(button, &back);
    timers.Last().Fire();
    EXPECT_EQ(edit.text(), "2");
    ReleaseAt(button, QPoint(2, 2));
}

TEST_F(SpinEditWidget, AFailingStepStopsTheRepeatAndRaisesAgain) {
    test::ManualTimers timers;
    int tops = 0;
    edit.OnTopClick = [&] {
        if (++tops == 2)
            throw Exception("Too many payments");
    };
    PressAt(edit.Button(), QPoint(2, 2));
    // The program's timers hand what a tick raises to the application's handler.
    EXPECT_THROW(timers.Last().Fire(), Exception);
    EXPECT_FALSE(timers.Last().IsActive());
    ReleaseAt(edit.Button(), QPoint(2, 2));
}

TEST_F(SpinEditWidget, TheRepeatEndsWhenTheReleaseCannotReachTheButton) {
    // A modal box opened by a change takes the mouse: the release never comes to the button.
    test::ManualTimers timers;
    QDialog box;
    box.setWindowModality(Qt::ApplicationModal);
    edit.OnChange = [&] {
        ++changes;
        if (changes == 2)
            box.show();
    };
    PressAt(edit.Button(), QPoint(2, 2));
    timers.Last().Fire();
    EXPECT_EQ(edit.text(), "2");
    for (int i = 0; i < 15; ++i)
        timers.Last().Fire();
    EXPECT_EQ(edit.text(), "2");
    EXPECT_FALSE(timers.Last().IsActive());
    EXPECT_EQ(edit.Button()->Pressed(), shNone);
    box.hide();
    ReleaseAt(edit.Button(), QPoint(2, 2));

    // Hiding or disabling the field, or the field losing the focus, ends the press too.
    QLineEdit other;
    other.show();
    const std::vector<std::pair<const char*, std::function<void()>>> endings = {
        {"focus lost",
         [&] {
             other.activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
         }},
        {"hidden", [&] { edit.hide(); }},
        {"disabled", [&] { edit.setEnabled(false); }},
    };
    for (const auto& [name, end] : endings) {
        edit.show();
        edit.setEnabled(true);
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
        edit.setFocus();
        edit.SetValue(0);
        PressAt(edit.Button(), QPoint(2, 2));
        EXPECT_TRUE(timers.Last().IsActive()) << name;
        end();
        EXPECT_FALSE(timers.Last().IsActive()) << name;
        timers.Last().Fire();
        EXPECT_EQ(edit.text(), "1") << name;
        edit.show();
        ReleaseAt(edit.Button(), QPoint(2, 2));
    }
}

TEST(SpinEditExit, FiresWhenTheFocusMovesToAnotherControlOfTheWindowOnly) {
    QWidget window;
    auto* edit = new TExSpinEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    int exits = 0;
    int signalled = 0;
    edit->OnExit = [&] { ++exits; };
    QObject::connect(edit, &TExSpinEdit::Exited, [&] { ++signalled; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus(Qt::TabFocusReason);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(signalled, 1);

    // Another window coming up leaves the field its window's focused control: no exit.
    edit->setFocus(Qt::TabFocusReason);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(exits, 1);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // Under the fill lock the field says nothing.
    {
        const QSignalBlocker lock(edit);
        other->setFocus(Qt::TabFocusReason);
    }
    EXPECT_EQ(exits, 1);
}

TEST(SpinEditInADialog, EnterReachesTheDefaultButton) {
    QDialog dialog;
    TExSpinEdit edit(&dialog);
    QPushButton save("Save", &dialog);
    save.setDefault(true);
    QObject::connect(&save, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SpinEditButtons, TheStandardKindIsAnUpDownOfAtMost15Pixels) {
    TExSpinEdit edit;
    edit.SetButtonKind(bkStandard);
    EXPECT_NE(dynamic_cast<TExUpDown*>(edit.Button()), nullptr);
    EXPECT_LE(edit.Button()->width(), 15);
    int downs = 0;
    edit.OnBottomClick = [&] { ++downs; };
    QTest::mouseClick(edit.Button(), Qt::LeftButton, {}, QPoint(2, edit.Button()->height() - 2));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(edit.text(), "-1");
}

} // namespace
} // namespace duebell
