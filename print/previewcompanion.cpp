#include "print/previewcompanion.h"

#include "print/messages.h"

namespace duebell {

TPqPreviewCompanion::~TPqPreviewCompanion() {
    if (preview_)
        preview_->UnregisterListener(this);
}

void TPqPreviewCompanion::SetPreview(TPqPreviewModel* preview) {
    if (preview_)
        preview_->UnregisterListener(this);
    preview_ = preview;
    if (preview_) {
        preview_->RegisterListener(this);
        PreviewAssigned();
    }
}

void TPqPreviewCompanion::ShowError(const std::string& message) const {
    ShowPqError(ClassName(), message);
}

} // namespace duebell
