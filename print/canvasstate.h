// Keeps a canvas's drawing tools and coordinate base for the length of a scope, so that a
// component drawing through the canvas leaves it as it found it, also when an event handler
// it calls throws.
#pragma once

#include "print/canvas.h"

namespace duebell {

class TPqCanvasStateKeeper {
public:
    explicit TPqCanvasStateKeeper(TPqCanvas& canvas);
    ~TPqCanvasStateKeeper();
    TPqCanvasStateKeeper(const TPqCanvasStateKeeper&) = delete;
    TPqCanvasStateKeeper& operator=(const TPqCanvasStateKeeper&) = delete;

private:
    TPqCanvas& canvas_;
    TPqBrush brush_;
    TPqFont font_;
    TPqPen pen_;
    TPqCoordsRelative coordsRelativeTo_;
    bool wrapTextBoxes_;
    bool clipObjects_;
    InchRect objectClipRect_;
};

} // namespace duebell
