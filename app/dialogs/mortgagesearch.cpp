#include "app/dialogs/mortgagesearch.h"

#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace duebell {

TfmMortgageSearch::TfmMortgageSearch(QWidget* parent)
    : QDialog(parent), edtSearchText(new QLineEdit(this)),
      btnSearch(new QPushButton("&Search", this)), stgHeaderGrid(new TTovObjectListGrid(this)),
      btnOk(new QPushButton("&OK", this)), btnCancel(new QPushButton("&Cancel", this)) {
    setObjectName("fmMortgageSearch");
    setWindowTitle("Search...");

    auto* searchBy = new QGroupBox(" Search By ", this);
    searchBy->setObjectName("rgpSearchBy");
    auto* choices = new QHBoxLayout(searchBy);
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"Property Address", "Client Name", "Bank Details"};
    for (int i = 0; i < 3; ++i) {
        rgpSearchBy[i] = new QRadioButton(captions[i], searchBy);
        group->addButton(rgpSearchBy[i], i);
        choices->addWidget(rgpSearchBy[i]);
    }
    rgpSearchBy[lsfPropertyAddress]->setChecked(true);

    auto* searchFor = new QGroupBox(" Search For ", this);
    auto* text = new QHBoxLayout(searchFor);
    edtSearchText->setObjectName("edtSearchText");
    btnSearch->setObjectName("btnSearch");
    btnSearch->setDefault(true);
    text->addWidget(edtSearchText, 1);
    text->addWidget(btnSearch);

    auto* results = new QGroupBox(" Results ", this);
    auto* grid = new QVBoxLayout(results);
    stgHeaderGrid->setObjectName("stgHeaderGrid");
    stgHeaderGrid->SetDefaultRowHeight(16);
    stgHeaderGrid->AddColumn("Loan Number", "LoanNumber", 90);
    stgHeaderGrid->AddColumn("Property Address", "PropertyAddress", 200);
    stgHeaderGrid->AddColumn("Client Name", "ClientName", 179);
    grid->addWidget(stgHeaderGrid);

    btnOk->setObjectName("btnOk");
    btnCancel->setObjectName("btnCancel");
    btnOk->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(searchBy);
    layout->addWidget(searchFor);
    layout->addWidget(results, 1);
    layout->addLayout(buttons);

    stgHeaderGrid->OnFilterRecord = [this](TTovObjectItem* item, TTovSubItem*, TTovObjectList*,
                                           bool& include) {
        include = LoanMatchesSearch(static_cast<const TMorvaneMortgage&>(*item), SearchBy(),
                                    edtSearchText->text().toStdString());
    };
    stgHeaderGrid->OnClick = [this] { GridClick(); };
    connect(btnSearch, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnSearchClick(); }); });
    connect(btnOk, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    resize(520, 360);

    btnSearchClick();
}

TLoanSearchField TfmMortgageSearch::SearchBy() const {
    for (int i = 0; i < 3; ++i)
        if (rgpSearchBy[i]->isChecked())
            return static_cast<TLoanSearchField>(i);
    return lsfPropertyAddress;
}

void TfmMortgageSearch::SetSearchBy(TLoanSearchField field) {
    rgpSearchBy[field]->setChecked(true);
}

void TfmMortgageSearch::btnSearchClick() {
    TMorvaneData* data = Data();
    stgHeaderGrid->SetObjectList(data != nullptr ? &*data->Mortgages : nullptr);
    stgHeaderGrid->RefreshGrid();
}

void TfmMortgageSearch::GridClick() {
    const std::vector<TTovObject*>& selected = stgHeaderGrid->SelectedObjects();
    if (!selected.empty())
        if (const auto* loan = dynamic_cast<const TMorvaneMortgage*>(selected.front()))
            chosenLoanNumber_ = loan->LoanNumber;
    btnOk->setEnabled(!chosenLoanNumber_.empty());
}

} // namespace duebell
