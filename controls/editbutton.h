// TEditButton: the glyph speed button at the right end of a combo edit, with a separating
// line along its left edge.
#pragma once

#include "controls/exspeedbutton.h"

namespace duebell {

class TCustomComboEdit;

class TEditButton : public TExSpeedButton {
    Q_OBJECT
public:
    TEditButton(TCustomComboEdit* editor, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TCustomComboEdit* editor_;
};

} // namespace duebell
