#include "controls/calculatorengine.h"
#include "controls/calculatorpanel.h"
#include "support/qtapp.h"

#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

void Keys(CalculatorEngine& c, const std::string& keys) {
    for (char k : keys)
        c.CalcKey(k);
}

class Calculator : public ::testing::Test {
protected:
    test::RecordingHooks hooks;
    CalculatorEngine calc;
};

TEST_F(Calculator, PercentOfAPendingSumAddsThatShare) {
    int results = 0;
    calc.OnResult = [&] { ++results; };
    Keys(calc, "12+30%");
    EXPECT_EQ(calc.DisplayText(), "15.6"); // 12 + 12 x 30 / 100
    Keys(calc, "=");
    EXPECT_EQ(calc.DisplayText(), "15.6");
    EXPECT_EQ(results, 2);
}

TEST_F(Calculator, PercentOfAPendingProductIsAHundredth) {
    Keys(calc, "50*10%");
    EXPECT_EQ(calc.DisplayText(), "5");
    Keys(calc, "C200-15%");
    EXPECT_EQ(calc.DisplayText(), "170"); // 200 - 200 x 15 / 100
}

TEST_F(Calculator, OperatorsChainLeftToRight) {
    Keys(calc, "7+5*2=");
    EXPECT_EQ(calc.DisplayText(), "24");
    Keys(calc, "C9/4\r");
    EXPECT_EQ(calc.DisplayText(), "2.25");
    Keys(calc, "C1.5-0.25=");
    EXPECT_EQ(calc.DisplayText(), "1.25");
}

TEST_F(Calculator, AReciprocalOfZeroIsAnErrorUntilClear) {
    int errors = 0;
    calc.OnError = [&] { ++errors; };
    Keys(calc, "0R");
    EXPECT_EQ(calc.DisplayText(), "Error");
    EXPECT_EQ(calc.Status(), csError);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(hooks.beeps, 1);
    Keys(calc, "5+=Q_.");
    EXPECT_EQ(calc.DisplayText(), "Error");
    Keys(calc, "c");
    EXPECT_EQ(calc.DisplayText(), "0");
    EXPECT_EQ(calc.Status(), csFirst);
    Keys(calc, "4R");
    EXPECT_EQ(calc.DisplayText(), "0.25");
}

TEST_F(Calculator, DivisionByZeroAndTheRootOfANegativeAreErrors) {
    Keys(calc, "8/0=");
    EXPECT_EQ(calc.DisplayText(), "Error");
    Keys(calc, "C9_Q");
    EXPECT_EQ(calc.DisplayText(), "Error");
    Keys(calc, "C16Q");
    EXPECT_EQ(calc.DisplayText(), "4");
}

TEST_F(Calculator, ASixteenthDigitIsRefusedWithABeep) {
    Keys(calc, "123456789012345");
    EXPECT_EQ(calc.DisplayText(), "123456789012345");
    EXPECT_EQ(hooks.beeps, 0);
    Keys(calc, "6");
    EXPECT_EQ(calc.DisplayText(), "123456789012345");
    EXPECT_EQ(hooks.beeps, 1);
    // A minus sign does not count.
    Keys(calc, "C12345678901234_5");
    EXPECT_EQ(calc.DisplayText(), "-123456789012345");
}

TEST_F(Calculator, EntryKeys) {
    Keys(calc, "..5");
    EXPECT_EQ(calc.DisplayText(), "0.5");
    Keys(calc, "\b\b\b");
    EXPECT_EQ(calc.DisplayText(), "0");
    Keys(calc, "7_");
    EXPECT_EQ(calc.DisplayText(), "-7");
    Keys(calc, "\b");
    EXPECT_EQ(calc.DisplayText(), "0");
    calc.OnCalcKey = [](char& key) {
        if (key == '9')
            key = '\0';
    };
    Keys(calc, "192");
    EXPECT_EQ(calc.DisplayText(), "12");
}

TEST_F(Calculator, Memory) {
    int memoryChanges = 0;
    calc.OnMemoryChange = [&] { ++memoryChanges; };
    Keys(calc, "40");
    calc.MemoryStore();
    EXPECT_EQ(calc.MemoryText(), "M");
    Keys(calc, "C2");
    calc.MemoryAdd();
    EXPECT_EQ(calc.Memory(), 42);
    Keys(calc, "C");
    calc.MemoryRecall();
    EXPECT_EQ(calc.DisplayText(), "42");
    Keys(calc, "1");
    EXPECT_EQ(calc.DisplayText(), "1"); // recall starts a new number
    calc.MemoryClear();
    EXPECT_EQ(calc.MemoryText(), "");
    EXPECT_EQ(memoryChanges, 3);
}

TEST_F(Calculator, ClipboardAndOk) {
    Keys(calc, "2.5");
    calc.Copy();
    EXPECT_EQ(hooks.clipboard, "2.5");
    hooks.clipboard = " $12.50 ";
    calc.Paste();
    EXPECT_EQ(calc.DisplayText(), "12.5");
    hooks.clipboard = "twelve";
    calc.Paste();
    EXPECT_EQ(calc.DisplayText(), "12.5");
    int oks = 0;
    calc.OnOk = [&] { ++oks; };
    calc.Ok();
    Keys(calc, "0R");
    calc.Ok();
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(hooks.beeps, 2); // the error, then OK refused
}

TEST(CalculatorPanel, KeysClickTheirButtonsOrGoToTheEngine) {
    TLocCalculator panel;
    EXPECT_EQ(panel.size(), QSize(104, 127));
    EXPECT_NE(panel.Button(cbPercent), nullptr);
    EXPECT_EQ(panel.Button(cbSqrt), nullptr); // not on the popup
    QTest::keyClicks(&panel, "12+30%");
    EXPECT_EQ(panel.Display()->text(), "15.6");
    QTest::keyClicks(&panel, "cq");
    EXPECT_EQ(panel.Display()->text(), "0");
    QTest::mouseClick(panel.Button(10), Qt::LeftButton, {}, QPoint(5, 5)); // the "9" button
    EXPECT_EQ(panel.Display()->text(), "9");
}

} // namespace
} // namespace duebell
