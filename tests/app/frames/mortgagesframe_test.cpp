// The "Loans" tab: adding a loan builds the ledger of the loan inserted, then opens the windows
// its answers ask for with the new loan; Add then Cancel does nothing; an edited loan is
// recalculated; a deleted loan takes its alerts, cleared alerts and rate history with it, so
// the next loan of its number inherits nothing; a saved loan's rate history waits for Save,
// another goes from the file at once.
#include "app/dialogs/mortgagedialog.h"
#include "app/frames/mortgagesframe.h"
#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "dialogs/loanwindowsbook.h"
#include "domain/alert.h"
#include "domain/loanbook.h"

namespace duebell {
namespace {

using test::Day;
using test::FillLoanDialog;
using test::LoanTerms;
using test::PressButton;

const std::string DeleteQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                   "Are you sure you wish to Delete this record?";
const std::string EditQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                 "Are you sure you wish to Edit this record?";
const std::string DeleteAgain = "Are you sure you wish to delete this record?";

class LoansTab : public test::LoanWindowsBook {
protected:
    LoansTab() {
        RememberSavedLoanBook(*Data()); // loan 1 is in the loan book's file
        // The windows the questions open: each records what it was asked and whether the new
        // loan's ledger existed by then.
        for (const char* name :
             {InstalmentFeesWindow, DrawdownReportWindow, InitialBookkeepingReportWindow})
            RegisterWindow(name, [this, name](const WindowRequest& request) {
                const TMorvaneMortgage* loan = Data()->FindMortgage(request.loanNumber);
                opened.push_back(std::string(name) + " " + request.loanNumber +
                                 (loan != nullptr && !loan->LocalTransactionDays.Ledger().Empty()
                                      ? " with ledger"
                                      : " without ledger"));
                OpenedWindow result;
                result.modalResult = feesResult;
                return result;
            });
    }

    // Presses Add and saves the dialog filled with the terms (or cancels it).
    void AddLoan(const LoanTerms& terms, bool save = true) {
        driver.Expect([&terms, save](QDialog& shown) {
            FillLoanDialog(static_cast<TfmMortgageAddEdit&>(shown), terms);
            PressButton(shown, save ? "btnSave" : "btnCancel");
            return static_cast<int>(mrCancel);
        });
        frame.AddButton()->click();
    }
    void SelectLoan(const std::string& number) {
        frame.Grid()->SelectRow(frame.Grid()->FindRow(&Loan(number)));
    }
    void DeleteLoan(const std::string& number, PromptAnswer answer) {
        SelectLoan(number);
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, DeleteQuestion,
                        PromptAnswer::Yes);
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, DeleteAgain, answer);
        frame.DeleteButton()->click();
    }

    std::vector<std::string> opened;
    int feesResult = mrOk;
    int configurationWrites = 0;
    TfmeMortgages frame{Data()->Mortgages.get(), [this] { ++configurationWrites; }};
};

TEST_F(LoansTab, ShowsTheLoansWithTheirAddressesAndClients) {
    EXPECT_EQ(frame.objectName().toStdString(), "fmeMortgages");
    EXPECT_EQ(frame.Grid()->Cells(0, 0), "Loan Number");
    EXPECT_EQ(frame.Grid()->Cells(1, 1), "12 Main St, Hilltop, QLD, 4000");
    EXPECT_EQ(frame.Grid()->Cells(2, 1), "SMITH, J");
}

TEST_F(LoansTab, AnAddedLoanHasItsLedgerBeforeTheWindowsItsAnswersOpen) {
    LoanTerms terms;
    terms.addFees = 0;
    terms.printDrawdown = 0;
    terms.printBookkeeping = 0;
    AddLoan(terms);
    EXPECT_EQ(opened, (std::vector<std::string>{"TfmFeesInstallmentConfig 0000002 with ledger",
                                                "TfmReportDrawDown 0000002 with ledger",
                                                "TfmReportAccountingInitial 0000002 with ledger"}));
    EXPECT_EQ(configurationWrites, 1); // the instalment fees ended with OK
    TMorvaneMortgage& loan = Loan("0000002");
    EXPECT_EQ(loan.PropertyCode, "0000002");
    EXPECT_EQ(frame.Grid()->SelectedObjects(), std::vector<TTovObject*>{&loan});
    // It belongs to the book: never paid, a payment due on 2 March, it is behind and says so.
    EXPECT_EQ(OwningLoanBook(loan), Data());
    EXPECT_EQ(BalanceOn(loan, Day(2026, 2, 2)), Currency::fromUnits(100000));
    EXPECT_FALSE(AlertsOf("0000002").empty());
    EXPECT_TRUE(Data()->HasAlerts);
    EXPECT_TRUE(DataModified());

    // Fees cancelled, no notices: the configuration stays unwritten.
    opened.clear();
    feesResult = mrCancel;
    terms.printDrawdown = 1;
    terms.printBookkeeping = 1;
    SetDataModified(false);
    AddLoan(terms);
    EXPECT_EQ(opened, std::vector<std::string>{"TfmFeesInstallmentConfig 0000003 with ledger"});
    EXPECT_EQ(configurationWrites, 1);
}

TEST_F(LoansTab, AddThenCancelDoesNothingAlsoWithNoLoans) {
    AddLoan(LoanTerms{}, false);
    EXPECT_EQ(Data()->Mortgages->Count(), 1);
    EXPECT_TRUE(Loan("0000001").LocalTransactionDays.Ledger().Empty()); // no ledger built
    DeleteLoan("0000001", PromptAnswer::Yes);
    ASSERT_EQ(Data()->Mortgages->Count(), 0);
    SetDataModified(false);

    LoanTerms terms;
    terms.addFees = 0;
    AddLoan(terms, false);
    EXPECT_EQ(Data()->Mortgages->Count(), 0);
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(DataModified());
}

TEST_F(LoansTab, AnEditedLoanIsRecalculated) {
    SelectLoan("0000001");
    const auto edit = [this](double amount, bool save) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, EditQuestion,
                        PromptAnswer::Yes);
        driver.Expect([amount, save](QDialog& shown) {
            auto& dialog = static_cast<TfmMortgageAddEdit&>(shown);
            dialog.ContractDetails()->ContractAmount()->SetValue(amount);
            dialog.AddInstallmentFees()->Item(1)->click();
            dialog.PrintDrawdownReport()->Item(1)->click();
            PressButton(shown, save ? "btnSave" : "btnCancel");
            return static_cast<int>(mrCancel);
        });
        frame.EditButton()->click();
    };
    edit(150000, false);
    EXPECT_TRUE(Loan("0000001").LocalTransactionDays.Ledger().Empty());
    EXPECT_FALSE(Data()->HasAlerts);

    edit(150000, true);
    const TMorvaneMortgage& loan = Loan("0000001");
    EXPECT_EQ(loan.Contract->ContractAmount, Currency::fromUnits(150000));
    EXPECT_EQ(BalanceOn(loan, Day(2026, 2, 2)), Currency::fromUnits(150000));
    // Never paid, a payment due on 2 March: the loan is behind and says so.
    EXPECT_FALSE(AlertsOf("0000001").empty());
    EXPECT_TRUE(Data()->HasAlerts);
    EXPECT_TRUE(opened.empty()); // an edit asks for no after-add window
}

TEST_F(LoansTab, ADeletedLoanTakesItsAlertsClearedAlertsAndRateHistoryWithIt) {
    // Loan 1 is behind; loan 2 is another loan with its own cleared alert and rate history.
    TMorvaneMortgage& other = test::LoanWindowsBook::AddLoan("0000002", "0000002", "0000002");
    other.Contract->PossessionDate = TDate(Day(2026, 3, 2));
    other.Contract->ContractAmount = Currency::fromUnits(50000);
    other.Contract->ContractTerm = 10;
    other.Contract->PaymentPeriod = "Monthly";
    other.Contract->StatementPeriod = "Monthly";
    Data()->RefreshAlerts();
    ASSERT_FALSE(AlertsOf("0000001").empty());
    const std::vector<std::string> otherAlerts = AlertsOf("0000002");
    for (const char* number : {"0000001", "0000002"}) {
        auto cleared = MakeItem<TMorvaneAlert>(Data());
        cleared->LoanNumber = number;
        cleared->AlertMessage = "Statement \"1\" now due";
        cleared->AlertDay = TDateTime(Day(2026, 5, 2));
        Data()->ClearedDuebells->Add(std::move(cleared));
        auto rates = MakeItem<TMorvaneMortgageRate>(Configuration());
        rates->LoanNumber = number;
        auto change = MakeItem<TMorvaneRateChange>(rates.get());
        change->TransactionDate = TDate(Day(2026, 2, 10));
        change->Rate = TPercentage{Currency::fromUnits(9)};
        rates->RateChanges->Add(std::move(change));
        Configuration()->MortgageRates->Add(std::move(rates));
    }

    DeleteLoan("0000001", PromptAnswer::No); // kept: nothing goes
    EXPECT_EQ(Data()->ClearedDuebells->Count(), 2);
    EXPECT_EQ(Configuration()->MortgageRates->Count(), 2);
    EXPECT_EQ(configurationWrites, 0);

    DeleteLoan("0000001", PromptAnswer::Yes);
    EXPECT_EQ(Data()->FindMortgage("0000001"), nullptr);
    EXPECT_TRUE(AlertsOf("0000001").empty());
    EXPECT_EQ(AlertsOf("0000002"), otherAlerts);
    EXPECT_EQ(Data()->HasAlerts, !otherAlerts.empty());
    ASSERT_EQ(Data()->ClearedDuebells->Count(), 1);
    EXPECT_EQ(Data()->ClearedDuebells->First()->GetPropertyValue("LoanNumber").AsString(),
              "0000002");
    ASSERT_EQ(Configuration()->MortgageRates->Count(), 1);
    EXPECT_EQ(Configuration()->MortgageRates->First()->GetPropertyValue("LoanNumber").AsString(),
              "0000002");
    // The configuration waits for the loan book: on disk the two stay a pair until Save.
    EXPECT_EQ(configurationWrites, 0);
    EXPECT_TRUE(ConfigurationHeldForLoanBook());

    // The other loan goes the same way; no saved loan has its number, so the file loses its
    // rate history at once.
    DeleteLoan("0000002", PromptAnswer::Yes);
    EXPECT_FALSE(Data()->HasAlerts);
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 0);
    EXPECT_EQ(configurationWrites, 1);
    EXPECT_TRUE(RateHistoryHeldForLoanBook("0000001"));
    EXPECT_FALSE(RateHistoryHeldForLoanBook("0000002"));

    // The next loan takes number 1 again, at the contract's own rate.
    AddLoan(LoanTerms{});
    const TMorvaneMortgage& next = Loan("0000001");
    const TLedgerDay* day = next.LocalTransactionDays.Ledger().Find(DayOf(Day(2026, 3, 18)));
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->ActualRate, Currency::fromUnits(6)); // 5 + 1, not the old 9
    EXPECT_EQ(configurationWrites, 1);
}

// A rate history written at once for a loan that was never saved: the loan added under its
// number takes none of it, and the file loses it at once, no saved loan having the number; the
// new loan goes with its alerts when deleted.
TEST_F(LoansTab, ALoanAddedOnTheTabTakesNothingLeftUnderItsNumberAndLeavesNothing) {
    auto rates = MakeItem<TMorvaneMortgageRate>(Configuration());
    rates->LoanNumber = "0000002";
    auto change = MakeItem<TMorvaneRateChange>(rates.get());
    change->TransactionDate = TDate(Day(2026, 2, 10));
    change->Rate = TPercentage{Currency::fromUnits(9)};
    rates->RateChanges->Add(std::move(change));
    Configuration()->MortgageRates->Add(std::move(rates));

    AddLoan(LoanTerms{});
    const TLedgerDay* day =
        Loan("0000002").LocalTransactionDays.Ledger().Find(DayOf(Day(2026, 3, 18)));
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->ActualRate, Currency::fromUnits(6)); // 5 + 1, not the 9 left behind
    EXPECT_EQ(Configuration()->MortgageRates->Count(), 0);
    EXPECT_FALSE(ConfigurationHeldForLoanBook());
    EXPECT_EQ(configurationWrites, 1);
    ASSERT_FALSE(AlertsOf("0000002").empty());

    DeleteLoan("0000002", PromptAnswer::Yes);
    EXPECT_TRUE(AlertsOf("0000002").empty());
    EXPECT_FALSE(Data()->HasAlerts); // loan 1 was never refreshed
}

TEST_F(LoansTab, ADeleteWithNoRateHistoryWritesNoConfiguration) {
    DeleteLoan("0000001", PromptAnswer::Yes);
    EXPECT_EQ(Data()->Mortgages->Count(), 0);
    EXPECT_EQ(configurationWrites, 0);
    EXPECT_FALSE(frame.EditButton()->isEnabled());
}

} // namespace
} // namespace duebell
