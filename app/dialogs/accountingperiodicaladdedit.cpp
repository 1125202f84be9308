#include "app/dialogs/accountingperiodicaladdedit.h"

#include "app/dialogs/accountingmortgageaddedit.h"
#include "app/framework/controlbinder.h"
#include "app/framework/headerframe.h"
#include "app/framework/objectlistgrid.h"
#include "controls/gridbox.h"
#include "domain/accountingreports.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <string>

namespace duebell {

namespace {

constexpr int YearsListedAhead = 5;

QLineEdit* MakeDateEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFixedWidth(100);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(buddy);
    return label;
}

bool ReportExists(int number) {
    const TTovObjectList& reports = *Configuration()->AccountingPeriodicalReports;
    return std::any_of(reports.begin(), reports.end(), [number](const TTovObjectItem* item) {
        return static_cast<const TMorvanePeriodicAccountingReport*>(item)->AccountingReportNo ==
               number;
    });
}

// The number of the last report (the highest: the list is kept by number); 0 for none.
int LastReportNumber() {
    const TTovObjectItem* last = Configuration()->AccountingPeriodicalReports->PeekLast();
    return last != nullptr
               ? static_cast<const TMorvanePeriodicAccountingReport*>(last)->AccountingReportNo
               : 0;
}

} // namespace

TfmReportAccountingPeriodicalAddEdit::TfmReportAccountingPeriodicalAddEdit()
    : TfmCustomDetailForm("fmReportAccountingPeriodicalAddEdit",
                          "Add/Edit Accounting Report Periodical") {
    QWidget* body = Body();
    cmbReportNo_ = new TGridBox(body);
    cmbReportNo_->setObjectName("cmbReportNo");
    cmbReportNo_->SetStyle(gsDropDownList);
    cmbReportNo_->SetSelectType(stRow);
    cmbReportNo_->SetDropDownCols(2);
    cmbReportNo_->SetDefaultRowHeight(16);
    cmbReportNo_->SetColWidth(0, 80);
    cmbReportNo_->SetColWidth(1, 200);
    cmbReportNo_->setFixedWidth(100);
    edtFromDate_ = MakeDateEdit(body, "edtFromDate");
    edtToDate_ = MakeDateEdit(body, "edtToDate");

    fmeMortgages_ = new TfmeCustomHeaderFrame(body);
    fmeMortgages_->setObjectName("fmeCustomHeaderFrame1");
    fmeMortgages_->HeaderBox()->setTitle(" Mortgages ");
    fmeMortgages_->Grid()->AddColumn("Mortgage", "LoanNumber", 80);
    fmeMortgages_->Grid()->AddColumn("Client Name", "ClientName", 180);
    fmeMortgages_->Grid()->AddColumn("Property Address", "PropertyAddress", 245);
    fmeMortgages_->AddButton()->hide();
    fmeMortgages_->DeleteButton()->hide();
    fmeMortgages_->setMinimumSize(540, 260);

    auto* layout = new QGridLayout(body);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setHorizontalSpacing(8);
    layout->addWidget(MakeLabel(body, "Report No.", cmbReportNo_), 0, 0);
    layout->addWidget(cmbReportNo_, 1, 0);
    layout->addWidget(MakeLabel(body, "From", edtFromDate_), 0, 1);
    layout->addWidget(edtFromDate_, 1, 1);
    layout->addWidget(MakeLabel(body, "To", edtToDate_), 0, 2);
    layout->addWidget(edtToDate_, 1, 2);
    layout->setColumnStretch(3, 1);
    layout->addWidget(fmeMortgages_, 2, 0, 1, 4);
    layout->setRowStretch(2, 1);

    Binder().AddRows({{cmbReportNo_, "Text", "AccountingReportNo"},
                      {edtFromDate_, "Text", "StartDate"},
                      {edtToDate_, "Text", "EndDate"}});
    cmbReportNo_->OnChange = [this] { ReportNoChange(); };

    FillReportList();
}

TfmReportAccountingPeriodicalAddEdit::~TfmReportAccountingPeriodicalAddEdit() = default;

void TfmReportAccountingPeriodicalAddEdit::FillReportList() {
    periods_.emplace(*Configuration()->SystemConfiguration);
    const QSignalBlocker fillLock(cmbReportNo_);
    cmbReportNo_->Items().Clear();
    for (const AccountingPeriod& period :
         periods_->EndingBy(IncMonth(Date(), 12 * YearsListedAhead)))
        AddPeriodRow(period);
}

void TfmReportAccountingPeriodicalAddEdit::AddPeriodRow(const AccountingPeriod& period) {
    GridBoxItems& items = cmbReportNo_->Items();
    const int row = items.Add(std::to_string(period.number));
    items.SetCell(row, 1, PeriodText(period));
}

void TfmReportAccountingPeriodicalAddEdit::ListPeriodsUpTo(int number) {
    const std::vector<AccountingPeriod> periods = periods_->First(number);
    for (std::size_t n = static_cast<std::size_t>(cmbReportNo_->Items().Count());
         n < periods.size(); ++n)
        AddPeriodRow(periods[n]);
}

TMorvanePeriodicAccountingReport* TfmReportAccountingPeriodicalAddEdit::Report() const {
    return static_cast<TMorvanePeriodicAccountingReport*>(Item());
}

void TfmReportAccountingPeriodicalAddEdit::InitForItem(TModifyMode mode, TTovObjectItem& item) {
    auto& report = static_cast<TMorvanePeriodicAccountingReport&>(item);
    fmeMortgages_->OnGetDetailFormClass = DetailFormClass<TfmReportAccountingMortgageAddEdit>();
    {
        const QSignalBlocker quiet(cmbReportNo_);
        if (mode != mmAdd) {
            cmbReportNo_->setEnabled(false);
            if (report.AccountingReportNo >= 1) {
                ListPeriodsUpTo(report.AccountingReportNo);
                cmbReportNo_->SetItemIndex(report.AccountingReportNo - 1);
            }
            fmeMortgages_->Grid()->SetObjectList(report.Mortgages.get());
            fmeMortgages_->RefreshGrid();
        } else {
            // The row of the number after the last report.
            const int next = LastReportNumber();
            if (next < cmbReportNo_->Items().Count())
                cmbReportNo_->SetItemIndex(next);
        }
    }
    ReportNoChange();
}

void TfmReportAccountingPeriodicalAddEdit::ReportNoChange() {
    TMorvanePeriodicAccountingReport* report = Report();
    if (report == nullptr)
        return;
    const int index = cmbReportNo_->ItemIndex();
    if (index < 0) {
        // No period to report on (none lies within the list yet).
        SaveButton()->setEnabled(false);
        ShowPeriod(nullptr);
        if (Mode() == mmAdd)
            report->Mortgages->FreeAll();
        fmeMortgages_->Grid()->SetObjectList(report->Mortgages.get());
        fmeMortgages_->RefreshGrid();
        return;
    }
    const int number = index + 1;
    if (Mode() == mmAdd && ReportExists(number)) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok, DuplicatePeriodicReportMessage);
        SaveButton()->setEnabled(false);
        return;
    }
    SaveButton()->setEnabled(true);
    const AccountingPeriod period = periods_->Period(number);
    ShowPeriod(&period);
    if (Mode() == mmAdd)
        ListLoansOf(*report, period);
    fmeMortgages_->Grid()->SetObjectList(report->Mortgages.get());
    fmeMortgages_->RefreshGrid();
}

void TfmReportAccountingPeriodicalAddEdit::ShowPeriod(const AccountingPeriod* period) {
    edtFromDate_->setText(period != nullptr ? QString::fromStdString(DateToStr(period->start))
                                            : QString());
    edtToDate_->setText(period != nullptr ? QString::fromStdString(DateToStr(period->end))
                                          : QString());
}

void TfmReportAccountingPeriodicalAddEdit::ListLoansOf(TMorvanePeriodicAccountingReport& report,
                                                       const AccountingPeriod& period) {
    report.Mortgages->FreeAll();
    for (TTovObjectItem* item : *Data()->Mortgages) {
        const auto& loan = *static_cast<const TMorvaneMortgage*>(item);
        if (!LoanRunsDuring(loan, period))
            continue;
        auto entry = MakeItem<TMorvanePeriodicAccountingMortgage>(&report);
        entry->LoanNumber = loan.LoanNumber;
        report.Mortgages->Add(std::move(entry));
    }
}

} // namespace duebell
