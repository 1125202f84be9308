// TfmLoanTransactionsAddEdit, "Add/Edit Loan Transaction": a payment received on a loan, its
// type, amount and date (loantransactiondialog.ui). The loan is the payment's owner. Save asks
// for an amount and a date within the contract; a new payment dated on a weekend or public
// holiday may be deferred to the next business day.
#pragma once

#include "app/framework/detailform.h"
#include "objectlist/datetime.h"

#include <memory>
#include <string>

class QComboBox;

namespace Ui {
class fmLoanTransactionsAddEdit;
}

namespace duebell {

class TCurrencyEdit;
class TDatePicker;

class TfmLoanTransactionsAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    // The controls and their binder rows; the payment types listed, the first chosen.
    TfmLoanTransactionsAddEdit();
    ~TfmLoanTransactionsAddEdit() override;

    QComboBox* PaymentType() const;
    TCurrencyEdit* TransactionAmount() const;
    TDatePicker* TransactionDate() const;

protected:
    // mmAdd: dated today, the first payment type. mmEdit: the date is part of the payment list's
    // key, so it cannot be changed.
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // A non-zero amount; a date not before the draw-down and not after the completion date.
    // Then, for a new payment only, a weekend or holiday date offers the next business day:
    // Yes moves the date there (checked against the contract again), No keeps it. An edit
    // never moves a stored payment's date, which would leave its list out of order.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmLoanTransactionsAddEdit> ui_;
};

// "The date you have selected is a non-business day.", a line break, and "Would you like to
// defer the transaction until the next business day (dd/mm/yyyy)".
std::string DeferralQuestion(TDate nextBusinessDay);

} // namespace duebell
