// The paper sizes the library knows, in inches, portrait.
#pragma once

#include "print/types.h"

namespace duebell {

struct PaperDimensions {
    double Width = 0;  // inches
    double Height = 0; // inches
};

// The table row of a paper size (Custom gives 0 x 0).
PaperDimensions PaperSizes(TPqPaperSize paper);
// The printer's paper number of a size; 0 for Custom.
int PaperDeviceCode(TPqPaperSize paper);
// Fills 'size' for the paper in the orientation; a Custom size is left as the caller gave it.
void GetPaperSize(TPqPaperSize paper, TPqOrientation orientation, PaperDimensions& size);

} // namespace duebell
