// The spin buttons of a spin edit: TExSpinButton, one square split along its diagonal into an
// upper and a lower half, and TExUpDown, two halves one above the other. Both fire their top
// and bottom clicks at once on a press and repeat them while held: while the left button stays
// down on the button and no other modal window has come up. Hiding or disabling the button
// ends a press.
#pragma once

#include "controls/spinbuttonlogic.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace duebell {

class TSpinButtonBase : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButtonBase(QWidget* parent);

    // The control that takes the focus on a press.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }
    TSpinHalf Pressed() const { return logic_.Pressed(); }
    // Ends a press without a click: the release that would have ended it cannot come.
    void CancelPress() { logic_.Release(); }

    std::function<void()> OnTopClick;
    std::function<void()> OnBottomClick;

protected:
    virtual TSpinHalf HalfAt(const QPoint& pos) const = 0;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Draws an arrow pointing up or down, centred on `centre`.
    void DrawArrow(QPainter& painter, QPoint centre, bool up) const;

    SpinButtonLogic logic_;

private:
    QPointer<QWidget> focusControl_;
};

class TExSpinButton : public TSpinButtonBase {
    Q_OBJECT
public:
    explicit TExSpinButton(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {20, 20}; }

protected:
    TSpinHalf HalfAt(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
};

class TExUpDown : public TSpinButtonBase {
    Q_OBJECT
public:
    explicit TExUpDown(QWidget* parent = nullptr);

protected:
    TSpinHalf HalfAt(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace duebell
