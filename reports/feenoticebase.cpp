#include "reports/feenoticebase.h"

#include "controls/gridbox.h"
#include "domain/configuration.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <cmath>
#include <vector>

namespace duebell {

namespace {

constexpr int DateColumn = 2;

} // namespace

TfmReportFeeBase::TfmReportFeeBase(QWidget* parent)
    : TfmCustomReport(parent), cmbFeeNumber(new TGridBox(grpParameters)) {
    cmbFeeNumber->setObjectName("cmbFeeNumber");
    cmbFeeNumber->SetStyle(gsDropDownList);
    cmbFeeNumber->SetDefaultRowHeight(16);
    cmbFeeNumber->SetDropDownCols(3);
    cmbFeeNumber->SetColWidth(0, 70);
    cmbFeeNumber->SetColWidth(1, 140);
    cmbFeeNumber->SetColWidth(DateColumn, 100);
    cmbFeeNumber->SetSelectType(stRow);
    auto* parameters = static_cast<QGridLayout*>(grpParameters->layout());
    const int row = parameters->rowCount();
    parameters->addWidget(new QLabel("Fee Number", grpParameters), row, 0);
    parameters->addWidget(cmbFeeNumber, row, 1);
    resize(width(), height() + cmbFeeNumber->sizeHint().height());
}

void TfmReportFeeBase::cmbLoanNumberChange() {
    TfmCustomReport::cmbLoanNumberChange();
    FillFeeList();
}

void TfmReportFeeBase::FillFeeList() {
    GridBoxItems& items = cmbFeeNumber->Items();
    items.Clear();
    if (Mortgage() == nullptr)
        return;
    std::vector<const TMorvaneFeeTransaction*> fees;
    for (TTovObjectItem* item : *Mortgage()->FeeTransactions)
        fees.push_back(static_cast<const TMorvaneFeeTransaction*>(item));
    for (auto fee = fees.rbegin(); fee != fees.rend(); ++fee) {
        const int row = items.Add(IntToStr((*fee)->FeeNumber));
        items.SetCell(row, 1, (*fee)->FeeDescription);
        items.SetCell(row, DateColumn, DateToStr((*fee)->TransactionDate.value));
    }
}

void TfmReportFeeBase::SelectFee(int feeNumber) {
    const int row = cmbFeeNumber->FindRow(IntToStr(feeNumber));
    if (row >= 0)
        cmbFeeNumber->SetItemIndex(row);
}

TMorvaneFeeTransaction* TfmReportFeeBase::FindSelectedFee() const {
    const int row = cmbFeeNumber->ItemIndex();
    if (Mortgage() == nullptr || row < 0)
        return nullptr;
    // The fee's key as its row shows it: the date and the number.
    double date = 0;
    if (!TryStrToDate(cmbFeeNumber->GetCell(row, DateColumn), date))
        return nullptr;
    int number = -1;
    if (!TryStrToInt(cmbFeeNumber->Text().toStdString(), number))
        number = -1;
    for (TTovObjectItem* item : *Mortgage()->FeeTransactions) {
        auto* fee = static_cast<TMorvaneFeeTransaction*>(item);
        if (fee->FeeNumber == number && std::floor(fee->TransactionDate.value) == date)
            return fee;
    }
    return nullptr;
}

TMorvaneFeeConfiguration* TfmReportFeeBase::FindFeeConfiguration() const {
    const TMorvaneFeeTransaction* fee = FindSelectedFee();
    const TMorvaneConfiguration* configuration = Configuration();
    if (fee == nullptr || configuration == nullptr)
        return nullptr;
    for (TTovObjectItem* item : *configuration->FeeList) {
        auto* type = static_cast<TMorvaneFeeConfiguration*>(item);
        if (type->FeeDescription == fee->FeeDescription)
            return type;
    }
    return nullptr;
}

bool TfmReportFeeBase::ValidateParameters() {
    const bool loanChosen = TfmCustomReport::ValidateParameters();
    // A row whose fee has left the loan is no choice either.
    if (FindSelectedFee() == nullptr) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "A fee number must first be selected");
        if (loanChosen)
            cmbFeeNumber->setFocus();
        return false;
    }
    return loanChosen;
}

bool TfmReportFeeBase::ValidateFeeType() {
    if (FindFeeConfiguration() != nullptr)
        return true;
    // The fee type was renamed or deleted, or the fee was never of a full fee type.
    const TMorvaneFeeTransaction* fee = FindSelectedFee();
    CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                          "There is no full fee type \"" +
                              (fee != nullptr ? fee->FeeDescription : std::string()) +
                              "\" in the fee configuration, so the notice period of this fee is "
                              "unknown. Add the fee type under Configuration, Fees, Full Fees "
                              "first.");
    cmbFeeNumber->setFocus();
    return false;
}

TMorvaneFeeTransaction& TfmReportFeeBase::SelectedFee() const {
    TMorvaneFeeTransaction* fee = FindSelectedFee();
    if (fee == nullptr)
        throw InternalError("A fee letter was drawn without its fee.");
    return *fee;
}

int TfmReportFeeBase::FeeNoticePeriod() const {
    const TMorvaneFeeConfiguration* type = FindFeeConfiguration();
    if (type == nullptr)
        throw InternalError("A fee letter was drawn without its fee type.");
    return type->NoticePeriod;
}

} // namespace duebell
