#include "reports/statementreport.h"

#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "controls/gridbox.h"
#include "domain/computedrecords.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "reports/printedform.h"
#include "reports/statementbody.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace duebell {

TfmReportStatement::TfmReportStatement(QWidget* parent)
    : TfmCustomReport(parent), cmbStatementNo(new TGridBox(grpParameters)),
      grpStatementDetail(new QGroupBox("Statement Detail", this)),
      stgHeaderGrid(new TTovObjectListGrid(grpStatementDetail)) {
    setObjectName("fmReportStatement");
    cmbStatementNo->setObjectName("cmbStatementNo");
    cmbStatementNo->SetStyle(gsDropDownList);
    cmbStatementNo->SetSelectType(stRow);
    cmbStatementNo->SetDropDownCols(2);
    cmbStatementNo->SetDefaultRowHeight(16);
    auto* parameters = static_cast<QGridLayout*>(grpParameters->layout());
    parameters->addWidget(new QLabel("Statement No.", grpParameters), 3, 0);
    parameters->addWidget(cmbStatementNo, 3, 1);

    grpStatementDetail->setObjectName("grpStatementDetail");
    stgHeaderGrid->setObjectName("stgHeaderGrid");
    stgHeaderGrid->SetDefaultRowHeight(16);
    stgHeaderGrid->AddColumn("Transaction Date", "TransactionDate", 100);
    stgHeaderGrid->AddColumn("Transaction", "PaymentType", 366);
    stgHeaderGrid->AddColumn("Transaction Amount", "TransactionAmount", 100);
    stgHeaderGrid->AddColumn("Balance", "Balance", 120);
    stgHeaderGrid->AddColumn("", "ShadowBalance", 0);
    stgHeaderGrid->SetSubLists("LocalTransactions");
    // A row is a movement; its day decides whether it belongs to the chosen period.
    stgHeaderGrid->OnFilterRecord = [this](TTovObjectItem* item, TTovSubItem* level,
                                           TTovObjectList*, bool& include) {
        const auto* day = dynamic_cast<const TMorvaneLocalTransactionDay*>(
            level != nullptr && level->ParentItem != nullptr ? level->ParentItem : item);
        include = day != nullptr && period_.Start <= day->TransactionDate.value &&
                  day->TransactionDate.value <= period_.End;
    };
    auto* detail = new QVBoxLayout(grpStatementDetail);
    detail->addWidget(stgHeaderGrid);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, grpStatementDetail, 1);

    cmbStatementNo->OnChange = [this] { cmbStatementNoChange(); };
    resize(760, 460);
}

void TfmReportStatement::FormCreate() {
    cmbStatementNo->SetColWidth(0, 80);
    cmbStatementNo->SetColWidth(1, 200);
    TfmCustomReport::FormCreate();
}

std::string TfmReportStatement::ReportTitle() const {
    return "Statement of Accounts";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmReportStatement::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmReportStatement::cmbLoanNumberChange() {
    TfmCustomReport::cmbLoanNumberChange();
    FillStatementList();
}

void TfmReportStatement::FillStatementList() {
    cmbStatementNo->Items().Clear();
    periods_.clear();
    if (Mortgage() != nullptr)
        periods_ = StatementPeriods(*Mortgage()->Contract);
    for (const TStatementPeriod& period : periods_) {
        const int row = cmbStatementNo->Items().Add(IntToStr(period.Number));
        cmbStatementNo->SetCell(row, 1, StatementPeriodText(period));
    }
    cmbStatementNoChange();
}

void TfmReportStatement::SelectStatement(int number) {
    if (number >= 1 && number <= static_cast<int>(periods_.size()))
        cmbStatementNo->SetItemIndex(number - 1);
}

void TfmReportStatement::cmbStatementNoChange() {
    const int index = cmbStatementNo->ItemIndex();
    if (Mortgage() != nullptr && index >= 0 && index < static_cast<int>(periods_.size())) {
        period_ = periods_[static_cast<std::size_t>(index)];
        stgHeaderGrid->SetObjectList(Mortgage()->LocalTransactionDays.get());
    } else {
        period_ = {};
        stgHeaderGrid->SetObjectList(nullptr);
    }
    stgHeaderGrid->RefreshGrid();
}

bool TfmReportStatement::ValidateParameters() {
    if (!TfmCustomReport::ValidateParameters())
        return false;
    if (cmbStatementNo->ItemIndex() < 0 || period_.Number == 0) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "A statement must first be selected");
        cmbStatementNo->setFocus();
        return false;
    }
    return true;
}

void TfmReportStatement::DrawBody(TfmCustomPrintedReport& form) {
    if (Mortgage() == nullptr || period_.Number == 0)
        throw InternalError("A statement was drawn without its loan and period.");
    DrawStatementBody(form, *Mortgage(), period_);
}

void TfmReportStatement::DocumentPrinted() {
    // Reprinting an older statement must not make a later one fall due again.
    TMorvaneMortgage& loan = *Mortgage();
    if (period_.Number <= loan.LastStatementNumber)
        return;
    loan.LastStatementNumber = period_.Number;
    SetDataModified(true);
    LoanChanged(loan);
    // The rebuilt ledger has new day records: the grid shows them.
    cmbStatementNoChange();
}

} // namespace duebell
