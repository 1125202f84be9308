// The fixed first row of a loan's instalment-fee list while the list dialog shows it: the
// arrears administration fee, which the ledger collects before any instalment fee. It is an
// instalment fee of priority -1 put into the loan's list for the grid only. This object puts it
// there and takes that very record out again (never "the first entry") when asked or when it
// ends, also while an error unwinds, so the row never reaches the loan book file.
//
// It follows the list: should the row be deleted or the list cleared or destroyed by someone
// else, it forgets them instead of touching them again.
#pragma once

#include "objectlist/listlistener.h"

namespace duebell {

class TMorvaneInstallmentFee;
class TMorvaneMortgage;
class TTovObject;

class TArrearsAdministrationRow : private ITovListListener {
public:
    // Adds the row (described ArrearsAdministrationFee) to the loan's instalment fees.
    explicit TArrearsAdministrationRow(TMorvaneMortgage& loan);
    // Removes the row.
    ~TArrearsAdministrationRow();
    TArrearsAdministrationRow(const TArrearsAdministrationRow&) = delete;
    TArrearsAdministrationRow& operator=(const TArrearsAdministrationRow&) = delete;

    // The row while the loan's list holds it; nothing after.
    TMorvaneInstallmentFee* Row() const { return row_; }
    // Whether the object is the row.
    bool Is(const TTovObject* object) const;
    // Unlinks the row from the list and frees it; nothing when it has gone already.
    void Remove();

private:
    void ListChanged(TTovObjectList* list, TTovObjectItem* item, TTovChangeKind kind) override;
    void StopListening();

    TTovObjectList* list_;
    TMorvaneInstallmentFee* row_ = nullptr;
};

} // namespace duebell
