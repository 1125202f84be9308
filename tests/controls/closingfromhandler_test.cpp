// A handler may close its window: a dialog deleted from a pick, a change or a click of one of
// its own controls leaves nothing of the control in use. Run under the sanitizer preset, a
// use after free fails these tests.
#include "controls/editbutton.h"
#include "controls/exspeedbutton.h"
#include "controls/exspinedit.h"
#include "controls/gridbox.h"
#include "controls/numedit.h"
#include "controls/popupcalculator.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"

#include <QDialog>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// A dialog the test owns until a handler deletes it.
class ClosingFromHandler : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = new QDialog;
        dialog->resize(360, 200);
    }
    void TearDown() override { delete dialog.data(); }
    void Show(QWidget* focus) {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        focus->setFocus();
    }
    // Deletes the dialog, as a handler that closes its window for good.
    void CloseDialog() { delete dialog.data(); }

    QPointer<QDialog> dialog;
};

TGridBox* PickList(QWidget* parent) {
    auto* box = new TGridBox(parent);
    box->setGeometry(10, 10, 120, box->height());
    box->SetStyle(gsDropDownList);
    box->SetSelectType(stRow);
    box->SetDropDownCols(2);
    for (const char* code : {"0000001", "0000002", "0000003"})
        box->SetCell(box->Items().Add(code), 1, "Client");
    return box;
}

TEST_F(ClosingFromHandler, AGridBoxPickedWithTheMouse) {
    TGridBox* box = PickList(dialog);
    box->OnChange = [this] { CloseDialog(); };
    Show(box);
    box->DropDown();
    TGrid* grid = box->DropDownGrid()->Grid();
    const QPoint cell = grid->CellRect(0, 1).center() - grid->viewport()->pos();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(ClosingFromHandler, AGridBoxPickedWithEnterOrSteppedWithTheKeys) {
    TGridBox* box = PickList(dialog);
    box->OnChange = [this] { CloseDialog(); };
    Show(box);
    box->DropDown();
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Down);
    QTest::keyClick(box->DropDownGrid(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isNull());

    dialog = new QDialog;
    box = PickList(dialog);
    box->OnChange = [this] { CloseDialog(); };
    Show(box);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(ClosingFromHandler, ACalculatorValueTakenIntoANumberField) {
    auto* edit = new TCustomNumEdit(dialog);
    edit->setGeometry(10, 10, 120, 22);
    edit->OnChange = [this] { CloseDialog(); };
    Show(edit);
    edit->DropDown();
    QTest::keyClicks(edit->Calculator(), "7*6=");
    edit->Calculator()->Calculator()->Engine().Ok();
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(ClosingFromHandler, AComboEditsButtonAndASpeedButtonClicked) {
    auto* edit = new TCustomComboEdit(dialog);
    edit->setGeometry(10, 10, 120, 22);
    edit->SetButtonWidth(20);
    edit->OnButtonClick = [this] { CloseDialog(); };
    Show(edit);
    QTest::mouseClick(edit->Button(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isNull());

    dialog = new QDialog;
    auto* button = new TExSpeedButton(dialog);
    button->SetModalResult(1);
    button->OnClick = [this] { CloseDialog(); };
    Show(button);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(ClosingFromHandler, ASpinStepThatClosesTheDialogOrSwapsTheButton) {
    test::ManualTimers timers;
    auto* edit = new TExSpinEdit(dialog);
    edit->setGeometry(10, 10, 80, 22);
    // The first step swaps the button for the other kind; the repeat's step closes.
    edit->OnTopClick = [edit] { edit->SetButtonKind(bkStandard); };
    Show(edit);
    QTest::mousePress(dialog->windowHandle(), Qt::LeftButton, {},
                      edit->Button()->mapTo(dialog, QPoint(2, 2)));
    EXPECT_EQ(edit->text(), "1");
    QCoreApplication::processEvents();
    EXPECT_NE(dynamic_cast<TExUpDown*>(edit->Button()), nullptr);
    QTest::mouseRelease(dialog->windowHandle(), Qt::LeftButton, {},
                        edit->Button()->mapTo(dialog, QPoint(2, 2)));

    edit->OnTopClick = nullptr;
    edit->OnChange = [this] { CloseDialog(); };
    QTest::mousePress(dialog->windowHandle(), Qt::LeftButton, {},
                      edit->Button()->mapTo(dialog, QPoint(2, 2)));
    EXPECT_TRUE(dialog.isNull());
    // The mouse lets go over another window.
    QWidget desk;
    desk.show();
    QTest::mouseRelease(desk.windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
}

} // namespace
} // namespace duebell
