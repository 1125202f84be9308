#include "examplepaymentdialog.h"

#include "app/framework/controlbinder.h"
#include "domain/mortgage.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_examplepaymentdialog.h"

namespace duebell::examples {

TfmExamplePayment::TfmExamplePayment()
    : TfmCustomDetailForm("fmExamplePayment", "Add/Edit Loan Transaction"),
      ui_(std::make_unique<Ui::fmExamplePayment>()) {
    ui_->setupUi(Body());
    Binder().AddRows({{ui_->edtTransactionAmount, "Value", "TransactionAmount"},
                      {ui_->edtTransactionDate, "Date", "TransactionDate"}});
}

TfmExamplePayment::~TfmExamplePayment() = default;

void TfmExamplePayment::InitForItem(TModifyMode mode, TTovObjectItem&) {
    if (mode == mmAdd)
        ui_->edtTransactionDate->SetDate(Date());
}

void TfmExamplePayment::ValidateSave() {
    const auto* loan = dynamic_cast<const TMorvaneMortgage*>(Item()->Owner());
    if (loan == nullptr)
        throw InternalError("A payment is edited without its loan.");
    RequireNonZero("Amount", ui_->edtTransactionAmount, ui_->edtTransactionAmount->GetValue());
    RequireNonNegative("Amount", ui_->edtTransactionAmount, ui_->edtTransactionAmount->GetValue());
    RequireDateInContract("Date", ui_->edtTransactionDate, *loan, ui_->edtTransactionDate->Date());
    RequireNotAfterToday("Date", ui_->edtTransactionDate, ui_->edtTransactionDate->Date());
}

} // namespace duebell::examples
