#include "app/dialogs/loantransactiondialog.h"

#include "app/framework/combofill.h"
#include "app/framework/controlbinder.h"
#include "controls/datepicker.h"
#include "controls/numedit.h"
#include "domain/calendar.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_loantransactiondialog.h"

#include <QComboBox>

namespace duebell {

TfmLoanTransactionsAddEdit::TfmLoanTransactionsAddEdit()
    : TfmCustomDetailForm("fmLoanTransactionsAddEdit", "Add/Edit Loan Transaction"),
      ui_(std::make_unique<Ui::fmLoanTransactionsAddEdit>()) {
    ui_->setupUi(Body());
    FillComboFromArray(PaymentTypeNames, *ui_->cmbPaymentType);
    Binder().AddRows({{ui_->cmbPaymentType, "Text", "PaymentType"},
                      {ui_->edtTransactionAmount, "Value", "TransactionAmount"},
                      {ui_->edtTransactionDate, "Date", "TransactionDate"}});
}

TfmLoanTransactionsAddEdit::~TfmLoanTransactionsAddEdit() = default;

void TfmLoanTransactionsAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    if (mode == mmAdd) {
        ui_->edtTransactionDate->SetDate(Date());
        ui_->cmbPaymentType->setCurrentIndex(0);
    } else if (mode == mmEdit) {
        ui_->edtTransactionDate->setEnabled(false);
    }
}

void TfmLoanTransactionsAddEdit::ValidateSave() {
    const auto* loan = dynamic_cast<const TMorvaneMortgage*>(Item()->Owner());
    if (loan == nullptr)
        throw InternalError("A payment is edited without its loan.");
    TCurrencyEdit& amount = *ui_->edtTransactionAmount;
    TDatePicker& date = *ui_->edtTransactionDate;
    RequireNonZero("Amount", &amount, amount.GetValue());
    RequireDateInContract("Date", &date, *loan, date.Date());
    if (Mode() != mmAdd)
        return;
    const TDate day(date.Date());
    if (!IsPublicHoliday(day) && !IsWeekend(day))
        return;
    const TDate next = NextBusinessDay(day);
    if (CurrentPrompter().Ask(PromptType::Error, PromptButtons::YesNo, DeferralQuestion(next)) !=
        PromptAnswer::Yes)
        return;
    date.SetDate(next.value);
    RequireDateInContract("Date", &date, *loan, next.value);
}

QComboBox* TfmLoanTransactionsAddEdit::PaymentType() const {
    return ui_->cmbPaymentType;
}
TCurrencyEdit* TfmLoanTransactionsAddEdit::TransactionAmount() const {
    return ui_->edtTransactionAmount;
}
TDatePicker* TfmLoanTransactionsAddEdit::TransactionDate() const {
    return ui_->edtTransactionDate;
}

std::string DeferralQuestion(TDate nextBusinessDay) {
    return "The date you have selected is a non-business day.\rWould you like to defer the "
           "transaction until the next business day (" +
           DateToStr(nextBusinessDay.value) + ")";
}

} // namespace duebell
