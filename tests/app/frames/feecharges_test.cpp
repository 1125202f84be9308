// The "Full Fee Transactions" tab through its real frame and dialogs: fee numbers, the fee
// notice offered after a saved charge only, deferral off a non-business day when adding, the
// payments of the selected charge and the balance they leave, the date window, the ledger
// rebuilt after every change, the help topics, the registered windows, and a picture.
#include "app/dialogs/mortgagesearch.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/frames/feechargesframe.h"
#include "app/frames/feewindows.h"
#include "app/framework/objectlistgrid.h"
#include "controls/datepicker.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/datafiles.h"
#include "domain/money.h"
#include "domain/recordowners.h"
#include "support/feebook.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

namespace duebell {
namespace {

using test::Day;
using test::FeeToday;
using test::Named;
using test::Press;

const std::string OfferNotice = "Would you like to print a fee notice for this fee charge?";
const std::string EditQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                 "Are you sure you wish to Edit this record?";
const std::string DeleteQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                   "Are you sure you wish to Delete this record?";
const std::string DeleteAgain = "Are you sure you wish to delete this record?";

std::string Deferral(const std::string& nextBusinessDay) {
    return "The date you have selected is a non-business day.\rWould you like to defer the "
           "transaction until the next business day (" +
           nextBusinessDay + ")";
}

class FeeCharges : public test::FeeBook {
protected:
    FeeCharges() { RecordReports({"TfmReportFullFees"}); }

    void ChooseLoan(const std::string& number = "0000001") {
        frame.LoanBox()->SetItemIndex(frame.LoanBox()->FindRow(number));
    }
    std::vector<std::string> Column(const TfmeCustomHeaderFrame& shown, int col) const {
        std::vector<std::string> cells;
        for (int row = 1; row < shown.Grid()->RowCount(); ++row)
            cells.push_back(shown.Grid()->Cells(col, row));
        return cells;
    }
    // The full fees owed at the end of the loan's ledger; "none" without a ledger.
    static std::string FeeBalance() {
        const TLedger& ledger = Loan().LocalTransactionDays.Ledger();
        return ledger.Empty() ? "none" : FormatMoney(ledger.Days().back().FeeBalance);
    }
    // A charge added through the dialog, on a date, of an amount.
    void AddThroughDialog(TDate date, double amount, const std::function<void()>& questions = {}) {
        driver.Expect([&, date, amount](QDialog& shown) {
            Named<TDatePicker>(shown, "edtTransactionDate")->SetDate(date.value);
            Named<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(amount);
            if (questions)
                questions();
            Press(shown, "btnSave");
            return mrNone;
        });
        frame.AddButton()->click();
    }

    TfmeFeeTransaction frame;
};

TEST_F(FeeCharges, ChargesTakeTheLoansNextNumberNeverUsedTwice) {
    Loan().LastFeeNumber = 4;
    ChooseLoan();
    driver.Expect([&](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "Add/Edit Full Fee Transaction");
        auto* types = Named<QComboBox>(shown, "cmbFeeDescription");
        EXPECT_EQ(types->count(), 2);
        EXPECT_EQ(types->itemText(1), "Insurance");
        EXPECT_EQ(types->currentText(), "Council Rates");
        EXPECT_EQ(DateToStr(Named<TDatePicker>(shown, "edtTransactionDate")->Date()), "20/03/2026");
        EXPECT_FALSE(Named<QWidget>(shown, "edtFeeNumber")->isVisibleTo(&shown));
        Named<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(250);
        Ask(OfferNotice, PromptAnswer::Yes);
        Press(shown, "btnSave");
        return mrNone;
    });
    frame.AddButton()->click();
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{"5"}));
    EXPECT_EQ(frame.Grid()->Cells(2, 1), "20/04/2026"); // 30 days' notice, Sunday deferred
    EXPECT_EQ(frame.Grid()->Cells(5, 1), "$250.00");
    EXPECT_EQ(opened, (std::vector<std::string>{"TfmReportFullFees 0000001 5"}));
    EXPECT_EQ(FeeBalance(), "$250.00");

    // Deleting asks twice, offers no notice and rebuilds the loan.
    frame.Grid()->SelectRow(1);
    Ask(DeleteQuestion, PromptAnswer::Yes);
    Ask(DeleteAgain, PromptAnswer::Yes);
    frame.DeleteButton()->click();
    EXPECT_EQ(Loan().FeeTransactions->Count(), 0);
    EXPECT_EQ(FeeBalance(), "$0.00");

    Ask(OfferNotice, PromptAnswer::No);
    AddThroughDialog(FeeToday, 80);
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{"6"}));
    EXPECT_EQ(Loan().LastFeeNumber, 6);
    EXPECT_TRUE(DataModified());
}

TEST_F(FeeCharges, AnEditKeepsItsNumberAndOnlyASavedOneOffersTheNotice) {
    AddCharge(Loan(), 3, Day(2026, 3, 15), "Insurance", 120); // a Sunday
    ChooseLoan();
    frame.Grid()->SelectRow(1);

    Ask(EditQuestion, PromptAnswer::Yes);
    driver.Expect([](QDialog& shown) {
        EXPECT_FALSE(Named<QWidget>(shown, "edtTransactionDate")->isEnabled());
        EXPECT_FALSE(Named<QWidget>(shown, "cmbFeeDescription")->isEnabled());
        Named<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(999);
        Press(shown, "btnCancel");
        return mrNone;
    });
    frame.EditButton()->click(); // cancelled: no question, yet the loan is rebuilt
    EXPECT_EQ(FeeBalance(), "$120.00");

    Ask(EditQuestion, PromptAnswer::Yes);
    driver.Expect([&](QDialog& shown) {
        Named<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(150);
        Ask(OfferNotice, PromptAnswer::Yes); // no deferral question for the Sunday it keeps
        Press(shown, "btnSave");
        return mrNone;
    });
    frame.EditButton()->click();
    const auto& charge = *static_cast<TMorvaneFeeTransaction*>(Loan().FeeTransactions->First());
    EXPECT_EQ(charge.FeeNumber, 3);
    EXPECT_EQ(charge.TransactionDate, Day(2026, 3, 15));
    EXPECT_EQ(charge.FeeAmount, Currency::fromUnits(150));
    EXPECT_EQ(Loan().LastFeeNumber, 0);
    EXPECT_EQ(opened, (std::vector<std::string>{"TfmReportFullFees 0000001 3"}));
    EXPECT_EQ(FeeBalance(), "$150.00");
}

// What a stopped instalment fee still owed is charged under a description no fee type has.
TEST_F(FeeCharges, AChargeConvertedFromAnInstalmentFeeCanBeEdited) {
    AddCharge(Loan(), 2, Day(2026, 3, 16), "Instalment Fee - Legal Fees", 380);
    ChooseLoan();
    frame.Grid()->SelectRow(1);
    Ask(EditQuestion, PromptAnswer::Yes);
    driver.Expect([&](QDialog& shown) {
        auto* description = Named<QComboBox>(shown, "cmbFeeDescription");
        EXPECT_EQ(description->currentText(), "Instalment Fee - Legal Fees");
        EXPECT_FALSE(description->isEnabled());
        Named<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(300);
        Ask(OfferNotice, PromptAnswer::No);
        Press(shown, "btnSave");
        return mrNone;
    });
    frame.EditButton()->click();
    const auto& charge = *static_cast<TMorvaneFeeTransaction*>(Loan().FeeTransactions->First());
    EXPECT_EQ(charge.FeeDescription, "Instalment Fee - Legal Fees");
    EXPECT_EQ(charge.FeeAmount, Currency::fromUnits(300));
    EXPECT_EQ(FeeBalance(), "$300.00");
}

TEST_F(FeeCharges, ANewChargeOnANonBusinessDayMayBeDeferred) {
    ChooseLoan();
    AddThroughDialog(Day(2026, 4, 3), 40, [&] { // Good Friday; No keeps it
        prompter.Expect(PromptType::Error, PromptButtons::YesNo, Deferral("06/04/2026"),
                        PromptAnswer::No);
        Ask(OfferNotice, PromptAnswer::No);
    });
    AddThroughDialog(Day(2026, 3, 21), 50, [&] { // a Saturday; Yes moves it to Monday
        prompter.Expect(PromptType::Error, PromptButtons::YesNo, Deferral("23/03/2026"),
                        PromptAnswer::Yes);
        Ask(OfferNotice, PromptAnswer::No);
    });
    EXPECT_EQ(Column(frame, 1), (std::vector<std::string>{"23/03/2026", "03/04/2026"}));
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{"2", "1"}));
}

TEST_F(FeeCharges, TheChosenChargesPaymentsAreItsOwnAndLeaveItsBalance) {
    TMorvaneFeeTransaction& charge = AddCharge(Loan(), 1, Day(2026, 3, 2), "Council Rates", 500);
    AddCharge(Loan(), 2, Day(2026, 3, 9), "Insurance", 90);
    ChooseLoan();
    TfmeCustomHeaderFrame& payments = *frame.PaymentsFrame();
    EXPECT_EQ(payments.HeaderBox()->title(), " Full Fee Payment History ");
    frame.Grid()->SelectRow(1);
    EXPECT_EQ(payments.Grid()->ObjectList(), charge.FeePayments.get());
    for (const double amount : {200.0, 50.0}) {
        driver.Expect([amount](QDialog& shown) {
            EXPECT_EQ(shown.windowTitle(), "Add/Edit Full Fee Payment");
            EXPECT_EQ(DateToStr(Named<TDatePicker>(shown, "edtTransactionDate")->Date()),
                      "20/03/2026");
            Named<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(amount);
            Press(shown, "btnSave");
            return mrNone;
        });
        payments.AddButton()->click(); // no notice for a payment
        clock.Advance(1.0 / 86400);    // entered a second apart: the time of entry is a key
    }
    ASSERT_EQ(charge.FeePayments->Count(), 2);
    for (TTovObjectItem* payment : *charge.FeePayments) {
        EXPECT_EQ(payment->Owner(), &charge); // a payment lives in its charge
        EXPECT_EQ(FindOwner<TMorvaneMortgage>(*payment), &Loan());
    }
    EXPECT_EQ(Column(payments, 1), (std::vector<std::string>{"$200.00", "$50.00"}));
    EXPECT_EQ(Column(frame, 5), (std::vector<std::string>{"$250.00", "$90.00"}));
    EXPECT_EQ(FeeBalance(), "$340.00"); // 500 + 90 - 250

    // Deleting a payment rebuilds the loan too.
    payments.Grid()->SelectRow(2);
    Ask(DeleteQuestion, PromptAnswer::Yes);
    Ask(DeleteAgain, PromptAnswer::Yes);
    payments.DeleteButton()->click();
    EXPECT_EQ(Column(frame, 5), (std::vector<std::string>{"$300.00", "$90.00"}));
    EXPECT_EQ(FeeBalance(), "$390.00");

    frame.Grid()->SelectRow(2);
    EXPECT_EQ(Column(payments, 0), (std::vector<std::string>{""}));
    // With no charge shown there are no payments to add to.
    frame.StartDate()->SetDate(Day(2026, 3, 10).value);
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{""}));
    EXPECT_EQ(payments.Grid()->ObjectList(), nullptr);
    EXPECT_FALSE(payments.AddButton()->isEnabled());
}

TEST_F(FeeCharges, TheDateWindowShowsChargesFromAndToItsDates) {
    EXPECT_EQ(DateToStr(frame.StartDate()->Date()), "20/03/2025");
    EXPECT_EQ(DateToStr(frame.EndDate()->Date()), "20/04/2026");
    EXPECT_FALSE(frame.HeaderButtonPanel()->isEnabled()); // no loan chosen
    int number = 0;
    for (const TDate date : {Day(2026, 1, 31), Day(2026, 2, 1), Day(2026, 4, 20), Day(2026, 4, 21)})
        AddCharge(Loan(), ++number, date, "Insurance", 10);
    // The loan found by search is chosen.
    auto* search = Named<TMorvaneMortgageSearchButton>(frame, "MorvaneMortgageSearchButton1");
    EXPECT_EQ(search->LinkedGridBox, frame.LoanBox());
    driver.Expect([](QDialog& shown) {
        auto& found = static_cast<TfmMortgageSearch&>(shown);
        found.stgHeaderGrid->SelectRow(1);
        found.btnOk->click();
        return static_cast<int>(mrCancel);
    });
    search->Click();
    EXPECT_EQ(frame.ChosenLoan(), &Loan());
    EXPECT_TRUE(frame.HeaderButtonPanel()->isEnabled());
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{"1", "2", "3"}));
    frame.StartDate()->SetDate(Day(2026, 2, 1).value);
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{"2", "3"}));
}

TEST_F(FeeCharges, TheChosenLoanGoingTakesItsChargesAndPaymentsOffTheTab) {
    TMorvaneFeeTransaction& charge =
        AddCharge(Loan("0000002"), 1, Day(2026, 3, 2), "Insurance", 75);
    auto payment = MakeItem<TMorvaneFeePayment>(&charge);
    payment->TransactionDate = TDateTime(Day(2026, 3, 6).value);
    payment->FeePaymentAmount = Currency::fromUnits(25);
    charge.FeePayments->Add(std::move(payment));
    ChooseLoan("0000002");
    frame.Grid()->SelectRow(1);
    ASSERT_EQ(frame.PaymentsFrame()->Grid()->ObjectList(), charge.FeePayments.get());

    TMorvaneMortgage* gone = &Loan("0000002");
    Data()->Mortgages->Locate(Variant(std::string("0000002")));
    Data()->Mortgages->Delete();
    delete gone;
    EXPECT_EQ(frame.LoanBox()->Items().Count(), 2);
    EXPECT_EQ(frame.ChosenLoan(), nullptr);
    EXPECT_EQ(frame.Grid()->ObjectList(), nullptr);
    EXPECT_EQ(frame.PaymentsFrame()->Grid()->ObjectList(), nullptr);
    EXPECT_FALSE(frame.HeaderButtonPanel()->isEnabled());
    EXPECT_FALSE(frame.PaymentsFrame()->AddButton()->isEnabled());
}

TEST_F(FeeCharges, AClickOnTheFreePartOfTheButtonPanelRebuildsTheLoan) {
    AddCharge(Loan(), 1, Day(2026, 3, 2), "Insurance", 75);
    ChooseLoan();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(FeeBalance(), "none");
    QWidget* panel = frame.HeaderButtonAlignment();
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(panel->width() - 5, panel->height() / 2));
    EXPECT_EQ(FeeBalance(), "$75.00");
}

TEST_F(FeeCharges, WithoutFeeTypesNoChargeCanBeSaved) {
    Configuration()->FeeList->FreeAll();
    ChooseLoan();
    driver.Expect([&](QDialog& shown) {
        EXPECT_EQ(Named<QComboBox>(shown, "cmbFeeDescription")->count(), 0);
        Named<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(10);
        ExpectError("You must provide a value for the \"Fee Description\" field");
        Press(shown, "btnSave");
        Press(shown, "btnCancel");
        return mrNone;
    });
    frame.AddButton()->click();
    EXPECT_EQ(Loan().FeeTransactions->Count(), 0);
    EXPECT_EQ(Loan().LastFeeNumber, 0);
}

TEST_F(FeeCharges, TheChargeAndPaymentDialogsOpenTheirHelpTopics) {
    const std::filesystem::path tests = std::filesystem::path(DUEBELL_TEST_DATA_DIR).parent_path();
    LoadHelpTopicsFile((tests / "../../../app/help/content/MV_HELP.XML").string());
    AddCharge(Loan(), 1, Day(2026, 3, 2), "Insurance", 75);
    ChooseLoan();
    frame.Grid()->SelectRow(1);
    for (QPushButton* add : {frame.AddButton(), frame.PaymentsFrame()->AddButton()}) {
        driver.Expect([](QDialog& shown) {
            Press(shown, "btnHelp");
            Press(shown, "btnCancel");
            return mrNone;
        });
        add->click();
    }
    EXPECT_EQ(help.requests, (std::vector<std::string>{"context 611", "context 612"}));
}

TEST_F(FeeCharges, TheFeeWindowsAreRegisteredByTheirNames) {
    RegisterFeeWindows();
    EXPECT_TRUE(IsWindowRegistered("TfmFeesInstallmentConfig"));
    EXPECT_TRUE(IsWindowRegistered("TfmeFeeTransaction"));
    const OpenedWindow tab = OpenWindow("TfmeFeeTransaction");
    EXPECT_NE(dynamic_cast<TfmeFeeTransaction*>(tab.widget.get()), nullptr);

    // A new loan's instalment fees: the list opens on that loan.
    driver.Expect([](QDialog& shown) {
        EXPECT_EQ(shown.objectName(), "fmFeesInstallmentConfig");
        EXPECT_EQ(Named<TGridBox>(shown, "cmbLoanNumber")->Text(), "0000002");
        const auto* grid = Named<TTovObjectListGrid>(shown, "stgHeaderGrid");
        EXPECT_EQ(grid->Cells(0, 1), "Arrears Administration Fee");
        Press(shown, "btnSave");
        return mrNone;
    });
    WindowRequest request;
    request.loanNumber = "0000002";
    EXPECT_EQ(OpenWindow("TfmFeesInstallmentConfig", request).modalResult, mrOk);
    EXPECT_EQ(Loan("0000002").InstallmentFees->Count(), 0);
}

TEST_F(FeeCharges, APictureOfTheTabWithAChargeAndItsPayments) {
    TMorvaneFeeTransaction& rates = AddCharge(Loan(), 1, Day(2026, 3, 2), "Council Rates", 500);
    AddCharge(Loan(), 2, Day(2026, 3, 9), "Insurance", 90);
    for (const auto& [date, dollars] : {std::pair{Day(2026, 3, 6), 200}, {Day(2026, 3, 13), 50}}) {
        auto payment = MakeItem<TMorvaneFeePayment>(&rates);
        payment->TransactionDate = TDateTime(date.value);
        payment->FeePaymentAmount = Currency::fromUnits(dollars);
        rates.FeePayments->Add(std::move(payment));
    }
    ChooseLoan();
    frame.Grid()->SelectRow(1);
    frame.resize(720, 520);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QImage shot = frame.grab().toImage();
    const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/feecharges_tab.png";
    EXPECT_TRUE(shot.save(QString::fromStdString(path))) << path;
    EXPECT_EQ(Column(frame, 5), (std::vector<std::string>{"$250.00", "$90.00"}));
    EXPECT_FALSE(frame.Grid()->horizontalScrollBar()->isVisible()); // every column fits
    EXPECT_EQ(Column(*frame.PaymentsFrame(), 0),
              (std::vector<std::string>{"06/03/2026", "13/03/2026"}));
    // The payments sit below the charges' buttons.
    EXPECT_GT(frame.PaymentsFrame()->mapTo(&frame, QPoint(0, 0)).y(),
              frame.AddButton()->mapTo(&frame, QPoint(0, 0)).y());
}

} // namespace
} // namespace duebell
