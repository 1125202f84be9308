// The "Statement of Accounts" dialog as the user drives it, every window answered by the test:
// the list of statements showing each period as it prints, the period's movements in the
// grid, the refusals, Preview recording nothing, Print recording the statement (only once it
// has printed, never lowering the number, also when printed from the preview, its alert gone
// at once) into a PDF read back with poppler, and the registry opening the dialog with the
// alert's loan and statement chosen.
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "controls/gridbox.h"
#include "domain/alert.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/datetime.h"
#include "print/printdialog.h"
#include "printtestsupport.h"
#include "printtofile.h"
#include "reportbook.h"
#include "reports/printedreportwindow.h"
#include "reports/reportwindows.h"
#include "reports/statementreport.h"
#include "reporttestsupport.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"

#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::AddPayment;
using test::PrintToFile;
using testing::ScriptedPrompter;

double Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

class StatementReport : public ::testing::Test {
protected:
    StatementReport() {
        // Drawn on Sunday 15 March 2026: $10,000.00 at 7.3 % (exactly $2.00 of interest a
        // day), paid monthly, statements quarterly; $500.00 paid on 20 April.
        TMorvaneContract& contract = *quarterly.Contract;
        contract.PossessionDate = TDate(Day(2026, 3, 15));
        contract.ContractAmount = Currency::fromUnits(12000);
        contract.Deposit = Currency::fromUnits(2000);
        contract.ReferenceRate = TPercentage{Currency::fromDouble(7.3)};
        AddPayment(quarterly, Day(2026, 4, 20), Currency::fromUnits(500));
        quarterly.BuildLedger();
        // Drawn on 31 January 2025 for a year, monthly statements.
        monthly.Contract->PossessionDate = TDate(Day(2025, 1, 31));
        monthly.Contract->StatementPeriod = "Monthly";
        monthly.Contract->ContractTerm = 1;
        monthly.BuildLedger();
    }

    std::unique_ptr<TfmReportStatement> StatementOf(const TMorvaneMortgage& loan, int number) {
        auto dialog = CreateReport<TfmReportStatement>();
        dialog->SelectMortgage(&loan);
        dialog->SelectStatement(number);
        return dialog;
    }

    test::ReportBook book;
    TMorvaneMortgage& quarterly = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TMorvaneMortgage& monthly = book.AddLoan("0000043", "Lee", "Sam", "Ipswich");
    ScriptedPrompter prompter;
    test::DialogDriver windows;
    QString pdf = test::TestOutputFile(".pdf");
};

TEST_F(StatementReport, TheListShowsEachPeriodAsItPrintsAndTheGridItsMovements) {
    auto dialog = CreateReport<TfmReportStatement>();
    EXPECT_EQ(dialog->windowTitle(), "Statement of Accounts");
    EXPECT_EQ(dialog->cmbStatementNo->Items().Count(), 0);
    dialog->SelectMortgage(&monthly);
    ASSERT_EQ(dialog->cmbStatementNo->Items().Count(), 12);
    const std::pair<int, const char*> rows[] = {{0, "31/01/2025 -> 27/02/2025"},
                                                {1, "28/02/2025 -> 30/03/2025"},
                                                {2, "31/03/2025 -> 29/04/2025"},
                                                {11, "31/12/2025 -> 30/01/2026"}};
    for (const auto& [row, text] : rows) {
        EXPECT_EQ(dialog->cmbStatementNo->GetCell(row, 0), std::to_string(row + 1));
        EXPECT_EQ(dialog->cmbStatementNo->GetCell(row, 1), text);
    }
    EXPECT_EQ(dialog->cmbStatementNo->ItemIndex(), -1);

    dialog->SelectStatement(3);
    EXPECT_EQ(dialog->cmbStatementNo->Text(), "3");
    EXPECT_EQ(DateToStr(dialog->StatementStart()), "31/03/2025");
    EXPECT_EQ(DateToStr(dialog->StatementEnd()), "29/04/2025");
    // Interest posts on Monday 31 March; the ledger closes the statement on its last day.
    const TTovObjectListGrid& grid = *dialog->stgHeaderGrid;
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cells(0, 0), "Transaction Date");
    EXPECT_EQ(grid.Cells(1, 1), "Interest");
    EXPECT_EQ(grid.Cells(0, 1), "31/03/2025");
    EXPECT_EQ(grid.Cells(0, 2), "29/04/2025");
    EXPECT_EQ(grid.Cells(1, 2), "Closing Balance");

    // Another loan: its own statements, none chosen, an empty grid.
    dialog->SelectMortgage(&quarterly);
    EXPECT_EQ(dialog->cmbStatementNo->Items().Count(), 100);
    EXPECT_EQ(dialog->cmbStatementNo->GetCell(0, 1), "15/03/2026 -> 14/06/2026");
    EXPECT_EQ(dialog->cmbStatementNo->ItemIndex(), -1);
    EXPECT_TRUE(grid.Cells(0, 1).empty());
}

TEST_F(StatementReport, WithoutAStatementNothingIsBuiltOrRecorded) {
    auto dialog = CreateReport<TfmReportStatement>();
    dialog->show();
    PrintToFile printer(pdf);
    prompter.Expect(PromptType::Error, PromptButtons::Ok, "A mortgage must first be selected.",
                    PromptAnswer::Ok);
    dialog->btnPreview->click();
    dialog->SelectMortgage(&quarterly);
    prompter.Expect(PromptType::Error, PromptButtons::Ok, "A statement must first be selected",
                    PromptAnswer::Ok);
    prompter.Expect(PromptType::Error, PromptButtons::Ok, "A statement must first be selected",
                    PromptAnswer::Ok);
    dialog->btnPreview->click();
    dialog->btnPrint->click();
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(windows.shown(), 0);
    EXPECT_EQ(quarterly.LastStatementNumber, 0);
    EXPECT_FALSE(DataModified());
    EXPECT_EQ(dialog->focusWidget(), dialog->cmbStatementNo);
}

TEST_F(StatementReport, PreviewShowsPageOneAndRecordsNothing) {
    auto dialog = StatementOf(quarterly, 1);
    windows.Expect([](QDialog& window) {
        auto& preview = dynamic_cast<TfmPrintedReportWindow&>(window);
        EXPECT_EQ(preview.windowTitle(), "Statement of Accounts");
        EXPECT_EQ(preview.Preview().PageCount(), 2);
        EXPECT_EQ(preview.Preview().CurrentPage(), 1);
        window.resize(648, 700);
        window.show();
        QApplication::processEvents();
        EXPECT_TRUE(window.grab().toImage().save(test::TestOutputFile(".png")));
        return QDialog::Rejected;
    });
    dialog->btnPreview->click();
    EXPECT_EQ(quarterly.LastStatementNumber, 0);
    EXPECT_FALSE(DataModified());
}

TEST_F(StatementReport, PrintRecordsTheStatementAndThePdfCarriesTheLedgersFigures) {
    // Twenty-odd movements: a $10.00 payment every fourth day besides the $500.00.
    for (double date = Day(2026, 3, 16); date <= Day(2026, 6, 13); date += 4)
        AddPayment(quarterly, date, Currency::fromUnits(10));
    quarterly.BuildLedger();
    auto dialog = StatementOf(quarterly, 1);
    PrintToFile printer(pdf);
    EXPECT_TRUE(dialog->btnPrintClick());
    EXPECT_EQ(printer.shown, 1);
    EXPECT_EQ(quarterly.LastStatementNumber, 1);
    EXPECT_TRUE(DataModified());

    const test::PdfInfo info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Title, "Statement of Accounts");
    EXPECT_EQ(info.Pages, 2);
    const auto words = test::ReadPdfWords(pdf);
    // The period's line, centred between the margins 50 mm from the top.
    EXPECT_EQ(test::WordsAt(words, 1, 50), "Statement No. 1: From 15/03/2026 to 14/06/2026");
    double left = 1e9;
    double right = 0;
    for (const test::PdfWord& word : words)
        if (word.Page == 1 &&
            std::abs(word.YMin - 50 * test::PointsPerMillimetre) < test::PdfTolerance) {
            left = std::min(left, word.XMin);
            right = std::max(right, word.XMax);
        }
    EXPECT_NEAR((left + right) / 2, 105 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_EQ(test::WordsAt(words, 1, 115), "Account Summary");
    EXPECT_EQ(test::WordsAt(words, 1, 125), "Current Annual Rate: 7.3%");
    EXPECT_EQ(test::WordsAt(words, 1, 139), "Due: 15th of the Month");
    EXPECT_EQ(test::WordsAt(words, 1, 150), "Date Description Rate Type Debit Credit Balance");
    EXPECT_EQ(test::WordsAt(words, 1, 160), "15/03/2026 Opening Balance 7.30% $10,000.00");
    // The first movement: $10.00 paid on 16 March leaves $9,990.00.
    EXPECT_EQ(test::WordsAt(words, 1, 165), "16/03/2026 Payment Acct $10.00 $9,990.00");
    // Twenty rows, 5 mm apart, to 260 mm; then the heads again on page 2 at 80 mm.
    for (int row = 0; row < 20; ++row)
        EXPECT_FALSE(test::WordsAt(words, 1, 165 + 5 * row).isEmpty()) << row;
    EXPECT_TRUE(test::WordsAt(words, 1, 265).isEmpty());
    EXPECT_EQ(test::WordsAt(words, 2, 80), "Date Description Rate Type Debit Credit Balance");
    EXPECT_FALSE(test::WordsAt(words, 2, 90).isEmpty());
    EXPECT_EQ(test::WordsAt(words, 2, 130), "Total Payment Transactions $730.00");
    // The pages as they came out, for a look by eye.
    EXPECT_FALSE(test::RenderPdfPage(pdf, 1, 60).isNull());
    EXPECT_FALSE(test::RenderPdfPage(pdf, 2, 60).isNull());

    // Printing statement 1 again changes nothing; a later one is recorded.
    PrintToFile reprints(test::TestOutputFile("-reprint.pdf"));
    SetDataModified(false);
    EXPECT_TRUE(dialog->btnPrintClick());
    EXPECT_EQ(quarterly.LastStatementNumber, 1);
    EXPECT_FALSE(DataModified());
    dialog->SelectStatement(3);
    EXPECT_TRUE(dialog->btnPrintClick());
    EXPECT_EQ(quarterly.LastStatementNumber, 3);
    EXPECT_TRUE(DataModified());
    // An older statement reprinted keeps the later number.
    SetDataModified(false);
    dialog->SelectStatement(2);
    EXPECT_TRUE(dialog->btnPrintClick());
    EXPECT_EQ(quarterly.LastStatementNumber, 3);
    EXPECT_FALSE(DataModified());
}

TEST_F(StatementReport, PrintedFromItsPreviewTheStatementIsRecordedAndItsAlertGoesAtOnce) {
    // Drawn down on 2 March 2025, quarterly: a statement has fallen due by today.
    TMorvaneMortgage& loan = book.AddLoan("0000044", "Brown", "Ann", "Toowong");
    loan.Recalculate();
    const auto statementDue = [&loan]() -> const TMorvaneAlert* {
        for (TTovObjectItem* item : *Data()->CurrentAlerts) {
            const auto* alert = static_cast<const TMorvaneAlert*>(item);
            if (alert->LoanNumber == loan.LoanNumber && alert->AlertType == atStatementDue)
                return alert;
        }
        return nullptr;
    };
    ASSERT_NE(statementDue(), nullptr);
    const int number = statementDue()->StatementNumber;
    auto dialog = StatementOf(loan, number);

    PrintToFile printer(pdf);
    for (int print = 0; print < 2; ++print)
        windows.Expect([](QDialog& window) {
            dynamic_cast<TfmPrintedReportWindow&>(window).btnPrint->click();
            return QDialog::Rejected;
        });
    dialog->btnPreview->click();
    EXPECT_EQ(printer.shown, 1);
    EXPECT_EQ(test::WordsAt(test::ReadPdfWords(pdf), 1, 50).section(':', 0, 0),
              QString("Statement No. %1").arg(number));
    EXPECT_EQ(loan.LastStatementNumber, number);
    EXPECT_TRUE(DataModified());
    EXPECT_EQ(statementDue(), nullptr);
    // The grid shows the period from the rebuilt ledger.
    EXPECT_FALSE(dialog->stgHeaderGrid->Cells(0, 1).empty());

    // A second print from a preview records the same number once more: nothing moves.
    SetDataModified(false);
    dialog->btnPreview->click();
    EXPECT_EQ(printer.shown, 2);
    EXPECT_EQ(loan.LastStatementNumber, number);
    EXPECT_FALSE(DataModified());
}

TEST_F(StatementReport, APrintCancelledInThePrintDialogRecordsNothing) {
    auto dialog = StatementOf(quarterly, 2);
    PrintToFile printer(pdf, false);
    EXPECT_FALSE(dialog->btnPrintClick());
    EXPECT_EQ(printer.shown, 1);
    EXPECT_EQ(quarterly.LastStatementNumber, 0);
    EXPECT_FALSE(DataModified());
}

TEST_F(StatementReport, ALoanPaidOnTheTwelfthIsDueOnThe12th) {
    quarterly.Contract->PossessionDate = TDate(Day(2026, 1, 12));
    quarterly.BuildLedger();
    auto dialog = StatementOf(quarterly, 1);
    PrintToFile printer(pdf);
    EXPECT_TRUE(dialog->btnPrintClick());
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 139), "Due: 12th of the Month");
    EXPECT_EQ(test::WordsAt(words, 1, 50), "Statement No. 1: From 12/01/2026 to 11/04/2026");
}

TEST_F(StatementReport, TheRegistryOpensTheStatementTheAlertNames) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    ASSERT_TRUE(IsWindowRegistered("TfmReportStatement"));
    windows.Expect([&](QDialog& window) {
        auto& statement = dynamic_cast<TfmReportStatement&>(window);
        EXPECT_EQ(statement.Mortgage(), &monthly);
        EXPECT_EQ(statement.cmbStatementNo->ItemIndex(), 2);
        EXPECT_EQ(DateToStr(statement.StatementStart()), "31/03/2025");
        EXPECT_EQ(statement.stgHeaderGrid->Cells(1, 1), "Interest");
        return QDialog::Rejected;
    });
    WindowRequest request;
    request.loanNumber = "0000043";
    request.statementNumber = 3;
    OpenWindow("TfmReportStatement", request);
    // A statement the loan does not have leaves none chosen.
    windows.Expect([](QDialog& window) {
        EXPECT_EQ(dynamic_cast<TfmReportStatement&>(window).cmbStatementNo->ItemIndex(), -1);
        return QDialog::Rejected;
    });
    request.statementNumber = 13;
    OpenWindow("TfmReportStatement", request);
}

TEST_F(StatementReport, TheDialogAsTheUserSeesIt) {
    auto dialog = StatementOf(quarterly, 1);
    dialog->show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().toImage().save(test::TestOutputFile(".png")));
    EXPECT_TRUE(dialog->cmbStatementNo->isVisible());
    EXPECT_TRUE(dialog->stgHeaderGrid->isVisible());
}

} // namespace
} // namespace duebell
