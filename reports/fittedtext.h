// A typed text (a name, an address, a description) printed whole inside the place the form
// gives it: on one line in the canvas font when it fits; otherwise broken between words onto
// the lines the place holds; and only when that is not enough, in smaller whole points. No
// part of it is cut or passes the place's right or bottom edge, so it never prints over what
// stands beside or below it.
#pragma once

#include <string>

namespace duebell {

class TPqCanvas;

// The place: its top-left corner (x, y), width and height, in the canvas's default
// measurement from its current base. The canvas font is as it was on return.
void FittedTextOut(TPqCanvas& canvas, double x, double y, double width, double height,
                   const std::string& text);

} // namespace duebell
