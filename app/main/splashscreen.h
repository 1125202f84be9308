// The splash window shown while the data files load: no border, centred on the screen, the
// splash picture stretched over it. It stays painted while the files load: the loading runs on
// a thread of its own while this one answers the screen.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QEventLoop;

namespace duebell {

// The splash picture (our own GIF reader's). The one place it is read from.
QImage SplashPicture();

// How long the splash waits for a window manager to put it on the screen before going on.
inline constexpr int SplashShowLimit = 2000; // milliseconds

class TfmSplashScreen : public QWidget {
    Q_OBJECT

public:
    TfmSplashScreen();

    // Shows the splash and returns once it is painted on the screen (a window manager maps a
    // window in its own time), or after SplashShowLimit without.
    void ShowPainted();
    // Returns after the milliseconds, painting the splash meanwhile whenever the screen asks.
    void Pause(int milliseconds);
    // Runs the work on a thread of its own, painting the splash meanwhile, and raises here what
    // the work raised. The work touches no window. Without a thread to be had it runs here.
    void RunWhilePainted(const std::function<void()>& work);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool painted_ = false;
    QEventLoop* waitingForPaint_ = nullptr;
};

} // namespace duebell
