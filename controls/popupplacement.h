// Where a combo edit's drop-down opens on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace duebell {

// How the popup lines up with its field: its right edge at the field's right edge (0), its
// left edge at the field's left edge, moved left when it would leave the screen (1), or
// left at the field's left edge (2).
enum TPopupAlign { paRightEdges = 0, paLeftEdges = 1, paNone = 2 };

// Below the field, or above it when it would pass the bottom of the screen; then kept inside
// the screen's width.
QPoint PopupOrigin(const QRect& field, QSize popup, const QRect& screen, TPopupAlign align);

} // namespace duebell
