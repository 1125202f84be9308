// The initial accounting report: its dialog edits the loan's purchase figures (Save only with a
// loan chosen; the fields show the chosen loan's figures; unsaved edits are never printed) and
// its one printed page, read back with poppler: the "For:" line, the purchase with a date of
// purchase never entered printed blank, and the sale from the contract.
#include "app/framework/windowregistry.h"
#include "controls/modalresult.h"
#include "domain/accountingreports.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "print/previewmodel.h"
#include "reportbook.h"
#include "reports/accountinginitial.h"
#include "reports/reportwindows.h"
#include "reporttestsupport.h"
#include "support/dialogdriver.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace duebell {
namespace {

class AccountingInitial : public ::testing::Test {
protected:
    // An amount field of the dialog, through its "Value" property.
    double Amount(const char* name) {
        return dialog->findChild<QLineEdit*>(name)->property("Value").toDouble();
    }

    AccountingInitial() {
        TMorvaneInitialAccountingReport& figures = *loan.InitialAccountingReport;
        figures.NameOfPurchaser = "Hilltop Holdings Pty Ltd";
        figures.PurchasePriceLand = Currency::fromUnits(150000);
        figures.PurchasePriceBuilding = Currency::fromUnits(95000);
        figures.LegalFeeCost = Currency::fromDouble(1850.5);
        figures.InspectionReportCost = Currency::fromUnits(600);
        figures.GovernmentTaxCost = Currency::fromUnits(7200);
        figures.OtherCost = Currency::fromDouble(99.95);
    }

    std::vector<std::string> PrintedLines() {
        EXPECT_TRUE(WriteReportPdf(*dialog, pdf));
        const auto words = test::ReadPdfWords(pdf);
        std::vector<std::string> lines;
        for (double y = 80; y <= 175; y += 5)
            lines.push_back(test::WordsAt(words, 1, y).toStdString());
        return lines;
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TMorvaneMortgage& other = book.AddLoan("0000043", "Lee", "Sam", "Ipswich");
    std::unique_ptr<TfmReportAccountingInitial> dialog = CreateReport<TfmReportAccountingInitial>();
    QString pdf = test::TestOutputFile(".pdf");
};

TEST_F(AccountingInitial, TheFiguresAreEditedOnlyWithALoanChosen) {
    EXPECT_EQ(dialog->windowTitle(), "Accounting Report Initial");
    EXPECT_FALSE(dialog->btnSave->isEnabled());
    EXPECT_FALSE(dialog->gbxInitialAccountingData->isEnabled());
    EXPECT_EQ(dialog->gbxInitialAccountingData->title(), " Initial Accounting Report Data ");
    EXPECT_TRUE(dialog->edtNameOfPurchaser->text().isEmpty());

    dialog->SelectMortgage(&loan);
    EXPECT_TRUE(dialog->btnSave->isEnabled());
    EXPECT_TRUE(dialog->gbxInitialAccountingData->isEnabled());
    EXPECT_EQ(dialog->edtNameOfPurchaser->text(), "Hilltop Holdings Pty Ltd");
    EXPECT_EQ(Amount("edtPurchasePriceLand"), 150000);
    EXPECT_EQ(Amount("edtCostLegalFees"), 1850.5);
    EXPECT_EQ(Amount("edtCostOther"), 99.95);

    // Another loan shows its own (empty) figures.
    dialog->SelectMortgage(&other);
    EXPECT_TRUE(dialog->edtNameOfPurchaser->text().isEmpty());
    EXPECT_EQ(Amount("edtPurchasePriceLand"), 0);
}

TEST_F(AccountingInitial, TheReportPrintsWhatTheLoanHoldsAndSaveStoresTheEdits) {
    dialog->SelectMortgage(&loan);
    ASSERT_TRUE(WriteReportPdf(*dialog, pdf));
    const test::PdfInfo info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Pages, 1);
    EXPECT_EQ(info.Title, "Accounting Report Initial");
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 45), "Accounting Report Initial");
    EXPECT_EQ(test::WordsAt(words, 1, 68), "For: 12 Main St, Hilltop, QLD, 4000");
    EXPECT_EQ(test::FindWord(words, 1, "Reference"), nullptr); // no client block
    const test::PdfWord* heading = test::FindWord(words, 1, "Contract");
    ASSERT_NE(heading, nullptr);
    EXPECT_NEAR(heading->XMin, 5 * test::PointsPerMillimetre, test::PdfTolerance);
    const test::PdfWord* land = test::FindWord(words, 1, "$150,000.00");
    ASSERT_NE(land, nullptr);
    EXPECT_NEAR(land->XMin, 120 * test::PointsPerMillimetre, test::PdfTolerance);

    const std::vector<std::string> expected = {
        "Contract Details: Purchase",
        "",
        "Name of Purchaser (Person or Entity) Hilltop Holdings Pty Ltd",
        "Address of Property: 12 Main St",
        "Hilltop, QLD, 4000",
        ". Date of Purchase: .", // never entered: blank, not 30/12/1899 (the fold marks beside)
        "Purchase Price - Land: $150,000.00",
        "Purchase Price - Building: $95,000.00",
        "Cost of - Legal Fees: $1,850.50",
        "Cost of - Inspection Reports: $600.00",
        "Cost of - Government Taxes: $7,200.00",
        "Cost of - Other: $99.95",
        "",
        "Contract Details: Sale",
        "",
        "Name of Client: SMITH, John",
        "Date of Sale: 02/03/2025",
        "Initial Deposit: $30,000.00",
        "Loan Amount: $270,000.00",
        "Term of Finance: 25 years"};
    EXPECT_EQ(PrintedLines(), expected);

    // An edit prints only once saved; Save marks the loan book changed.
    loan.InitialAccountingReport->DateOfPurchase = TDateTime(EncodeDate(2025, 1, 15));
    dialog->findChild<QLineEdit*>("edtPurchasePriceLand")->setProperty("Value", 175000.0);
    dialog->edtNameOfPurchaser->setText("Hilltop Trust");
    std::vector<std::string> lines = PrintedLines();
    EXPECT_EQ(lines[5], ". Date of Purchase: 15/01/2025 .");
    EXPECT_EQ(lines[6], "Purchase Price - Land: $150,000.00");
    EXPECT_FALSE(DataModified());
    dialog->btnSave->click();
    EXPECT_TRUE(DataModified());
    EXPECT_EQ(loan.InitialAccountingReport->PurchasePriceLand, Currency::fromUnits(175000));
    EXPECT_EQ(loan.InitialAccountingReport->NameOfPurchaser, "Hilltop Trust");
    EXPECT_EQ(other.InitialAccountingReport->PurchasePriceLand, Currency());
    lines = PrintedLines();
    EXPECT_EQ(lines[2], "Name of Purchaser (Person or Entity) Hilltop Trust");
    EXPECT_EQ(lines[6], "Purchase Price - Land: $175,000.00");
}

TEST_F(AccountingInitial, TheDialogAsTheUserSeesIt) {
    dialog->SelectMortgage(&loan);
    dialog->show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().toImage().save(test::TestOutputFile(".png")));
    // Save stands left of Print.
    EXPECT_LT(dialog->btnSave->x(), dialog->btnPrint->x());
    EXPECT_GT(dialog->gbxInitialAccountingData->y(), dialog->grpParameters->y());
}

TEST_F(AccountingInitial, TheRegistryOpensItWithTheNewLoan) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    test::DialogDriver windows;
    windows.Expect([this](QDialog& window) {
        auto& report = dynamic_cast<TfmReportAccountingInitial&>(window);
        EXPECT_EQ(report.Mortgage(), &other);
        EXPECT_TRUE(report.btnSave->isEnabled());
        return int(mrCancel);
    });
    WindowRequest request;
    request.loanNumber = other.LoanNumber;
    OpenWindow("TfmReportAccountingInitial", request);
}

} // namespace
} // namespace duebell
