// The "Loan Transactions" tab: the date window and its defaults, the buttons that need a loan,
// the loan list it follows, and the ledger and alerts that change after every add, edit and
// delete of a payment (and a cancelled add).
#include "app/dialogs/loantransactiondialog.h"
#include "app/dialogs/mortgagesearch.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/frames/loantransactionsframe.h"
#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "dialogs/loanwindowsbook.h"
#include "domain/loantransactions.h"

#include <QGroupBox>
#include <QTest>

namespace duebell {
namespace {

using test::Day;
using test::PressButton;

const std::string EditQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                 "Are you sure you wish to Edit this record?";
const std::string DeleteQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                   "Are you sure you wish to Delete this record?";

class PaymentsTab : public test::LoanWindowsBook {
protected:
    void AddPayment(double amount, double day, bool save = true) {
        driver.Expect([amount, day, save](QDialog& shown) {
            auto& dialog = static_cast<TfmLoanTransactionsAddEdit&>(shown);
            dialog.TransactionAmount()->SetValue(amount);
            dialog.TransactionDate()->SetDate(day);
            PressButton(shown, save ? "btnSave" : "btnCancel");
            return static_cast<int>(mrCancel);
        });
        frame.AddButton()->click();
        clock.Advance(1.0 / 86400); // the next payment is entered a second later
    }
    // The dates shown in the grid, top to bottom.
    std::vector<std::string> ShownDates() const {
        std::vector<std::string> dates;
        for (int row = 1; row < frame.Grid()->RowCount(); ++row)
            if (!frame.Grid()->RowObjects(row).empty())
                dates.push_back(frame.Grid()->Cells(0, row));
        return dates;
    }
    void StorePayment(double day, std::int64_t dollars) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(&Loan("0000001"));
        payment->TransactionDate = TDate(day);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = Currency::fromUnits(dollars);
        Loan("0000001").LoanTransactions->Add(std::move(payment));
        clock.Advance(1.0 / 86400);
    }

    TfmeLoanTransactions frame;
};

TEST_F(PaymentsTab, OpensWithNoLoanAYearBackAndAMonthAheadAndNothingToPress) {
    EXPECT_EQ(frame.objectName().toStdString(), "fmeLoanTransactions");
    EXPECT_EQ(frame.FilterBox()->title().toStdString(), " Filter Options ");
    EXPECT_EQ(frame.StartDate()->Date(), Day(2025, 3, 20)); // today - 365 days
    EXPECT_EQ(frame.EndDate()->Date(), Day(2026, 4, 20));   // today + 1 month
    EXPECT_EQ(frame.LoanNumber()->Items().Count(), 1);
    EXPECT_EQ(frame.LoanNumber()->ItemIndex(), -1);
    EXPECT_EQ(frame.Grid()->ObjectList(), nullptr);
    EXPECT_FALSE(frame.AddButton()->isEnabled());
    EXPECT_FALSE(frame.EditButton()->isEnabled());
    EXPECT_FALSE(frame.DeleteButton()->isEnabled());

    // A month ahead of 31 January is the last day of February.
    const ScopedFixedClock endOfJanuary(Day(2026, 1, 31) + 0.25);
    TfmeLoanTransactions late;
    EXPECT_EQ(late.StartDate()->Date(), Day(2025, 1, 31));
    EXPECT_EQ(late.EndDate()->Date(), Day(2026, 2, 28));
}

TEST_F(PaymentsTab, ShowsTheChosenLoansPaymentsFromFromToToBothIncluded) {
    frame.StartDate()->SetDate(Day(2026, 2, 10));
    frame.EndDate()->SetDate(Day(2026, 3, 10));
    for (const double day : {Day(2026, 2, 9), Day(2026, 2, 10), Day(2026, 3, 10), Day(2026, 3, 11)})
        StorePayment(day, 100);
    frame.LoanNumber()->SetItemIndex(0); // as a user picks the loan
    EXPECT_EQ(ShownDates(), (std::vector<std::string>{"10/02/2026", "10/03/2026"}));
    EXPECT_TRUE(frame.AddButton()->isEnabled());
    EXPECT_EQ(frame.Grid()->Cells(1, 1), "Payment");
    EXPECT_EQ(frame.Grid()->Cells(2, 1), "$100.00");
    frame.StartDate()->SetDate(Day(2026, 2, 9)); // the window follows the pickers at once
    EXPECT_EQ(ShownDates(), (std::vector<std::string>{"09/02/2026", "10/02/2026", "10/03/2026"}));
}

TEST_F(PaymentsTab, EveryAddEditAndDeleteChangesTheLedgerAndTheAlerts) {
    frame.ChooseLoan("0000001");
    TMorvaneMortgage& loan = Loan("0000001");
    const double monday = Day(2026, 3, 2);

    // A cancelled add still works the loan out: never paid, it is behind.
    AddPayment(644.30, monday, false);
    const Currency unpaid = BalanceOn(loan, test::LoanToday);
    const std::vector<std::string> behind = AlertsOf("0000001");
    EXPECT_FALSE(behind.empty());
    EXPECT_TRUE(Data()->HasAlerts);
    EXPECT_EQ(loan.LoanTransactions->Count(), 0);

    // The instalment paid on its day: the balance drops by it and the loan is no longer behind.
    AddPayment(644.30, monday);
    ASSERT_EQ(loan.LoanTransactions->Count(), 1);
    EXPECT_EQ(BalanceOn(loan, test::LoanToday), unpaid - Currency::fromRaw(6443000));
    EXPECT_TRUE(AlertsOf("0000001").empty());
    EXPECT_FALSE(Data()->HasAlerts);
    EXPECT_EQ(ShownDates(), std::vector<std::string>{"02/03/2026"});

    // Part of it only: the balance takes back the difference, the loan is behind again.
    frame.Grid()->SelectRow(1);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, EditQuestion,
                    PromptAnswer::Yes);
    driver.Expect([](QDialog& shown) {
        static_cast<TfmLoanTransactionsAddEdit&>(shown).TransactionAmount()->SetValue(300);
        PressButton(shown, "btnSave");
        return static_cast<int>(mrCancel);
    });
    frame.EditButton()->click();
    EXPECT_EQ(BalanceOn(loan, test::LoanToday), unpaid - Currency::fromUnits(300));
    EXPECT_EQ(AlertsOf("0000001"), behind);
    EXPECT_TRUE(Data()->HasAlerts);

    // Paid in full again, then deleted: back where it started.
    frame.Grid()->SelectRow(1);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, EditQuestion,
                    PromptAnswer::Yes);
    driver.Expect([](QDialog& shown) {
        static_cast<TfmLoanTransactionsAddEdit&>(shown).TransactionAmount()->SetValue(644.30);
        PressButton(shown, "btnSave");
        return static_cast<int>(mrCancel);
    });
    frame.EditButton()->click();
    EXPECT_FALSE(Data()->HasAlerts);
    frame.Grid()->SelectRow(1);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, DeleteQuestion,
                    PromptAnswer::Yes);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "Are you sure you wish to delete this record?", PromptAnswer::Yes);
    frame.DeleteButton()->click();
    EXPECT_EQ(loan.LoanTransactions->Count(), 0);
    EXPECT_EQ(BalanceOn(loan, test::LoanToday), unpaid);
    EXPECT_EQ(AlertsOf("0000001"), behind);
    EXPECT_TRUE(Data()->HasAlerts);
    EXPECT_TRUE(ShownDates().empty());
}

TEST_F(PaymentsTab, ALoanFoundBySearchIsChosenAndItsPaymentsShown) {
    AddLoan("0000002", "0000002", "0000002"); // Goldsmith, A
    AddLoan("0000003", "0000003", "0000003"); // Nguyen, Anh
    auto payment = MakeItem<TMorvaneLoanTransaction>(&Loan("0000002"));
    payment->TransactionDate = TDate(Day(2026, 3, 5));
    payment->TransactionAmount = Currency::fromUnits(250);
    Loan("0000002").LoanTransactions->Add(std::move(payment));
    EXPECT_EQ(frame.SearchButton()->LinkedGridBox, frame.LoanNumber());

    driver.Expect([](QDialog& shown) {
        auto& search = static_cast<TfmMortgageSearch&>(shown);
        search.SetSearchBy(lsfClientName);
        search.edtSearchText->setText("smith");
        search.btnSearchClick();
        std::vector<std::string> found;
        for (int row = 1; row < search.stgHeaderGrid->RowCount(); ++row)
            found.push_back(search.stgHeaderGrid->Cells(2, row));
        EXPECT_EQ(found, (std::vector<std::string>{"SMITH, J", "Goldsmith, A"}));
        search.stgHeaderGrid->SelectRow(2);
        search.btnOk->click();
        return static_cast<int>(mrCancel);
    });
    QTest::mouseClick(frame.SearchButton(), Qt::LeftButton);
    EXPECT_EQ(frame.LoanNumber()->Text().toStdString(), "0000002");
    EXPECT_EQ(frame.ChosenLoan(), &Loan("0000002"));
    EXPECT_EQ(ShownDates(), std::vector<std::string>{"05/03/2026"});
    EXPECT_TRUE(frame.AddButton()->isEnabled());
}

TEST_F(PaymentsTab, FollowsTheLoanList) {
    frame.ChooseLoan("0000001");
    StorePayment(Day(2026, 3, 2), 100);
    TMorvaneMortgage& added = AddLoan("0000002", "0000002", "0000002");
    EXPECT_EQ(frame.LoanNumber()->Items().Count(), 2);
    EXPECT_EQ(frame.LoanNumber()->GetCell(1, 1), "Goldsmith, A");
    EXPECT_EQ(frame.LoanNumber()->Text().toStdString(), "0000001"); // still chosen
    frame.ChooseLoan(added.LoanNumber);
    EXPECT_TRUE(ShownDates().empty());

    // The chosen loan goes: nothing is chosen, shown or pressable.
    Data()->Mortgages->Locate(Variant(std::string("0000002")));
    Data()->Mortgages->Delete();
    delete &added;
    EXPECT_EQ(frame.LoanNumber()->Items().Count(), 1);
    EXPECT_EQ(frame.LoanNumber()->Text().toStdString(), "");
    EXPECT_EQ(frame.Grid()->ObjectList(), nullptr);
    EXPECT_FALSE(frame.AddButton()->isEnabled());
}

} // namespace
} // namespace duebell
