#include "controls/fontmap.h"

#include <QBrush>
#include <cmath>

namespace duebell {

QString MapFontFamily(const std::string& name) {
    if (name == "MS Sans Serif" || name == "MS Shell Dlg" || name == "MS Shell Dlg 2" ||
        name == "Tahoma" || name == "Arial" || name.empty())
        return "Liberation Sans";
    if (name == "Times New Roman")
        return "Liberation Serif";
    if (name == "Courier New")
        return "Liberation Mono";
    return QString::fromStdString(name);
}

QFont MappedFont(const std::string& name) {
    QFont font;
    font.setFamilies({MapFontFamily(name), QStringLiteral("WenQuanYi Micro Hei")});
    return font;
}

QFont InterfaceFont() {
    QFont font = MappedFont("MS Sans Serif");
    font.setPixelSize(11);
    return font;
}

QFont ToQFont(const TMyFont& font, const QFont& guiFont) {
    QFont q(guiFont);
    q.setFamilies(MappedFont(font.Name).families());
    // A negative height is the character height; a positive one the cell height, whose
    // internal leading is about a fifth of it.
    const int pixels =
        font.Height < 0 ? -font.Height : static_cast<int>(std::lround(font.Height * 0.8));
    if (pixels > 0)
        q.setPixelSize(pixels);
    q.setBold((font.Style & fsBold) != 0);
    q.setItalic((font.Style & fsItalic) != 0);
    q.setUnderline((font.Style & fsUnderline) != 0);
    q.setStrikeOut((font.Style & fsStrikeOut) != 0);
    if (font.Pitch == fpFixed)
        q.setStyleHint(QFont::Monospace);
    return q;
}

QBrush ToQBrush(const TMyBrush& brush, const QPalette& palette) {
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    const Qt::BrushStyle style =
        brush.Style <= bsDiagCross ? styles[brush.Style] : Qt::SolidPattern;
    return QBrush(ToQColor(brush.Color, palette), style);
}

} // namespace duebell
