// The page navigator: its buttons' layout, hints, enable rules and actions.
#include "print/pagenavigator.h"
#include "print/previewwidget.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

std::vector<bool> Enabled(const TPqPageNavigator& navigator) {
    std::vector<bool> enabled;
    for (int i = 0; i < NavigateButtonCount; ++i)
        enabled.push_back(navigator.Button(static_cast<TPqNavigateBtn>(i)).isEnabled());
    return enabled;
}

TEST(PageNavigatorLayout, ThirteenButtonsInFourGroupsCentred) {
    TPqPageNavigator navigator;
    // 13 buttons of 34 pixels and three group gaps of 8: 466; the bar is 18 wider, 16 higher.
    EXPECT_EQ(navigator.TotalWidth(), 466);
    EXPECT_EQ(navigator.width(), 484);
    EXPECT_EQ(navigator.height(), 50);
    // Inside a 2-pixel frame the client area is 480 x 46: (480 - 466) / 2 = 7 from its left.
    const int expectedX[] = {9, 43, 77, 111, 153, 187, 221, 263, 297, 331, 373, 407, 441};
    for (int i = 0; i < NavigateButtonCount; ++i) {
        const TPqNavButton& button = navigator.Button(static_cast<TPqNavigateBtn>(i));
        EXPECT_EQ(button.x(), expectedX[i]) << i;
        EXPECT_EQ(button.y(), 8) << i;
        EXPECT_EQ(button.width(), 34);
        EXPECT_EQ(button.Kind(), i);
    }
}

TEST(PageNavigatorLayout, GroupsOfButtons) {
    EXPECT_EQ(TPqPageNavigator::ButtonGroup(pqLastPage), 0);
    EXPECT_EQ(TPqPageNavigator::ButtonGroup(pqAddPage), 1);
    EXPECT_EQ(TPqPageNavigator::ButtonGroup(pqClear), 1);
    EXPECT_EQ(TPqPageNavigator::ButtonGroup(pqZoomIn), 2);
    EXPECT_EQ(TPqPageNavigator::ButtonGroup(pqActualSize), 2);
    EXPECT_EQ(TPqPageNavigator::ButtonGroup(pqFitWidth), 3);
}

TEST(PageNavigatorLayout, OnlyTheZoomButtonsNeedNoGroupSpacing) {
    TPqPageNavigator navigator;
    navigator.SetVisibleButtons(NavButton(pqZoomIn) | NavButton(pqZoomOut) |
                                NavButton(pqActualSize));
    EXPECT_EQ(navigator.TotalWidth(), 102);
    EXPECT_EQ(navigator.Button(pqZoomIn).x(), 2 + (480 - 102) / 2);
    EXPECT_EQ(navigator.Button(pqZoomOut).x(), navigator.Button(pqZoomIn).x() + 34);
    EXPECT_FALSE(navigator.Button(pqFirstPage).isVisibleTo(&navigator));
    EXPECT_GT(navigator.Button(pqFirstPage).x(), navigator.width());
}

TEST(PageNavigatorLayout, AutoSizeFitsTheButtonsExactly) {
    TPqPageNavigator navigator;
    navigator.SetAutoSize(true);
    // Border: 4 for the frame plus twice the border width of 6.
    EXPECT_EQ(navigator.width(), 466 + 16);
    EXPECT_EQ(navigator.height(), 34 + 16);
    navigator.SetGroupButtons(false);
    EXPECT_EQ(navigator.TotalWidth(), 442);
    EXPECT_EQ(navigator.width(), 442 + 16);
    navigator.SetButtonSize(20, 24);
    EXPECT_EQ(navigator.width(), 13 * 20 + 16);
    EXPECT_EQ(navigator.height(), 24 + 16);
}

TEST(PageNavigatorHints, EachButtonShowsItsHint) {
    TPqPageNavigator navigator;
    EXPECT_EQ(navigator.Button(pqFirstPage).toolTip(), "First Page");
    EXPECT_EQ(navigator.Button(pqPrevPage).toolTip(), "Previous Page");
    EXPECT_EQ(navigator.Button(pqDeletePage).toolTip(), "Delete Current Page");
    EXPECT_EQ(navigator.Button(pqActualSize).toolTip(), "Actual Size");
    EXPECT_EQ(navigator.Button(pqFitWholePage).toolTip(), "Fit Whole Page");
    navigator.OnGetButtonHint = [](TPqNavigateBtn button, QString& hint) {
        if (button == pqClear)
            hint = "Start again";
    };
    navigator.Loaded();
    EXPECT_EQ(navigator.Button(pqClear).toolTip(), "Start again");
    EXPECT_EQ(navigator.Button(pqAddPage).toolTip(), "Add Page");
    navigator.SetShowButtonHints(false);
    EXPECT_TRUE(navigator.Button(pqAddPage).toolTip().isEmpty());
    EXPECT_EQ(TPqPageNavigator::About(), "TPqPageNavigator v2.83");
    EXPECT_EQ(TPqPreview::About(), "TPqPreview v2.83");
}

TEST(PageNavigatorMenu, EveryButtonSharesTheBarsPopupMenu) {
    TPqPreview preview;
    TPqPageNavigator bar;
    bar.SetPreview(&preview); // first and previous disabled on page 1, the rest enabled
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QMenu menu;
    menu.addAction("Print");
    // A right click as the window system delivers it.
    auto rightClick = [&](QWidget* on) {
        const QPoint at = on->mapTo(&bar, QPoint(5, 5));
        QTest::mousePress(bar.windowHandle(), Qt::RightButton, {}, at);
        QTest::mouseRelease(bar.windowHandle(), Qt::RightButton, {}, at);
        QCoreApplication::processEvents();
    };
    rightClick(&bar.Button(pqZoomIn)); // no menu yet: nothing opens
    EXPECT_FALSE(menu.isVisible());
    bar.SetPopupMenu(&menu);
    for (TPqNavigateBtn button : {pqFirstPage, pqClear, pqFitWholePage}) {
        rightClick(&bar.Button(button));
        EXPECT_TRUE(menu.isVisible()) << button;
        EXPECT_EQ(menu.pos(), bar.Button(button).mapToGlobal(QPoint(5, 5))) << button;
        menu.hide();
    }
    // The bar's own free area opens it too.
    QTest::mousePress(bar.windowHandle(), Qt::RightButton, {}, QPoint(2, 2));
    QTest::mouseRelease(bar.windowHandle(), Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST(PageNavigatorButtons, GlyphsComeFromTheResources) {
    TPqPageNavigator navigator;
    for (int i = 0; i < NavigateButtonCount; ++i)
        EXPECT_FALSE(navigator.Button(static_cast<TPqNavigateBtn>(i)).icon().isNull()) << i;
    EXPECT_FALSE(TPqPreview::ZoomCursor(true).pixmap().isNull());
    EXPECT_FALSE(TPqPreview::ZoomCursor(false).pixmap().isNull());
}

TEST(PageNavigatorButtons, ButtonsFollowThePreviewsPagesZoomAndTheBar) {
    TPqPreview preview;
    TPqPageNavigator navigator;
    navigator.SetPreview(&preview);
    // Page 1 of 1: no moving; everything else is possible.
    EXPECT_EQ(Enabled(navigator), (std::vector<bool>{false, false, false, false, true, true, true,
                                                     true, true, true, true, true, true}));
    preview.Model().NewPage();
    EXPECT_TRUE(navigator.Button(pqFirstPage).isEnabled());
    EXPECT_TRUE(navigator.Button(pqPrevPage).isEnabled());
    EXPECT_FALSE(navigator.Button(pqNextPage).isEnabled());
    EXPECT_FALSE(navigator.Button(pqLastPage).isEnabled());
    preview.Model().FirstPage();
    EXPECT_FALSE(navigator.Button(pqFirstPage).isEnabled());
    EXPECT_TRUE(navigator.Button(pqLastPage).isEnabled());
    // The zoom buttons stop at the limits.
    preview.Model().SetZoom(preview.Model().MaxZoom());
    EXPECT_FALSE(navigator.Button(pqZoomIn).isEnabled());
    EXPECT_TRUE(navigator.Button(pqZoomOut).isEnabled());
    preview.Model().SetZoom(preview.Model().MinZoom());
    EXPECT_TRUE(navigator.Button(pqZoomIn).isEnabled());
    EXPECT_FALSE(navigator.Button(pqZoomOut).isEnabled());
    // Disabling the bar disables its buttons.
    navigator.setEnabled(false);
    EXPECT_FALSE(navigator.Button(pqAddPage).isEnabled());
    navigator.setEnabled(true);
    EXPECT_TRUE(navigator.Button(pqAddPage).isEnabled());
}

TEST(PageNavigatorButtons, AClickActsOnThePreviewThenTellsItsHandler) {
    TPqPreview preview;
    TPqPageNavigator navigator;
    navigator.SetPreview(&preview);
    std::vector<std::pair<TPqNavigateBtn, int>> clicks;
    navigator.OnClickButton = [&](TPqNavigateBtn button) {
        clicks.push_back({button, preview.Model().PageCount()});
    };
    navigator.Button(pqAddPage).click();
    navigator.Button(pqAddPage).click();
    navigator.Button(pqFirstPage).click();
    EXPECT_EQ(preview.Model().CurrentPage(), 1);
    navigator.Button(pqDeletePage).click();
    EXPECT_EQ(clicks, (std::vector<std::pair<TPqNavigateBtn, int>>{
                          {pqAddPage, 2}, {pqAddPage, 3}, {pqFirstPage, 3}, {pqDeletePage, 2}}));
    navigator.Button(pqActualSize).click();
    EXPECT_EQ(preview.Model().Zoom(), 100);
    navigator.Button(pqZoomIn).click();
    EXPECT_EQ(preview.Model().Zoom(), 120);
    preview.resize(900, 1000);
    navigator.Button(pqFitWidth).click();
    EXPECT_EQ(preview.Model().Zoom(), 103);
    navigator.Button(pqClear).click();
    EXPECT_EQ(preview.Model().PageCount(), 1);
}

TEST(PageNavigatorButtons, WithoutAPreviewOrWhenItGoesAwayEveryButtonIsDisabled) {
    TPqPageNavigator navigator;
    EXPECT_EQ(Enabled(navigator), std::vector<bool>(13, false));
    {
        TPqPreview preview;
        navigator.SetPreview(&preview);
        EXPECT_EQ(navigator.Preview(), &preview);
    }
    EXPECT_EQ(navigator.Preview(), nullptr);
    navigator.Button(pqAddPage).click(); // nothing happens, nothing breaks
    navigator.UpdateButtons();
    EXPECT_EQ(Enabled(navigator), std::vector<bool>(13, false));
}

TEST(PageNavigatorButtons, ThePreviewTheBarAndItsButtonsAreFoundByTheirClass) {
    // Dialogs and the binder find these through Qt's meta-objects.
    QWidget form;
    auto* preview = new TPqPreview(&form);
    auto* navigator = new TPqPageNavigator(&form);
    navigator->SetPreview(preview);
    EXPECT_EQ(form.findChild<TPqPreview*>(), preview);
    EXPECT_EQ(form.findChild<TPqPageNavigator*>(), navigator);
    EXPECT_EQ(navigator->findChildren<TPqNavButton*>().size(), NavigateButtonCount);
    QObject* asObject = preview;
    EXPECT_EQ(qobject_cast<TPqPreview*>(asObject), preview);
    EXPECT_STREQ(preview->metaObject()->className(), "duebell::TPqPreview");
    EXPECT_STREQ(navigator->Button(pqZoomIn).metaObject()->className(), "duebell::TPqNavButton");
    // Glyphs and a painted page tell assistive technology what they are.
    auto name = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(preview), "Print preview");
    navigator->SetShowButtonHints(false);
    EXPECT_EQ(name(&navigator->Button(pqZoomIn)), "Zoom In");
    EXPECT_EQ(name(&navigator->Button(pqDeletePage)), "Delete Current Page");
}

} // namespace
} // namespace duebell
