// The messages a preview sends its companions (the page navigator, grid and label printers)
// and the ones it answers itself, numbered as the companions know them.
#pragma once

namespace duebell {

enum TPqPreviewMessage : int {
    // Handled by the preview.
    pqmSetZoom = 7024,        // wParam: the zoom
    pqmSetOrientation = 7025, // wParam: the orientation
    pqmSetPaperSize = 7027,   // wParam: the paper size
    pqmReposition = 7029,
    pqmGetOrientation = 7040, // answers 0, 1, or 2 when mixed
    // Sent to the listeners.
    pqmPagesPerSheetChanged = 7034,
    pqmLayoutChanged = 7036,
    pqmPaperImageChanged = 7037, // wParam: the current page
    pqmCurrentPageChanged = 7038,
    pqmPageCountChanged = 7039, // wParam: the page count
    pqmZoomChanged = 7041,
    pqmPrinterChanged = 7042,
    pqmBeginUpdate = 7043,
    pqmEndUpdate = 7044,
};

class TPqPreviewListener {
public:
    virtual ~TPqPreviewListener() = default;
    virtual void PreviewMessage(TPqPreviewMessage message, int wParam) = 0;
};

} // namespace duebell
