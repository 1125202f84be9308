#include "print/document.h"

namespace duebell {

TPqDocument::TPqDocument(const TPqPrinterMarginsSource* printer)
    : canvas_(resourceTable_, printer, pages_.Margins()) {
    NewPage();
}

TPqPage& TPqDocument::NewPage() {
    TPqPage& page = pages_.AddPage();
    canvas_.SetPage(&page);
    currentPage_ = pages_.Count();
    return page;
}

bool TPqDocument::SetCurrentPage(int pageNumber) {
    if (pageNumber == currentPage_ || pageNumber < 1 || pageNumber > pages_.Count())
        return false;
    canvas_.SetPage(&pages_.Pages(pageNumber));
    currentPage_ = pageNumber;
    return true;
}

bool TPqDocument::DeletePage(int pageNumber) {
    if (pageNumber < 1 || pageNumber > pages_.Count())
        return false;
    canvas_.ForgetLastObject();
    canvas_.SetPage(nullptr);
    pages_.DeletePage(pageNumber);
    if (pages_.Count() == 0) {
        NewPage();
        return true;
    }
    int current = std::min(currentPage_, pages_.Count());
    currentPage_ = 0;
    SetCurrentPage(current);
    return false;
}

void TPqDocument::Clear() {
    canvas_.ForgetLastObject();
    canvas_.SetPage(nullptr);
    pages_.Clear();
    resourceTable_.Clear();
    NewPage();
}

void TPqDocument::ReplacePages(std::vector<std::unique_ptr<TPqPage>> pages) {
    canvas_.ForgetLastObject();
    canvas_.SetPage(nullptr);
    pages_.ReplacePages(std::move(pages));
    if (pages_.Count() == 0) {
        NewPage();
        return;
    }
    currentPage_ = 1;
    canvas_.SetPage(&pages_.Pages(1));
}

} // namespace duebell
