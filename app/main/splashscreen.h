// The splash window shown while the data files load: no border, centred on the screen, the
// splash picture stretched over it.
#pragma once

#include <QImage>
#include <QWidget>

namespace duebell {

// The splash picture (our own GIF reader's). The one place it is read from.
QImage SplashPicture();

class TfmSplashScreen : public QWidget {
    Q_OBJECT

public:
    TfmSplashScreen();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace duebell
