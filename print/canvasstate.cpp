#include "print/canvasstate.h"

namespace duebell {

TPqCanvasStateKeeper::TPqCanvasStateKeeper(TPqCanvas& canvas)
    : canvas_(canvas), coordsRelativeTo_(canvas.CoordsRelativeTo()),
      wrapTextBoxes_(canvas.WrapTextBoxes), clipObjects_(canvas.ClipObjects),
      objectClipRect_(canvas.ObjectClipRect) {
    brush_.Assign(canvas.Brush());
    font_.Assign(canvas.Font());
    pen_.Assign(canvas.Pen());
}

TPqCanvasStateKeeper::~TPqCanvasStateKeeper() {
    canvas_.Brush().Assign(brush_);
    canvas_.Font().Assign(font_);
    canvas_.Pen().Assign(pen_);
    canvas_.SetCoordsRelativeTo(coordsRelativeTo_);
    canvas_.WrapTextBoxes = wrapTextBoxes_;
    canvas_.ClipObjects = clipObjects_;
    canvas_.ObjectClipRect = objectClipRect_;
}

} // namespace duebell
