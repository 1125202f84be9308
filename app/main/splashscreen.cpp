#include "app/main/splashscreen.h"

#include "controls/pictures/splashpicture.h"
#include "controls/uihooks.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <exception>
#include <system_error>
#include <thread>

namespace duebell {

namespace {

// Input waits until the main window is there; painting, timers and the window manager's
// requests are answered.
constexpr QEventLoop::ProcessEventsFlags SplashEvents = QEventLoop::ExcludeUserInputEvents;

} // namespace

QImage SplashPicture() {
    return pictures::LoadSplashPicture();
}

TfmSplashScreen::TfmSplashScreen()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(SplashPicture()) {
    setObjectName("fmSplashScreen");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(picture_.isNull() ? QSize(480, 300) : picture_.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TfmSplashScreen::ShowPainted() {
    show();
    if (!painted_) {
        QEventLoop loop;
        waitingForPaint_ = &loop;
        QTimer::singleShot(SplashShowLimit, &loop, &QEventLoop::quit);
        loop.exec(SplashEvents);
        waitingForPaint_ = nullptr;
    }
    QCoreApplication::processEvents(SplashEvents); // the painted picture goes to the screen
}

void TfmSplashScreen::Pause(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(SplashEvents);
}

void TfmSplashScreen::RunWhilePainted(const std::function<void()>& work) {
    std::exception_ptr failure;
    const auto run = [&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    QEventLoop loop;
    std::thread worker;
    try {
        worker = std::thread([&] {
            run();
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        run();
    }
    if (worker.joinable()) {
        loop.exec(SplashEvents); // also ends early when the application quits
        worker.join();
    }
    if (failure)
        std::rethrow_exception(failure);
}

void TfmSplashScreen::paintEvent(QPaintEvent*) {
    GuardEvent([this] {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
        painted_ = true;
        if (waitingForPaint_ != nullptr)
            waitingForPaint_->quit();
    });
}

} // namespace duebell
