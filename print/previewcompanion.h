// The base of the library's non-visual components that draw on a preview (the grid and label
// printers): each registers with its preview as a listener, names itself in its error boxes
// and tells the library's version.
#pragma once

#include "print/previewmodel.h"

#include <memory>
#include <string>

namespace duebell {

class TPqPreviewCompanion : protected TPqPreviewListener {
public:
    TPqPreviewCompanion() = default;
    ~TPqPreviewCompanion() override;
    TPqPreviewCompanion(const TPqPreviewCompanion&) = delete;
    TPqPreviewCompanion& operator=(const TPqPreviewCompanion&) = delete;

    // Nothing once the preview has gone.
    TPqPreviewModel* Preview() const { return lifetime_.expired() ? nullptr : preview_; }
    // Leaves the previous preview's listeners and joins the new one's (nullptr: none).
    void SetPreview(TPqPreviewModel* preview);

    // The class name, " v" and the library's version.
    std::string About() const { return ClassName() + " v2.83"; }

protected:
    virtual std::string ClassName() const = 0;
    // Called after a preview was assigned.
    virtual void PreviewAssigned() {}
    // The library's error box: the class name, " Error...", two line breaks, the message.
    void ShowError(const std::string& message) const;

    void PreviewMessage(TPqPreviewMessage, int) override {}

private:
    TPqPreviewModel* preview_ = nullptr;
    std::weak_ptr<const void> lifetime_;
};

// BeginUpdate of a preview for the length of a scope; EndUpdate also when an event handler
// called meanwhile throws.
class TPqUpdateScope {
public:
    explicit TPqUpdateScope(TPqPreviewModel& preview) : preview_(preview) {
        preview_.BeginUpdate();
    }
    ~TPqUpdateScope() { preview_.EndUpdate(); }
    TPqUpdateScope(const TPqUpdateScope&) = delete;
    TPqUpdateScope& operator=(const TPqUpdateScope&) = delete;

private:
    TPqPreviewModel& preview_;
};

} // namespace duebell
