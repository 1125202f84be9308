// Fonts named as the class library names them, drawn with fonts the install step installs, so
// the program looks the same whatever else a machine has: the Windows dialog font and Arial
// become Liberation Sans, Times New Roman and Courier New their metric-compatible Liberation
// fonts; characters a Liberation font lacks (Chinese, Japanese, Korean) come from WenQuanYi
// Micro Hei. The print library maps through the same table.
#pragma once

#include "controls/cellproperties.h"

#include <QFont>

namespace duebell {

// The family drawn for a font name.
QString MapFontFamily(const std::string& name);
// The font drawn for a font name: its family, then the fallback for what it lacks.
QFont MappedFont(const std::string& name);
// The one interface font of every window: the dialog font at 8 points on a 96 pixels-per-inch
// screen (11 pixels), the size the windows' and columns' widths are made for.
QFont InterfaceFont();
// The font to draw with; `guiFont` supplies the size of the dialog font.
QFont ToQFont(const TMyFont& font, const QFont& guiFont);
// The Qt brush of a class-library brush, system colours resolved through the palette.
QBrush ToQBrush(const TMyBrush& brush, const QPalette& palette);

} // namespace duebell
