#include "app/frames/mortgagesframe.h"

#include "app/dialogs/mortgagedialog.h"
#include "app/dialogs/yesnogroup.h"
#include "app/frames/loanleftovers.h"
#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "controls/modalresult.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"

#include <QGroupBox>

namespace duebell {

TfmeMortgages::TfmeMortgages(TTovObjectList* mortgages, std::function<void()> saveConfiguration,
                             QWidget* parent)
    : TfmeCustomHeaderFrame(parent), saveConfiguration_(std::move(saveConfiguration)) {
    setObjectName("fmeMortgages");
    HeaderBox()->setTitle(" Loan Overview ");
    Grid()->AddColumn("Loan Number", "LoanNumber", 100);
    Grid()->AddColumn("Property Address", "PropertyAddress", 200);
    Grid()->AddColumn("Client Name", "ClientName", 200);
    DesignedAt(540, 320);
    Grid()->SetObjectList(mortgages);
    RefreshGrid();
    OnAfterModify = [this](TfmeCustomHeaderFrame&, TModifyMode mode, TTovObjectItem* record,
                           TfmCustomDetailForm& dialog) { AfterModify(mode, record, dialog); };
}

TfmCustomDetailFormClass TfmeMortgages::GetDetailFormClass() {
    return DetailFormClass<TfmMortgageAddEdit>();
}

void TfmeMortgages::MortgagesChanged() {
    GridClick();
}

void TfmeMortgages::AfterModify(TModifyMode mode, TTovObjectItem* record,
                                TfmCustomDetailForm& dialog) {
    auto* loan = dynamic_cast<TMorvaneMortgage*>(record);
    auto* loanDialog = dynamic_cast<TfmMortgageAddEdit*>(&dialog);
    if (loan == nullptr || loanDialog == nullptr || loanDialog->ModalResult() != mrOk)
        return;
    if (mode == mmAdd)
        AfterAdd(*loan, *loanDialog);
    else if (mode == mmEdit)
        LoanChanged(*loan);
}

// The loan is the one just inserted (the frame hands over the record itself), so its ledger
// and alerts exist before any window opened for it reads them.
void TfmeMortgages::AfterAdd(TMorvaneMortgage& loan, const TfmMortgageAddEdit& dialog) {
    if (TMorvaneData* book = OwningLoanBook(loan);
        book != nullptr && ForgetLoanLeftovers(*book, Configuration(), loan.LoanNumber))
        RateHistoryDropped(loan.LoanNumber);
    LoanChanged(loan);
    WindowRequest request;
    request.loanNumber = loan.LoanNumber;
    request.mode = mmEdit;
    if (dialog.AddInstallmentFees()->Yes() &&
        OpenWindow(InstalmentFeesWindow, request).modalResult == mrOk)
        SaveConfiguration();
    if (dialog.PrintDrawdownReport()->Yes())
        OpenWindow(DrawdownReportWindow, request);
    if (dialog.PrintBookkeepingReport()->Yes()) {
        OpenWindow(InitialBookkeepingReportWindow, request);
        SetDataModified(true);
    }
}

void TfmeMortgages::DeleteClick() {
    const std::vector<TTovObject*>& selected = Grid()->SelectedObjects();
    const auto* loan = selected.empty() ? nullptr : dynamic_cast<TMorvaneMortgage*>(selected[0]);
    TMorvaneData* book = loan != nullptr ? OwningLoanBook(*loan) : nullptr;
    if (book == nullptr) {
        TfmeCustomHeaderFrame::DeleteClick();
        return;
    }
    const std::string loanNumber = loan->LoanNumber;
    const int loans = book->Mortgages->Count();
    TfmeCustomHeaderFrame::DeleteClick();
    if (book->Mortgages->Count() == loans)
        return; // the user kept the loan
    // Rate changes given to a new loan of this number must not reach the saved loan.
    HoldRateHistoryForLoanBook(loanNumber);
    if (ForgetLoanLeftovers(*book, Configuration(), loanNumber))
        RateHistoryDropped(loanNumber);
}

void TfmeMortgages::RateHistoryDropped(const std::string& loanNumber) const {
    if (!HoldRateHistoryForLoanBook(loanNumber))
        SaveConfiguration();
}

void TfmeMortgages::SaveConfiguration() const {
    if (!saveConfiguration_)
        throw InternalError("The loans have nowhere to save the configuration.");
    saveConfiguration_();
}

} // namespace duebell
