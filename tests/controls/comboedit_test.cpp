#include "controls/comboedit.h"
#include "controls/editbutton.h"
#include "controls/popupplacement.h"
#include "controls/popupwindow.h"
#include "objectlist/exceptions.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(PopupPlacement, BelowTheFieldWithRightEdgesTogether) {
    const QRect screen(0, 0, 800, 600);
    // Field 100 wide at (300, 200); popup 180 x 90.
    EXPECT_EQ(PopupOrigin({300, 200, 100, 21}, {180, 90}, screen, paRightEdges), QPoint(220, 221));
    EXPECT_EQ(PopupOrigin({300, 200, 100, 21}, {180, 90}, screen, paLeftEdges), QPoint(300, 221));
}

TEST(PopupPlacement, AboveTheFieldNearTheBottomOfTheScreen) {
    const QRect screen(0, 0, 800, 600);
    EXPECT_EQ(PopupOrigin({300, 500, 100, 21}, {180, 90}, screen, paRightEdges), QPoint(220, 410));
    // Exactly fitting stays below.
    EXPECT_EQ(PopupOrigin({300, 489, 100, 21}, {180, 90}, screen, paRightEdges).y(), 510);
}

TEST(PopupPlacement, ClampedToTheScreenSides) {
    const QRect screen(0, 0, 800, 600);
    // Right-edge alignment that would start left of the screen goes back to the field's left.
    EXPECT_EQ(PopupOrigin({10, 100, 100, 21}, {180, 90}, screen, paRightEdges).x(), 10);
    // Left-edge alignment near the right edge moves left by the extra width.
    EXPECT_EQ(PopupOrigin({680, 100, 100, 21}, {180, 90}, screen, paLeftEdges).x(), 600);
    // And then ends at the screen's right edge when still too far right.
    EXPECT_EQ(PopupOrigin({760, 100, 30, 21}, {180, 90}, screen, paLeftEdges).x(), 610);
    EXPECT_EQ(PopupOrigin({760, 100, 30, 21}, {180, 90}, screen, paNone).x(), 620);
    EXPECT_EQ(PopupOrigin({-40, 100, 30, 21}, {180, 90}, screen, paNone).x(), 0);
    // A second screen to the right.
    EXPECT_EQ(
        PopupOrigin({1500, 100, 100, 21}, {180, 90}, QRect(800, 0, 800, 600), paLeftEdges).x(),
        1420);
}

class TextPopup : public TPopupWindow {
public:
    explicit TextPopup(TCustomComboEdit* editor) : TPopupWindow(editor) { resize(150, 80); }
    QVariant GetValue() const override { return value; }
    void SetValue(const QVariant& v) override { received = v; }
    QVariant value{"picked"};
    QVariant received{"nothing yet"};
};

class ComboEdit : public TCustomComboEdit {
public:
    ComboEdit() {
        popup = new TextPopup(this);
        SetPopup(popup);
        SetGlyphKind(gkDropDown);
        OnChange = [this] { ++changes; };
    }
    TextPopup* popup;
    int changes = 0;
};

class ComboEditWidget : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 100);
        field = new ComboEdit;
        field->setParent(&window);
        field->setGeometry(20, 20, 120, 21);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
    }
    QWidget window;
    ComboEdit* field = nullptr;
};

TEST_F(ComboEditWidget, TheButtonOpensThePopupUnderTheFieldWithTheFieldsText) {
    field->SetText("old");
    field->changes = 0;
    QTest::mouseClick(field->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(field->PopupVisible());
    EXPECT_TRUE(field->popup->isVisible());
    EXPECT_EQ(field->popup->received.toString(), "old");
    // Right edges together would start left of the screen, so it starts under the field.
    EXPECT_EQ(field->popup->pos(), field->mapToGlobal(QPoint(0, field->height())));
    EXPECT_TRUE(field->isReadOnly()); // no typing while the list is open
    // Enter accepts the popup's value.
    QTest::keyClick(field->popup, Qt::Key_Return);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->popup->isVisible());
    EXPECT_EQ(field->Text(), "picked");
    EXPECT_TRUE(field->Modified());
    EXPECT_EQ(field->changes, 1);
    EXPECT_FALSE(field->isReadOnly());
}

TEST_F(ComboEditWidget, EscapeClosesAndLeavesTheText) {
    field->SetText("old");
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(field->PopupVisible());
    QTest::keyClick(field->popup, Qt::Key_Escape);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->Text(), "old");
    // The click key toggles: open, then close with accept.
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(field->PopupVisible());
    QTest::keyClick(field->popup, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->Text(), "picked");
}

TEST_F(ComboEditWidget, AReadOnlyFieldNeverOpensItsPopup) {
    int buttonClicks = 0;
    field->OnButtonClick = [&] { ++buttonClicks; };
    field->SetReadOnly(true);
    QTest::mouseClick(field->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    field->DropDown();
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(buttonClicks, 0);
    EXPECT_TRUE(field->isReadOnly());
    field->SetReadOnly(false);
    field->SetDirectInput(false);
    EXPECT_TRUE(field->isReadOnly());
    QTest::mouseClick(field->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_TRUE(field->PopupVisible());
}

TEST_F(ComboEditWidget, APressOutsideClosesWithoutAcceptExceptOnTheButton) {
    field->SetText("old");
    field->DropDown();
    ASSERT_TRUE(field->PopupVisible());
    const QPoint outside = field->popup->mapFromGlobal(window.mapToGlobal(QPoint(280, 90)));
    QTest::mousePress(field->popup, Qt::LeftButton, {}, outside);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->Text(), "old");

    field->DropDown();
    const QPoint onButton = field->popup->mapFromGlobal(field->Button()->mapToGlobal(QPoint(3, 3)));
    QTest::mousePress(field->popup, Qt::LeftButton, {}, onButton);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->Text(), "picked");
}

TEST_F(ComboEditWidget, OnlyARealFocusLossCloses) {
    field->DropDown();
    QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(field, &toPopup);
    EXPECT_TRUE(field->PopupVisible());
    QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &away);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->Text(), "");
}

TEST_F(ComboEditWidget, TheFieldNearTheScreenCornerOpensAboveAndEndsAtTheRightEdge) {
    const QRect screen = window.screen()->geometry();
    window.move(screen.right() - 200, screen.bottom() - 60);
    QCoreApplication::processEvents();
    field->move(150, 20);
    field->popup->resize(300, 120);
    field->SetPopupAlign(paLeftEdges);
    field->DropDown();
    const QRect fieldOnScreen(field->mapToGlobal(QPoint(0, 0)), field->size());
    EXPECT_EQ(field->popup->y(), fieldOnScreen.top() - 120);
    EXPECT_EQ(field->popup->x() + 300, screen.left() + screen.width());
}

TEST_F(ComboEditWidget, TheButtonSitsInsideTheRightEdge) {
    EXPECT_EQ(field->ButtonWidth(), field->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const QRect b(field->Button()->mapTo(field, QPoint(0, 0)), field->Button()->size());
    EXPECT_EQ(b.right(), field->width() - 3);
    field->SetButtonWidth(0);
    EXPECT_EQ(field->ButtonWidth(), 0);
    EXPECT_FALSE(field->Button()->isVisibleTo(field));
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(field->PopupVisible());
}

TEST_F(ComboEditWidget, TypingFiresOnChangeAndErrorsGoToTheHandler) {
    test::RecordingHooks hooks;
    QTest::keyClicks(field, "ab");
    EXPECT_EQ(field->changes, 2);
    field->OnChange = [] { throw Exception("no letters here"); };
    QTest::keyClicks(field, "c");
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"no letters here"});
    // A programmatic change reaches the caller instead.
    EXPECT_THROW(field->SetText("x"), Exception);
}

} // namespace
} // namespace duebell
