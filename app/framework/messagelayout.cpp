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
                                   int widestButtonText, QSize largestClient, int scrollBar) {
    const int horzMargin = Across(8, averageChar);
    const int vertMargin = Down(8, averageChar);
    const int horzSpacing = Across(10, averageChar);
    const int vertSpacing = Down(10, averageChar);
    const int buttonWidth = std::max(Across(50, averageChar), widestButtonText + 8);
    const int buttonHeight = Down(14, averageChar);
    const int buttonSpacing = Across(4, averageChar);

    const int iconWidth = hasIcon ? MessageIconSize + horzSpacing : 0;
    const int buttonGroupWidth =
        buttonCount > 0 ? buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing : 0;

    // The room the text may take once the margins, the icon and the buttons have theirs; a
    // text larger either way scrolls, its scroll bar taking room of its own.
    const int roomAcross = std::max(largestClient.width() - 2 * horzMargin - iconWidth, 1);
    const int roomDown =
        std::max(largestClient.height() - 2 * vertMargin - vertSpacing - buttonHeight, 1);
    bool tooTall = textSize.height() > roomDown;
    bool tooWide = textSize.width() + (tooTall ? scrollBar : 0) > roomAcross;
    // A scroll bar under a wide text may make it too tall, whose bar then takes width too.
    tooTall = textSize.height() + (tooWide ? scrollBar : 0) > roomDown;
    tooWide = textSize.width() + (tooTall ? scrollBar : 0) > roomAcross;
    const QSize shown = QSize(std::min(textSize.width() + (tooTall ? scrollBar : 0), roomAcross),
                              std::min(textSize.height() + (tooWide ? scrollBar : 0), roomDown));

    const int iconTextWidth = iconWidth + shown.width();
    const int iconTextHeight = hasIcon ? std::max(shown.height(), MessageIconSize) : shown.height();

    TMessageLayout layout;
    layout.client = QSize(std::max(iconTextWidth, buttonGroupWidth) + 2 * horzMargin,
                          iconTextHeight + vertSpacing + buttonHeight + 2 * vertMargin);
    if (hasIcon)
        layout.icon = QRect(horzMargin, vertMargin, MessageIconSize, MessageIconSize);
    layout.text = QRect(horzMargin + iconWidth, vertMargin, shown.width(), shown.height());
    layout.scrollsDown = tooTall;
    layout.scrollsAcross = tooWide;
    int x = (layout.client.width() - buttonGroupWidth) / 2;
    const int y = vertMargin + iconTextHeight + vertSpacing;
    for (int i = 0; i < buttonCount; ++i) {
        layout.buttons.emplace_back(x, y, buttonWidth, buttonHeight);
        x += buttonWidth + buttonSpacing;
    }
    return layout;
}

} // namespace duebell
