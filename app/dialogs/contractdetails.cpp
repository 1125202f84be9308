#include "app/dialogs/contractdetails.h"

#include "app/dialogs/paymentcalculator.h"
#include "app/framework/combofill.h"
#include "app/framework/detailform.h"
#include "app/framework/typedfields.h"
#include "controls/datepicker.h"
#include "controls/exspeedbutton.h"
#include "controls/exspinedit.h"
#include "controls/numedit.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_contractdetails.h"

#include <QPainter>

namespace duebell {

namespace {

// A small calculator face: a grey body, a white display and three rows of keys, on the
// fuchsia that the speed button draws transparent.
QImage CalculatorGlyph() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawRect(2, 0, 11, 15);
    painter.fillRect(4, 2, 8, 3, Qt::white);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            painter.fillRect(4 + col * 3, 7 + row * 3, 2, 2, Qt::black);
    return image;
}

} // namespace

TfmeContractDetails::TfmeContractDetails(QWidget* parent)
    : QFrame(parent), ui_(std::make_unique<Ui::fmeContractDetails>()) {
    ui_->setupUi(this);
    FillComboFromArray(PaymentPeriodNames, *ui_->cmbPaymentPeriod);
    FillComboFromArray(StatementPeriodNames, *ui_->cmbStatementPeriod);
    ui_->edtDrawdownDate->SetDate(Date());
    // The term holds no more years than the calculations take.
    ui_->edtContractTerm->SetMaxValue(TMorvaneMortgage::MaxContractYears);
    ui_->SpeedButton1->SetGlyph(CalculatorGlyph());
    ui_->SpeedButton1->OnClick = [this] { CalculatePayment(); };
}

TfmeContractDetails::~TfmeContractDetails() = default;

void TfmeContractDetails::CalculatePayment() {
    // The speed button leaves the focus in the field being typed: its text is checked here.
    CheckTypedFields(*this);
    RequireDepositWithinAmount();
    const int period = PaymentPeriodIndex(ui_->cmbPaymentPeriod->currentText().toStdString());
    if (period < 0)
        TfmCustomDetailForm::RequireValue({}, "Pay Period", ui_->cmbPaymentPeriod);
    TPaymentCalculation terms;
    terms.ContractAmount = ui_->edtContractAmount->GetValue();
    terms.Deposit = ui_->edtContractDeposit->GetValue();
    terms.ReferenceRate = ui_->edtReferenceRate->GetValue();
    terms.RateSpread = ui_->edtRateSpread->GetValue();
    terms.PaymentPeriod = period;
    terms.TermYears = ui_->edtContractTerm->GetValue();
    ui_->edtCalcPaymentAmount->SetValue(duebell::CalculatePayment(terms));
}

void TfmeContractDetails::RequireDepositWithinAmount() const {
    const Currency amount = Currency::fromDouble(ui_->edtContractAmount->GetValue());
    if (Currency::fromDouble(ui_->edtContractDeposit->GetValue()) <= amount)
        return;
    if (ui_->edtContractDeposit->isEnabled())
        ui_->edtContractDeposit->setFocus();
    throw Exception("You must provide a value no greater than the contract amount (" +
                    FormatMoney(amount) + ") for the \"Deposit\" field");
}

QLineEdit* TfmeContractDetails::BankList() const {
    return ui_->cmbBankList;
}
QLineEdit* TfmeContractDetails::BankBranch() const {
    return ui_->edtBankBranch;
}
QLineEdit* TfmeContractDetails::BankBSB() const {
    return ui_->edtBankBSB;
}
QLineEdit* TfmeContractDetails::BankAccountNo() const {
    return ui_->edtBankAccountNo;
}
TCurrencyEdit* TfmeContractDetails::ContractAmount() const {
    return ui_->edtContractAmount;
}
TCurrencyEdit* TfmeContractDetails::ContractDeposit() const {
    return ui_->edtContractDeposit;
}
TExSpinEdit* TfmeContractDetails::ContractTerm() const {
    return ui_->edtContractTerm;
}
QComboBox* TfmeContractDetails::PaymentPeriod() const {
    return ui_->cmbPaymentPeriod;
}
QComboBox* TfmeContractDetails::StatementPeriod() const {
    return ui_->cmbStatementPeriod;
}
TCurrencyEdit* TfmeContractDetails::ReferenceRate() const {
    return ui_->edtReferenceRate;
}
TCurrencyEdit* TfmeContractDetails::RateSpread() const {
    return ui_->edtRateSpread;
}
TDatePicker* TfmeContractDetails::DrawdownDate() const {
    return ui_->edtDrawdownDate;
}
TCurrencyEdit* TfmeContractDetails::CalcPaymentAmount() const {
    return ui_->edtCalcPaymentAmount;
}
TExSpeedButton* TfmeContractDetails::CalculateButton() const {
    return ui_->SpeedButton1;
}
TExSpinEdit* TfmeContractDetails::RateChangePeriod() const {
    return ui_->edtRateChangePeriod;
}

} // namespace duebell
