#include "app/framework/messagelayout.h"

#include <algorithm>

namespace duebell {

namespace {

// Dialog units: quarters of the average character width, eighths of its height.
int Across(int units, const QSize& averageChar) {
    return units * averageChar.width() / 4;
}

int Down(int units, const QSize& averageChar) {
    return units * averageChar.height() / 8;
}

} // namespace

TMessageLayout LayoutMessageDialog(QSize averageChar, QSize textSize, bool hasIcon, int buttonCount,
                                   int widestButtonText) {
    const int horzMargin = Across(8, averageChar);
    const int vertMargin = Down(8, averageChar);
    const int horzSpacing = Across(10, averageChar);
    const int vertSpacing = Down(10, averageChar);
    const int buttonWidth = std::max(Across(50, averageChar), widestButtonText + 8);
    const int buttonHeight = Down(14, averageChar);
    const int buttonSpacing = Across(4, averageChar);

    const int iconWidth = hasIcon ? MessageIconSize + horzSpacing : 0;
    const int iconTextWidth = iconWidth + textSize.width();
    const int iconTextHeight =
        hasIcon ? std::max(textSize.height(), MessageIconSize) : textSize.height();
    const int buttonGroupWidth =
        buttonCount > 0 ? buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing : 0;

    TMessageLayout layout;
    layout.client = QSize(std::max(iconTextWidth, buttonGroupWidth) + 2 * horzMargin,
                          iconTextHeight + vertSpacing + buttonHeight + 2 * vertMargin);
    if (hasIcon)
        layout.icon = QRect(horzMargin, vertMargin, MessageIconSize, MessageIconSize);
    layout.text = QRect(horzMargin + iconWidth, vertMargin, textSize.width(), textSize.height());
    int x = (layout.client.width() - buttonGroupWidth) / 2;
    const int y = vertMargin + iconTextHeight + vertSpacing;
    for (int i = 0; i < buttonCount; ++i) {
        layout.buttons.emplace_back(x, y, buttonWidth, buttonHeight);
        x += buttonWidth + buttonSpacing;
    }
    return layout;
}

} // namespace duebell
