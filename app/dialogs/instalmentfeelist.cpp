#include "app/dialogs/instalmentfeelist.h"

#include "app/dialogs/arrearsadminrow.h"
#include "app/dialogs/instalmentfeedialog.h"
#include "app/dialogs/instalmentfeerules.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/dialogs/noticeoffers.h"
#include "app/framework/headerframe.h"
#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/picklists.h"
#include "controls/exspeedbutton.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <initializer_list>

namespace duebell {

// The dialog's list of fees: its Edit/View button views without the compliance question, its
// Delete never reaches the arrears administration row, and every click on it follows the
// dialog's button rules.
class TfmeInstalmentFeeList : public TfmeCustomHeaderFrame {
public:
    explicit TfmeInstalmentFeeList(TfmFeesInstallmentConfig& dialog, QWidget* parent)
        : TfmeCustomHeaderFrame(parent), dialog_(dialog) {
        setObjectName("fmeCustomHeaderFrame1");
        HeaderBox()->setTitle(" Instalment Fee Overview ");
        Grid()->AddColumn("Description", "FeeDescription", 160);
        Grid()->AddColumn("PMT Amount", "PaymentAmount", 70);
        Grid()->AddColumn("First Payment", "FirstPaymentDate", 80);
        Grid()->AddColumn("Last Payment", "LastPaymentDate", 80);
        Grid()->AddColumn("Number of PMTs", "NumberOfPayments", 85);
        Grid()->AddColumn("PMTs Remaining", "PaymentsRemaining", 95);
        EditButton()->setText("&View");
        // The columns fit this width beside a scroll bar, and widen with the dialog.
        DesignedAt(610, 250);
    }

    void EditClick() override { dialog_.ViewClick(); }

    void DeleteClick() override {
        TTovObjectList* fees = Grid()->ObjectList();
        const std::vector<TTovObject*>& selected = Grid()->SelectedObjects();
        if (fees == nullptr || selected.empty() || dialog_.IsFixedRow(selected.front()))
            return;
        const int before = fees->Count();
        TfmeCustomHeaderFrame::DeleteClick();
        if (Grid()->ObjectList() == fees && fees->Count() != before)
            dialog_.AfterChange();
    }

    void GridClick() override {
        TfmeCustomHeaderFrame::GridClick();
        dialog_.GridClickRule();
    }

private:
    TfmFeesInstallmentConfig& dialog_;
};

namespace {

// An arrow for a priority button, black on a fuchsia ground (the glyph's transparent colour).
QImage ArrowGlyph(bool up) {
    QImage glyph(11, 11, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));
    QPainter painter(&glyph);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPolygon arrow = up ? QPolygon({QPoint(5, 2), QPoint(10, 8), QPoint(0, 8)})
                              : QPolygon({QPoint(0, 2), QPoint(10, 2), QPoint(5, 8)});
    painter.drawPolygon(arrow);
    return glyph;
}

TExSpeedButton* MakePriorityButton(QWidget* parent, const char* name, bool up) {
    auto* button = new TExSpeedButton(parent);
    button->setObjectName(name);
    button->setFixedSize(25, 25);
    button->SetGlyph(ArrowGlyph(up));
    button->setToolTip(up ? "Collect this fee earlier" : "Collect this fee later");
    return button;
}

TTovObjectItem* SelectedRecord(const TfmeCustomHeaderFrame& frame) {
    for (TTovObject* object : frame.Grid()->SelectedObjects())
        if (auto* record = dynamic_cast<TTovObjectItem*>(object))
            return record;
    return nullptr;
}

// The record after the first of a list; nothing when there is none.
TTovObjectItem* SecondRecord(const TTovObjectList& list) {
    auto it = list.begin();
    if (it == list.end() || ++it == list.end())
        return nullptr;
    return *it;
}

// The neighbour of a record in list order: the one before it or after it.
TTovObjectItem* Neighbour(const TTovObjectList& list, const TTovObjectItem* record, bool before) {
    TTovObjectItem* previous = nullptr;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (*it == record) {
            if (before)
                return previous;
            ++it;
            return it == list.end() ? nullptr : *it;
        }
        previous = *it;
    }
    return nullptr;
}

} // namespace

TfmFeesInstallmentConfig::TfmFeesInstallmentConfig()
    : TfmCustomDetailForm("fmFeesInstallmentConfig", "Instalment Fee Configuration") {
    auto* lblLoanNumber = new QLabel("Loan", Body());
    lblLoanNumber->setObjectName("lblLoanNumber");
    cmbLoanNumber_ = new TGridBox(Body());
    cmbLoanNumber_->setObjectName("cmbLoanNumber");
    cmbLoanNumber_->SetStyle(gsDropDownList);
    cmbLoanNumber_->setFixedWidth(110);
    lblLoanNumber->setBuddy(cmbLoanNumber_);
    // A loan found by search is chosen in the pick list, whose change shows its fees.
    auto* search = new TMorvaneMortgageSearchButton(Body());
    search->setObjectName("MorvaneMortgageSearchButton1");
    search->LinkedGridBox = cmbLoanNumber_;
    auto* loanRow = new QHBoxLayout;
    loanRow->addWidget(lblLoanNumber);
    loanRow->addWidget(cmbLoanNumber_);
    loanRow->addWidget(search);
    loanRow->addStretch(1);

    fmeCustomHeaderFrame1_ = new TfmeInstalmentFeeList(*this, Body());
    TTovObjectListGrid& grid = *fmeCustomHeaderFrame1_->Grid();
    // Stop sits beside View, between it and Delete.
    btnStop_ = new QPushButton("&Stop", fmeCustomHeaderFrame1_->HeaderButtonAlignment());
    btnStop_->setObjectName("btnStop");
    btnStop_->setFixedSize(75, 25);
    auto* buttonRow =
        static_cast<QHBoxLayout*>(fmeCustomHeaderFrame1_->HeaderButtonAlignment()->layout());
    buttonRow->insertWidget(buttonRow->indexOf(fmeCustomHeaderFrame1_->EditButton()) + 1, btnStop_);

    btnPriorityUp_ = MakePriorityButton(Body(), "btnPriorityUp", true);
    btnPriorityDown_ = MakePriorityButton(Body(), "btnPriorityDown", false);
    auto* priorityColumn = new QVBoxLayout;
    priorityColumn->addSpacing(24);
    priorityColumn->addWidget(btnPriorityUp_);
    priorityColumn->addWidget(btnPriorityDown_);
    priorityColumn->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(fmeCustomHeaderFrame1_, 1);
    listRow->addLayout(priorityColumn);

    auto* body = new QVBoxLayout(Body());
    body->addLayout(loanRow);
    body->addLayout(listRow, 1);
    resize(740, 360);

    fmeCustomHeaderFrame1_->OnGetDetailFormClass = DetailFormClass<TfmFeesInstallmentAddEdit>();
    fmeCustomHeaderFrame1_->OnGetDetailParent = [this]() -> TTovObjectItem* { return loan_; };
    fmeCustomHeaderFrame1_->OnAfterModify = [this](TfmeCustomHeaderFrame&, TModifyMode,
                                                   TTovObjectItem*, TfmCustomDetailForm& dialog) {
        AfterChange();
        const auto* feeDialog = dynamic_cast<const TfmFeesInstallmentAddEdit*>(&dialog);
        if (loan_ != nullptr && dialog.result() == mrOk && feeDialog != nullptr &&
            feeDialog->PrintPaymentChangeNotice())
            OpenPaymentChangeNotice(*loan_);
    };
    grid.OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                             TGridDrawState) {
        // The arrears administration row shows its description only.
        const TTovObjectListGrid& shown = *fmeCustomHeaderFrame1_->Grid();
        if (col >= 1 && row == shown.FixedRows() && !shown.RowObjects(row).empty() &&
            IsFixedRow(shown.RowObjects(row).front()))
            canvas.fillRect(rect, canvas.brush());
    };
    cmbLoanNumber_->OnChange = [this] { LoanChange(); };
    connect(btnStop_, &QPushButton::clicked, this, [this] { GuardEvent([this] { StopClick(); }); });
    btnPriorityUp_->OnClick = [this] { GuardEvent([this] { PriorityClick(true); }); };
    btnPriorityDown_->OnClick = [this] { GuardEvent([this] { PriorityClick(false); }); };
    // The row leaves the loan as soon as the dialog ends, not only when it is freed.
    connect(this, &QDialog::finished, this, [this] { RemoveFixedRow(); });

    {
        const QSignalBlocker quiet(cmbLoanNumber_);
        FillMortgagePickList(*cmbLoanNumber_);
    }
    LoanChange();
}

TfmFeesInstallmentConfig::~TfmFeesInstallmentConfig() {
    RemoveFixedRow();
}

TfmeCustomHeaderFrame* TfmFeesInstallmentConfig::FeeFrame() const {
    return fmeCustomHeaderFrame1_;
}

void TfmFeesInstallmentConfig::ChooseLoan(const std::string& loanNumber) {
    {
        const QSignalBlocker quiet(cmbLoanNumber_);
        cmbLoanNumber_->SetItemIndex(cmbLoanNumber_->FindRow(loanNumber));
    }
    LoanChange();
}

void TfmFeesInstallmentConfig::InitForItem(TModifyMode, TTovObjectItem&) {
    GridClickRule();
}

void TfmFeesInstallmentConfig::RemoveFixedRow() {
    fixedRow_.reset();
}

bool TfmFeesInstallmentConfig::IsFixedRow(const TTovObject* record) const {
    return fixedRow_ != nullptr && fixedRow_->Is(record);
}

void TfmFeesInstallmentConfig::LoanChange() {
    RemoveFixedRow();
    TMorvaneData* book = Data();
    loan_ = book != nullptr ? book->FindMortgage(cmbLoanNumber_->Text().toStdString()) : nullptr;
    TTovObjectListGrid& grid = *fmeCustomHeaderFrame1_->Grid();
    if (loan_ != nullptr) {
        grid.SetObjectList(loan_->InstallmentFees.get());
        fixedRow_ = std::make_unique<TArrearsAdministrationRow>(*loan_);
    } else {
        grid.SetObjectList(nullptr);
    }
    for (QWidget* button : std::initializer_list<QWidget*>{
             fmeCustomHeaderFrame1_->AddButton(), fmeCustomHeaderFrame1_->EditButton(), btnStop_,
             fmeCustomHeaderFrame1_->DeleteButton()})
        button->setEnabled(loan_ != nullptr);
    fmeCustomHeaderFrame1_->RefreshGrid();
}

void TfmFeesInstallmentConfig::GridClickRule() {
    if (btnPriorityDown_ == nullptr)
        return; // the frame's grid clicks while the dialog is still being built
    const TTovObjectList* fees = loan_ != nullptr ? loan_->InstallmentFees.get() : nullptr;
    const TTovObjectItem* selected = SelectedRecord(*fmeCustomHeaderFrame1_);
    const TTovObjectItem* first = fees != nullptr ? fees->PeekFirst() : nullptr;
    const TTovObjectItem* second = fees != nullptr ? SecondRecord(*fees) : nullptr;
    const TTovObjectItem* last = fees != nullptr ? fees->PeekLast() : nullptr;
    const bool fixed = IsFixedRow(selected);
    btnPriorityUp_->setEnabled(selected != nullptr && selected != first && selected != second);
    btnPriorityDown_->setEnabled(selected != nullptr && selected != first && selected != last);
    QPushButton* view = fmeCustomHeaderFrame1_->EditButton();
    view->setEnabled(view->isEnabled() && selected != first && !fixed);
    QPushButton* remove = fmeCustomHeaderFrame1_->DeleteButton();
    remove->setEnabled(remove->isEnabled() && !fixed);
    btnStop_->setEnabled(view->isEnabled());
}

void TfmFeesInstallmentConfig::ViewClick() {
    if (IsFixedRow(SelectedRecord(*fmeCustomHeaderFrame1_)))
        return;
    fmeCustomHeaderFrame1_->DoModify(mmView);
}

void TfmFeesInstallmentConfig::StopClick() {
    if (IsFixedRow(SelectedRecord(*fmeCustomHeaderFrame1_)))
        return;
    fmeCustomHeaderFrame1_->DoModify(mmEdit);
}

void TfmFeesInstallmentConfig::PriorityClick(bool up) {
    if (loan_ == nullptr)
        return;
    auto* selected = dynamic_cast<TMorvaneInstallmentFee*>(SelectedRecord(*fmeCustomHeaderFrame1_));
    if (selected == nullptr || IsFixedRow(selected))
        return;
    auto* neighbour =
        dynamic_cast<TMorvaneInstallmentFee*>(Neighbour(*loan_->InstallmentFees, selected, up));
    if (neighbour == nullptr || IsFixedRow(neighbour))
        return; // nothing comes before the arrears administration fee
    SwapInstalmentFeePriorities(*loan_, *selected, *neighbour);
    AfterChange();
    TTovObjectListGrid& grid = *fmeCustomHeaderFrame1_->Grid();
    if (const int row = grid.FindRow(selected); row >= 0)
        grid.SelectRow(row);
}

void TfmFeesInstallmentConfig::AfterChange() {
    if (loan_ == nullptr)
        return;
    // The grid shows what the new ledger counts, also when the rebuild fails.
    try {
        LoanChanged(*loan_);
    } catch (...) {
        fmeCustomHeaderFrame1_->RefreshGrid();
        throw;
    }
    fmeCustomHeaderFrame1_->RefreshGrid();
}

} // namespace duebell
