#include "reports/payoutnotice.h"

#include "app/dialogs/breakcostaddedit.h"
#include "app/framework/headerframe.h"
#include "app/framework/objectlistgrid.h"
#include "controls/datepicker.h"
#include "controls/gridbox.h"
#include "controls/numedit.h"
#include "controls/uihooks.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "reports/payoutnoticebody.h"
#include "reports/printedform.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

namespace duebell {

namespace {

const char* const DrawDownMessage =
    "Effective Date of the payout notice must be after the draw down date of the loan.";
const char* const FarAheadMessage =
    "A loan payout figure cannot be calculated this far in advance of the current date.";

// The break costs live only in this dialog: adding, editing or deleting one leaves the loan
// book as modified as it was, and the payout's sums follow every change.
class TfmePayoutBreakCosts : public TfmeCustomHeaderFrame {
public:
    using TfmeCustomHeaderFrame::TfmeCustomHeaderFrame;

    std::function<void()> OnListChanged;
    // Whether a loan is chosen: break costs are added to one loan's payout only.
    std::function<bool()> HasLoan;

    // A click on the list enables Add again; without a loan it stays off.
    void GridClick() override {
        TfmeCustomHeaderFrame::GridClick();
        if (HasLoan && !HasLoan())
            AddButton()->setEnabled(false);
    }
    void AddClick() override {
        KeepingTheBook([this] { TfmeCustomHeaderFrame::AddClick(); });
    }
    void EditClick() override {
        KeepingTheBook([this] { TfmeCustomHeaderFrame::EditClick(); });
    }
    void DeleteClick() override {
        KeepingTheBook([this] { TfmeCustomHeaderFrame::DeleteClick(); });
    }

private:
    template <class F> void KeepingTheBook(F&& modify) {
        const bool modified = DataModified();
        struct Restore {
            TfmePayoutBreakCosts& frame;
            bool modified;
            ~Restore() {
                SetDataModified(modified);
                if (frame.OnListChanged)
                    frame.OnListChanged();
            }
        } restore{*this, modified};
        modify();
    }
};

// Closing the effective date's calendar, once the picked date has been taken.
class CalendarCloseWatch : public QObject {
public:
    CalendarCloseWatch(QObject* parent, std::function<void()> closed)
        : QObject(parent), closed_(std::move(closed)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            QTimer::singleShot(0, this, [this] { GuardEvent(closed_); });
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> closed_;
};

TCurrencyEdit* AmountField(QWidget* parent, const char* name) {
    auto* edit = new TCurrencyEdit(parent);
    edit->setObjectName(name);
    edit->SetReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QPushButton* MoveButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// A group of a fee grid and the button that moves its chosen fee to the other grid.
QGroupBox* FeeGroup(QWidget* parent, const char* title, TTovObjectListGrid* grid,
                    QPushButton* button) {
    auto* group = new QGroupBox(title, parent);
    grid->setParent(group);
    button->setParent(group);
    auto* row = new QHBoxLayout(group);
    row->addWidget(grid, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(button);
    side->addStretch(1);
    row->addLayout(side);
    return group;
}

TTovObjectListGrid* FeeGrid(const char* name, const char* amountCaption, int nameWidth) {
    auto* grid = new TTovObjectListGrid;
    grid->setObjectName(name);
    grid->AddColumn("Fee Name", "FeeDescription", nameWidth);
    grid->AddColumn(amountCaption, "Amount", 120);
    grid->setMinimumHeight(64); // a header and three rows
    return grid;
}

TPayoutOutstandingFee* ChosenFee(const TTovObjectListGrid& grid) {
    for (TTovObject* object : grid.SelectedObjects())
        if (auto* fee = dynamic_cast<TPayoutOutstandingFee*>(object))
            return fee;
    return nullptr;
}

} // namespace

TfmReportPayoutNotice::TfmReportPayoutNotice(QWidget* parent)
    : TfmCustomReport(parent), edtEffectiveDate(new TDatePicker(grpParameters)),
      stgOutstandingFees(FeeGrid("stgOutstandingFees", "Outstanding Amount", 467)),
      btnOutstandingFees(MoveButton(this, "btnOutstandingFees", "Allocate \u25BC")),
      stgAllocatedFees(FeeGrid("stgAllocatedFees", "Amount", 468)),
      btnAllocatedFees(MoveButton(this, "btnAllocatedFees", "Return \u25B2")) {
    setObjectName("fmReportPayoutNotice");
    edtEffectiveDate->setObjectName("edtEffectiveDate");
    auto* parameters = static_cast<QGridLayout*>(grpParameters->layout());
    auto* dateLabel = new QLabel("Effective Date", grpParameters);
    dateLabel->setBuddy(edtEffectiveDate); // names the field in its messages
    parameters->addWidget(dateLabel, 3, 0);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(edtEffectiveDate);
    dateRow->addStretch(1);
    parameters->addLayout(dateRow, 3, 1);

    auto* summary = new QGroupBox(" Payout Notice Summary ", this);
    summary->setObjectName("grpPayoutSummary");
    edtLoanBalance = AmountField(summary, "edtLoanBalance");
    edtFeesPenalties = AmountField(summary, "edtFeesPenalties");
    edtBreakCosts = AmountField(summary, "edtBreakCosts");
    edtPayoutFigure = AmountField(summary, "edtPayoutFigure");
    auto* amounts = new QGridLayout(summary);
    amounts->addWidget(new QLabel("Loan Balance", summary), 0, 0);
    amounts->addWidget(edtLoanBalance, 0, 1);
    amounts->addWidget(new QLabel("Full Fees + Instalment Fees", summary), 0, 2);
    amounts->addWidget(edtFeesPenalties, 0, 3);
    amounts->addWidget(new QLabel("Break Costs", summary), 1, 0);
    amounts->addWidget(edtBreakCosts, 1, 1);
    amounts->addWidget(new QLabel("Payout Figure", summary), 1, 2);
    amounts->addWidget(edtPayoutFigure, 1, 3);

    QGroupBox* outstanding =
        FeeGroup(this, " Outstanding Instalment Fees ", stgOutstandingFees, btnOutstandingFees);
    outstanding->setObjectName("grpOutstandingFees");
    // "&&" is one ampersand on screen.
    QGroupBox* allocated =
        FeeGroup(this, " Instalment Fees (&& Full Fee balance) allocated to Payout ",
                 stgAllocatedFees, btnAllocatedFees);
    allocated->setObjectName("grpAllocatedFees");

    auto* breakCosts = new TfmePayoutBreakCosts(this);
    fmeCustomHeaderFrame1 = breakCosts;
    breakCosts->setObjectName("fmeCustomHeaderFrame1");
    breakCosts->HeaderBox()->setTitle(" Break Costs ");
    breakCosts->Grid()->AddColumn("Description", "Description", 467);
    breakCosts->Grid()->AddColumn("Amount", "Amount", 120);
    breakCosts->Grid()->setMinimumHeight(64); // a header and three rows
    breakCosts->OnListChanged = [this] { BreakCostsChanged(); };
    breakCosts->HasLoan = [this] { return cmbLoanNumber->ItemIndex() >= 0; };

    auto* column = static_cast<QVBoxLayout*>(layout());
    int at = column->indexOf(grpParameters) + 1;
    for (QWidget* part : {static_cast<QWidget*>(summary), static_cast<QWidget*>(outstanding),
                          static_cast<QWidget*>(allocated), static_cast<QWidget*>(breakCosts)})
        column->insertWidget(at++, part);

    stgOutstandingFees->SetObjectList(&figures_.OutstandingFees());
    stgAllocatedFees->SetObjectList(&figures_.AllocatedFees());
    breakCosts->Grid()->SetObjectList(&figures_.BreakCosts());
    stgAllocatedFees->OnClick = [this] { stgAllocatedFeesClick(); };
    connect(btnOutstandingFees, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnOutstandingFeesClick(); }); });
    connect(btnAllocatedFees, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnAllocatedFeesClick(); }); });
    // A date is taken when its calendar closes or its typing ends.
    edtEffectiveDate->calendarWidget()->window()->installEventFilter(
        new CalendarCloseWatch(this, [this] { edtEffectiveDateCloseUp(); }));
    connect(edtEffectiveDate, &QDateEdit::editingFinished, this,
            [this] { GuardEvent([this] { edtEffectiveDateCloseUp(); }); });

    edtEffectiveDate->SetDate(Date());
    // Fits a 1366x768 screen with a title bar and a task bar, its buttons in sight.
    resize(790, 640);
}

TfmReportPayoutNotice::~TfmReportPayoutNotice() {
    // The grids let go of the lists before the figures free them.
    stgOutstandingFees->SetObjectList(nullptr);
    stgAllocatedFees->SetObjectList(nullptr);
    fmeCustomHeaderFrame1->Grid()->SetObjectList(nullptr);
}

std::string TfmReportPayoutNotice::ReportTitle() const {
    return "Notice of Payout";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmReportPayoutNotice::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmReportPayoutNotice::DrawBody(TfmCustomPrintedReport& form) {
    DrawPayoutNoticeBody(form, figures_);
}

bool TfmReportPayoutNotice::ValidateParameters() {
    if (!TfmCustomReport::ValidateParameters())
        return false;
    const TMorvaneMortgage* loan = Mortgage();
    if (loan == nullptr)
        return true;
    const double date = edtEffectiveDate->Date();
    if (date <= loan->Contract->PossessionDate.value) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok, DrawDownMessage);
        return false;
    }
    // A date typed but not yet taken is taken now, so the figures printed are its own; one
    // that has none was refused there and replaced by today, which the user has yet to see.
    if (date != figures_.EffectiveDate()) {
        Recalculate(false);
        if (figures_.EffectiveDate() != date)
            return false;
    }
    if (!figures_.Calculated()) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok, FarAheadMessage);
        return false;
    }
    return true;
}

void TfmReportPayoutNotice::cmbLoanNumberChange() {
    TfmCustomReport::cmbLoanNumberChange();
    Recalculate(true);
}

void TfmReportPayoutNotice::edtEffectiveDateCloseUp() {
    if (cmbLoanNumber->ItemIndex() >= 0 && edtEffectiveDate->Date() != figures_.EffectiveDate())
        Recalculate(false);
}

void TfmReportPayoutNotice::Recalculate(bool newLoan) {
    if (cmbLoanNumber->ItemIndex() < 0) {
        figures_.Clear(true);
        ShowFigures();
        fmeCustomHeaderFrame1->AddButton()->setEnabled(false);
        return;
    }
    fmeCustomHeaderFrame1->OnGetDetailFormClass = DetailFormClass<TfmPayoutBreakCostsAddEdit>();
    const TMorvaneData* data = Data();
    const TMorvaneMortgage* loan =
        data != nullptr ? data->FindMortgage(cmbLoanNumber->Text().toStdString()) : nullptr;
    if (loan == nullptr) {
        figures_.Clear(newLoan);
        ShowFigures();
        throw InternalError("Could not find mortgage record");
    }

    const double date = edtEffectiveDate->Date();
    if (figures_.Recalculate(*loan, date, newLoan)) {
        ShowFigures();
        return;
    }
    // No figures for that day: today's at once, so no figure of another day stays shown.
    const double today = std::floor(Date());
    edtEffectiveDate->SetDate(today);
    if (today != date)
        figures_.Recalculate(*loan, today, false);
    ShowFigures();
    CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                          date < loan->Contract->PossessionDate.value ? DrawDownMessage
                                                                      : FarAheadMessage);
}

void TfmReportPayoutNotice::ShowFigures() {
    fmeCustomHeaderFrame1->RefreshGrid();
    stgOutstandingFees->RefreshGrid();
    stgAllocatedFees->RefreshGrid();
    btnOutstandingFees->setEnabled(figures_.OutstandingFees().Count() > 0);
    stgAllocatedFeesClick();
    const std::pair<TCurrencyEdit*, Currency> fields[] = {
        {edtLoanBalance, figures_.LoanBalance()},
        {edtFeesPenalties, figures_.FeesPenalties()},
        {edtBreakCosts, figures_.BreakCostTotal()},
        {edtPayoutFigure, figures_.PayoutFigure()}};
    for (const auto& [field, amount] : fields)
        field->SetValue(figures_.Calculated() ? amount.toDouble() : 0.0);
}

void TfmReportPayoutNotice::stgAllocatedFeesClick() {
    const TPayoutOutstandingFee* fee = ChosenFee(*stgAllocatedFees);
    btnAllocatedFees->setEnabled(fee != nullptr && fee->InternalFee != -1);
}

void TfmReportPayoutNotice::btnOutstandingFeesClick() {
    if (TPayoutOutstandingFee* fee = ChosenFee(*stgOutstandingFees)) {
        figures_.Allocate(*fee);
        ShowFigures();
    }
}

void TfmReportPayoutNotice::btnAllocatedFeesClick() {
    if (TPayoutOutstandingFee* fee = ChosenFee(*stgAllocatedFees)) {
        figures_.Unallocate(*fee);
        ShowFigures();
    }
}

void TfmReportPayoutNotice::BreakCostsChanged() {
    figures_.SumBreakCosts();
    ShowFigures();
}

} // namespace duebell
