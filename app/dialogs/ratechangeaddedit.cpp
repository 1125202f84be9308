#include "app/dialogs/ratechangeaddedit.h"

#include "app/framework/controlbinder.h"
#include "domain/configuration.h"
#include "domain/questions.h"
#include "domain/recordowners.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_ratechangeaddedit.h"

#include <cmath>

namespace duebell {

TfmRateChangesAddEdit::TfmRateChangesAddEdit()
    : TfmCustomDetailForm("fmRateChangesAddEdit", "Add/Edit Interest Rate Change"),
      ui_(std::make_unique<Ui::fmRateChangesAddEdit>()) {
    ui_->setupUi(Body());
    Binder().AddRows(
        {{ui_->edtTransactionDate, "Date", "TransactionDate"}, {ui_->edtRate, "Value", "Rate"}});
}

TfmRateChangesAddEdit::~TfmRateChangesAddEdit() = default;

void TfmRateChangesAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    printPaymentChangeNotice_ = false;
    if (mode == mmAdd)
        ui_->edtTransactionDate->SetDate(Date());
}

TMorvaneMortgage& TfmRateChangesAddEdit::Loan() const {
    const auto* history = FindOwner<TMorvaneMortgageRate>(*Item());
    TMorvaneMortgage* loan = history != nullptr ? history->Mortgage() : nullptr;
    if (loan == nullptr)
        throw InternalError("An interest rate change is edited without its loan.");
    return *loan;
}

void TfmRateChangesAddEdit::RequireFreeDate(double date) const {
    const auto* history = FindOwner<TMorvaneMortgageRate>(*Item());
    for (TTovObjectItem* item : *history->RateChanges) {
        const auto* other = static_cast<TMorvaneRateChange*>(item);
        if (other != Item() && std::floor(other->TransactionDate.value) == std::floor(date)) {
            ui_->edtTransactionDate->setFocus();
            throw Exception("This loan already has an interest rate change with this "
                            "notification date");
        }
    }
}

void TfmRateChangesAddEdit::ValidateSave() {
    printPaymentChangeNotice_ = false;
    RequireNonZero("Interest Rate", ui_->edtRate, ui_->edtRate->GetValue());
    const double date = ui_->edtTransactionDate->Date();
    RequireDateInContract("Notification Date", ui_->edtTransactionDate, Loan(), date);
    RequireNotAfterToday("Notification Date", ui_->edtTransactionDate, date);
    RequireFreeDate(date);
    if (Mode() != mmView && std::floor(date) == Date())
        printPaymentChangeNotice_ = AskPrintPaymentChangeNotice();
}

} // namespace duebell
