#include "print/page.h"

#include "print/pagelist.h"

#include <utility>

namespace duebell {

TPqPage::TPqPage(TPqPageList& owner) : owner_(owner) {}

TPqMargins& TPqPage::Margins() const {
    return owner_.Margins();
}
TPqHeader& TPqPage::Header() const {
    return owner_.Header();
}
TPqFooter& TPqPage::Footer() const {
    return owner_.Footer();
}

TPqBaseObject& TPqPage::AddObject(std::unique_ptr<TPqBaseObject> object) {
    object->SetPage(this);
    object->OnChange = [this] { Changed(); };
    objects_.push_back(std::move(object));
    Changed();
    return *objects_.back();
}

void TPqPage::ClearObjects() {
    objects_.clear();
    Changed();
}

void TPqPage::SetOrientation(TPqOrientation orientation) {
    bool changed = orientation_ != orientation;
    orientation_ = orientation;
    if ((orientation == pqPortrait && width_ > height_) ||
        (orientation == pqLandscape && width_ < height_)) {
        std::swap(width_, height_);
        changed = true;
    }
    if (!changed)
        return;
    Changed();
    if (OnOrientationChange)
        OnOrientationChange(*this, pageNumber_, orientation);
}

void TPqPage::SetSize(PaperDimensions size) {
    width_ = size.Width;
    height_ = size.Height;
    Changed();
}

void TPqPage::SetPageNumber(int number) {
    if (pageNumber_ == number)
        return;
    pageNumber_ = number;
    Changed();
}

void TPqPage::SetShowHeader(bool show) {
    if (showHeader_ == show)
        return;
    showHeader_ = show;
    Changed();
}

void TPqPage::SetShowFooter(bool show) {
    if (showFooter_ == show)
        return;
    showFooter_ = show;
    Changed();
}

void TPqPage::Draw(TPqDeviceCanvas& canvas, TPqRenderPurpose purpose) const {
    const bool onScreen = purpose == TPqRenderPurpose::Screen;
    if (onScreen && Margins().ClipMargins()) {
        InchRect m = Margins().Inches();
        int left = DeviceUnits(m.Left);
        int top = DeviceUnits(m.Top);
        int right = DeviceUnits(width_) - DeviceUnits(m.Right) + 1;
        int bottom = DeviceUnits(height_) - DeviceUnits(m.Bottom) + 1;
        canvas.SetBaseClip(QRect(left, top, right - left, bottom - top));
    } else {
        canvas.SetBaseClip(std::nullopt);
    }
    for (const auto& object : objects_) {
        if (onScreen)
            object->Draw(canvas);
        else
            object->Print(canvas);
    }
    canvas.SetBaseClip(std::nullopt);
    if (showHeader_)
        Header().DrawOnCanvas(canvas, pageNumber_, height_, width_);
    if (showFooter_)
        Footer().DrawOnCanvas(canvas, pageNumber_, height_, width_);
}

void TPqPage::Changed() {
    needsRender_ = true;
    needsRtfRender_ = true;
    if (OnChange)
        OnChange();
}

} // namespace duebell
