#include "controls/tcolor.h"

#include <QGuiApplication>

namespace duebell {

namespace {

QColor SystemToQColor(int index, const QPalette& p) {
    switch (index) {
    case 1:  // desktop
    case 12: // application work space
        return p.color(QPalette::Dark);
    case 2: // active caption
    case 13:
        return p.color(QPalette::Highlight);
    case 3:  // inactive caption
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
    case 0:  // scroll bar
    case 4:  // menu
        return p.color(QPalette::Button);
    case 5:
        return p.color(QPalette::Base);
    case 6: // window frame
    case 21:
        return p.color(QPalette::Shadow);
    case 7:
    case 8:
        return p.color(QPalette::Text);
    case 9:
    case 14:
        return p.color(QPalette::HighlightedText);
    case 16:
        return p.color(QPalette::Dark);
    case 17:
    case 19:
        return p.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return p.color(QPalette::ButtonText);
    case 20:
        return p.color(QPalette::Light);
    case 22:
        return p.color(QPalette::Midlight);
    case 23:
        return p.color(QPalette::ToolTipText);
    case 24:
        return p.color(QPalette::ToolTipBase);
    default:
        return QColor(Qt::black);
    }
}

QPalette ApplicationPalette() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        return QGuiApplication::palette();
    return QPalette(QColor(0xF0, 0xF0, 0xF0), QColor(0xFF, 0xFF, 0xFF));
}

} // namespace

QColor ToQColor(TColor color, const QPalette& palette) {
    if (IsSystemColor(color))
        return SystemToQColor(color & 0xFF, palette);
    if (color == clNone)
        return QColor(Qt::transparent);
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QColor ToQColor(TColor color) {
    return ToQColor(color, ApplicationPalette());
}

TColor ColorToRGB(TColor color) {
    if (!IsSystemColor(color))
        return color;
    return FromQColor(ToQColor(color));
}

TColor FromQColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

} // namespace duebell
