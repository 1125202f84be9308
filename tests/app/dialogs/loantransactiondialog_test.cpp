// The payment dialog: a new payment's date and type, the amount and contract checks, the offer
// to defer a weekend or holiday payment to the next business day (Yes, No, or a day past the
// contract), and an edit that cannot move a payment's date.
#include "app/dialogs/loantransactiondialog.h"
#include "controls/datepicker.h"
#include "controls/modalresult.h"
#include "domain/loantransactions.h"
#include "loanwindowsbook.h"

#include <QTest>

namespace duebell {
namespace {

using test::Day;
using test::PressButton;

class PaymentDialog : public test::LoanWindowsBook {
protected:
    // Runs the dialog on the payment; the answer fills it and presses its buttons.
    int Run(TModifyMode mode, TMorvaneLoanTransaction& payment,
            std::function<void(TfmLoanTransactionsAddEdit&)> answer) {
        driver.Expect([&answer](QDialog& shown) {
            answer(static_cast<TfmLoanTransactionsAddEdit&>(shown));
            return static_cast<int>(mrCancel);
        });
        TfmLoanTransactionsAddEdit dialog;
        return dialog.EditItem(mode, payment);
    }
    // A new payment of the amount on the day, saved.
    int AddPayment(TMorvaneLoanTransaction& payment, double amount, double day) {
        return Run(mmAdd, payment, [&](TfmLoanTransactionsAddEdit& shown) {
            shown.TransactionAmount()->SetValue(amount);
            shown.TransactionDate()->SetDate(day);
            PressButton(shown, "btnSave");
        });
    }
    void ExpectDeferral(const std::string& nextDay, PromptAnswer answer) {
        prompter.Expect(PromptType::Error, PromptButtons::YesNo,
                        "The date you have selected is a non-business day.\rWould you like to "
                        "defer the transaction until the next business day (" +
                            nextDay + ")",
                        answer);
    }
    std::unique_ptr<TMorvaneLoanTransaction> NewPayment() {
        return MakeItem<TMorvaneLoanTransaction>(&Loan("0000001"));
    }
};

TEST_F(PaymentDialog, ANewPaymentIsDatedTodayAsAPayment) {
    auto payment = NewPayment();
    Run(mmAdd, *payment, [](TfmLoanTransactionsAddEdit& shown) {
        EXPECT_EQ(shown.TransactionDate()->Date(), test::LoanToday);
        EXPECT_TRUE(shown.TransactionDate()->isEnabled());
        EXPECT_EQ(shown.PaymentType()->currentText().toStdString(), "Payment");
        EXPECT_EQ(shown.PaymentType()->count(), 1);
        EXPECT_EQ(shown.windowTitle().toStdString(), "Add/Edit Loan Transaction");
    });
}

TEST_F(PaymentDialog, AWeekendOrHolidayPaymentMayBeDeferredToTheNextBusinessDay) {
    const struct {
        double day;
        const char* offered; // nothing: no question
        PromptAnswer answer;
        double stored;
    } cases[] = {
        // Saturday before the Monday holiday: the Tuesday is offered.
        {Day(2026, 3, 14), "17/03/2026", PromptAnswer::Yes, Day(2026, 3, 17)},
        {Day(2026, 3, 14), "17/03/2026", PromptAnswer::No, Day(2026, 3, 14)},
        {Day(2026, 3, 16), "17/03/2026", PromptAnswer::Yes, Day(2026, 3, 17)}, // the holiday
        {Day(2026, 3, 18), nullptr, PromptAnswer::Ok, Day(2026, 3, 18)},       // a Wednesday
    };
    for (const auto& c : cases) {
        if (c.offered != nullptr)
            ExpectDeferral(c.offered, c.answer);
        auto payment = NewPayment();
        EXPECT_EQ(AddPayment(*payment, 644.30, c.day), mrOk) << DateToStr(c.day);
        EXPECT_EQ(payment->TransactionDate, TDate(c.stored)) << DateToStr(c.day);
        EXPECT_EQ(payment->TransactionAmount, Currency::fromRaw(6443000));
        EXPECT_EQ(payment->PaymentType, "Payment");
    }
    EXPECT_TRUE(DataModified());
}

TEST_F(PaymentDialog, NoDeferralIsOfferedWhenTheAmountOrTheContractCheckFails) {
    auto payment = NewPayment();
    Run(mmAdd, *payment, [this](TfmLoanTransactionsAddEdit& shown) {
        shown.TransactionDate()->SetDate(Day(2026, 3, 14));
        ExpectError("You must provide a non-zero value for the \"Amount\" field");
        PressButton(shown, "btnSave");
        shown.TransactionAmount()->SetValue(100);
        shown.TransactionDate()->SetDate(Day(2026, 2, 1)); // a Sunday before the draw-down
        ExpectError("The date in the \"Date\" field is earlier than the draw down date.");
        PressButton(shown, "btnSave");
        EXPECT_EQ(shown.result(), 0);
    });
    EXPECT_EQ(payment->TransactionAmount, Currency());
    EXPECT_FALSE(DataModified());
}

TEST_F(PaymentDialog, ATypedDateIsTheDateSavedAndOneThatDoesNotExistIsRefusedAtSave) {
    auto payment = NewPayment();
    const int result = Run(mmAdd, *payment, [&](TfmLoanTransactionsAddEdit& shown) {
        TDatePicker& date = *shown.TransactionDate();
        shown.TransactionAmount()->SetValue(100);
        date.setFocus();
        QTest::keyClick(&date, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&date, "31/02/2026");
        ExpectError("\"Date\": \"31/02/2026\" is not a date (dd/mm/yyyy)");
        PressButton(shown, "btnSave");
        EXPECT_EQ(shown.result(), 0);
        EXPECT_EQ(payment->TransactionDate, TDate()); // nothing recorded
        QTest::keyClick(&date, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&date, "26/02/2026");
        PressButton(shown, "btnSave");
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(payment->TransactionDate, TDate(Day(2026, 2, 26)));
}

TEST_F(PaymentDialog, ADeferralPastTheCompletionDateIsRefusedWithTheNewDateShown) {
    TMorvaneContract& contract = *Loan("0000001").Contract;
    contract.PossessionDate = TDate(Day(2026, 2, 7)); // a Saturday
    contract.ContractTerm = 1;                        // completes on Sunday 7 February 2027
    auto payment = NewPayment();
    const int result = Run(mmAdd, *payment, [this](TfmLoanTransactionsAddEdit& shown) {
        shown.TransactionAmount()->SetValue(100);
        shown.TransactionDate()->SetDate(Day(2027, 2, 7));
        ExpectDeferral("08/02/2027", PromptAnswer::Yes);
        ExpectError("The date in the \"Date\" field is later than the mortgage completion date.");
        PressButton(shown, "btnSave");
        EXPECT_EQ(shown.result(), 0);
        EXPECT_EQ(shown.TransactionDate()->Date(), Day(2027, 2, 8));
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(payment->TransactionDate, TDate());
}

TEST_F(PaymentDialog, AnEditCannotMoveAStoredPaymentsDateAndOffersNoDeferral) {
    TMorvaneMortgage& loan = Loan("0000001");
    for (const double day : {Day(2026, 3, 6), Day(2026, 3, 14), Day(2026, 3, 18)}) {
        auto payment = NewPayment();
        payment->TransactionDate = TDate(day);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = Currency::fromUnits(500);
        loan.LoanTransactions->Add(std::move(payment));
        clock.Advance(1.0 / 86400); // each entered a second later
    }
    auto& saturday =
        static_cast<TMorvaneLoanTransaction&>(**std::next(loan.LoanTransactions->begin()));
    ASSERT_EQ(saturday.TransactionDate, TDate(Day(2026, 3, 14)));
    const int result = Run(mmEdit, saturday, [](TfmLoanTransactionsAddEdit& shown) {
        EXPECT_FALSE(shown.TransactionDate()->isEnabled());
        EXPECT_EQ(shown.TransactionDate()->Date(), Day(2026, 3, 14));
        shown.TransactionAmount()->SetValue(750);
        PressButton(shown, "btnSave");
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(saturday.TransactionAmount, Currency::fromUnits(750));
    std::vector<std::string> dates;
    for (TTovObjectItem* item : *loan.LoanTransactions)
        dates.push_back(
            DateToStr(static_cast<TMorvaneLoanTransaction*>(item)->TransactionDate.value));
    EXPECT_EQ(dates, (std::vector<std::string>{"06/03/2026", "14/03/2026", "18/03/2026"}));
}

} // namespace
} // namespace duebell
