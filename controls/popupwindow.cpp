#include "controls/popupwindow.h"

#include "controls/comboedit.h"
#include "controls/editbutton.h"
#include "controls/uihooks.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace duebell {

TPopupWindow::TPopupWindow(TCustomComboEdit* editor)
    : QFrame(editor, Qt::Popup | Qt::FramelessWindowHint), editor_(editor) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}

void TPopupWindow::CloseUp(bool accept) {
    if (OnCloseUp)
        OnCloseUp(accept);
}

void TPopupWindow::keyPressEvent(QKeyEvent* event) {
    GuardEvent([&] { editor_->PopupKeyPress(event); });
}

void TPopupWindow::mousePressEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        QFrame::mousePressEvent(event);
        return;
    }
    GuardEvent([&] {
        // A press on the field's own button accepts, and the button never sees that click.
        const QPoint global = event->globalPosition().toPoint();
        QWidget* button = editor_->Button();
        if (button->isVisible() && button->rect().contains(button->mapFromGlobal(global))) {
            setAttribute(Qt::WA_NoMouseReplay);
            editor_->PopupCloseUp(true);
        } else {
            setAttribute(Qt::WA_NoMouseReplay, false);
            editor_->PopupCloseUp(false);
        }
    });
}

void TPopupWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    GuardEvent([&] { editor_->PopupCloseUp(rect().contains(event->position().toPoint())); });
}

void TPopupWindow::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    // Closed by Qt itself (another window activated): the field hears of it, without accept.
    if (editor_->PopupVisible())
        GuardEvent([this] { editor_->PopupCloseUp(false); });
}

} // namespace duebell
