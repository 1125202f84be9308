#include "controls/exspeedbutton.h"
#include "controls/modalresult.h"
#include "objectlist/exceptions.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

void Press(QWidget* w) {
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
}
void Release(QWidget* w, QPoint at = QPoint(5, 5)) {
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

TEST(SpeedButtonGroups, PressingTheSecondReleasesTheFirst) {
    QWidget parent;
    TExSpeedButton first(&parent);
    TExSpeedButton second(&parent);
    TExSpeedButton other(&parent);
    first.SetGroupIndex(1);
    second.SetGroupIndex(1);
    other.SetGroupIndex(2);
    other.SetDown(true);
    first.SetDown(true);
    EXPECT_TRUE(first.Down());
    QTest::mouseClick(&second, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(second.Down());
    EXPECT_FALSE(first.Down());
    EXPECT_EQ(first.State(), ebsUp);
    EXPECT_EQ(second.State(), ebsExclusive);
    EXPECT_TRUE(other.Down());
}

TEST(SpeedButtonGroups, ADownButtonStaysDownWithoutAllowAllUp) {
    QWidget parent;
    TExSpeedButton a(&parent);
    TExSpeedButton b(&parent);
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    int clicks = 0;
    a.OnClick = [&] { ++clicks; };
    QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a.Down());
    EXPECT_EQ(clicks, 2);
    // AllowAllUp is shared across the group.
    b.SetAllowAllUp(true);
    EXPECT_TRUE(a.AllowAllUp());
    QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(a.Down());
}

// How many pixels of the picture are pure red.
int RedPixels(const QImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    return count;
}

TEST(SpeedButtonAction, TheButtonFollowsItsActionAndAClickTriggersIt) {
    QWidget parent;
    TExSpeedButton button(&parent);
    button.SetGroupIndex(1);
    button.SetAllowAllUp(true);
    QAction search("&Search");
    search.setToolTip("Find a loan");
    search.setCheckable(true);
    QPixmap red(16, 16);
    red.fill(Qt::red); // red to its bottom-left corner: fuchsia, not red, is see-through
    search.setIcon(QIcon(red));
    int triggered = 0;
    QObject::connect(&search, &QAction::triggered, [&] { ++triggered; });

    button.SetAction(&search);
    EXPECT_EQ(button.Caption(), "&Search");
    EXPECT_EQ(button.toolTip(), "Find a loan");
    EXPECT_EQ(button.Glyph().size(), QSize(16, 16));
    button.resize(80, 40);
    const QImage shown = button.grab().toImage();
    test::SaveScreenshot(shown, "speedbutton_action");
    EXPECT_GT(RedPixels(shown), 0); // none would be red were red the see-through colour
    search.setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    search.setEnabled(true);
    search.setChecked(true);
    EXPECT_TRUE(button.Down());
    search.setText("Find");
    EXPECT_EQ(button.Caption(), "Find");
    search.setVisible(false);
    EXPECT_TRUE(button.isHidden());
    search.setVisible(true);
    EXPECT_FALSE(button.isHidden());

    // A click with no OnClick triggers the action, whose unticking lets the button up.
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(triggered, 1);
    EXPECT_FALSE(search.isChecked());
    EXPECT_FALSE(button.Down());
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(triggered, 1);

    // An action that goes unlinks itself.
    auto* passing = new QAction("Passing");
    button.OnClick = nullptr;
    button.SetAction(passing);
    delete passing;
    EXPECT_EQ(button.Action(), nullptr);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button.Caption(), "Passing");
}

TEST(SpeedButtonGroups, WithoutAGroupAButtonIsNeverDown) {
    TExSpeedButton b;
    b.SetDown(true);
    EXPECT_FALSE(b.Down());
}

TEST(SpeedButtonRepeat, ClicksAfterTheInitialPauseThenAtTheRepeatInterval) {
    test::ManualTimers timers;
    TExSpeedButton b;
    b.SetAllowTimer(true);
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    Press(&b);
    ASSERT_EQ(timers.made.size(), 1u);
    test::ManualTimer& timer = timers.Last();
    EXPECT_EQ(timer.Interval(), 500);
    EXPECT_EQ(clicks, 0);
    timer.Fire();
    timer.Fire();
    timer.Fire();
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(timer.history, (std::vector<int>{500, 100, 100}));
    // Dragged off the button the repeat pauses; back on, it goes on.
    QTest::mouseMove(&b, QPoint(40, 40));
    QMouseEvent away(QEvent::MouseMove, QPointF(40, 40), QPointF(40, 40), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(&b, &away);
    timer.Fire();
    EXPECT_EQ(clicks, 3);
    QMouseEvent back(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(&b, &back);
    timer.Fire();
    EXPECT_EQ(clicks, 4);
    Release(&b);
    EXPECT_EQ(clicks, 5);
    EXPECT_FALSE(timer.IsActive());
    // Switching the repeat off frees the timer; the next press makes none.
    b.SetAllowTimer(false);
    Press(&b);
    Release(&b);
    EXPECT_EQ(timers.made.size(), 1u);
    EXPECT_EQ(clicks, 6);
}

TEST(SpeedButtonRepeat, AReleaseOutsideDoesNotClick) {
    TExSpeedButton b;
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    Press(&b);
    Release(&b, QPoint(100, 100));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b.State(), ebsUp);
}

TEST(SpeedButtonModalResult, AClickClosesTheDialogWithTheButtonsResult) {
    QDialog dialog;
    TExSpeedButton ok(&dialog);
    ok.SetModalResult(mrOk);
    int seen = -1;
    ok.OnClick = [&] { seen = FormModalResult(&dialog); };
    dialog.show();
    QTest::mouseClick(&ok, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(seen, mrOk);
    EXPECT_EQ(dialog.result(), mrOk);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SpeedButtonModalResult, AFailingClickLeavesTheDialogOpenWithItsOldResult) {
    test::RecordingHooks hooks;
    QDialog dialog;
    TExSpeedButton ok(&dialog);
    ok.SetModalResult(mrOk);
    ok.OnClick = [] { throw Exception("Enter a loan number"); };
    dialog.show();
    SetFormModalResult(&dialog, mrNone);
    QTest::mouseClick(&ok, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(FormModalResult(&dialog), mrNone);
    EXPECT_EQ(hooks.errors, std::vector<std::string>{"Enter a loan number"});
}

TEST(SpeedButtonModalResult, AnAcceleratorClicksAnEnabledButton) {
    QWidget window;
    TExSpeedButton b(&window);
    b.SetCaption("&Search");
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b.State(), ebsDisabled);
}

TEST(SpeedButtonProperties, RangesOfNumGlyphsAndMargin) {
    TExSpeedButton b;
    b.SetNumGlyphs(7);
    EXPECT_EQ(b.NumGlyphs(), 5);
    b.SetNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 5);
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), -1);
    b.SetMargin(4);
    EXPECT_EQ(b.Margin(), 4);
    EXPECT_EQ(b.size(), QSize(25, 25));
    const int live = TExSpeedButton::LiveCount();
    {
        TExSpeedButton another;
        EXPECT_EQ(TExSpeedButton::LiveCount(), live + 1);
    }
    EXPECT_EQ(TExSpeedButton::LiveCount(), live);
}

TEST(SpeedButtonMenu, MenuPointFollowsPositionAndAlignment) {
    const QSize s(30, 20);
    EXPECT_EQ(DropDownMenuPoint(false, dmpBottom, maLeft, s), QPoint(0, 0));
    EXPECT_EQ(DropDownMenuPoint(true, dmpBottom, maLeft, s), QPoint(-1, 20));
    EXPECT_EQ(DropDownMenuPoint(true, dmpBottom, maRight, s), QPoint(31, 20));
    EXPECT_EQ(DropDownMenuPoint(true, dmpBottom, maCenter, s), QPoint(15, 20));
    EXPECT_EQ(DropDownMenuPoint(true, dmpRight, maLeft, s), QPoint(30, -1));
    EXPECT_EQ(DropDownMenuPoint(true, dmpRight, maRight, s), QPoint(-1, -1));
    EXPECT_EQ(DropDownMenuPoint(true, dmpRight, maCenter, s), QPoint(15, 20));
}

TEST(SpeedButtonMenu, APressOpensTheMenuBelowTheButtonWithoutClicking) {
    QWidget window;
    window.resize(200, 200);
    TExSpeedButton b(&window);
    b.move(10, 10);
    QMenu menu;
    menu.addAction("Loan search");
    b.SetDropDownMenu(&menu);
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    window.show();
    Press(&b);
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), b.mapToGlobal(QPoint(-1, 25)));
    menu.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(b.State(), ebsUp);
    EXPECT_EQ(clicks, 0);
}

TEST(SpeedButtonMenu, AButtonThatGoesWhileItsMenuIsOpenLeavesNothingBehind) {
    // Under the sanitizer preset a leaked hearing of the menu fails this test at exit.
    QWidget window;
    window.resize(200, 200);
    QMenu menu;
    menu.addAction("Loan search");
    auto* b = new TExSpeedButton(&window);
    b->SetDropDownMenu(&menu);
    window.show();
    Press(b);
    ASSERT_TRUE(menu.isVisible());
    delete b;
    menu.close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(menu.isVisible());
    // A second button on the same menu hears its own closing once.
    TExSpeedButton other(&window);
    other.SetDropDownMenu(&menu);
    other.show();
    Press(&other);
    menu.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(other.State(), ebsUp);
}

TEST(SpeedButtonPainting, RaisedUpPressedDownAndFlatOnlyUnderTheMouse) {
    QWidget panel;
    QPalette p = panel.palette();
    p.setColor(QPalette::Button, QColor(192, 192, 192));
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    panel.setPalette(p);
    panel.resize(110, 30);
    TExSpeedButton up(&panel);
    TExSpeedButton down(&panel);
    TExSpeedButton flat(&panel);
    up.SetCaption("OK");
    down.move(30, 0);
    down.SetGroupIndex(1);
    down.SetDown(true);
    flat.move(60, 0);
    flat.SetFlat(true);
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    for (int i = 0; i < 8; ++i)
        glyph.setPixel(i, i, qRgb(0, 0, 128));
    flat.SetGlyph(glyph);
    panel.show();
    const QImage image = panel.grab().toImage();
    test::SaveScreenshot(image, "speedbuttons");
    EXPECT_EQ(image.pixelColor(5, 0), QColor(Qt::white));  // raised: light top edge
    EXPECT_EQ(image.pixelColor(5, 24), QColor(Qt::black)); // dark bottom edge
    EXPECT_EQ(image.pixelColor(35, 0), QColor(Qt::black)); // pressed: dark top edge
    EXPECT_EQ(image.pixelColor(35, 24), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(65, 0), QColor(192, 192, 192)); // flat, mouse away: no edge
    // The flat button's glyph is greyed while the mouse is away: navy becomes
    // (0 x 77 + 0 x 150 + 128 x 29) / 256 = 14.
    const int g = 128 * 29 / 256;
    bool grey = false;
    for (int x = 60; x < 85; ++x)
        for (int y = 0; y < 25; ++y)
            grey = grey || image.pixelColor(x, y) == QColor(g, g, g);
    EXPECT_TRUE(grey);
}

} // namespace
} // namespace duebell
