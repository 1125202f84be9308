// Change notifications of the entry controls: each tells a change both by its Qt signal and
// by its OnChange callback; neither speaks while the control's signals are blocked (the fill
// lock a binder holds while it fills a dialog); a programmatic change raises its handler's
// error to the caller, a typed one hands it to the application's handler.
#include "controls/exspeedbutton.h"
#include "controls/exspinedit.h"
#include "controls/gridbox.h"
#include "controls/numedit.h"
#include "objectlist/exceptions.h"
#include "support/qtapp.h"

#include <QSignalBlocker>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

struct Heard {
    int qtSignals = 0;
    int callbacks = 0;
    bool operator==(const Heard&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Heard& h) {
    return out << "{signals " << h.qtSignals << ", callbacks " << h.callbacks << "}";
}

// Fills the control under the lock, then again without it, then types into it; answers what
// was heard each time.
template <class Control>
std::vector<Heard> Listen(Control& control, const std::function<void()>& fill,
                          const std::function<void()>& type) {
    Heard heard;
    const QMetaObject::Connection connection =
        QObject::connect(&control, &Control::Changed, [&] { ++heard.qtSignals; });
    control.OnChange = [&] { ++heard.callbacks; };
    std::vector<Heard> result;
    {
        const QSignalBlocker lock(control);
        fill();
    }
    result.push_back(std::exchange(heard, {}));
    fill();
    result.push_back(std::exchange(heard, {}));
    type();
    result.push_back(std::exchange(heard, {}));
    QObject::disconnect(connection);
    control.OnChange = nullptr;
    return result;
}

const std::vector<Heard> SilentThenOnceThenOnce{{0, 0}, {1, 1}, {1, 1}};

class ChangeNotification : public ::testing::Test {
protected:
    template <class Control> void Show(Control& control) {
        control.resize(120, 22);
        control.show();
        control.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&control));
        control.setFocus();
    }
};

TEST_F(ChangeNotification, ComboEditText) {
    TCustomComboEdit edit;
    Show(edit);
    EXPECT_EQ(Listen(
                  edit, [&] { edit.SetText(edit.Text() + "a"); },
                  [&] { QTest::keyClick(&edit, Qt::Key_B); }),
              SilentThenOnceThenOnce);
}

TEST_F(ChangeNotification, CurrencyEditValueAndText) {
    TCurrencyEdit amount;
    Show(amount);
    double value = 0;
    EXPECT_EQ(Listen(
                  amount, [&] { amount.SetValue(value += 10); },
                  [&] { QTest::keyClick(&amount, Qt::Key_7); }),
              SilentThenOnceThenOnce);
    EXPECT_EQ(Listen(
                  amount, [&] { amount.setProperty("Value", value += 10); },
                  [&] { QTest::keyClick(&amount, Qt::Key_8); }),
              SilentThenOnceThenOnce);
}

TEST_F(ChangeNotification, GridBoxChoice) {
    TGridBox box;
    box.SetStyle(gsDropDownList);
    box.Items().Assign({"A", "B", "C", "D"});
    Show(box);
    int index = 0;
    EXPECT_EQ(Listen(
                  box, [&] { box.SetItemIndex(index++ % 2); },
                  [&] { QTest::keyClick(&box, Qt::Key_Down); }),
              SilentThenOnceThenOnce);
}

TEST_F(ChangeNotification, SpinEditValueTextAndSteps) {
    TExSpinEdit edit;
    Show(edit);
    int value = 0;
    EXPECT_EQ(
        Listen(
            edit, [&] { edit.SetValue(++value); }, [&] { QTest::keyClick(&edit, Qt::Key_Up); }),
        SilentThenOnceThenOnce);
    EXPECT_EQ(Listen(
                  edit, [&] { edit.setProperty("Text", QString::number(++value * 10)); },
                  [&] { QTest::keyClick(&edit, Qt::Key_5); }),
              SilentThenOnceThenOnce);
}

TEST_F(ChangeNotification, SpeedButtonDown) {
    TExSpeedButton button;
    button.SetGroupIndex(1);
    button.SetAllowAllUp(true);
    button.show();
    std::vector<bool> heard;
    QObject::connect(&button, &TExSpeedButton::DownChanged,
                     [&](bool down) { heard.push_back(down); });
    {
        const QSignalBlocker lock(button);
        button.SetDown(true);
    }
    EXPECT_TRUE(button.Down());
    EXPECT_TRUE(heard.empty());
    QTest::mouseClick(&button, Qt::LeftButton);
    button.SetDown(true);
    EXPECT_EQ(heard, (std::vector<bool>{false, true}));
}

TEST_F(ChangeNotification, AProgrammaticChangeRaisesToTheCallerATypedOneToTheHandler) {
    test::RecordingHooks hooks;
    auto failing = [] { throw EConvertError("'x' is not a valid number"); };
    TCurrencyEdit amount;
    TExSpinEdit spin;
    TCustomComboEdit edit;
    TGridBox box;
    box.Items().Assign({"A", "B"});
    amount.OnChange = failing;
    spin.OnChange = failing;
    edit.OnChange = failing;
    box.OnChange = failing;
    EXPECT_THROW(amount.SetValue(5), EConvertError);
    EXPECT_THROW(spin.SetValue(5), EConvertError);
    EXPECT_THROW(spin.UpClick(), EConvertError);
    EXPECT_THROW(edit.SetText("x"), EConvertError);
    EXPECT_THROW(box.SetItemIndex(1), EConvertError);
    EXPECT_TRUE(hooks.errors.empty());
    Show(spin);
    QTest::keyClick(&spin, Qt::Key_Up);
    QTest::keyClick(&spin, Qt::Key_1);
    Show(amount);
    QTest::keyClick(&amount, Qt::Key_1);
    Show(edit);
    QTest::keyClick(&edit, Qt::Key_Y);
    EXPECT_EQ(hooks.errors.size(), 4u);
}

} // namespace
} // namespace duebell
