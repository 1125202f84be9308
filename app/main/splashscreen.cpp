#include "app/main/splashscreen.h"

#include "controls/pictures/splashpicture.h"
#include "controls/uihooks.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace duebell {

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

void TfmSplashScreen::paintEvent(QPaintEvent*) {
    GuardEvent([this] {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
    });
}

} // namespace duebell
