#include "app/dialogs/instalmentfeedialog.h"

#include "app/dialogs/instalmentfeerules.h"
#include "app/dialogs/noticeoffers.h"
#include "app/framework/combofill.h"
#include "app/framework/controlbinder.h"
#include "controls/uihooks.h"
#include "domain/loantransactions.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/prompt.h"
#include "domain/recordowners.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_instalmentfeedialog.h"

#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace duebell {

namespace {

// No fee runs longer than the longest contract paid weekly; a larger count only ever meets the
// completion date check.
constexpr double MaxClientPayments = TMorvaneMortgage::MaxContractYears * 52.0;

bool SameDay(double a, double b) {
    return std::floor(a) == std::floor(b);
}

void SetDateQuietly(TDatePicker& picker, double day) {
    const QSignalBlocker quiet(&picker);
    picker.SetDate(day);
}

} // namespace

TfmFeesInstallmentAddEdit::TfmFeesInstallmentAddEdit()
    : TfmCustomDetailForm("fmFeesInstallmentAddEdit", "Add/Edit Instalment Fee"),
      ui_(std::make_unique<Ui::fmFeesInstallmentAddEdit>()) {
    ui_->setupUi(Body());
    FillComboFromArray(FrequencyNames, *ui_->cmbUserPaymentPeriod);
    {
        const QSignalBlocker quiet(ui_->cmbUserPaymentPeriod);
        ui_->cmbUserPaymentPeriod->setCurrentIndex(-1); // no frequency until the user picks one
    }
    ShowFeeDates(false);
    // The client's payments are a whole number no fee runs beyond.
    ui_->edtClientNoPayments->SetDecimalPlaces(0);
    ui_->edtClientNoPayments->SetMaxValue(MaxClientPayments);
    Binder().AddRows({{ui_->edtFeeDescription, "Text", "FeeDescription"},
                      {ui_->edtClientNoPayments, "Value", "NumberOfPayments"},
                      {ui_->edtClientPaymentAmount, "Value", "PaymentAmount"},
                      {ui_->edtTransactionDate, "Date", "TransactionDate"},
                      {ui_->edtClientFirstPaymentDate, "Date", "FirstPaymentDate"},
                      {ui_->edtStopFeeTransactionDate, "Date", "StopTransactionDate"},
                      {ui_->edtStopLastPaymentDate, "Date", "StopLastPaymentDate"}});

    ui_->edtUserNoPayments->OnChange = [this] { UserScheduleChange(); };
    ui_->edtUserPaymentAmount->OnChange = [this] { UserScheduleChange(); };
    connect(ui_->cmbUserPaymentPeriod, &QComboBox::currentIndexChanged, this,
            [this] { GuardEvent([this] { UserScheduleChange(); }); });
    ui_->edtTransactionDate->OnChange = [this] { TransactionDateChange(); };
    // Typed over, the client's payments move the completion date too.
    ui_->edtClientNoPayments->OnChange = [this] { TransactionDateChange(); };
    ui_->edtStopFeeTransactionDate->OnChange = [this] { StopFeeTransactionDateChange(); };
}

TfmFeesInstallmentAddEdit::~TfmFeesInstallmentAddEdit() = default;

int TfmFeesInstallmentAddEdit::EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) {
    TMorvaneInstallmentFee* fee = nullptr;
    for (TTovObject* object : list)
        if ((fee = dynamic_cast<TMorvaneInstallmentFee*>(object)) != nullptr)
            break;
    if (mode != mmEdit || fee == nullptr)
        return TfmCustomDetailForm::EditItems(mode, list);
    const double paymentAmount = fee->PaymentAmount;
    const int result = TfmCustomDetailForm::EditItems(mode, list);
    fee->PaymentAmount = paymentAmount;
    return result;
}

TMorvaneInstallmentFee& TfmFeesInstallmentAddEdit::Fee() const {
    auto* fee = dynamic_cast<TMorvaneInstallmentFee*>(Item());
    if (fee == nullptr)
        throw InternalError("The instalment fee dialog has no instalment fee.");
    return *fee;
}

TMorvaneMortgage& TfmFeesInstallmentAddEdit::Loan() const {
    TMorvaneMortgage* loan = FindOwner<TMorvaneMortgage>(Fee());
    if (loan == nullptr)
        throw InternalError("An instalment fee is edited without its loan.");
    return *loan;
}

int TfmFeesInstallmentAddEdit::ClientPayments() const {
    const double payments = std::round(ui_->edtClientNoPayments->GetValue());
    return static_cast<int>(std::clamp(payments, 0.0, MaxClientPayments));
}

void TfmFeesInstallmentAddEdit::ShowFeeDates(bool shown) {
    ui_->lblClientFirstPaymentDate->setVisible(shown);
    ui_->edtClientFirstPaymentDate->setVisible(shown);
    ui_->lblClientLastPaymentDate->setVisible(shown);
    ui_->edtClientLastPaymentDate->setVisible(shown);
}

void TfmFeesInstallmentAddEdit::UserScheduleChange() {
    if (Item() == nullptr)
        return;
    const std::optional<TClientSchedule> schedule = ClientSchedule(
        std::llround(ui_->edtUserNoPayments->GetValue()), ui_->edtUserPaymentAmount->GetValue(),
        ui_->cmbUserPaymentPeriod->currentIndex(), Loan().Contract->PaymentPeriodIndex());
    if (!schedule)
        return;
    {
        const QSignalBlocker quiet(ui_->edtClientNoPayments);
        ui_->edtClientNoPayments->SetValue(static_cast<double>(schedule->NumberOfPayments));
    }
    ui_->edtClientPaymentAmount->SetValue(schedule->PaymentAmount);
    TransactionDateChange();
}

void TfmFeesInstallmentAddEdit::TransactionDateChange() {
    if (Item() == nullptr)
        return;
    const TInstalmentFeeDates dates =
        InstalmentFeeDates(Loan(), TDate(ui_->edtTransactionDate->Date()), ClientPayments());
    SetDateQuietly(*ui_->edtClientFirstPaymentDate, dates.Effective.value);
    SetDateQuietly(*ui_->edtClientLastPaymentDate, dates.Completion.value);
    ShowFeeDates(true);
}

void TfmFeesInstallmentAddEdit::StopFeeTransactionDateChange() {
    if (Item() == nullptr)
        return;
    const TDate termination =
        InstalmentFeeTermination(Loan(), TDate(ui_->edtStopFeeTransactionDate->Date()));
    SetDateQuietly(*ui_->edtStopLastPaymentDate, termination.value);
}

void TfmFeesInstallmentAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    const TMorvaneInstallmentFee& fee = Fee();
    if (mode == mmAdd) {
        SetDateQuietly(*ui_->edtTransactionDate, Date());
        ui_->gbxStopFee->setEnabled(false);
        ui_->gbxStopFee->setVisible(false);
        return;
    }
    // A fee's schedule is fixed once it is entered: it can only be viewed or stopped.
    ui_->edtFeeDescription->setEnabled(false);
    ui_->gbxUserFeeDetails->setEnabled(false);
    ui_->gbxClientFeeDetails->setEnabled(false);
    SetDateQuietly(*ui_->edtClientFirstPaymentDate, fee.FirstPaymentDate().value);
    SetDateQuietly(*ui_->edtClientLastPaymentDate, fee.LastPaymentDate().value);
    ShowFeeDates(true);
    const bool running = fee.StopLastPaymentDate.value == 0;
    if (running && mode == mmEdit) {
        // Only a stop presets the stop date: a view shows the fee as it is.
        SetDateQuietly(*ui_->edtStopFeeTransactionDate, Date());
        StopFeeTransactionDateChange();
    } else {
        ui_->gbxStopFee->setEnabled(false);
    }
    if (mode == mmView && fee.StopTransactionDate.value == 0)
        ui_->gbxStopFee->setVisible(false);
}

void TfmFeesInstallmentAddEdit::ValidateSave() {
    printPaymentChangeNotice_ = false;
    if (Mode() == mmView)
        return; // a view changes nothing, so it has nothing to check or offer
    TMorvaneMortgage& loan = Loan();
    TDatePicker& notified = *ui_->edtTransactionDate;
    const TDate effective(ui_->edtClientFirstPaymentDate->Date());
    const TDate completion = InstalmentFeeCompletion(loan, effective, ClientPayments());
    RequireValue(ui_->edtFeeDescription->text(), "Fee Description", ui_->edtFeeDescription);
    RequireNonZero("Payment Amount", ui_->edtClientPaymentAmount,
                   ui_->edtClientPaymentAmount->GetValue());
    RequireDateInContract("Effective Date", &notified, loan, effective.value);
    RequireDateInContract("Completion Date", nullptr, loan, completion.value);
    if (Mode() != mmEdit) {
        RequireNotAfterToday("Notification Date", &notified, notified.Date());
        if (SameDay(notified.Date(), Date()))
            printPaymentChangeNotice_ = AskForPaymentChangeNotice();
        return;
    }
    if (Fee().StopTransactionDate.value == 0)
        ValidateStop();
}

void TfmFeesInstallmentAddEdit::ValidateStop() {
    TMorvaneMortgage& loan = Loan();
    const TMorvaneInstallmentFee& fee = Fee();
    TDatePicker& stopNotified = *ui_->edtStopFeeTransactionDate;
    const TDate termination(ui_->edtStopLastPaymentDate->Date());
    RequireDateInContract("Stop Fee - Termination Date", nullptr, loan, termination.value);
    RequireNotAfterToday("Stop Fee - Notification Date", &stopNotified, stopNotified.Date());
    if (SameDay(stopNotified.Date(), Date()))
        printPaymentChangeNotice_ = AskForPaymentChangeNotice();

    // The instalments charged up to the termination date stay with the ledger, which collects
    // them; only what it will no longer charge becomes the full fee.
    const Currency outstanding = InstalmentFeeUncharged(loan, fee, termination);
    if (outstanding <= Currency())
        return; // nothing left to charge: no charge of nothing
    if (!AskYesNo("There is " + FormatMoney(outstanding) +
                  " outstanding on this instalment fee.  Do you want to convert it to a fixed "
                  "fee?"))
        return;
    const TMorvaneFeeTransaction& charge =
        ChargeOutstandingInstalmentFee(loan, fee, termination, outstanding);
    OfferFeeChargeNotice("Do you want to print a fee notice for this fee?", loan, charge.FeeNumber);
}

} // namespace duebell
