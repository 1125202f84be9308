#include "print/paperdecor.h"

#include "print/storefield.h"

namespace duebell {

void TPqPageGrid::SetGridStyle(TPqGridStyle style) {
    if (Store(style_, style))
        Changed();
}

void TPqPageGrid::SetGridColor(TColor color) {
    if (Store(color_, color))
        Changed();
}

void TPqPageGrid::Changed() {
    if (OnChange)
        OnChange();
}

void TPqShadow::SetWidth(int width) {
    if (Store(width_, width))
        Changed();
}

void TPqShadow::SetColor(TColor color) {
    if (Store(color_, color))
        Changed();
}

void TPqShadow::SetVisible(bool visible) {
    if (Store(visible_, visible))
        Changed();
}

void TPqShadow::Changed() {
    if (OnChange)
        OnChange();
}

} // namespace duebell
