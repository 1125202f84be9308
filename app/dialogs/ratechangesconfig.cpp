#include "app/dialogs/ratechangesconfig.h"

#include "app/dialogs/mortgagesearchbutton.h"
#include "app/dialogs/ratechangeaddedit.h"
#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/picklists.h"
#include "app/framework/windowregistry.h"
#include "controls/gridbox.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace duebell {

TfmRateChangesConfig::TfmRateChangesConfig()
    : TfmCustomListConfig("fmRateChangesConfig", "Interest Rate Change Configuration",
                          "fmeCustomHeaderFrame1", " Interest Rate Change Overview "),
      cmbLoanNumber_(new TGridBox(Body())) {
    cmbLoanNumber_->setObjectName("cmbLoanNumber");
    cmbLoanNumber_->SetStyle(gsDropDownList);
    cmbLoanNumber_->setFixedWidth(120);
    auto* label = new QLabel("Loan", Body());
    label->setObjectName("lblLoanNumber");
    label->setBuddy(cmbLoanNumber_);
    // A loan found by the search is chosen in the list, which then shows its changes.
    auto* search = new TMorvaneMortgageSearchButton(Body());
    search->setObjectName("MorvaneMortgageSearchButton1");
    search->LinkedGridBox = cmbLoanNumber_;
    auto* loanRow = new QHBoxLayout;
    loanRow->setContentsMargins(4, 4, 4, 4);
    loanRow->addWidget(label);
    loanRow->addWidget(cmbLoanNumber_);
    loanRow->addWidget(search);
    loanRow->addStretch(1);
    static_cast<QVBoxLayout*>(Body()->layout())->insertLayout(0, loanRow);

    Frame()->Grid()->AddColumn("Notification Date", "TransactionDate", 110);
    Frame()->Grid()->AddColumn("Interest Rate", "Rate", 108);
    Frame()->Grid()->AddColumn("New Payment Amount", "NewPaymentAmount", 114);
    Frame()->Grid()->AddColumn("Effective From", "EffectiveFrom", 116);
    Frame()->OnGetDetailFormClass = DetailFormClass<TfmRateChangesAddEdit>();
    Frame()->OnGetDetailParent = [this]() -> TTovObjectItem* { return ChosenRateHistory(); };
    cmbLoanNumber_->OnChange = [this] { LoanChange(); };
    FrameDesigned(300);
    resize(width(), height() + 30);
}

void TfmRateChangesConfig::InitForItem(TModifyMode, TTovObjectItem&) {
    FillMortgagePickList(*cmbLoanNumber_);
    LoanChange();
}

std::string TfmRateChangesConfig::ChosenLoanNumber() const {
    return cmbLoanNumber_->Text().toStdString();
}

TMorvaneMortgageRate* TfmRateChangesConfig::ChosenRateHistory() const {
    const std::string loanNumber = ChosenLoanNumber();
    if (loanNumber.empty())
        return nullptr;
    return static_cast<TMorvaneMortgageRate*>(
        Configuration()->MortgageRates->LocateOrAdd(Variant(loanNumber), Configuration()));
}

void TfmRateChangesConfig::LoanChange() {
    if (TMorvaneMortgageRate* history = ChosenRateHistory())
        ShowList(history->RateChanges.get());
    Frame()->HeaderButtonPanel()->setEnabled(!ChosenLoanNumber().empty());
}

void TfmRateChangesConfig::RebuildChosenLoan() {
    if (TMorvaneMortgage* loan = Data()->FindMortgage(ChosenLoanNumber()))
        LoanChanged(*loan);
    Frame()->RefreshGrid();
}

void TfmRateChangesConfig::TellWhenHeld() const {
    if (const std::string loanNumber = ChosenLoanNumber(); RateHistoryHeldForLoanBook(loanNumber))
        TellChangeWaitsForLoanBook("The saved loan book still holds the deleted loan " +
                                   loanNumber);
}

void TfmRateChangesConfig::AfterModify(TModifyMode mode, TTovObjectItem& record,
                                       TfmCustomDetailForm& dialog, bool saved) {
    // An edited notification date moves the change to its place in the history.
    if (mode == mmEdit && saved) {
        if (TMorvaneMortgageRate* history = ChosenRateHistory())
            history->RateChanges->Sort();
    }
    RebuildChosenLoan();
    if (const int row = Frame()->Grid()->FindRow(&record); row >= 0)
        Frame()->Grid()->SelectRow(row);
    if (saved && static_cast<TfmRateChangesAddEdit&>(dialog).PrintPaymentChangeNotice()) {
        WindowRequest request;
        request.loanNumber = ChosenLoanNumber();
        OpenWindow("TfmReportPaymentChange", request);
    }
    if (saved)
        TellWhenHeld();
}

void TfmRateChangesConfig::AfterDelete() {
    RebuildChosenLoan();
    TellWhenHeld();
}

} // namespace duebell
