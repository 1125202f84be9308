#include "print/previewcompanion.h"

#include "print/messages.h"

namespace duebell {

TPqPreviewCompanion::~TPqPreviewCompanion() {
    if (TPqPreviewModel* preview = Preview())
        preview->UnregisterListener(this);
}

void TPqPreviewCompanion::SetPreview(TPqPreviewModel* preview) {
    if (TPqPreviewModel* previous = Preview())
        previous->UnregisterListener(this);
    preview_ = preview;
    lifetime_ = preview ? preview->Lifetime() : std::weak_ptr<const void>();
    if (preview_) {
        preview_->RegisterListener(this);
        PreviewAssigned();
    }
}

void TPqPreviewCompanion::ShowError(const std::string& message) const {
    ShowPqError(ClassName(), message);
}

} // namespace duebell
