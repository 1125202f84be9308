#include "app/dialogs/accountingmortgageaddedit.h"

#include "app/framework/controlbinder.h"
#include "controls/numedit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPalette>
#include <QTabWidget>
#include <QVBoxLayout>
#include <initializer_list>

namespace duebell {

namespace {

// One amount of a page: its caption, its control's name, and the figure it holds (none: a
// read-only figure the dialog does not work out).
struct Figure {
    const char* caption;
    const char* name;
    const char* property;
};

QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

// Rows of amounts, each bound to its figure, or read-only and empty.
void AddFigureRows(QWidget* parent, QFormLayout& layout, std::initializer_list<Figure> rows,
                   TTovObjectListControlAware& binder) {
    for (const Figure& row : rows) {
        QLineEdit* amount = nullptr;
        if (row.property != nullptr) {
            auto* figure = new TCurrencyEdit(parent);
            // A sum either way, within what a contract amount holds.
            figure->SetMinValue(-99999999);
            figure->SetMaxValue(99999999);
            binder.AddRow(figure, "Value", row.property);
            amount = figure;
        } else {
            // Greyed and empty: nothing here works these figures out.
            amount = MakeReadOnlyEdit(parent, row.name);
            amount->setAlignment(Qt::AlignRight);
            amount->setFocusPolicy(Qt::NoFocus);
            QPalette greyed = amount->palette();
            greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
            amount->setPalette(greyed);
        }
        amount->setObjectName(row.name);
        amount->setFixedWidth(120);
        layout.addRow(QString::fromUtf8(row.caption), amount);
    }
}

QGroupBox* MakeFigureGroup(QWidget* parent, const char* title, std::initializer_list<Figure> rows,
                           TTovObjectListControlAware& binder) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    AddFigureRows(group, *new QFormLayout(group), rows, binder);
    return group;
}

QWidget* CashFlowPage(QWidget* parent, TTovObjectListControlAware& binder) {
    auto* page = new QWidget(parent);
    page->setObjectName("tshCashFlow");
    QGroupBox* calculated =
        MakeFigureGroup(page, " Calculated Figures ",
                        {{"Sum of Loan Payments", "edtSumLoanPayments", nullptr},
                         {"Sum of Fee Payments", "edtSumFeePayments", nullptr},
                         {"Sum of Penalty Payments", "edtSumPenaltyPayments", nullptr},
                         {"Sum of Other Payments", "edtOtherAmount", "OtherAmount"},
                         {"Subtotal", "edtCalculatedSubtotal", nullptr}},
                        binder);
    QGroupBox* disbursements = MakeFigureGroup(
        page, " Disbursements ",
        {{"Sum of 1st Mortgage Payments", "edtDisbursementFirstMortgage",
          "DisbursementFirstMortgage"},
         {"Sum of Other Mortgages", "edtDisbursementOtherMortgages", "DisbursementOtherMortgages"},
         {"Sum of JV Payments", "edtDisbursementJVPayments", "DisbursementJVPayments"},
         {"Sum of Marketing Costs", "edtDisbursementMarketingCosts", "DisbursementMarketingCosts"},
         {"Sum of Fee Payments - Bank", "edtDisbursementFeePaymentsBank",
          "DisbursementFeePaymentsBank"},
         {"Sum of Fee Payments - Legal", "edtDisbursementFeePaymentsLegal",
          "DisbursementFeePaymentsLegal"},
         {"Sum of Fee Payments - Taxes", "edtDisbursementFeePaymentsTaxes",
          "DisbursementFeePaymentsTaxes"},
         {"Sum of Fee Payments - Reports", "edtDisbursementFeePaymentsReports",
          "DisbursementFeePaymentsReports"},
         {"Sum of Other", "edtDisbursementOther", "DisbursementOther"},
         {"Subtotal", "edtDisbursementsSubtotal", nullptr}},
        binder);
    auto* balance = new QFormLayout;
    balance->setContentsMargins(10, 8, 10, 0);
    AddFigureRows(page, *balance, {{"Balance of Account", "edtBalanceOfAccount", nullptr}}, binder);

    auto* left = new QVBoxLayout;
    left->addWidget(calculated);
    left->addLayout(balance);
    left->addStretch(1);
    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left);
    columns->addWidget(disbursements, 0, Qt::AlignTop);
    return page;
}

// The details of a debt: its opening balance, what was added, what was repaid, the closing
// balance; `prefix` names the debt's figures ("FirstMortgage", "FinanceDetails").
QGroupBox* DebtGroup(QWidget* page, const char* title, const std::string& prefix,
                     TTovObjectListControlAware& binder) {
    // The names outlive the call: the binder and the controls copy them.
    const std::string interest = prefix + "InterestCharges";
    const std::string bank = prefix + "BankCharges";
    const std::string addOther = prefix + "AddOther";
    const std::string repayments = prefix + "Repayments";
    const std::string lessOther = prefix + "LessOther";
    const std::string edt = "edt" + prefix;
    const std::string names[] = {
        edt + "OpeningBalance", "edt" + interest,     "edt" + bank,
        "edt" + addOther,       edt + "AddSubtotal",  "edt" + repayments,
        "edt" + lessOther,      edt + "LessSubtotal", edt + "ClosingBalance"};
    return MakeFigureGroup(page, title,
                           {{"Opening Balance", names[0].c_str(), nullptr},
                            {"Interest Charges", names[1].c_str(), interest.c_str()},
                            {"Bank Charges", names[2].c_str(), bank.c_str()},
                            {"Other", names[3].c_str(), addOther.c_str()},
                            {"Subtotal", names[4].c_str(), nullptr},
                            {"Repayments", names[5].c_str(), repayments.c_str()},
                            {"Other", names[6].c_str(), lessOther.c_str()},
                            {"Subtotal", names[7].c_str(), nullptr},
                            {"Closing Balance", names[8].c_str(), nullptr}},
                           binder);
}

QWidget* AssetLiabilityPage(QWidget* parent, TTovObjectListControlAware& binder) {
    auto* page = new QWidget(parent);
    page->setObjectName("tshAssetLiability");
    auto* columns = new QHBoxLayout(page);
    columns->addWidget(DebtGroup(page, " Details of 1st Mortgage ", "FirstMortgage", binder), 0,
                       Qt::AlignTop);
    columns->addWidget(DebtGroup(page, " Details of Finance ", "FinanceDetails", binder), 0,
                       Qt::AlignTop);
    return page;
}

} // namespace

TfmReportAccountingMortgageAddEdit::TfmReportAccountingMortgageAddEdit()
    : TfmCustomDetailForm("fmReportAccountingMortgageAddEdit",
                          "Edit Accounting Report Periodical Mortgage") {
    QWidget* body = Body();
    QLineEdit* loanNumber = MakeReadOnlyEdit(body, "edtLoanNumber");
    QLineEdit* clientName = MakeReadOnlyEdit(body, "edtClientName");
    QLineEdit* propertyAddress = MakeReadOnlyEdit(body, "edtPropertyAddress");
    loanNumber->setFixedWidth(100);

    auto* pages = new QTabWidget(body);
    pages->setObjectName("pgFigures");
    pages->addTab(CashFlowPage(pages, Binder()), "Cash Flow Statement");
    pages->addTab(AssetLiabilityPage(pages, Binder()), "Asset && Liability Statement");

    auto* loan = new QFormLayout;
    loan->addRow("Mortgage", loanNumber);
    loan->addRow("Client", clientName);
    loan->addRow("Property", propertyAddress);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(8, 8, 8, 0);
    column->addLayout(loan);
    column->addWidget(pages, 1);

    Binder().AddRows({{loanNumber, "Text", "LoanNumber"},
                      {clientName, "Text", "ClientName"},
                      {propertyAddress, "Text", "PropertyAddress"}});
}

} // namespace duebell
