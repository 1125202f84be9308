#include "controls/gridbox.h"
#include "support/qtapp.h"

#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// A click on the text part of a pick list opens it, as a click on its button does; a box
// that takes typed text keeps the click for placing the cursor.
TEST(GridBoxClick, AClickOnTheTextOfAListStyleBoxOpensItsList) {
    const struct {
        TGBStyle style;
        bool opens;
    } cases[] = {{gsDropDownList, true}, {gsOwnerDraw, true}, {gsDropDown, false}};
    for (const auto& c : cases) {
        QWidget window;
        window.resize(300, 200);
        auto* box = new TGridBox(&window);
        box->setGeometry(10, 10, 150, box->height());
        box->SetStyle(c.style);
        box->SetSelectType(stRow);
        box->Items().Add("0000001");
        box->Items().Add("0000002");
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, box->height() / 2));
        EXPECT_EQ(box->PopupVisible(), c.opens) << c.style;
        // The right button never opens it.
        if (box->PopupVisible())
            box->PopupCloseUp(false);
        QTest::mouseClick(box, Qt::RightButton, {}, QPoint(10, box->height() / 2));
        EXPECT_FALSE(box->PopupVisible()) << c.style;
    }
}

TEST(GridBoxClick, TheClickThatClosesTheListDoesNotOpenItAgain) {
    QWidget window;
    window.resize(300, 200);
    auto* box = new TGridBox(&window);
    box->setGeometry(10, 10, 150, box->height());
    box->SetStyle(gsDropDownList);
    box->Items().Add("0000001");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint text(10, box->height() / 2);
    box->DropDown();
    ASSERT_TRUE(box->PopupVisible());
    // A press on the field while the list is open closes the list (the list sees it first),
    // then reaches the field itself, followed by its release.
    box->PopupCloseUp(false);
    QTest::mouseClick(box, Qt::LeftButton, {}, text);
    EXPECT_FALSE(box->PopupVisible());
    // Once that press is over, the next click opens the list again.
    QCoreApplication::processEvents();
    QTest::mouseClick(box, Qt::LeftButton, {}, text);
    EXPECT_TRUE(box->PopupVisible());
    // A press that is dragged off the field before its release opens nothing.
    box->PopupCloseUp(false);
    QCoreApplication::processEvents();
    QTest::mousePress(box, Qt::LeftButton, {}, text);
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(box->width() + 40, 80));
    EXPECT_FALSE(box->PopupVisible());
}

} // namespace
} // namespace duebell
