// Where the parts of a message dialog go, from the average character size of its font: the
// margins, spacings and button sizes scale with the font, the text is measured word-wrapped
// within half the screen's width, the icon sits at the left, the buttons form a centred row
// under the text. Pixel figures only; the dialog widget places its children by them.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace duebell {

struct TMessageLayout {
    QSize client;               // the dialog's inside
    QRect icon;                 // empty when the dialog has no icon
    QRect text;                 // the message label
    std::vector<QRect> buttons; // left to right
};

inline constexpr int MessageIconSize = 32;

// averageChar: the width of "A".."Z" and "a".."z" divided by 52, and their height.
// textSize: the message as measured word-wrapped. widestButtonText: the widest caption of the
// row, its "&" left out.
TMessageLayout LayoutMessageDialog(QSize averageChar, QSize textSize, bool hasIcon, int buttonCount,
                                   int widestButtonText);

} // namespace duebell
