// The about box, opened through the registry like every window of the menus, and the splash
// window.
#include "app/framework/windowregistry.h"
#include "app/main/aboutbox.h"
#include "app/main/mainwindows.h"
#include "app/main/splashscreen.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "support/dialogdriver.h"
#include "support/qtapp.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// Takes the desktop's "open this address" requests.
class AddressRecorder : public QObject {
    Q_OBJECT

public slots:
    void Open(const QUrl& url) { opened.push_back(url.toString().toStdString()); }

public:
    std::vector<std::string> opened;
};

TEST(AboutBox, ShowsTheVersionAndOpensTheWebAddressWithTheHandCursorOverIt) {
    ScopedWindowRegistry registry;
    RegisterMainWindows("");
    AddressRecorder browser;
    QDesktopServices::setUrlHandler("https", &browser, "Open");
    test::DialogDriver driver;
    driver.Expect([&browser](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "About Duebell");
        EXPECT_EQ(dialog.findChild<QLabel*>("lblVersion")->text(), "Duebell version 1.01");
        EXPECT_FALSE(dialog.findChild<QLabel*>("imgPicture")->pixmap().isNull());
        dialog.show();
        test::SaveScreenshot(dialog.grab().toImage(), "about_box");

        auto* address = dialog.findChild<QLabel*>("lblWebAddress");
        SetScreenCursor(crIBeam);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(address, &enter);
        EXPECT_EQ(ScreenCursor(), crHandPoint);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(address, &leave);
        EXPECT_EQ(ScreenCursor(), crIBeam);
        SetScreenCursor(crDefault);
        QTest::mouseClick(address, Qt::LeftButton);
        EXPECT_EQ(browser.opened, std::vector<std::string>{ProductWebAddress});

        test::ButtonNamed(dialog, "btnOK")->click();
        return 0;
    });
    EXPECT_EQ(OpenWindow("TfmAbout").modalResult, mrOk);
    QDesktopServices::unsetUrlHandler("https");
}

TEST(SplashScreen, ShowsTheSplashPictureWithoutABorder) {
    TfmSplashScreen splash;
    const QImage picture = SplashPicture();
    ASSERT_EQ(picture.size(), QSize(491, 203));
    EXPECT_EQ(splash.size(), picture.size());
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    splash.show();
    const QImage shot = splash.grab().toImage().convertToFormat(picture.format());
    test::SaveScreenshot(shot, "splash");
    EXPECT_EQ(shot.pixel(100, 100), picture.pixel(100, 100));
}

} // namespace
} // namespace duebell

#include "aboutbox_test.moc"
