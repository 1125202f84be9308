// The program's message dialog: its layout, its buttons and results, Enter, Esc and the close
// box, and the text Ctrl+C copies.
#include "app/framework/messagedialog.h"
#include "app/framework/messagelayout.h"
#include "controls/modalresult.h"
#include "support/dialogdriver.h"
#include "support/helprecorder.h"
#include "support/qtapp.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

const std::string AlertQuestion =
    "Please choose an action for this alert.  Selecting \"Print\" will take you to the "
    "appropriate report screen.  Selecting \"Clear\" will permanently remove this alert from the "
    "alert list.";

std::vector<std::string> ButtonRow(const QDialog& dialog) {
    std::vector<QPushButton*> buttons;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        buttons.push_back(button);
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    std::vector<std::string> row;
    for (QPushButton* button : buttons)
        row.push_back(button->objectName().toStdString() + "=" + button->text().toStdString() +
                      (button->isDefault() ? " (default)" : ""));
    return row;
}

TEST(MessageLayout, ScalesWithTheAverageCharacterAndCentresTheButtonRow) {
    // 6 x 13 pixels a character: margins 12 and 13, spacings 15 and 16, buttons 75 x 22 apart
    // by 6; the icon row is 32 high, taller than the two text lines.
    const QSize screen(1350, 698); // room to spare
    TMessageLayout layout =
        LayoutMessageDialog(QSize(6, 13), QSize(200, 26), true, 3, 30, screen, 16);
    EXPECT_EQ(layout.client, QSize(12 + 32 + 15 + 200 + 12, 13 + 32 + 16 + 22 + 13));
    EXPECT_EQ(layout.icon, QRect(12, 13, 32, 32));
    EXPECT_EQ(layout.text, QRect(59, 13, 200, 26));
    EXPECT_EQ(layout.buttons,
              (std::vector<QRect>{{17, 61, 75, 22}, {98, 61, 75, 22}, {179, 61, 75, 22}}));

    // 7 x 15 without an icon: a caption of 100 pixels widens the button to 108, and the button
    // row is wider than the text. 210 / 8 rounds down to 26, 150 / 8 to 18.
    layout = LayoutMessageDialog(QSize(7, 15), QSize(50, 15), false, 1, 100, screen, 16);
    EXPECT_EQ(layout.client, QSize(14 + 108 + 14, 15 + 15 + 18 + 26 + 15));
    EXPECT_TRUE(layout.icon.isNull());
    EXPECT_EQ(layout.text, QRect(14, 15, 50, 15));
    EXPECT_EQ(layout.buttons, (std::vector<QRect>{{14, 48, 108, 26}}));
    EXPECT_FALSE(layout.scrollsDown || layout.scrollsAcross);
}

TEST(MessageLayout, AMessageLargerThanTheScreenScrollsInAnAreaThatFits) {
    // 6 x 13 as above, one button. 7000 pixels of text on a room of 1350 x 698: the text may
    // take 698 - 2 x 13 - 16 - 22 = 634 down, and its scroll bar (16) widens it to 516.
    TMessageLayout layout =
        LayoutMessageDialog(QSize(6, 13), QSize(500, 7000), true, 1, 20, QSize(1350, 698), 16);
    EXPECT_TRUE(layout.scrollsDown);
    EXPECT_FALSE(layout.scrollsAcross);
    EXPECT_EQ(layout.text, QRect(59, 13, 516, 634));
    EXPECT_EQ(layout.client, QSize(12 + 47 + 516 + 12, 13 + 634 + 16 + 22 + 13));
    EXPECT_EQ(layout.buttons, (std::vector<QRect>{{(587 - 75) / 2, 13 + 634 + 16, 75, 22}}));
    // A line wider than the room (800 less two margins of 12: 776) scrolls across, its
    // scroll bar under it.
    layout = LayoutMessageDialog(QSize(6, 13), QSize(2000, 20), false, 1, 20, QSize(800, 600), 16);
    EXPECT_TRUE(layout.scrollsAcross);
    EXPECT_FALSE(layout.scrollsDown);
    EXPECT_EQ(layout.text, QRect(12, 13, 776, 20 + 16));
    EXPECT_EQ(layout.client, QSize(800, 13 + 36 + 16 + 22 + 13));
}

TEST(MessageDialog, ButtonRowTitleAndIconByTypeAndSet) {
    auto dialog = CreateMessageDialog(AlertQuestion, mtConfirmation, mbPrint | mbClear | mbCancel);
    EXPECT_EQ(dialog->windowTitle(), "Confirm");
    EXPECT_EQ(ButtonRow(*dialog), (std::vector<std::string>{"Print=&Print (default)",
                                                            "Clear=C&lear", "Cancel=Cancel"}));
    ASSERT_NE(dialog->findChild<QLabel*>("Image"), nullptr);
    EXPECT_EQ(dialog->findChild<QLabel*>("Message")->text().toStdString(), AlertQuestion);
    // The buttons sit under the text, inside the dialog.
    const QRect text = dialog->findChild<QLabel*>("Message")->geometry();
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        EXPECT_GT(button->y(), text.bottom());
        EXPECT_TRUE(dialog->rect().contains(button->geometry()));
    }

    dialog = CreateMessageDialog("Done", mtInformation, mbOK | mbPrint | mbCancel | mbClear);
    EXPECT_EQ(dialog->windowTitle(), "Information");
    EXPECT_EQ(ButtonRow(*dialog), (std::vector<std::string>{"Print=&Print", "Clear=C&lear",
                                                            "OK=OK (default)", "Cancel=Cancel"}));
    EXPECT_EQ(CreateMessageDialog("x", mtWarning, mbOK)->windowTitle(), "Warning");
    EXPECT_EQ(CreateMessageDialog("x", mtError, mbOK)->windowTitle(), "Error");
    dialog = CreateMessageDialog("x", mtCustom, mbOK);
    EXPECT_EQ(dialog->windowTitle(), QApplication::applicationName());
    EXPECT_EQ(dialog->findChild<QLabel*>("Image"), nullptr);
}

TEST(MessageDialog, EnterEscapeButtonsAndTheCloseBoxGiveTheirResults) {
    struct Case {
        TMsgDlgButtonsEx buttons;
        std::function<void(QDialog&)> act;
        int result;
    };
    const auto key = [](Qt::Key k) {
        return [k](QDialog& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, k);
        };
    };
    const auto click = [](const char* name) {
        return [name](QDialog& dialog) { test::ButtonNamed(dialog, name)->click(); };
    };
    const auto closeBox = [](QDialog& dialog) {
        dialog.show();
        dialog.close();
    };
    const std::vector<Case> cases = {
        {mbPrint | mbClear | mbCancel, key(Qt::Key_Return), mrPrint},
        {mbPrint | mbClear | mbCancel, key(Qt::Key_Escape), mrCancel},
        {mbPrint | mbClear | mbCancel, click("Clear"), mrClear},
        {mbPrint | mbClear | mbCancel, click("Print"), mrPrint},
        {mbPrint | mbClear | mbCancel, closeBox, mrCancel},
        {mbOK, key(Qt::Key_Return), mrOk},
        {mbOK, key(Qt::Key_Escape), mrOk},
        {mbOK, closeBox, mrCancel},
        {mbPrint | mbOK, key(Qt::Key_Return), mrOk},
        {mbPrint | mbClear, key(Qt::Key_Escape), 0}, // no OK or Cancel: Esc presses nothing
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        test::DialogDriver driver;
        driver.Expect([&](QDialog& dialog) {
            cases[i].act(dialog);
            return 0;
        });
        EXPECT_EQ(MessageDlgEx(AlertQuestion, mtConfirmation, cases[i].buttons, 0), cases[i].result)
            << "case " << i;
    }
}

TEST(MessageDialog, F1OpensTheHelpContextGivenToMessageDlgEx) {
    test::HelpRecorder help;
    test::DialogDriver driver;
    for (int context : {640, 0}) {
        driver.Expect([](QDialog& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_F1);
            return mrCancel;
        });
        MessageDlgEx(AlertQuestion, mtConfirmation, mbPrint | mbClear | mbCancel, context);
    }
    EXPECT_EQ(help.requests, std::vector<std::string>{"context 640"}); // none for context 0
}

TEST(MessageDialog, CtrlCCopiesTheBoxAsTextAfterOneBeep) {
    test::RecordingHooks hooks;
    auto dialog =
        CreateMessageDialog("Line one\rLine two", mtConfirmation, mbPrint | mbClear | mbCancel);
    EXPECT_EQ(dialog->findChild<QLabel*>("Message")->text(), "Line one\nLine two");
    dialog->show();
    QTest::keyClick(dialog->findChild<QPushButton*>("Clear"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(hooks.beeps, 1);
    EXPECT_EQ(hooks.clipboard, "---------------------------\r\n"
                               "Confirm\r\n"
                               "---------------------------\r\n"
                               "Line one\rLine two\r\n"
                               "---------------------------\r\n"
                               "Print   Clear   Cancel   \r\n"
                               "---------------------------\r\n");
    EXPECT_TRUE(dialog->isVisible());

    // C with Shift as well, or a plain C, copies nothing.
    hooks.clipboard.clear();
    QTest::keyClick(dialog.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(dialog.get(), Qt::Key_C);
    EXPECT_EQ(hooks.clipboard, "");
    EXPECT_EQ(hooks.beeps, 1);
}

TEST(MessageDialog, AMessageTooLongForTheScreenScrollsInAWindowThatFitsWithItsButton) {
    // A damaged help index reports each bad line.
    std::string text;
    for (int line = 1; line <= 300; ++line)
        text += "The help file \"/home/lender/Duebell/help/index.txt\" is damaged at line " +
                std::to_string(line) + ".\r";
    text += "\rHelp shows what the rest of it holds.";
    test::DialogDriver driver;
    driver.Expect([](QDialog& dialog) {
        dialog.show();
        // The screen's free area less a frame, a title bar and a task bar.
        const QRect free = dialog.screen()->availableGeometry();
        EXPECT_LE(dialog.width(), free.width() - 16);
        EXPECT_LE(dialog.height(), free.height() - 70);
        const auto* area = dialog.findChild<QScrollArea*>("MessageArea");
        EXPECT_NE(area, nullptr);
        if (area != nullptr) {
            EXPECT_GT(area->widget()->height(), area->height()); // the rest scrolls into view
        }
        const QAbstractButton* ok = test::ButtonNamed(dialog, "OK");
        EXPECT_TRUE(dialog.rect().contains(ok->geometry()));
        test::SaveScreenshot(dialog.grab().toImage(), "message_dialog_long");
        QTest::keyClick(&dialog, Qt::Key_Return);
        return mrCancel;
    });
    EXPECT_EQ(MessageDlgEx(text, mtWarning, mbOK, 0), mrOk);
}

TEST(MessageDialog, ScreenshotOfThePrintAndClearQuestion) {
    auto dialog = CreateMessageDialog(AlertQuestion, mtConfirmation, mbPrint | mbClear | mbCancel);
    dialog->show();
    const QImage shot = dialog->grab().toImage();
    test::SaveScreenshot(shot, "message_dialog_print_clear");
    EXPECT_EQ(shot.size(), dialog->size() * shot.devicePixelRatio());
}

} // namespace
} // namespace duebell
