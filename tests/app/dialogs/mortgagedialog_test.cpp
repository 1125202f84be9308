// The loan dialog and its contract frame: the payment calculator, the Save-enabling rule, the
// address and name echoed from the pick lists, the checks of Save in their order, the new
// loan's number and date, the questions whose windows are missing, and the help topic.
#include "app/dialogs/paymentcalculator.h"
#include "app/framework/helpsystem.h"
#include "controls/modalresult.h"
#include "domain/datafiles.h"
#include "loanwindowsbook.h"
#include "objectlist/exceptions.h"
#include "support/helprecorder.h"

#include <QTest>
#include <filesystem>

namespace duebell {
namespace {

using test::Day;
using test::FillLoanDialog;
using test::LoanTerms;
using test::PressButton;

class LoanDialog : public test::LoanWindowsBook {
protected:
    // Runs the dialog on the loan; the answer looks at it and presses its buttons.
    int Run(TModifyMode mode, TMorvaneMortgage& loan,
            std::function<void(TfmMortgageAddEdit&)> answer) {
        driver.Expect([&answer](QDialog& shown) {
            answer(static_cast<TfmMortgageAddEdit&>(shown));
            return static_cast<int>(mrCancel);
        });
        return dialog.EditItem(mode, loan);
    }
    std::unique_ptr<TMorvaneMortgage> newLoan{MakeItem<TMorvaneMortgage>(nullptr)};
    TfmMortgageAddEdit dialog;
};

TEST(PaymentCalculator, PaymentsOverTheTermRoundHalfToEven) {
    const struct {
        int period;
        double years;
        int payments;
    } cases[] = {{1, 1.5, 39},  // fortnightly for a year and a half
                 {1, 0.25, 6},  // 6.5 rounds to the even 6
                 {1, 0.75, 20}, // 19.5 rounds to the even 20
                 {0, 1, 52},    // weekly
                 {2, 25, 300}}; // monthly
    for (const auto& c : cases)
        EXPECT_EQ(NumberOfPayments(c.period, c.years), c.payments) << c.period << " " << c.years;
    EXPECT_THROW(NumberOfPayments(3, 1), Exception);
    TPaymentCalculation none;
    none.ContractAmount = 1000;
    none.TermYears = 0;
    EXPECT_EQ(CalculatePayment(none), 0); // no payments: nothing to pay, no division by zero
}

TEST_F(LoanDialog, TheCalculatorGivesTheInstalmentOfTheTermsShownAndStoresNothing) {
    const struct {
        double amount, deposit, rate, spread;
        const char* period;
        double years;
        double payment; // worked by hand: r / (1 - (1 + r)^-n) x principal, to the cent
        const char* shown;
    } cases[] = {
        {100000, 0, 5, 1, "Monthly", 25, 644.30, "$644.30"},              // r 0.005, n 300
        {250000, 50000, 6.5, 1.25, "Fortnightly", 25, 696.83, "$696.83"}, // n 650
        {120000, 0, 0, 0, "Monthly", 10, 1000, "$1,000.00"},              // rate 0: 120000 / 120
    };
    for (const auto& c : cases) {
        TfmMortgageAddEdit calculating;
        driver.Expect([&](QDialog&) {
            LoanTerms terms;
            terms.amount = c.amount;
            terms.deposit = c.deposit;
            terms.referenceRate = c.rate;
            terms.rateSpread = c.spread;
            terms.paymentPeriod = c.period;
            terms.term = c.years;
            FillLoanDialog(calculating, terms);
            TfmeContractDetails& contract = *calculating.ContractDetails();
            QTest::mouseClick(contract.CalculateButton(), Qt::LeftButton);
            EXPECT_NEAR(contract.CalcPaymentAmount()->GetValue(), c.payment, 0.005) << c.shown;
            EXPECT_EQ(contract.CalcPaymentAmount()->DisplayText().toStdString(), c.shown);
            return static_cast<int>(mrCancel);
        });
        EXPECT_EQ(calculating.EditItem(mmAdd, *newLoan), mrCancel);
    }
    EXPECT_EQ(newLoan->Contract->ContractAmount, Currency());
    EXPECT_FALSE(DataModified());
}

TEST_F(LoanDialog, TheCalculatorRefusesWhatSaveRefusesFirstTheTypedText) {
    Run(mmAdd, *newLoan, [this](TfmMortgageAddEdit& shown) {
        TfmeContractDetails& contract = *shown.ContractDetails();
        // Twelve digits typed, and the button pressed with the focus still in the field.
        contract.ContractAmount()->setFocus();
        QTest::keyClicks(contract.ContractAmount(), "123456789012");
        contract.ContractTerm()->SetValue(1);
        ExpectError("\"Contract Amt.\": Value must be between 0.00 and 99999999.00");
        QTest::mouseClick(contract.CalculateButton(), Qt::LeftButton);
        EXPECT_EQ(contract.ContractAmount()->text(), "123456789012");
        // A deposit above the amount would make a loan of 100,000 less than nothing, whose
        // instalment is negative (-$833.33 a month over ten years at 0 %).
        contract.ContractAmount()->SetValue(100000);
        contract.ContractDeposit()->SetValue(200000);
        ExpectError("You must provide a value no greater than the contract amount ($100,000.00) "
                    "for the \"Deposit\" field");
        QTest::mouseClick(contract.CalculateButton(), Qt::LeftButton);
        contract.ContractDeposit()->SetValue(0);
        contract.PaymentPeriod()->setCurrentIndex(-1);
        ExpectError("You must provide a value for the \"Pay Period\" field");
        QTest::mouseClick(contract.CalculateButton(), Qt::LeftButton);
        EXPECT_EQ(contract.CalcPaymentAmount()->GetValue(), 0);
    });
}

TEST_F(LoanDialog, SaveWaitsForBothAnswersAndBothPickListsInEveryMode) {
    Run(mmAdd, *newLoan, [](TfmMortgageAddEdit& shown) {
        QPushButton* save = shown.findChild<QPushButton*>("btnSave");
        std::vector<bool> states{save->isEnabled()};
        shown.PrintBookkeepingReport()->Item(0)->setEnabled(true);
        shown.PrintBookkeepingReport()->Item(0)->click(); // takes no part in the rule
        states.push_back(save->isEnabled());
        shown.AddInstallmentFees()->Item(1)->click();
        states.push_back(save->isEnabled());
        shown.PrintDrawdownReport()->Item(1)->click();
        states.push_back(save->isEnabled()); // answered, but no property or client yet
        shown.PropertyCode()->SetItemIndex(2);
        states.push_back(save->isEnabled());
        shown.ClientCode()->SetItemIndex(0);
        states.push_back(save->isEnabled());
        shown.ClientCode()->SetItemIndex(-1);
        states.push_back(save->isEnabled());
        EXPECT_EQ(states, (std::vector<bool>{false, false, false, false, false, true, false}));
    });

    // Editing a loan whose codes are chosen still waits for the two answers.
    Run(mmEdit, Loan("0000001"), [](TfmMortgageAddEdit& shown) {
        QPushButton* save = shown.findChild<QPushButton*>("btnSave");
        EXPECT_EQ(shown.PropertyCode()->ItemIndex(), 0);
        EXPECT_EQ(shown.ClientCode()->ItemIndex(), 0);
        EXPECT_FALSE(save->isEnabled());
        shown.PrintDrawdownReport()->Item(1)->click();
        EXPECT_FALSE(save->isEnabled());
        shown.AddInstallmentFees()->Item(1)->click();
        EXPECT_TRUE(save->isEnabled());
    });

    // A loan whose property is no longer in the book shows no address and cannot be saved.
    Loan("0000001").PropertyCode = "0000009";
    Run(mmView, Loan("0000001"), [](TfmMortgageAddEdit& shown) {
        shown.PrintDrawdownReport()->Item(1)->click();
        shown.AddInstallmentFees()->Item(1)->click();
        EXPECT_EQ(shown.PropertyAddress()->text(), "");
        EXPECT_EQ(shown.ClientName()->text(), "SMITH, J");
        EXPECT_FALSE(shown.findChild<QPushButton*>("btnSave")->isEnabled());
    });
}

TEST_F(LoanDialog, APickedPropertyAndClientShowTheirAddressAndName) {
    Run(mmEdit, Loan("0000001"), [](TfmMortgageAddEdit& shown) {
        EXPECT_EQ(shown.LoanNumber()->text(), "0000001");
        EXPECT_EQ(shown.PropertyAddress()->text(), "12 Main St, Hilltop, QLD, 4000");
        EXPECT_EQ(shown.ClientName()->text(), "SMITH, J");
        shown.PropertyCode()->SetItemIndex(shown.PropertyCode()->FindRow("0000002"));
        shown.ClientCode()->SetItemIndex(shown.ClientCode()->FindRow("0000003"));
        EXPECT_EQ(shown.PropertyAddress()->text(), "7 River Rd, Riverside, QLD, 4000");
        EXPECT_EQ(shown.ClientName()->text(), "Nguyen, Anh");
    });
    EXPECT_EQ(Loan("0000001").PropertyCode, "0000001"); // cancelled: nothing written
}

TEST_F(LoanDialog, ANewLoanGetsTheNextNumberAndTodayAndNoAnswers) {
    Run(mmAdd, *newLoan, [](TfmMortgageAddEdit& shown) {
        EXPECT_EQ(shown.LoanNumber()->text(), "0000002");
        EXPECT_TRUE(shown.LoanNumber()->isReadOnly());
        EXPECT_EQ(shown.ContractDetails()->DrawdownDate()->Date(), test::LoanToday);
        for (TYesNoGroup* question : {shown.AddInstallmentFees(), shown.PrintDrawdownReport(),
                                      shown.PrintBookkeepingReport()})
            EXPECT_EQ(question->ItemIndex(), -1) << question->objectName().toStdString();
        EXPECT_EQ(shown.PropertyCode()->ItemIndex(), -1);
        EXPECT_EQ(shown.PropertyCode()->Items().Count(), 3);
        EXPECT_EQ(shown.ClientCode()->GetCell(1, 1), "Goldsmith, A");
        EXPECT_EQ(shown.windowTitle().toStdString(), "Add/Edit Loan");
    });
}

TEST_F(LoanDialog, AQuestionWhoseWindowTheProgramLacksCannotBeAnsweredYes) {
    RegisterWindow(InstalmentFeesWindow, [](const WindowRequest&) { return OpenedWindow{}; });
    RegisterWindow(InitialBookkeepingReportWindow,
                   [](const WindowRequest&) { return OpenedWindow{}; });
    TfmMortgageAddEdit asking;
    EXPECT_TRUE(asking.AddInstallmentFees()->Item(0)->isEnabled());
    EXPECT_FALSE(asking.PrintDrawdownReport()->Item(0)->isEnabled());
    EXPECT_TRUE(asking.PrintDrawdownReport()->Item(1)->isEnabled());
    EXPECT_TRUE(asking.PrintBookkeepingReport()->Item(0)->isEnabled());
}

TEST_F(LoanDialog, SaveChecksAmountDepositTermRateThenTheTextsInThatOrder) {
    Run(mmAdd, *newLoan, [this](TfmMortgageAddEdit& shown) {
        LoanTerms terms;
        terms.amount = 0;
        terms.term = 0;
        terms.referenceRate = 0; // a reference rate of 0 passes
        terms.rateSpread = 0;
        terms.bank = "";
        terms.bsb = "";
        FillLoanDialog(shown, terms);
        TfmeContractDetails& contract = *shown.ContractDetails();
        int asked = prompter.asked();
        const auto refused = [&](const std::string& message) {
            ExpectError(message);
            PressButton(shown, "btnSave");
            EXPECT_EQ(prompter.asked(), asked + 1) << message;
            asked = prompter.asked();
            EXPECT_EQ(shown.result(), 0) << message; // still open
        };
        refused("You must provide a non-zero value for the \"Contract Amount\" field");
        contract.ContractAmount()->SetValue(150000);
        contract.ContractDeposit()->SetValue(150000.01);
        refused("You must provide a value no greater than the contract amount ($150,000.00) for "
                "the \"Deposit\" field");
        contract.ContractDeposit()->SetValue(150000); // no loan at all, but nothing negative
        refused("You must provide a non-zero value for the \"Term\" field");
        contract.ContractDeposit()->SetValue(0);
        contract.ContractTerm()->setText("101"); // more than the calculations take
        refused("\"Loan Term\": Value must be a whole number between 0 and 100");
        contract.ContractTerm()->setText("30");
        contract.PaymentPeriod()->setCurrentIndex(-1);
        refused("You must provide a value for the \"Pay Period\" field");
        contract.PaymentPeriod()->setCurrentIndex(0);
        refused("You must provide a value for the \"Bank\" field");
        contract.BankList()->setText("Hilltop Bank");
        refused("You must provide a value for the \"BSB\" field");
        contract.BankBSB()->setText("064-000");
        PressButton(shown, "btnSave");
    });
    EXPECT_EQ(newLoan->Contract->ContractAmount, Currency::fromUnits(150000));
    EXPECT_EQ(newLoan->Contract->Deposit, Currency());
    EXPECT_EQ(newLoan->Contract->ContractTerm, 30);
    EXPECT_EQ(newLoan->Contract->PaymentPeriod, "Weekly");
    EXPECT_EQ(newLoan->Contract->StatementPeriod, "Quarterly");
    EXPECT_EQ(newLoan->Contract->ReferenceRate, TPercentage{});
    EXPECT_EQ(newLoan->Contract->PossessionDate, TDate(Day(2026, 2, 2)));
    EXPECT_EQ(newLoan->LoanNumber, "0000002");
    EXPECT_EQ(newLoan->PropertyCode, "0000002");
    EXPECT_EQ(newLoan->ClientCode, "0000002");
    EXPECT_EQ(newLoan->BankDetails->BankName, "Hilltop Bank");
    EXPECT_EQ(newLoan->BankDetails->BSBNo, "064-000");
    EXPECT_EQ(newLoan->BankDetails->AccountNo, "1234 5678");
    EXPECT_TRUE(DataModified());
}

TEST_F(LoanDialog, TypedValuesTheFieldsCannotHoldAreRefusedNamingTheFieldNeverChanged) {
    Run(mmEdit, Loan("0000001"), [this](TfmMortgageAddEdit& shown) {
        TfmeContractDetails& contract = *shown.ContractDetails();
        const int asked = prompter.asked();
        const auto type = [](QWidget* field, const char* keys) {
            field->setFocus();
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, keys);
        };
        const std::string amounts = "Value must be between 0.00 and 99999999.00";
        ExpectError("\"Deposit\": \"-\" cannot be typed here. " + amounts);
        type(contract.ContractDeposit(), "-5000");
        ExpectError("\"Rate Spread (%)\": \"-\" cannot be typed here. Value must be between "
                    "0.0000 and 100.0000");
        type(contract.RateSpread(), "-2.5");
        ExpectError("\"Contract Amt.\": \"a\" cannot be typed here. " + amounts);
        type(contract.ContractAmount(), "a");
        // Each key a whole number cannot take is refused saying so: "abc2.5x" is not 25 years
        // without a word.
        for (const char* key : {"a", "b", "c", ".", "x"})
            ExpectError("\"Loan Term\": \"" + std::string(key) +
                        "\" cannot be typed here. Value must be a whole number between 0 and 100");
        type(contract.ContractTerm(), "abc2.5x");
        EXPECT_EQ(contract.ContractTerm()->text(), "25");
        // Twelve digits are typed, and refused by Save (as by leaving the field).
        type(contract.ContractAmount(), "123456789012");
        shown.AddInstallmentFees()->Item(1)->click();
        shown.PrintDrawdownReport()->Item(1)->click();
        ExpectError("\"Contract Amt.\": " + amounts);
        PressButton(shown, "btnSave");
        EXPECT_EQ(shown.result(), 0); // still open
        EXPECT_EQ(contract.ContractAmount()->text(), "123456789012");
        EXPECT_EQ(prompter.asked(), asked + 9);
    });
}

TEST_F(LoanDialog, RatesKeepTheirDecimalsIntoTheLoan) {
    const int result = Run(mmEdit, Loan("0000001"), [](TfmMortgageAddEdit& shown) {
        TfmeContractDetails& contract = *shown.ContractDetails();
        EXPECT_EQ(contract.ReferenceRate()->DisplayText().toStdString(), "5");
        contract.ReferenceRate()->SetValue(6.125);
        contract.RateSpread()->SetValue(0.0125);
        EXPECT_EQ(contract.ReferenceRate()->DisplayText().toStdString(), "6.125");
        shown.AddInstallmentFees()->Item(1)->click();
        shown.PrintDrawdownReport()->Item(1)->click();
        PressButton(shown, "btnSave");
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Loan("0000001").Contract->ReferenceRate, TPercentage{Currency::fromRaw(61250)});
    EXPECT_EQ(Loan("0000001").Contract->RateSpread, TPercentage{Currency::fromRaw(125)});
}

TEST_F(LoanDialog, HelpOpensTheLoanTopic) {
    // The help the program is delivered with, from the source tree.
    const std::filesystem::path source =
        std::filesystem::path(DUEBELL_TEST_DATA_DIR).parent_path() / "../../..";
    LoadHelpTopicsFile((source / "app/help/content" / HelpTopicsFileName).string());
    test::HelpRecorder help;
    Run(mmAdd, *newLoan, [](TfmMortgageAddEdit& shown) { PressButton(shown, "btnHelp"); });
    EXPECT_EQ(help.requests, std::vector<std::string>{"context 570"});
}

} // namespace
} // namespace duebell
