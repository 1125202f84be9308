#include "controls/editbutton.h"

#include "controls/comboedit.h"

#include <QMouseEvent>
#include <QPainter>

namespace duebell {

TEditButton::TEditButton(TCustomComboEdit* editor, QWidget* parent)
    : TExSpeedButton(parent), editor_(editor) {
    setAccessibleName(QStringLiteral("Open"));
}

void TEditButton::paintEvent(QPaintEvent* event) {
    TExSpeedButton::paintEvent(event);
    if (State() == ebsDown)
        return;
    // The line that separates the button from the text.
    QPainter p(this);
    const QPalette& pal = palette();
    p.setPen(Style() == bsWin31 ? pal.color(QPalette::Dark) : pal.color(QPalette::Button));
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(1, 1, 1, height() - 2);
}

void TEditButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && editor_->focusPolicy() != Qt::NoFocus &&
        editor_->isEnabled() && !editor_->hasFocus())
        editor_->setFocus(Qt::MouseFocusReason);
    TExSpeedButton::mousePressEvent(event);
}

} // namespace duebell
