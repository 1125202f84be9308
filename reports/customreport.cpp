#include "reports/customreport.h"

#include "app/dialogs/mortgagesearchbutton.h"
#include "app/framework/picklists.h"
#include "app/framework/typedfields.h"
#include "controls/gridbox.h"
#include "controls/uihooks.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace duebell {

namespace {

QLineEdit* ShownOnlyEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfmCustomReport::TfmCustomReport(QWidget* parent)
    : QDialog(parent), grpParameters(new QGroupBox(" Report Parameters ", this)),
      cmbLoanNumber(new TGridBox(grpParameters)),
      MorvaneMortgageSearchButton1(new TMorvaneMortgageSearchButton(grpParameters)),
      edtPropertyAddress(ShownOnlyEdit(grpParameters, "edtPropertyAddress")),
      edtClientName(ShownOnlyEdit(grpParameters, "edtClientName")),
      btnPrint(Button(this, "btnPrint", "&Print")),
      btnPreview(Button(this, "btnPreview", "Pre&view")),
      btnClose(Button(this, "btnClose", "&Close")) {
    setObjectName("TfmCustomReport");
    grpParameters->setObjectName("grpParameters");
    cmbLoanNumber->setObjectName("cmbLoanNumber");
    cmbLoanNumber->SetStyle(gsDropDownList);
    MorvaneMortgageSearchButton1->setObjectName("MorvaneMortgageSearchButton1");
    MorvaneMortgageSearchButton1->LinkedGridBox = cmbLoanNumber;

    auto* parameters = new QGridLayout(grpParameters);
    parameters->addWidget(new QLabel("Loan", grpParameters), 0, 0);
    auto* loan = new QHBoxLayout;
    loan->addWidget(cmbLoanNumber, 1);
    loan->addWidget(MorvaneMortgageSearchButton1);
    parameters->addLayout(loan, 0, 1);
    parameters->addWidget(new QLabel("Property", grpParameters), 1, 0);
    parameters->addWidget(edtPropertyAddress, 1, 1);
    parameters->addWidget(new QLabel("Client", grpParameters), 2, 0);
    parameters->addWidget(edtClientName, 2, 1);
    parameters->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnPreview);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpParameters);
    layout->addLayout(buttons);

    cmbLoanNumber->OnChange = [this] { cmbLoanNumberChange(); };
    connect(btnPrint, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnPrintClick(); }); });
    connect(btnPreview, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnPreviewClick(); }); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    resize(659, 144);
}

void TfmCustomReport::FormCreate() {
    // A report window goes by its class's name without the leading T (fmReportStatement), as
    // the help topics and the opener know it, unless the report named itself.
    if (objectName() == "TfmCustomReport") {
        const QString className = QString(metaObject()->className()).section("::", -1);
        setObjectName(className.startsWith('T') ? className.mid(1) : className);
    }
    FillMortgagePickList(*cmbLoanNumber);
    cmbLoanNumberChange();
    setWindowTitle(QString::fromStdString(ReportTitle()));
}

void TfmCustomReport::cmbLoanNumberChange() {
    TMorvaneData* data = Data();
    mortgage_ = data != nullptr ? data->FindMortgage(cmbLoanNumber->Text().toStdString()) : nullptr;
    if (mortgage_ != nullptr) {
        edtPropertyAddress->setText(QString::fromStdString(mortgage_->PropertyAddress()));
        edtClientName->setText(QString::fromStdString(mortgage_->ClientName()));
    } else {
        edtPropertyAddress->clear();
        edtClientName->clear();
    }
}

void TfmCustomReport::SelectMortgage(const TMorvaneMortgage* mortgage) {
    if (mortgage == nullptr || mortgage == mortgage_)
        return;
    // Choosing the row tells the box's change handler, which takes the loan.
    cmbLoanNumber->SetItemIndex(cmbLoanNumber->FindRow(mortgage->LoanNumber));
}

bool TfmCustomReport::ValidateParameters() {
    // Print and Preview read the fields: what was typed is checked first (a shortcut leaves
    // the focus in the field, so the check on leaving it has not run).
    CheckTypedFields(*this);
    // A row may name a loan that is no longer there: without a loan there is nothing to
    // print about.
    if (cmbLoanNumber->isVisibleTo(this) &&
        (cmbLoanNumber->ItemIndex() < 0 || mortgage_ == nullptr)) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "A mortgage must first be selected.");
        cmbLoanNumber->setFocus();
        return false;
    }
    return true;
}

} // namespace duebell
