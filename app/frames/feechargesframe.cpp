#include "app/frames/feechargesframe.h"

#include "app/dialogs/feechargedialog.h"
#include "app/dialogs/feepaymentdialog.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/dialogs/noticeoffers.h"
#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/picklists.h"
#include "controls/datepicker.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/schedule.h"
#include "objectlist/clock.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace duebell {

// The payments against the charge selected above; new payments belong to that charge, and
// every change rebuilds the loan.
class TfmeFeePayments : public TfmeCustomHeaderFrame {
public:
    TfmeFeePayments(TfmeFeeTransaction& charges, QWidget* parent)
        : TfmeCustomHeaderFrame(parent), charges_(charges) {
        setObjectName("fmeCustomHeaderFrame1");
        HeaderBox()->setTitle(" Full Fee Payment History ");
        Grid()->AddColumn("Date", "TransactionDate", 79);
        Grid()->AddColumn("Amount", "FeePaymentAmount", 130);
    }

    TfmCustomDetailFormClass GetDetailFormClass() override {
        return DetailFormClass<TfmFeePaymentAddEdit>();
    }
    TTovObjectItem* GetDetailParent() override { return charges_.SelectedCharge(); }

    void AddClick() override {
        TfmeCustomHeaderFrame::AddClick();
        charges_.RecalculateLoan();
    }
    void EditClick() override {
        TfmeCustomHeaderFrame::EditClick();
        charges_.RecalculateLoan();
    }
    void DeleteClick() override {
        TfmeCustomHeaderFrame::DeleteClick();
        charges_.RecalculateLoan();
    }

private:
    TfmeFeeTransaction& charges_;
};

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

TDatePicker* MakeDatePicker(QWidget* parent, const char* name) {
    auto* picker = new TDatePicker(parent);
    picker->setObjectName(name);
    return picker;
}

} // namespace

TfmeFeeTransaction::TfmeFeeTransaction(QWidget* parent) : TfmeCustomHeaderFrame(parent) {
    setObjectName("fmeFeeTransaction");
    HeaderBox()->setTitle(" Full Fee Overview ");
    TTovObjectListGrid& grid = *Grid();
    grid.AddColumn("Fee Number", "FeeNumber", 70);
    grid.AddColumn("Notification Date", "TransactionDate", 90);
    grid.AddColumn("Due Date", "EffectiveFrom", 90);
    grid.AddColumn("Fee Description", "FeeDescription", 140);
    grid.AddColumn("Fee Amount", "FeeAmount", 80);
    grid.AddColumn("Balance", "Balance", 80);

    gbxFilterOptions_ = new QGroupBox(" Filter Options ", this);
    gbxFilterOptions_->setObjectName("gbxFilterOptions");
    cmbLoanNumber_ = new TGridBox(gbxFilterOptions_);
    cmbLoanNumber_->setObjectName("cmbLoanNumber");
    cmbLoanNumber_->SetStyle(gsDropDownList);
    cmbLoanNumber_->setFixedWidth(110);
    // A loan found by search is chosen in the pick list, whose change shows its charges.
    auto* search = new TMorvaneMortgageSearchButton(gbxFilterOptions_);
    search->setObjectName("MorvaneMortgageSearchButton1");
    search->LinkedGridBox = cmbLoanNumber_;
    edtStartDate_ = MakeDatePicker(gbxFilterOptions_, "edtStartDate");
    edtEndDate_ = MakeDatePicker(gbxFilterOptions_, "edtEndDate");
    auto* filters = new QHBoxLayout(gbxFilterOptions_);
    filters->addWidget(MakeLabel(gbxFilterOptions_, "lblLoanNumber", "Loan", cmbLoanNumber_));
    filters->addWidget(cmbLoanNumber_);
    filters->addWidget(search);
    filters->addSpacing(16);
    filters->addWidget(MakeLabel(gbxFilterOptions_, "lblStartDate", "From", edtStartDate_));
    filters->addWidget(edtStartDate_);
    filters->addWidget(MakeLabel(gbxFilterOptions_, "lblEndDate", "To", edtEndDate_));
    filters->addWidget(edtEndDate_);
    filters->addStretch(1);

    fmeCustomHeaderFrame1_ = new TfmeFeePayments(*this, this);
    fmeCustomHeaderFrame1_->setFixedHeight(190);
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(0, gbxFilterOptions_);
    column->addWidget(fmeCustomHeaderFrame1_);
    DesignedAt(600, 480);

    {
        const QSignalBlocker quietStart(edtStartDate_);
        const QSignalBlocker quietEnd(edtEndDate_);
        edtStartDate_->SetDate(Date() - 365);
        edtEndDate_->SetDate(IncDate(duMonths, 1, TDate(Date())).value);
    }
    grid.OnFilterRecord = [this](TTovObjectItem* item, TTovSubItem*, TTovObjectList*,
                                 bool& include) {
        if (const auto* charge = dynamic_cast<const TMorvaneFeeTransaction*>(item))
            include = edtStartDate_->Date() <= charge->TransactionDate.value &&
                      charge->TransactionDate.value <= edtEndDate_->Date();
    };
    OnAfterModify = [this](TfmeCustomHeaderFrame&, TModifyMode mode, TTovObjectItem* record,
                           TfmCustomDetailForm& dialog) { OfferNotice(mode, record, dialog); };
    cmbLoanNumber_->OnChange = [this] { RefreshGrid(); };
    edtStartDate_->OnChange = [this] { RefreshGrid(); };
    edtEndDate_->OnChange = [this] { RefreshGrid(); };
    HeaderButtonAlignment()->installEventFilter(this);
    MortgagesChanged();
}

TfmeFeeTransaction::~TfmeFeeTransaction() = default;

TfmeCustomHeaderFrame* TfmeFeeTransaction::PaymentsFrame() const {
    return fmeCustomHeaderFrame1_;
}

TMorvaneMortgage* TfmeFeeTransaction::ChosenLoan() const {
    const TMorvaneData* book = Data();
    return book != nullptr ? book->FindMortgage(cmbLoanNumber_->Text().toStdString()) : nullptr;
}

TMorvaneFeeTransaction* TfmeFeeTransaction::SelectedCharge() const {
    for (TTovObject* object : Grid()->SelectedObjects())
        if (auto* charge = dynamic_cast<TMorvaneFeeTransaction*>(object))
            return charge;
    return nullptr;
}

void TfmeFeeTransaction::RecalculateLoan() {
    if (TMorvaneMortgage* loan = ChosenLoan())
        LoanChanged(*loan);
}

TfmCustomDetailFormClass TfmeFeeTransaction::GetDetailFormClass() {
    return DetailFormClass<TfmFeeTransactionAddEdit>();
}

TTovObjectItem* TfmeFeeTransaction::GetDetailParent() {
    return ChosenLoan();
}

void TfmeFeeTransaction::RefreshGrid() {
    TMorvaneMortgage* loan = ChosenLoan();
    Grid()->SetObjectList(loan != nullptr ? loan->FeeTransactions.get() : nullptr);
    TfmeCustomHeaderFrame::RefreshGrid();
    HeaderButtonPanel()->setEnabled(!cmbLoanNumber_->Text().isEmpty());
}

template <class Click> void TfmeFeeTransaction::ThenRecalculate(Click&& click) {
    recalculated_ = false;
    click();
    if (!recalculated_)
        RecalculateLoan();
}

void TfmeFeeTransaction::AddClick() {
    ThenRecalculate([this] { TfmeCustomHeaderFrame::AddClick(); });
}

void TfmeFeeTransaction::EditClick() {
    ThenRecalculate([this] { TfmeCustomHeaderFrame::EditClick(); });
}

void TfmeFeeTransaction::DeleteClick() {
    ThenRecalculate([this] { TfmeCustomHeaderFrame::DeleteClick(); });
}

void TfmeFeeTransaction::GridClick() {
    TfmeCustomHeaderFrame::GridClick();
    if (fmeCustomHeaderFrame1_ == nullptr)
        return; // the grid clicks while the frame is still being built
    TMorvaneFeeTransaction* charge = SelectedCharge();
    fmeCustomHeaderFrame1_->Grid()->SetObjectList(charge != nullptr ? charge->FeePayments.get()
                                                                    : nullptr);
    fmeCustomHeaderFrame1_->RefreshGrid();
}

void TfmeFeeTransaction::MortgagesChanged() {
    {
        const QSignalBlocker quiet(cmbLoanNumber_);
        FillMortgagePickList(*cmbLoanNumber_);
    }
    RefreshGrid();
}

bool TfmeFeeTransaction::eventFilter(QObject* watched, QEvent* event) {
    // A click on the free part of the button panel rebuilds the loan, as before a notice.
    if (watched == HeaderButtonAlignment() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        GuardEvent([this] { RecalculateLoan(); });
    return TfmeCustomHeaderFrame::eventFilter(watched, event);
}

void TfmeFeeTransaction::OfferNotice(TModifyMode mode, TTovObjectItem* record,
                                     const TfmCustomDetailForm& dialog) {
    // Only a charge saved (added or changed) is worth a notice; a cancelled edit is not.
    if ((mode == mmAdd || mode == mmEdit) && dialog.result() == mrOk) {
        TMorvaneMortgage* loan = ChosenLoan();
        const auto* charge = dynamic_cast<const TMorvaneFeeTransaction*>(record);
        if (loan != nullptr) {
            LoanChanged(*loan); // the notice reads the rebuilt ledger
            recalculated_ = true;
            if (charge != nullptr)
                OfferFeeChargeNotice("Would you like to print a fee notice for this fee charge?",
                                     *loan, charge->FeeNumber);
        }
    }
    RefreshGrid();
}

} // namespace duebell
