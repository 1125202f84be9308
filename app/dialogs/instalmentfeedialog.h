// TfmFeesInstallmentAddEdit, "Add/Edit Instalment Fee": one instalment fee of a loan (the
// fee's owner). Adding, the user states the fee on a schedule of his own (payments of an
// amount at a frequency) and the dialog shows it on the loan's payment period, the schedule
// that is stored, with the dates it runs between. Editing is stopping: the fee ends at the
// loan payment date on or after the stop notification, and what is still owed may become a
// full-fee charge. Viewing shows the fee and writes nothing. Laid out in instalmentfeedialog.ui.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmFeesInstallmentAddEdit;
}

namespace duebell {

class TMorvaneInstallmentFee;
class TMorvaneMortgage;

class TfmFeesInstallmentAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmFeesInstallmentAddEdit();
    ~TfmFeesInstallmentAddEdit() override;

    // Stopping writes the stop only: the fee's schedule stays as stored, its amount to the
    // last digit (the amount field shows cents).
    int EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) override;

    // The client's schedule from the user's, when the user's is complete; then the dates.
    void UserScheduleChange();
    // The effective and completion dates of the notification date and the client's payments.
    void TransactionDateChange();
    // The termination date of the stop notification date.
    void StopFeeTransactionDateChange();
    // Whether the user asked for a payment change notice of the saved change: the list opens
    // it once the fee is stored and the loan rebuilt.
    bool PrintPaymentChangeNotice() const { return printPaymentChangeNotice_; }

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void ValidateSave() override;

private:
    TMorvaneInstallmentFee& Fee() const;
    TMorvaneMortgage& Loan() const;
    int ClientPayments() const;
    void ShowFeeDates(bool shown);
    // Stopping a running fee: the stop checks, the payment change notice, and the offer to
    // charge what is still owed as a full fee.
    void ValidateStop();

    std::unique_ptr<Ui::fmFeesInstallmentAddEdit> ui_;
    bool printPaymentChangeNotice_ = false;
};

} // namespace duebell
