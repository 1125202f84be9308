#include "controls/exspinbutton.h"

#include "controls/uihooks.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <algorithm>

namespace duebell {

TSpinButtonBase::TSpinButtonBase(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Up or down"));
    logic_.Repaint = [this] { update(); };
    logic_.OnTopClick = [this] {
        if (OnTopClick)
            OnTopClick();
    };
    logic_.OnBottomClick = [this] {
        if (OnBottomClick)
            OnBottomClick();
    };
    logic_.StillHeld = [this] {
        if (!isVisible() || !isEnabled() || !(QGuiApplication::mouseButtons() & Qt::LeftButton))
            return false;
        // A modal box over the button's own window holds the mouse now.
        const QWidget* modal = QApplication::activeModalWidget();
        return modal == nullptr || modal == window();
    };
}

void TSpinButtonBase::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    logic_.Release();
}

void TSpinButtonBase::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        logic_.Release();
}

void TSpinButtonBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (focusControl_ && !focusControl_->hasFocus() && focusControl_->focusPolicy() != Qt::NoFocus)
        focusControl_->setFocus(Qt::MouseFocusReason);
    GuardEvent([&] { logic_.Press(HalfAt(event->position().toPoint())); });
}

void TSpinButtonBase::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    logic_.Move(rect().contains(pos) ? HalfAt(pos) : shNone);
}

void TSpinButtonBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        logic_.Release();
}

void TSpinButtonBase::DrawArrow(QPainter& p, QPoint c, bool up) const {
    const QColor color =
        isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Dark);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const QPolygon arrow = up ? QPolygon({QPoint(c.x() - 3, c.y() + 1),
                                          QPoint(c.x() + 3, c.y() + 1), QPoint(c.x(), c.y() - 2)})
                              : QPolygon({QPoint(c.x() - 3, c.y() - 1),
                                          QPoint(c.x() + 3, c.y() - 1), QPoint(c.x(), c.y() + 2)});
    p.drawPolygon(arrow);
}

TExSpinButton::TExSpinButton(QWidget* parent) : TSpinButtonBase(parent) {
    resize(20, 20);
}

TSpinHalf TExSpinButton::HalfAt(const QPoint& pos) const {
    return DiagonalHalf(pos.x(), pos.y(), width(), height());
}

void TExSpinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const int w = width();
    const int h = height();
    const QPolygon top({QPoint(0, 0), QPoint(w, 0), QPoint(0, h)});
    const QPolygon bottom({QPoint(w, 0), QPoint(w, h), QPoint(0, h)});
    p.setPen(Qt::NoPen);
    p.setBrush(Pressed() == shTop ? pal.color(QPalette::Dark) : pal.color(QPalette::Button));
    p.drawPolygon(top);
    p.setBrush(Pressed() == shBottom ? pal.color(QPalette::Dark) : pal.color(QPalette::Button));
    p.drawPolygon(bottom);
    // Raised edges and the diagonal between the halves.
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(0, h - 1, w - 1, 0);
    DrawArrow(p, QPoint(w / 3, h / 3), true);
    DrawArrow(p, QPoint(w * 2 / 3, h * 2 / 3), false);
}

TExUpDown::TExUpDown(QWidget* parent) : TSpinButtonBase(parent) {
    resize(std::min(style()->pixelMetric(QStyle::PM_ScrollBarExtent), 15), 20);
}

TSpinHalf TExUpDown::HalfAt(const QPoint& pos) const {
    return pos.y() < height() / 2 ? shTop : shBottom;
}

void TExUpDown::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const int half = height() / 2;
    const QRect top(0, 0, width(), half);
    const QRect bottom(0, half, width(), height() - half);
    for (const auto& [r, which] : {std::pair{top, shTop}, std::pair{bottom, shBottom}}) {
        p.fillRect(r, Pressed() == which ? pal.color(QPalette::Dark) : pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(pal.color(QPalette::Shadow));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        DrawArrow(p, r.center(), which == shTop);
    }
}

} // namespace duebell
