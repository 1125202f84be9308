#include "controls/popupplacement.h"

namespace duebell {

QPoint PopupOrigin(const QRect& field, QSize popup, const QRect& screen, TPopupAlign align) {
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    int x = field.left();
    int y = field.top() + field.height();
    if (y + popup.height() > screenBottom)
        y = field.top() - popup.height();
    switch (align) {
    case paRightEdges:
        x -= popup.width() - field.width();
        if (x < screen.left())
            x = field.left();
        break;
    case paLeftEdges:
        if (x + popup.width() > screenRight)
            x -= popup.width() - field.width();
        break;
    case paNone:
        break;
    }
    if (x < screen.left())
        x = screen.left();
    if (x + popup.width() > screenRight)
        x = screenRight - popup.width();
    return {x, y};
}

} // namespace duebell
