#include "app/dialogs/arrearsadminrow.h"

#include "domain/feedates.h"
#include "domain/mortgage.h"

#include <memory>

namespace duebell {

TArrearsAdministrationRow::TArrearsAdministrationRow(TMorvaneMortgage& loan)
    : list_(loan.InstallmentFees.get()) {
    std::unique_ptr<TMorvaneInstallmentFee> row = MakeItem<TMorvaneInstallmentFee>(&loan);
    row->Priority = -1;
    row->FeeDescription = ArrearsAdministrationFee;
    row->TransactionDate = TDate();
    row_ = list_->Add(std::move(row));
    list_->AddListener(this);
}

TArrearsAdministrationRow::~TArrearsAdministrationRow() {
    Remove();
    StopListening();
}

bool TArrearsAdministrationRow::Is(const TTovObject* object) const {
    return row_ != nullptr && object == row_;
}

void TArrearsAdministrationRow::Remove() {
    if (row_ == nullptr || list_ == nullptr)
        return;
    TMorvaneInstallmentFee* row = row_;
    row_ = nullptr; // the Delete below is told to this listener too
    for (TTovObjectItem* item = list_->First(); item != nullptr; item = list_->Next()) {
        if (item == row) {
            list_->Delete();
            delete row;
            return;
        }
    }
}

void TArrearsAdministrationRow::ListChanged(TTovObjectList*, TTovObjectItem* item,
                                            TTovChangeKind kind) {
    switch (kind) {
    case ckItemAdded:
        break;
    case ckItemDeleted:
        if (item == row_)
            row_ = nullptr; // whoever deleted it frees it
        break;
    case ckListCleared:
        row_ = nullptr; // no longer in the list; whoever cleared it has it
        break;
    case ckListDestroying:
        row_ = nullptr; // the loan frees it with the list
        list_ = nullptr;
        break;
    }
}

void TArrearsAdministrationRow::StopListening() {
    if (list_ != nullptr)
        list_->RemoveListener(this);
    list_ = nullptr;
}

} // namespace duebell
