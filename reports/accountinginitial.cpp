#include "reports/accountinginitial.h"

#include "app/framework/controlbinder.h"
#include "app/framework/typedfields.h"
#include "controls/numedit.h"
#include "controls/uihooks.h"
#include "domain/accountingreports.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace duebell {

namespace {

TCurrencyEdit* AmountField(QWidget* parent, const char* name) {
    auto* field = new TCurrencyEdit(parent);
    field->setObjectName(name);
    field->SetMaxValue(99999999); // a price or a cost, as a contract amount holds
    field->setMaximumWidth(140);
    return field;
}

// The dialog's row of buttons: the layout that holds Print.
QBoxLayout* ButtonRow(QLayout& layout, QWidget* print) {
    for (int i = 0; i < layout.count(); ++i) {
        auto* row = qobject_cast<QBoxLayout*>(layout.itemAt(i)->layout());
        if (row != nullptr && row->indexOf(print) >= 0)
            return row;
    }
    throw InternalError("The report dialog has no row of buttons.");
}

} // namespace

TfmReportAccountingInitial::TfmReportAccountingInitial(QWidget* parent)
    : TfmCustomReport(parent),
      gbxInitialAccountingData(new QGroupBox(" Initial Accounting Report Data ", this)),
      edtNameOfPurchaser(new QLineEdit(gbxInitialAccountingData)),
      edtPurchasePriceLand(AmountField(gbxInitialAccountingData, "edtPurchasePriceLand")),
      edtPurchasePriceBuilding(AmountField(gbxInitialAccountingData, "edtPurchasePriceBuilding")),
      edtCostLegalFees(AmountField(gbxInitialAccountingData, "edtCostLegalFees")),
      edtCostInspectionReports(AmountField(gbxInitialAccountingData, "edtCostInspectionReports")),
      edtCostGovernmentTaxes(AmountField(gbxInitialAccountingData, "edtCostGovernmentTaxes")),
      edtCostOther(AmountField(gbxInitialAccountingData, "edtCostOther")),
      btnSave(new QPushButton("&Save", this)),
      TovObjectListControlAware1(new TTovObjectListControlAware(this)) {
    setObjectName("fmReportAccountingInitial");
    gbxInitialAccountingData->setObjectName("gbxInitialAccountingData");
    edtNameOfPurchaser->setObjectName("edtNameOfPurchaser");
    btnSave->setObjectName("btnSave");
    btnSave->setAutoDefault(false);

    auto* fields = new QFormLayout(gbxInitialAccountingData);
    fields->addRow("Name of Purchaser", edtNameOfPurchaser);
    fields->addRow("Purchase Price - Land", edtPurchasePriceLand);
    fields->addRow("Purchase Price - Building", edtPurchasePriceBuilding);
    fields->addRow("Cost of - Legal Fees", edtCostLegalFees);
    fields->addRow("Cost of - Inspection Reports", edtCostInspectionReports);
    fields->addRow("Cost of - Government Taxes", edtCostGovernmentTaxes);
    fields->addRow("Cost of - Other", edtCostOther);
    auto* layout = static_cast<QBoxLayout*>(this->layout());
    QBoxLayout* buttons = ButtonRow(*layout, btnPrint);
    layout->insertWidget(layout->indexOf(grpParameters) + 1, gbxInitialAccountingData);
    buttons->insertWidget(buttons->indexOf(btnPrint), btnSave);

    TovObjectListControlAware1->AddRows(
        {{edtNameOfPurchaser, "Text", "InitialAccountingReport.NameOfPurchaser"},
         {edtPurchasePriceLand, "Value", "InitialAccountingReport.PurchasePriceLand"},
         {edtPurchasePriceBuilding, "Value", "InitialAccountingReport.PurchasePriceBuilding"},
         {edtCostLegalFees, "Value", "InitialAccountingReport.LegalFeeCost"},
         {edtCostInspectionReports, "Value", "InitialAccountingReport.InspectionReportCost"},
         {edtCostGovernmentTaxes, "Value", "InitialAccountingReport.GovernmentTaxCost"},
         {edtCostOther, "Value", "InitialAccountingReport.OtherCost"}});
    connect(btnSave, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnSaveClick(); }); });
    resize(659, 400);
}

void TfmReportAccountingInitial::cmbLoanNumberChange() {
    TfmCustomReport::cmbLoanNumberChange();
    const bool chosen = Mortgage() != nullptr;
    btnSave->setEnabled(chosen);
    gbxInitialAccountingData->setEnabled(chosen);
    TovObjectListControlAware1->ObjectToControls(Mortgage());
}

void TfmReportAccountingInitial::btnSaveClick() {
    if (Mortgage() == nullptr)
        return;
    CheckTypedFields(*this);
    TovObjectListControlAware1->ControlsToObject(*Mortgage());
    SetDataModified(true);
}

} // namespace duebell
