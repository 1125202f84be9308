#include "app/frames/loantransactionsframe.h"

#include "app/dialogs/loantransactiondialog.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/picklists.h"
#include "controls/datepicker.h"
#include "controls/gridbox.h"
#include "domain/daynumber.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/schedule.h"
#include "objectlist/clock.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <exception>

namespace duebell {

namespace {

QLabel* Caption(const char* name, const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfmeLoanTransactions::TfmeLoanTransactions(QWidget* parent) : TfmeCustomHeaderFrame(parent) {
    setObjectName("fmeLoanTransactions");
    HeaderBox()->setTitle(" Loan Transaction Overview ");
    Grid()->AddColumn("Transaction Date", "TransactionDate", 110);
    Grid()->AddColumn("Payment Type", "PaymentType", 260);
    Grid()->AddColumn("Transaction Amount", "TransactionAmount", 158);

    gbxFilterOptions_ = new QGroupBox(" Filter Options ", this);
    gbxFilterOptions_->setObjectName("gbxFilterOptions");
    cmbLoanNumber_ = new TGridBox(gbxFilterOptions_);
    cmbLoanNumber_->setObjectName("cmbLoanNumber");
    cmbLoanNumber_->SetStyle(gsDropDownList);
    cmbLoanNumber_->setFixedWidth(110);
    // A loan found by search is chosen in the pick list, whose change refreshes the grid.
    searchButton_ = new TMorvaneMortgageSearchButton(gbxFilterOptions_);
    searchButton_->setObjectName("MorvaneMortgageSearchButton1");
    searchButton_->LinkedGridBox = cmbLoanNumber_;
    edtStartDate_ = new TDatePicker(gbxFilterOptions_);
    edtStartDate_->setObjectName("edtStartDate");
    edtEndDate_ = new TDatePicker(gbxFilterOptions_);
    edtEndDate_->setObjectName("edtEndDate");
    auto* row = new QHBoxLayout(gbxFilterOptions_);
    row->addWidget(Caption("lblLoanNumber", "Loan", cmbLoanNumber_, gbxFilterOptions_));
    row->addWidget(cmbLoanNumber_);
    row->addWidget(searchButton_);
    row->addSpacing(16);
    row->addWidget(Caption("lblStartDate", "From", edtStartDate_, gbxFilterOptions_));
    row->addWidget(edtStartDate_);
    row->addSpacing(8);
    row->addWidget(Caption("lblEndDate", "To", edtEndDate_, gbxFilterOptions_));
    row->addWidget(edtEndDate_);
    row->addStretch(1);
    qobject_cast<QBoxLayout*>(layout())->insertWidget(0, gbxFilterOptions_);
    DesignedAt(560, 360);

    const TDate today(Date());
    edtStartDate_->SetDate(today.value - 365);
    edtEndDate_->SetDate(IncDate(duMonths, 1, today).value);
    Grid()->OnFilterRecord = [this](TTovObjectItem* item, TTovSubItem*, TTovObjectList*,
                                    bool& include) { include = InDateWindow(*item); };
    FillMortgagePickList(*cmbLoanNumber_);
    cmbLoanNumber_->OnChange = [this] { RefreshTransactions(); };
    edtStartDate_->OnChange = [this] { RefreshTransactions(); };
    edtEndDate_->OnChange = [this] { RefreshTransactions(); };
    RefreshTransactions();
}

void TfmeLoanTransactions::ChooseLoan(const std::string& loanNumber) {
    cmbLoanNumber_->SetItemIndex(cmbLoanNumber_->FindRow(loanNumber));
    RefreshTransactions();
}

TMorvaneMortgage* TfmeLoanTransactions::ChosenLoan() const {
    const std::string loanNumber = cmbLoanNumber_->Text().toStdString();
    const TMorvaneData* book = Data();
    return book != nullptr && !loanNumber.empty() ? book->FindMortgage(loanNumber) : nullptr;
}

void TfmeLoanTransactions::RefreshTransactions() {
    TMorvaneMortgage* loan = ChosenLoan();
    Grid()->SetObjectList(loan != nullptr ? loan->LoanTransactions.get() : nullptr);
    RefreshGrid();
    HeaderButtonPanel()->setEnabled(!cmbLoanNumber_->Text().isEmpty());
}

bool TfmeLoanTransactions::InDateWindow(const TTovObjectItem& transaction) const {
    const TDayNumber day =
        DayOf(static_cast<const TMorvaneLoanTransaction&>(transaction).TransactionDate);
    return DayOf(edtStartDate_->Date()) <= day && day <= DayOf(edtEndDate_->Date());
}

void TfmeLoanTransactions::MortgagesChanged() {
    FillMortgagePickList(*cmbLoanNumber_);
    RefreshTransactions();
}

TfmCustomDetailFormClass TfmeLoanTransactions::GetDetailFormClass() {
    return DetailFormClass<TfmLoanTransactionsAddEdit>();
}

TTovObjectItem* TfmeLoanTransactions::GetDetailParent() {
    return ChosenLoan();
}

template <class Press> void TfmeLoanTransactions::PressThenRecalculate(Press press) {
    std::exception_ptr failure;
    try {
        press();
    } catch (...) {
        failure = std::current_exception();
    }
    if (TMorvaneMortgage* loan = ChosenLoan())
        LoanChanged(*loan);
    if (failure)
        std::rethrow_exception(failure);
}

void TfmeLoanTransactions::AddClick() {
    PressThenRecalculate([this] { TfmeCustomHeaderFrame::AddClick(); });
}

void TfmeLoanTransactions::EditClick() {
    PressThenRecalculate([this] { TfmeCustomHeaderFrame::EditClick(); });
}

void TfmeLoanTransactions::DeleteClick() {
    PressThenRecalculate([this] { TfmeCustomHeaderFrame::DeleteClick(); });
}

} // namespace duebell
