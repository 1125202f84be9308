// The about box, opened through the registry like every window of the menus, and the splash
// window, painted while the files load.
#include "app/framework/windowregistry.h"
#include "app/main/aboutbox.h"
#include "app/main/mainwindows.h"
#include "app/main/splashscreen.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "objectlist/exceptions.h"
#include "support/dialogdriver.h"
#include "support/qtapp.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTest>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

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

// Counts the paints a widget receives, on whichever thread asks.
struct PaintCounter : QObject {
    std::atomic<int> paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(SplashScreen, ShowsTheSplashPictureWithoutABorderAndPaintsItWhileTheFilesLoad) {
    TfmSplashScreen splash;
    const QImage picture = SplashPicture();
    ASSERT_EQ(picture.size(), QSize(491, 203));
    EXPECT_EQ(splash.size(), picture.size());
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    PaintCounter counter;
    splash.installEventFilter(&counter);
    splash.ShowPainted();
    EXPECT_GE(counter.paints, 1);
    const QImage shot = splash.grab().toImage().convertToFormat(picture.format());
    test::SaveScreenshot(shot, "splash");
    EXPECT_EQ(shot.pixel(100, 100), picture.pixel(100, 100));

    // While the work runs, the splash is painted again when the screen asks (bounded only so
    // that a splash left unpainted fails rather than hangs).
    bool repainted = false;
    splash.RunWhilePainted([&] {
        const int before = counter.paints;
        QMetaObject::invokeMethod(
            &splash, [&splash] { splash.repaint(); }, Qt::QueuedConnection);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (counter.paints == before && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        repainted = counter.paints > before;
    });
    EXPECT_TRUE(repainted);
    EXPECT_THROW(splash.RunWhilePainted([] { throw Exception("The file could not be read."); }),
                 Exception);
}

} // namespace
} // namespace duebell

#include "aboutbox_test.moc"
