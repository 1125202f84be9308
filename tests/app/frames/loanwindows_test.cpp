// The loan windows together: registered for their tabs (a deleted loan's configuration change
// waiting for the loan book's Save), and a loan with its payments entered
// through the dialogs works out to the cent as the same loan built directly in the loan book.
#include "app/dialogs/loantransactiondialog.h"
#include "app/frames/loantransactionsframe.h"
#include "app/frames/loanwindows.h"
#include "app/frames/mortgagesframe.h"
#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "dialogs/loanwindowsbook.h"
#include "domain/datafiles.h"
#include "domain/loantransactions.h"

#include <QTemporaryDir>
#include <cmath>
#include <filesystem>

namespace duebell {
namespace {

using test::Day;
using test::FillLoanDialog;
using test::LoanTerms;
using test::PressButton;

class LoanWindows : public test::LoanWindowsBook {};

TEST_F(LoanWindows, TheLoansAndLoanTransactionsTabsAreRegistered) {
    const QTemporaryDir folder;
    const std::string configurationFile = folder.filePath(ConfigurationFileName).toStdString();
    RegisterLoanWindows(configurationFile);

    WindowRequest payments;
    payments.loanNumber = "0000001";
    OpenedWindow opened = OpenWindow("TfmeLoanTransactions", payments);
    auto* transactions = dynamic_cast<TfmeLoanTransactions*>(opened.widget.get());
    ASSERT_NE(transactions, nullptr);
    EXPECT_EQ(transactions->ChosenLoan(), &Loan("0000001"));
    EXPECT_EQ(transactions->Grid()->ObjectList(), Loan("0000001").LoanTransactions.get());

    WindowRequest loans;
    loans.list = Data()->Mortgages.get();
    opened = OpenWindow("TfmeMortgages", loans);
    auto* mortgages = dynamic_cast<TfmeMortgages*>(opened.widget.get());
    ASSERT_NE(mortgages, nullptr);
    EXPECT_EQ(mortgages->Grid()->ObjectList(), Data()->Mortgages.get());
    EXPECT_EQ(mortgages->Grid()->Cells(0, 1), "0000001");
    // Deleting a saved loan with a rate history drops it; the file keeps it until the loan
    // book's Save.
    RememberSavedLoanBook(*Data());
    auto rates = MakeItem<TMorvaneMortgageRate>(Configuration());
    rates->LoanNumber = "0000001";
    Configuration()->MortgageRates->Add(std::move(rates));
    mortgages->Grid()->SelectRow(1);
    for (const char* question : {"WARNING!  Changing records may generate compliance issues\r"
                                 "Are you sure you wish to Delete this record?",
                                 "Are you sure you wish to delete this record?"})
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, question,
                        PromptAnswer::Yes);
    mortgages->DeleteButton()->click();
    EXPECT_EQ(Data()->Mortgages->Count(), 0);
    EXPECT_EQ(Configuration()->MortgageRates->Count(), 0);
    EXPECT_TRUE(RateHistoryHeldForLoanBook("0000001"));
    EXPECT_FALSE(std::filesystem::exists(configurationFile));
}

TEST_F(LoanWindows, ALoanEnteredThroughTheDialogsMatchesTheSameLoanBuiltInTheBookToTheCent) {
    TfmeMortgages loansTab(Data()->Mortgages.get(), {});
    TfmeLoanTransactions paymentsTab;
    LoanTerms terms;
    terms.amount = 250000;
    terms.deposit = 50000;
    terms.referenceRate = 6.5;
    terms.rateSpread = 1.25;
    terms.paymentPeriod = "Fortnightly";
    terms.term = 25;
    terms.drawdown = Day(2026, 2, 2);
    double calculated = 0;
    driver.Expect([&](QDialog& shown) {
        auto& dialog = static_cast<TfmMortgageAddEdit&>(shown);
        FillLoanDialog(dialog, terms);
        dialog.ContractDetails()->CalculatePayment();
        calculated = dialog.ContractDetails()->CalcPaymentAmount()->GetValue();
        PressButton(shown, "btnSave");
        return static_cast<int>(mrCancel);
    });
    loansTab.AddButton()->click();
    paymentsTab.ChooseLoan("0000002");
    // Three instalments, the last paid on a Saturday and deferred to the Tuesday after the
    // Monday holiday.
    const double paid[] = {Day(2026, 2, 16), Day(2026, 3, 2), Day(2026, 3, 14)};
    for (const double day : paid) {
        driver.Expect([day](QDialog& shown) {
            auto& dialog = static_cast<TfmLoanTransactionsAddEdit&>(shown);
            dialog.TransactionAmount()->SetValue(696.83);
            dialog.TransactionDate()->SetDate(day);
            PressButton(shown, "btnSave");
            return static_cast<int>(mrCancel);
        });
        if (day == Day(2026, 3, 14))
            prompter.Expect(PromptType::Error, PromptButtons::YesNo,
                            "The date you have selected is a non-business day.\rWould you like "
                            "to defer the transaction until the next business day (17/03/2026)",
                            PromptAnswer::Yes);
        paymentsTab.AddButton()->click();
        clock.Advance(1.0 / 86400);
    }
    const TMorvaneMortgage& entered = Loan("0000002");
    ASSERT_EQ(entered.LoanTransactions->Count(), 3);

    // The same loan, written straight into a loan book of its own.
    std::unique_ptr<TMorvaneData> book(CreateItem<TMorvaneData>(nullptr));
    auto made = MakeItem<TMorvaneMortgage>(book.get());
    made->LoanNumber = "0000002";
    TMorvaneContract& contract = *made->Contract;
    contract.PossessionDate = TDate(Day(2026, 2, 2));
    contract.ContractAmount = Currency::fromUnits(250000);
    contract.Deposit = Currency::fromUnits(50000);
    contract.ContractTerm = 25;
    contract.ReferenceRate = TPercentage{Currency::fromRaw(65000)};
    contract.RateSpread = TPercentage{Currency::fromRaw(12500)};
    contract.PaymentPeriod = "Fortnightly";
    contract.StatementPeriod = "Quarterly";
    made->RateChangePeriod = 1;
    for (const double day : {Day(2026, 2, 16), Day(2026, 3, 2), Day(2026, 3, 17)}) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(made.get());
        payment->TransactionDate = TDate(day);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = Currency::fromRaw(6968300);
        made->LoanTransactions->Add(std::move(payment));
        clock.Advance(1.0 / 86400);
    }
    TMorvaneMortgage& direct = *book->Mortgages->Add(std::move(made));
    direct.BuildLedger();

    EXPECT_EQ(entered.CalcPaymentAmount(), Currency::fromRaw(6968300)); // $696.83
    EXPECT_EQ(direct.CalcPaymentAmount(), entered.CalcPaymentAmount());
    EXPECT_EQ(std::llround(calculated * 100), 69683); // the calculator agrees
    for (const double day : {Day(2026, 2, 16), Day(2026, 3, 17), test::LoanToday})
        EXPECT_EQ(BalanceOn(entered, day), BalanceOn(direct, day)) << DateToStr(day);
    const std::vector<TLedgerDay>& enteredDays = entered.LocalTransactionDays.Ledger().Days();
    const std::vector<TLedgerDay>& directDays = direct.LocalTransactionDays.Ledger().Days();
    ASSERT_EQ(enteredDays.size(), directDays.size());
    for (std::size_t i = 0; i < directDays.size(); ++i) {
        ASSERT_EQ(enteredDays[i].Balance, directDays[i].Balance) << i;
        ASSERT_EQ(enteredDays[i].ShadowBalance, directDays[i].ShadowBalance) << i;
    }
    // Three instalments less interest since the draw-down leave less than the principal.
    EXPECT_LT(BalanceOn(entered, test::LoanToday), Currency::fromUnits(200000));
}

} // namespace
} // namespace duebell
