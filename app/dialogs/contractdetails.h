// TfmeContractDetails: the contract terms, bank details and payment calculator of a loan, a
// frame inside the loan dialog (contractdetails.ui). The frame holds the controls; the dialog
// binds them to the loan.
#pragma once

#include <QFrame>
#include <memory>

class QComboBox;
class QLineEdit;

namespace Ui {
class fmeContractDetails;
}

namespace duebell {

class TCurrencyEdit;
class TDatePicker;
class TExSpeedButton;
class TExSpinEdit;

class TfmeContractDetails : public QFrame {
    Q_OBJECT

public:
    // The controls; the two period lists filled with their names (the first chosen), the
    // draw-down date today, the calculator button wired to CalculatePayment.
    explicit TfmeContractDetails(QWidget* parent = nullptr);
    ~TfmeContractDetails() override;

    // The calculator: the instalment of the terms shown, unrounded, into the "Calc. Payment
    // Amt." field. Nothing is stored in the loan. The typed fields are checked first and a
    // deposit above the contract amount refused; with no payment frequency chosen it asks for
    // one, as Save does.
    void CalculatePayment();
    // The deposit is part of the contract amount: a larger one would make a loan of less than
    // nothing, whose instalment is negative. Refused with the deposit focused.
    void RequireDepositWithinAmount() const;

    // --- The controls (by their names in the form) -------------------------------------------
    QLineEdit* BankList() const;      // cmbBankList, "Bank"
    QLineEdit* BankBranch() const;    // edtBankBranch
    QLineEdit* BankBSB() const;       // edtBankBSB
    QLineEdit* BankAccountNo() const; // edtBankAccountNo
    TCurrencyEdit* ContractAmount() const;
    TCurrencyEdit* ContractDeposit() const;
    TExSpinEdit* ContractTerm() const; // years
    QComboBox* PaymentPeriod() const;
    QComboBox* StatementPeriod() const;
    TCurrencyEdit* ReferenceRate() const;
    TCurrencyEdit* RateSpread() const;
    TDatePicker* DrawdownDate() const;
    TCurrencyEdit* CalcPaymentAmount() const;
    TExSpeedButton* CalculateButton() const; // SpeedButton1
    TExSpinEdit* RateChangePeriod() const;   // days

private:
    std::unique_ptr<Ui::fmeContractDetails> ui_;
};

} // namespace duebell
