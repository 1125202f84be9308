// A document's pages with the margins, header and footer they share, and the paper size and
// orientation that new pages take.
#pragma once

#include "print/headerfooter.h"
#include "print/margins.h"
#include "print/page.h"
#include "print/papersize.h"

#include <memory>
#include <vector>

namespace duebell {

// PagesOrientation of a document whose pages are not all turned the same way.
inline constexpr int pqMixedOrientation = 2;

class TPqPageList {
public:
    TPqPageList();
    TPqPageList(const TPqPageList&) = delete;
    TPqPageList& operator=(const TPqPageList&) = delete;

    TPqHeader& Header() { return header_; }
    TPqFooter& Footer() { return footer_; }
    TPqMargins& Margins() { return margins_; }
    const TPqHeader& Header() const { return header_; }
    const TPqFooter& Footer() const { return footer_; }
    const TPqMargins& Margins() const { return margins_; }

    // The page count "{NUMPAGES}" shows on this document's pages.
    int Count() const { return static_cast<int>(pages_.size()); }
    TPqPage& Pages(int pageNumber) const { return *pages_.at(pageNumber - 1); } // from 1
    // Inserts a new page before page 'beforePage' (-1 appends) and renumbers.
    TPqPage& AddPage(int beforePage = -1);
    void DeletePage(int pageNumber);
    void Clear();
    // Every page replaced by 'pages' (made for this list), renumbered in their order.
    void ReplacePages(std::vector<std::unique_ptr<TPqPage>> pages);

    TPqOrientation Orientation() const { return orientation_; }
    // Turns every page and the size new pages take.
    void SetOrientation(TPqOrientation orientation);
    TPqPaperSize PaperSize() const { return paperSize_; }
    void SetPaperSize(TPqPaperSize paper);
    void SetCustomSize(TPqMeasurement measurement, double width, double height);
    PaperDimensions PageSize() const { return pageSize_; }
    // The orientation all pages share, or pqMixedOrientation.
    int PagesOrientation() const;

    TNotifyEvent OnClear;
    TNotifyEvent OnDeletePage;

private:
    void Renumber();

    TPqMargins margins_;
    TPqHeader header_;
    TPqFooter footer_;
    std::vector<std::unique_ptr<TPqPage>> pages_;
    TPqOrientation orientation_ = pqPortrait;
    TPqPaperSize paperSize_ = TPqPaperSize::A4;
    PaperDimensions pageSize_ = PaperSizes(TPqPaperSize::A4);
};

} // namespace duebell
