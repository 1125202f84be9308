#include "app/framework/customframe.h"

#include "app/framework/formscaler.h"
#include "app/framework/listobserver.h"
#include "controls/uihooks.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"

namespace duebell {

TfmeCustomFrame::TfmeCustomFrame(QWidget* parent)
    : QFrame(parent), scaler_(new TFormScaler(*this)) {
    TMorvaneData* book = Data();
    if (book == nullptr)
        return;
    // Only the program's own loan book is followed: one being freed (its lists saying they
    // are cleared on the way out) is no longer there to read.
    const auto follow = [this, book](void (TfmeCustomFrame::*changed)()) {
        return [this, book, changed] {
            if (Data() == book)
                (this->*changed)();
        };
    };
    propertyObserver_ = std::make_unique<TMorvaneObserver>(
        book->Properties.get(), follow(&TfmeCustomFrame::PropertiesChanged));
    clientObserver_ = std::make_unique<TMorvaneObserver>(book->Clients.get(),
                                                         follow(&TfmeCustomFrame::ClientsChanged));
    mortgageObserver_ = std::make_unique<TMorvaneObserver>(
        book->Mortgages.get(), follow(&TfmeCustomFrame::MortgagesChanged));
}

TfmeCustomFrame::~TfmeCustomFrame() = default;

void TfmeCustomFrame::DesignedAt(int width, int height) {
    resize(width, height);
    scaler_->Capture();
}

void TfmeCustomFrame::ClientsChanged() {}

void TfmeCustomFrame::MortgagesChanged() {}

void TfmeCustomFrame::PropertiesChanged() {}

void TfmeCustomFrame::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    GuardEvent([this] { scaler_->ScaleForm(); });
}

} // namespace duebell
