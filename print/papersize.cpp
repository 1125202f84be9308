#include "print/papersize.h"

#include <utility>

namespace duebell {

namespace {

struct PaperRow {
    PaperDimensions size;
    int deviceCode;
};

PaperRow Row(TPqPaperSize paper) {
    switch (paper) {
    case TPqPaperSize::A3:
        return {{11.69, 16.52}, 8};
    case TPqPaperSize::A4:
        return {{8.26, 11.69}, 9};
    case TPqPaperSize::A5:
        return {{5.845, 8.26}, 11};
    case TPqPaperSize::A6:
        return {{4.13, 5.845}, 70};
    case TPqPaperSize::B5:
        return {{6.92, 9.84}, 13};
    case TPqPaperSize::C5:
        return {{6.41, 9.01}, 28};
    case TPqPaperSize::Legal:
        return {{8.5, 14}, 5};
    case TPqPaperSize::Letter:
        return {{8.5, 11}, 1};
    case TPqPaperSize::Custom:
        break;
    }
    return {{0, 0}, 0};
}

} // namespace

PaperDimensions PaperSizes(TPqPaperSize paper) {
    return Row(paper).size;
}

int PaperDeviceCode(TPqPaperSize paper) {
    return Row(paper).deviceCode;
}

void GetPaperSize(TPqPaperSize paper, TPqOrientation orientation, PaperDimensions& size) {
    if (paper == TPqPaperSize::Custom)
        return;
    size = PaperSizes(paper);
    if (orientation == pqLandscape)
        std::swap(size.Width, size.Height);
}

} // namespace duebell
