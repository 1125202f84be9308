// Fonts named as the class library names them, drawn with the fonts this system has: the
// Windows dialog font becomes the desktop's GUI font; Arial, Times New Roman and Courier New
// become their metric-compatible Liberation fonts. The print library maps through the same
// table.
#pragma once

#include "controls/cellproperties.h"

#include <QFont>

namespace duebell {

QString MapFontFamily(const std::string& name, const QFont& guiFont);
// The font to draw with; `guiFont` supplies the family for the dialog font.
QFont ToQFont(const TMyFont& font, const QFont& guiFont);
// The Qt brush of a class-library brush, system colours resolved through the palette.
QBrush ToQBrush(const TMyBrush& brush, const QPalette& palette);

} // namespace duebell
