// TFormScaler: lets a window or frame that grows wider stretch its controls across in
// proportion. Capture records, once, the left edge and width of every named control under the
// owner and the widths of an object-list grid's columns; ScaleForm sets them again from the
// record times the ratio of the owner's width now to its recorded width.
//
// Push buttons keep their place and size. A control placed by a Qt layout is the layout's:
// it is recorded with no width and never moved (nor is anything under an owner that a layout
// places). Use one per window: the scaler or a layout, never both on the same controls.
#pragma once

#include <QObject>
#include <memory>

class QWidget;

namespace duebell {

class TComponentPosition;

// A QObject only to be freed with its owner.
class TFormScaler : public QObject {
public:
    // Belongs to its owner, and records it at once.
    explicit TFormScaler(QWidget& owner);
    ~TFormScaler() override;

    // Records the owner's controls again, replacing the earlier record.
    void Capture();
    // Rescales the recorded controls (and grid columns) to the owner's width; nothing while
    // the owner was recorded with no width.
    void ScaleForm();

    // The record: the owner and, below it, its named controls.
    const TComponentPosition& Positions() const { return *root_; }

private:
    QWidget& owner_;
    std::unique_ptr<TComponentPosition> root_;
};

} // namespace duebell
