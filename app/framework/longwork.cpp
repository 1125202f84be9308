#include "app/framework/longwork.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>

namespace duebell {

namespace {

// Often enough for the screen to follow, seldom enough to cost the work nothing.
constexpr qint64 PaintEveryMs = 100;
// The progress dialog's range: thousandths of the work.
constexpr int ProgressRange = 1000;

// What waits to be painted, and the timers that are due; the user's input waits for the end.
void PaintPending() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

LongWork::LongWork(QString caption, std::chrono::milliseconds progressDialogAfter)
    : caption_(std::move(caption)), progressDialogAfter_(progressDialogAfter) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A closed dialog leaves its place to the windows below; painted now, not after the work.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->repaint();
    PaintPending();
    running_.start();
    sincePainted_.start();
}

LongWork::~LongWork() {
    progress_.reset();
    QApplication::restoreOverrideCursor();
}

void LongWork::Step(std::size_t done, std::size_t total) {
    const bool showProgress = !progress_ && running_.elapsed() >= progressDialogAfter_.count();
    if (!showProgress && sincePainted_.elapsed() < PaintEveryMs)
        return;
    if (showProgress) {
        progress_ = std::make_unique<QProgressDialog>(caption_, QString(), 0, ProgressRange,
                                                      QApplication::activeWindow());
        progress_->setWindowTitle(QApplication::applicationDisplayName());
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        progress_->show();
    }
    if (progress_ && total > 0)
        progress_->setValue(static_cast<int>(std::min(done, total) * ProgressRange / total));
    PaintPending();
    sincePainted_.restart();
}

} // namespace duebell
