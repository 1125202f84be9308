// TfmRateChangesAddEdit, "Add/Edit Interest Rate Change": a change of a loan's reference rate
// (TMorvaneRateChange), owned by the loan's rate history, with the date the borrower was
// notified. The date must lie within the loan's contract, not after today, and be the only
// change of the loan on that date (it is the list's key).
//
// A change notified today asks on Save whether to print a payment change notice; the answer
// is kept for the list dialog, which opens the notice once the change is stored and the loan
// rebuilt, so the notice shows it.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmRateChangesAddEdit;
}

namespace duebell {

class TMorvaneMortgage;

class TfmRateChangesAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmRateChangesAddEdit();
    ~TfmRateChangesAddEdit() override;

    // Yes to "Would you like to print a payment change notice for this change?" on Save.
    bool PrintPaymentChangeNotice() const { return printPaymentChangeNotice_; }

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void ValidateSave() override;

private:
    // The loan of the rate history that owns the change.
    TMorvaneMortgage& Loan() const;
    // Refuses a date another change of the loan has already.
    void RequireFreeDate(double date) const;

    std::unique_ptr<Ui::fmRateChangesAddEdit> ui_;
    bool printPaymentChangeNotice_ = false;
};

} // namespace duebell
