#include "print/pagelist.h"

#include "print/units.h"

#include <algorithm>

namespace duebell {

TPqPageList::TPqPageList() : header_(margins_), footer_(margins_) {}

TPqPage& TPqPageList::AddPage(int beforePage) {
    auto page = std::make_unique<TPqPage>(*this);
    page->SetSize(pageSize_);
    page->SetOrientation(orientation_);
    auto at =
        beforePage >= 1 && beforePage <= Count() ? pages_.begin() + (beforePage - 1) : pages_.end();
    TPqPage& added = **pages_.insert(at, std::move(page));
    Renumber();
    return added;
}

void TPqPageList::DeletePage(int pageNumber) {
    if (pageNumber < 1 || pageNumber > Count())
        return;
    pages_.erase(pages_.begin() + (pageNumber - 1));
    Renumber();
    if (OnDeletePage)
        OnDeletePage();
}

void TPqPageList::Clear() {
    while (!pages_.empty())
        pages_.pop_back();
    if (OnClear)
        OnClear();
}

void TPqPageList::ReplacePages(std::vector<std::unique_ptr<TPqPage>> pages) {
    Clear();
    pages_ = std::move(pages);
    Renumber();
}

void TPqPageList::SetOrientation(TPqOrientation orientation) {
    for (auto& page : pages_)
        page->SetOrientation(orientation);
    orientation_ = orientation;
    double shorter = std::min(pageSize_.Width, pageSize_.Height);
    double longer = std::max(pageSize_.Width, pageSize_.Height);
    pageSize_ = orientation == pqPortrait ? PaperDimensions{shorter, longer}
                                          : PaperDimensions{longer, shorter};
}

void TPqPageList::SetPaperSize(TPqPaperSize paper) {
    if (paper == TPqPaperSize::Custom) {
        paperSize_ = paper;
        return;
    }
    for (auto& page : pages_) {
        // Each page keeps its own orientation on the new paper.
        PaperDimensions size;
        GetPaperSize(paper, page->Orientation(), size);
        page->SetSize(size);
    }
    GetPaperSize(paper, orientation_, pageSize_);
    paperSize_ = paper;
}

void TPqPageList::SetCustomSize(TPqMeasurement measurement, double width, double height) {
    paperSize_ = TPqPaperSize::Custom;
    pageSize_ = {ConvertValue(measurement, pqInches, width),
                 ConvertValue(measurement, pqInches, height)};
    for (auto& page : pages_) {
        page->SetSize(pageSize_);
        page->SetOrientation(orientation_);
    }
}

int TPqPageList::PagesOrientation() const {
    for (const auto& page : pages_)
        if (page->Orientation() != orientation_)
            return pqMixedOrientation;
    return orientation_;
}

void TPqPageList::Renumber() {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->SetPageNumber(static_cast<int>(i) + 1);
}

} // namespace duebell
