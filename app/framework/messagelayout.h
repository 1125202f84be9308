// Where the parts of a message dialog go, from the average character size of its font: the
// margins, spacings and button sizes scale with the font, the text is measured word-wrapped
// within half the screen's width, the icon sits at the left, the buttons form a centred row
// under the text. A message too long for the screen scrolls inside an area that fits, so the
// dialog and its buttons always do. Pixel figures only; the dialog widget places its children
// by them.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace duebell {

struct TMessageLayout {
    QSize client;               // the dialog's inside
    QRect icon;                 // empty when the dialog has no icon
    QRect text;                 // the message label, or the area it scrolls in
    bool scrollsDown = false;   // the message is taller than `text`: a scroll bar at its side
    bool scrollsAcross = false; // the message is wider than `text`: a scroll bar under it
    std::vector<QRect> buttons; // left to right
};

inline constexpr int MessageIconSize = 32;

// averageChar: the width of "A".."Z" and "a".."z" divided by 52, and their height.
// textSize: the message as measured word-wrapped. widestButtonText: the widest caption of the
// row, its "&" left out. largestClient: the most room the screen leaves the dialog's inside;
// scrollBar: the width of a scroll bar, which a scrolling message gets beside (or under) it.
TMessageLayout LayoutMessageDialog(QSize averageChar, QSize textSize, bool hasIcon, int buttonCount,
                                   int widestButtonText, QSize largestClient, int scrollBar);

} // namespace duebell
