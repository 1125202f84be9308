// TfmFeeTransactionAddEdit, "Add/Edit Full Fee Transaction": a full fee charged to a loan (the
// charge's owner). Its description is one of the configured full-fee types; a new charge takes
// the loan's next fee number and, dated on a weekend or public holiday, may be deferred to the
// next business day. An edited charge keeps its number, type and date (the date is part of the
// list's key). Laid out in feechargedialog.ui.
#pragma once

#include "app/framework/detailform.h"

#include <memory>
#include <string>

namespace Ui {
class fmFeeTransactionAddEdit;
}

namespace duebell {

class TDatePicker;
class TMorvaneMortgage;

class TfmFeeTransactionAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmFeeTransactionAddEdit();
    ~TfmFeeTransactionAddEdit() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmFeeTransactionAddEdit> ui_;
};

// The offer of the next business day for a date on a weekend or public holiday: "The date you
// have selected is a non-business day.", a carriage return, "Would you like to defer the
// transaction until the next business day (dd/mm/yyyy)", an error box with Yes and No. On Yes
// the picker takes that day and it is checked against the loan's contract again ("fieldName");
// No, or a business day, leaves the picker alone.
void OfferBusinessDayDeferral(TDatePicker& picker, const TMorvaneMortgage& loan,
                              const std::string& fieldName);

} // namespace duebell
