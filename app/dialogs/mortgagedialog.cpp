#include "app/dialogs/mortgagedialog.h"

#include "app/dialogs/contractdetails.h"
#include "app/dialogs/yesnogroup.h"
#include "app/framework/controlbinder.h"
#include "app/framework/picklists.h"
#include "app/framework/windowregistry.h"
#include "controls/datepicker.h"
#include "controls/exspinedit.h"
#include "controls/gridbox.h"
#include "controls/numedit.h"
#include "domain/clients.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "ui_mortgagedialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

namespace duebell {

TfmMortgageAddEdit::TfmMortgageAddEdit()
    : TfmCustomDetailForm("fmMortgageAddEdit", "Add/Edit Loan"),
      ui_(std::make_unique<Ui::fmMortgageAddEdit>()) {
    ui_->setupUi(Body());
    for (TGridBox* box : {ui_->cmbPropertyCode, ui_->cmbClientCode})
        box->SetStyle(gsDropDownList);
    FillPropertyPickList(*ui_->cmbPropertyCode);
    FillClientPickList(*ui_->cmbClientCode);

    const TfmeContractDetails& contract = *ui_->fmeContractDetails1;
    Binder().AddRows({
        {ui_->edtLoanNumber, "Text", "LoanNumber"},
        {ui_->cmbPropertyCode, "Text", "PropertyCode"},
        {ui_->cmbClientCode, "Text", "ClientCode"},
        {contract.BankList(), "Text", "BankDetails.BankName"},
        {contract.BankBranch(), "Text", "BankDetails.BranchName"},
        {contract.BankBSB(), "Text", "BankDetails.BSBNo"},
        {contract.BankAccountNo(), "Text", "BankDetails.AccountNo"},
        {contract.ContractAmount(), "Value", "Contract.ContractAmount"},
        {contract.ContractDeposit(), "Value", "Contract.Deposit"},
        {contract.ContractTerm(), "Value", "Contract.ContractTerm"},
        {contract.PaymentPeriod(), "Text", "Contract.PaymentPeriod"},
        {contract.StatementPeriod(), "Text", "Contract.StatementPeriod"},
        {contract.ReferenceRate(), "Value", "Contract.ReferenceRate"},
        {contract.RateSpread(), "Value", "Contract.RateSpread"},
        {contract.DrawdownDate(), "Date", "Contract.PossessionDate"},
        {contract.RateChangePeriod(), "Value", "RateChangePeriod"},
    });

    ui_->cmbPropertyCode->OnChange = [this] { PropertyCodeChange(); };
    ui_->cmbClientCode->OnChange = [this] { ClientCodeChange(); };
    const std::pair<TYesNoGroup*, const char*> questions[] = {
        {ui_->rgpAddInstallmentFees, InstalmentFeesWindow},
        {ui_->rgpPrintDrawdownReport, DrawdownReportWindow},
        {ui_->rgpPrintBookkeepingReport, InitialBookkeepingReportWindow}};
    for (const auto& [question, window] : questions) {
        question->OnClick = [this] { UpdateSaveEnabled(); };
        question->Item(0)->setEnabled(IsWindowRegistered(window));
    }
    SaveButton()->setEnabled(false);
}

TfmMortgageAddEdit::~TfmMortgageAddEdit() = default;

int TfmMortgageAddEdit::EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) {
    modalResult_ = TfmCustomDetailForm::EditItems(mode, list);
    return modalResult_;
}

void TfmMortgageAddEdit::InitForItem(TModifyMode mode, TTovObjectItem& item) {
    if (mode == mmAdd) {
        const TMorvaneData* book = LookupLoanBook(item);
        if (book == nullptr)
            throw InternalError("A loan is added without a loan book.");
        ui_->edtLoanNumber->setText(QString::fromStdString(book->NextLoanNumber()));
        ui_->fmeContractDetails1->DrawdownDate()->SetDate(Date());
    }
    // Every opening asks the questions afresh.
    for (TYesNoGroup* question :
         {ui_->rgpAddInstallmentFees, ui_->rgpPrintDrawdownReport, ui_->rgpPrintBookkeepingReport})
        question->SetItemIndex(-1);
    // The binder filled the pick lists quietly: echo what they show.
    PropertyCodeChange();
    ClientCodeChange();
}

void TfmMortgageAddEdit::PropertyCodeChange() {
    ui_->edtPropertyAddress->clear();
    const std::string code = ui_->cmbPropertyCode->Text().toStdString();
    const TMorvaneData* book = Data();
    if (const TMorvaneProperty* property =
            book != nullptr && !code.empty() ? book->FindProperty(code) : nullptr)
        ui_->edtPropertyAddress->setText(QString::fromStdString(property->Address->AddressStr()));
    UpdateSaveEnabled();
}

void TfmMortgageAddEdit::ClientCodeChange() {
    ui_->edtClientName->clear();
    const std::string code = ui_->cmbClientCode->Text().toStdString();
    const TMorvaneData* book = Data();
    if (const TMorvaneClient* client =
            book != nullptr && !code.empty() ? book->FindClient(code) : nullptr)
        ui_->edtClientName->setText(QString::fromStdString(client->FullNameStr()));
    UpdateSaveEnabled();
}

void TfmMortgageAddEdit::UpdateSaveEnabled() {
    SaveButton()->setEnabled(
        ui_->rgpAddInstallmentFees->Answered() && ui_->rgpPrintDrawdownReport->Answered() &&
        ui_->cmbPropertyCode->ItemIndex() > -1 && ui_->cmbClientCode->ItemIndex() > -1);
}

void TfmMortgageAddEdit::ValidateSave() {
    const TfmeContractDetails& contract = *ui_->fmeContractDetails1;
    RequireNonZero("Contract Amount", contract.ContractAmount(),
                   contract.ContractAmount()->GetValue());
    RequireNonNegative("Deposit", contract.ContractDeposit(),
                       contract.ContractDeposit()->GetValue());
    contract.RequireDepositWithinAmount();
    // The term's field holds no more years than the calculations take (its range), so only
    // none is left to refuse.
    RequireNonZero("Term", contract.ContractTerm(), contract.ContractTerm()->GetValue());
    RequireNonNegative("Reference Rate", contract.ReferenceRate(),
                       contract.ReferenceRate()->GetValue());
    RequireValue(contract.PaymentPeriod()->currentText(), "Pay Period", contract.PaymentPeriod());
    RequireValue(contract.StatementPeriod()->currentText(), "Statements",
                 contract.StatementPeriod());
    RequireValue(contract.BankList()->text(), "Bank", contract.BankList());
    RequireValue(contract.BankBranch()->text(), "Branch", contract.BankBranch());
    RequireValue(contract.BankBSB()->text(), "BSB", contract.BankBSB());
    RequireValue(contract.BankAccountNo()->text(), "Account No.", contract.BankAccountNo());
}

QLineEdit* TfmMortgageAddEdit::LoanNumber() const {
    return ui_->edtLoanNumber;
}
TGridBox* TfmMortgageAddEdit::PropertyCode() const {
    return ui_->cmbPropertyCode;
}
TGridBox* TfmMortgageAddEdit::ClientCode() const {
    return ui_->cmbClientCode;
}
QLineEdit* TfmMortgageAddEdit::PropertyAddress() const {
    return ui_->edtPropertyAddress;
}
QLineEdit* TfmMortgageAddEdit::ClientName() const {
    return ui_->edtClientName;
}
TfmeContractDetails* TfmMortgageAddEdit::ContractDetails() const {
    return ui_->fmeContractDetails1;
}
TYesNoGroup* TfmMortgageAddEdit::AddInstallmentFees() const {
    return ui_->rgpAddInstallmentFees;
}
TYesNoGroup* TfmMortgageAddEdit::PrintDrawdownReport() const {
    return ui_->rgpPrintDrawdownReport;
}
TYesNoGroup* TfmMortgageAddEdit::PrintBookkeepingReport() const {
    return ui_->rgpPrintBookkeepingReport;
}

} // namespace duebell
