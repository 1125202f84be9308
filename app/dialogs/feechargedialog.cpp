#include "app/dialogs/feechargedialog.h"

#include "app/dialogs/instalmentfeerules.h"
#include "app/framework/controlbinder.h"
#include "controls/datepicker.h"
#include "domain/calendar.h"
#include "domain/configuration.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "domain/recordowners.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_feechargedialog.h"

#include <QSignalBlocker>

namespace duebell {

namespace {

TMorvaneMortgage& LoanOf(const TTovObjectItem* record) {
    TMorvaneMortgage* loan = record != nullptr ? FindOwner<TMorvaneMortgage>(*record) : nullptr;
    if (loan == nullptr)
        throw InternalError("A full fee is edited without its loan.");
    return *loan;
}

} // namespace

TfmFeeTransactionAddEdit::TfmFeeTransactionAddEdit()
    : TfmCustomDetailForm("fmFeeTransactionAddEdit", "Add/Edit Full Fee Transaction"),
      ui_(std::make_unique<Ui::fmFeeTransactionAddEdit>()) {
    ui_->setupUi(Body());
    if (const TMorvaneConfiguration* configuration = Configuration()) {
        const QSignalBlocker quiet(ui_->cmbFeeDescription);
        for (const TTovObjectItem* item : *configuration->FeeList)
            ui_->cmbFeeDescription->addItem(QString::fromStdString(
                static_cast<const TMorvaneFeeConfiguration*>(item)->FeeDescription));
    }
    Binder().AddRows({{ui_->cmbFeeDescription, "Text", "FeeDescription"},
                      {ui_->edtTransactionAmount, "Value", "FeeAmount"},
                      {ui_->edtTransactionDate, "Date", "TransactionDate"},
                      {ui_->edtFeeNumber, "Value", "FeeNumber"}});
}

TfmFeeTransactionAddEdit::~TfmFeeTransactionAddEdit() = default;

void TfmFeeTransactionAddEdit::InitForItem(TModifyMode mode, TTovObjectItem& item) {
    // A charge of no fee type (what a stopped instalment fee still owed) shows its own
    // description, so that it can be viewed and edited like any other.
    const QString description =
        QString::fromStdString(item.GetPropertyValue("FeeDescription").AsString());
    if (mode != mmAdd && !description.isEmpty() &&
        ui_->cmbFeeDescription->findText(description) < 0) {
        const QSignalBlocker quiet(ui_->cmbFeeDescription);
        ui_->cmbFeeDescription->addItem(description);
        ui_->cmbFeeDescription->setCurrentIndex(ui_->cmbFeeDescription->count() - 1);
    }
    if (mode == mmAdd) {
        ui_->edtTransactionDate->SetDate(Date());
        if (ui_->cmbFeeDescription->currentIndex() < 0 && ui_->cmbFeeDescription->count() > 0)
            ui_->cmbFeeDescription->setCurrentIndex(0); // the first fee type, as a start
    } else if (mode == mmEdit) {
        // The date keys the loan's list of charges, and the type chose the notice period.
        ui_->edtTransactionDate->setEnabled(false);
        ui_->cmbFeeDescription->setEnabled(false);
    }
}

void TfmFeeTransactionAddEdit::ValidateSave() {
    if (Mode() == mmView)
        return;
    TMorvaneMortgage& loan = LoanOf(Item());
    RequireValue(ui_->cmbFeeDescription->currentText(), "Fee Description", ui_->cmbFeeDescription);
    RequireNonZero("Fee Amount", ui_->edtTransactionAmount, ui_->edtTransactionAmount->GetValue());
    RequireDateInContract("Transaction Date", ui_->edtTransactionDate, loan,
                          ui_->edtTransactionDate->Date());
    if (Mode() != mmAdd)
        return; // an edited charge keeps its date and its number
    OfferBusinessDayDeferral(*ui_->edtTransactionDate, loan, "Transaction Date");
    ui_->edtFeeNumber->SetValue(TakeNextFeeNumber(loan));
}

void OfferBusinessDayDeferral(TDatePicker& picker, const TMorvaneMortgage& loan,
                              const std::string& fieldName) {
    const TDate date(picker.Date());
    if (!IsPublicHoliday(date) && !IsWeekend(date))
        return;
    const TDate next = NextBusinessDay(date);
    const PromptAnswer answer = CurrentPrompter().Ask(
        PromptType::Error, PromptButtons::YesNo,
        "The date you have selected is a non-business day.\rWould you like to defer the "
        "transaction until the next business day (" +
            DateToStr(next.value) + ")");
    if (answer != PromptAnswer::Yes)
        return;
    picker.SetDate(next.value);
    TfmCustomDetailForm::RequireDateInContract(fieldName, &picker, loan, next.value);
}

} // namespace duebell
