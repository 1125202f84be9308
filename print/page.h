// A page of a document: its drawing objects in drawing order, its size and orientation, and
// whether the shared header and footer show on it.
#pragma once

#include "print/baseobject.h"
#include "print/headerfooter.h"
#include "print/margins.h"
#include "print/papersize.h"
#include "print/richtext.h"
#include "print/value.h"

#include <functional>
#include <memory>
#include <vector>

namespace duebell {

class TPqPageList;

// Screen drawing shows every object and honours ClipMargins; paper takes only printable objects.
enum class TPqRenderPurpose { Screen, Paper };

// Rich text shown on a page: a character range of a pooled memo inside margins (inches).
struct TPqPageRtfInfo {
    int FirstChar = 0;
    int LastChar = -1;
    const TPqMemo* Memo = nullptr;
    InchRect Margins;
};

class TPqPage {
public:
    explicit TPqPage(TPqPageList& owner);
    TPqPage(const TPqPage&) = delete;
    TPqPage& operator=(const TPqPage&) = delete;

    TPqPageList& Owner() const { return owner_; }
    TPqMargins& Margins() const;
    TPqHeader& Header() const;
    TPqFooter& Footer() const;

    // Appends the object; the page then owns it and hears its changes.
    TPqBaseObject& AddObject(std::unique_ptr<TPqBaseObject> object);
    int ObjectCount() const { return static_cast<int>(objects_.size()); }
    TPqBaseObject& Objects(int index) const { return *objects_.at(index); } // from 0
    void ClearObjects();

    TPqOrientation Orientation() const { return orientation_; }
    // Turns the page's size to match, when it does not already.
    void SetOrientation(TPqOrientation orientation);
    double Width() const { return width_; }   // inches
    double Height() const { return height_; } // inches
    void SetSize(PaperDimensions size);
    int PageNumber() const { return pageNumber_; }
    void SetPageNumber(int number);
    bool ShowHeader() const { return showHeader_; }
    void SetShowHeader(bool show);
    bool ShowFooter() const { return showFooter_; }
    void SetShowFooter(bool show);

    bool NeedsRender() const { return needsRender_; }
    bool NeedsRtfRender() const { return needsRtfRender_; }
    void SetRendered() { needsRender_ = false; }
    void SetRtfRendered() { needsRtfRender_ = false; }
    TPqPageRtfInfo& RtfInfo() { return rtfInfo_; }
    const TPqPageRtfInfo& RtfInfo() const { return rtfInfo_; }
    bool HasRichText() const { return rtfInfo_.Memo != nullptr; }

    // Draws the objects in order, then the header and footer when shown, onto a canvas of
    // 600-per-inch page pixels.
    void Draw(TPqDeviceCanvas& canvas, TPqRenderPurpose purpose) const;

    TNotifyEvent OnChange;
    std::function<void(TPqPage& page, int pageNumber, TPqOrientation orientation)>
        OnOrientationChange;

private:
    void Changed();

    TPqPageList& owner_;
    std::vector<std::unique_ptr<TPqBaseObject>> objects_;
    TPqOrientation orientation_ = pqPortrait;
    double width_ = 0;
    double height_ = 0;
    int pageNumber_ = 0;
    bool showHeader_ = true;
    bool showFooter_ = true;
    bool needsRender_ = true;
    bool needsRtfRender_ = true;
    TPqPageRtfInfo rtfInfo_;
};

} // namespace duebell
