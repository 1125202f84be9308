// A document built headless: its pages, the resource table their objects share, and the
// canvas that draws on the current page. A document always has at least one page.
#pragma once

#include "print/canvas.h"
#include "print/pagelist.h"
#include "print/resourcetable.h"

namespace duebell {

class TPqDocument {
public:
    // Starts with one empty page, current and under the canvas.
    explicit TPqDocument(const TPqPrinterMarginsSource* printer = nullptr);
    TPqDocument(const TPqDocument&) = delete;
    TPqDocument& operator=(const TPqDocument&) = delete;

    TPqResourceTable& ResourceTable() { return resourceTable_; }
    const TPqResourceTable& ResourceTable() const { return resourceTable_; }
    TPqPageList& Pages() { return pages_; }
    const TPqPageList& Pages() const { return pages_; }
    TPqCanvas& Canvas() { return canvas_; }

    int PageCount() const { return pages_.Count(); }
    int CurrentPage() const { return currentPage_; }
    TPqPage& GetPage(int pageNumber) const { return pages_.Pages(pageNumber); }

    // Appends a page and makes it current.
    TPqPage& NewPage();
    // False when 'pageNumber' is current already or no page.
    bool SetCurrentPage(int pageNumber);
    // Keeps the current page number unless it passed the end; deleting the only page leaves
    // a fresh empty one, and then answers true.
    bool DeletePage(int pageNumber);
    // Back to one empty page with empty pools.
    void Clear();
    // Every page replaced by 'pages' (made for this document's page list); page 1 becomes
    // current (a fresh empty one when there is none) and the canvas draws on it.
    void ReplacePages(std::vector<std::unique_ptr<TPqPage>> pages);

private:
    TPqResourceTable resourceTable_;
    TPqPageList pages_;
    TPqCanvas canvas_;
    int currentPage_ = 0;
};

} // namespace duebell
