// The instalment-fee windows through their real dialogs: the client's schedule worked out from
// the user's, the effective and completion dates, stopping a fee and converting what the
// ledger no longer charges into a full-fee charge, the payment change notice opened once the
// change is stored, the arrears administration row, priorities checked on the ledger and in
// the saved file, and the help topics.
#include "app/dialogs/arrearsadminrow.h"
#include "app/dialogs/instalmentfeedialog.h"
#include "app/dialogs/instalmentfeelist.h"
#include "app/dialogs/mortgagesearch.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/framework/headerframe.h"
#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "controls/datepicker.h"
#include "controls/exspeedbutton.h"
#include "controls/exspinedit.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/datafiles.h"
#include "domain/money.h"
#include "support/feebook.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <stdexcept>

namespace duebell {
namespace {

using test::Day;
using test::FeeToday;
using test::Named;
using test::Press;

const std::string Stopped = "Would you like to print a payment change notice for this change?";
std::string ConvertQuestion(const std::string& amount) {
    return "There is " + amount +
           " outstanding on this instalment fee.  Do you want to convert it to a fixed fee?";
}
const std::string PrintFeeNotice = "Do you want to print a fee notice for this fee?";

std::string ShownDate(QWidget& form, const char* picker) {
    const double day = Named<TDatePicker>(form, picker)->Date();
    return day == 0 ? "" : DateToStr(day);
}

bool Visible(QWidget& form, const char* name) {
    return Named<QWidget>(form, name)->isVisibleTo(&form);
}

// The instalment-fee payments of a ledger day, "<fee> <amount>" in the order they were made.
std::vector<std::string> FeePaymentsOn(const TMorvaneMortgage& loan, TDate day) {
    std::vector<std::string> payments;
    for (const TLedgerMovement& movement : loan.LocalTransactionDays.Ledger().Movements())
        if (movement.Date == DayOf(day) && movement.Type == ltInstallmentFeePayment)
            payments.push_back(movement.Text + " " + FormatMoney(movement.Amount));
    return payments;
}

// Shows a dialog and keeps its picture under the build folder.
void SavePicture(QDialog& dialog, const std::string& name) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/" + name + ".png";
    EXPECT_TRUE(dialog.grab().save(QString::fromStdString(path))) << path;
}

std::vector<std::string> Descriptions(const TMorvaneMortgage& loan) {
    std::vector<std::string> texts;
    for (TTovObjectItem* item : *loan.InstallmentFees)
        texts.push_back(static_cast<TMorvaneInstallmentFee*>(item)->FeeDescription);
    return texts;
}

class InstalmentFees : public test::FeeBook {
protected:
    // Runs the list dialog on a loan; `answer` acts in it while it is shown.
    int RunList(const std::string& loanNumber,
                const std::function<void(TfmFeesInstallmentConfig&)>& answer) {
        TfmFeesInstallmentConfig list;
        list.ChooseLoan(loanNumber);
        driver.Expect([&](QDialog& shown) {
            answer(static_cast<TfmFeesInstallmentConfig&>(shown));
            return static_cast<int>(mrCancel);
        });
        return list.EditItem(mmEdit, *Configuration());
    }
    static TfmeCustomHeaderFrame& Frame(TfmFeesInstallmentConfig& list) { return *list.FeeFrame(); }
    static std::string Cell(TfmFeesInstallmentConfig& list, int col, int row) {
        return list.FeeFrame()->Grid()->Cells(col, row);
    }
    static bool Enabled(QWidget& form, const char* name) {
        return Named<QWidget>(form, name)->isEnabled();
    }

    // The monthly loan's fee of 10 payments of 50 from 15 February 2026, of which the payments
    // of 40 (20 January), 60 of 80 (20 February) and 20 (17 March) paid 120 by today.
    TMorvaneInstallmentFee& FeePartlyPaid() {
        TMorvaneMortgage& loan = Loan();
        TMorvaneInstallmentFee& fee = AddFee(loan, "Legal Fees", Day(2026, 2, 1), 10, 50);
        AddPayment(loan, Day(2026, 1, 20), 40);
        AddPayment(loan, Day(2026, 2, 20), 80);
        AddPayment(loan, Day(2026, 3, 17), 20);
        LoanChanged(loan);
        return fee;
    }
};

TEST_F(InstalmentFees, TheUsersScheduleBecomesTheClientsOnTheLoansPeriod) {
    struct Case {
        const char* loan;
        int payments;
        double amount;
        int frequency; // FrequencyNames
        double clientPayments;
        double clientAmount;
    };
    const Case cases[] = {
        {"0000002", 12, 100, 2, 26, 46.15}, // fortnightly: 12 x 26 / 12, 1200 / 26
        {"0000003", 5, 250, 3, 65, 19.23},  // weekly: 5 x 52 / 4, 1250 / 65
        {"0000003", 10, 30, 2, 44, 6.82},   // weekly: 43.33 rounded up, 300 / 44
        {"0000001", 7, 120, 4, 84, 10.00},  // monthly: 7 years exactly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loan + std::string(" ") + std::to_string(c.payments));
        auto fee = MakeItem<TMorvaneInstallmentFee>(&Loan(c.loan));
        TfmFeesInstallmentAddEdit dialog;
        driver.Expect([&](QDialog& shown) {
            EXPECT_EQ(Named<QComboBox>(shown, "cmbUserPaymentPeriod")->currentIndex(), -1);
            Named<TExSpinEdit>(shown, "edtUserNoPayments")->SetValue(c.payments);
            Named<TCurrencyEdit>(shown, "edtUserPaymentAmount")->SetValue(c.amount);
            // Nothing is worked out before the user's schedule is complete.
            EXPECT_EQ(Named<TCurrencyEdit>(shown, "edtClientNoPayments")->GetValue(), 0);
            EXPECT_FALSE(Visible(shown, "edtClientLastPaymentDate"));
            Named<QComboBox>(shown, "cmbUserPaymentPeriod")->setCurrentIndex(c.frequency);
            EXPECT_EQ(Named<TCurrencyEdit>(shown, "edtClientNoPayments")->GetValue(),
                      c.clientPayments);
            EXPECT_EQ(Named<TCurrencyEdit>(shown, "edtClientPaymentAmount")->GetValue(),
                      c.clientAmount);
            EXPECT_TRUE(Visible(shown, "edtClientLastPaymentDate"));
            Press(shown, "btnCancel");
            return mrNone;
        });
        EXPECT_EQ(dialog.EditItem(mmAdd, *fee), mrCancel);
        EXPECT_EQ(fee->NumberOfPayments, 0); // a cancelled add wrote nothing
    }
}

TEST_F(InstalmentFees, AnAddedFeeRunsFromTheEffectiveToTheCompletionDate) {
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        driver.Expect([&](QDialog& shown) {
            EXPECT_EQ(shown.windowTitle(), "Add/Edit Instalment Fee");
            EXPECT_EQ(ShownDate(shown, "edtTransactionDate"), "20/03/2026");
            EXPECT_FALSE(Visible(shown, "gbxStopFee"));
            EXPECT_FALSE(Visible(shown, "lblClientFirstPaymentDate"));
            Named<QLineEdit>(shown, "edtFeeDescription")->setText("Legal Fees");
            Named<TExSpinEdit>(shown, "edtUserNoPayments")->SetValue(12);
            Named<TCurrencyEdit>(shown, "edtUserPaymentAmount")->SetValue(100);
            Named<QComboBox>(shown, "cmbUserPaymentPeriod")->setCurrentIndex(2);
            Named<TDatePicker>(shown, "edtTransactionDate")->SetDate(Day(2026, 3, 1).value);
            EXPECT_TRUE(Visible(shown, "lblClientFirstPaymentDate"));
            EXPECT_EQ(Named<QLabel>(shown, "lblClientFirstPaymentDate")->text(), "Effective Date");
            EXPECT_EQ(Named<QLabel>(shown, "lblClientLastPaymentDate")->text(), "Completion Date");
            EXPECT_EQ(ShownDate(shown, "edtClientFirstPaymentDate"), "15/03/2026");
            EXPECT_EQ(ShownDate(shown, "edtClientLastPaymentDate"), "15/02/2027");
            SavePicture(shown, "instalmentfee_add");
            Press(shown, "btnSave"); // not notified today: nothing to ask
            return mrNone;
        });
        Frame(list).AddButton()->click();
        EXPECT_EQ(Descriptions(Loan()),
                  (std::vector<std::string>{"Arrears Administration Fee", "Legal Fees"}));
        EXPECT_EQ(Cell(list, 0, 2), "Legal Fees");
        EXPECT_EQ(Cell(list, 2, 2), "15/03/2026");
        EXPECT_EQ(Cell(list, 3, 2), "15/02/2027");
        EXPECT_FALSE(Loan().LocalTransactionDays.Ledger().Empty()); // the loan was rebuilt
    });
    ASSERT_EQ(Loan().InstallmentFees->Count(), 1);
    const auto& fee = *static_cast<TMorvaneInstallmentFee*>(Loan().InstallmentFees->First());
    EXPECT_EQ(fee.Priority, 0);
    EXPECT_EQ(fee.TransactionDate, Day(2026, 3, 1));
    EXPECT_EQ(fee.NumberOfPayments, 12);
    EXPECT_EQ(fee.PaymentAmount, 100.0);
    EXPECT_EQ(fee.FirstPaymentDate(), Day(2026, 3, 15));
    EXPECT_EQ(fee.LastPaymentDate(), Day(2027, 2, 15));
    EXPECT_EQ(fee.StopTransactionDate.value, 0);
    EXPECT_TRUE(DataModified());
}

TEST_F(InstalmentFees, AnAddRefusesANotificationAfterTodayAndOffersANoticeForToday) {
    // The notice opens on the loan with the new fee in it.
    std::vector<std::string> feesOnNotice;
    RegisterWindow("TfmReportPaymentChange", [&](const WindowRequest& request) {
        feesOnNotice = Descriptions(*Data()->FindMortgage(request.loanNumber));
        return OpenedWindow{};
    });
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        driver.Expect([&](QDialog& shown) {
            Named<QLineEdit>(shown, "edtFeeDescription")->setText("Legal Fees");
            Named<TExSpinEdit>(shown, "edtUserNoPayments")->SetValue(3);
            Named<TCurrencyEdit>(shown, "edtUserPaymentAmount")->SetValue(25);
            Named<QComboBox>(shown, "cmbUserPaymentPeriod")->setCurrentIndex(2);
            Named<TDatePicker>(shown, "edtTransactionDate")->SetDate(Day(2026, 3, 21).value);
            ExpectError("The date in the \"Notification Date\" field must be less than or equal "
                        "to the current date");
            Press(shown, "btnSave");
            EXPECT_EQ(shown.result(), 0); // still open
            Named<TDatePicker>(shown, "edtTransactionDate")->SetDate(FeeToday.value);
            Ask(Stopped, PromptAnswer::Yes);
            Press(shown, "btnSave");
            return mrNone;
        });
        Named<QPushButton>(list, "btnAdd")->click();
    });
    EXPECT_EQ(feesOnNotice, (std::vector<std::string>{"Arrears Administration Fee", "Legal Fees"}));
    ASSERT_EQ(Loan().InstallmentFees->Count(), 1);
    const auto& fee = *static_cast<TMorvaneInstallmentFee*>(Loan().InstallmentFees->First());
    EXPECT_EQ(fee.FeeDescription, "Legal Fees");
    EXPECT_EQ(fee.TransactionDate, FeeToday);
    EXPECT_EQ(fee.NumberOfPayments, 3);
}

TEST_F(InstalmentFees, StoppingAFeeOffersToChargeWhatTheLedgerNoLongerCharges) {
    TMorvaneInstallmentFee& fee = FeePartlyPaid();
    EXPECT_EQ(fee.AmountPaid, 120.0); // 40 + 60 + 20, worked by hand
    // Instalments on the 15th from February to November; stopped on 15 April, the three up to
    // it stay with the ledger (150 charged, 120 paid) and May to November become the fee:
    // 7 x 50 = 350.
    Loan().LastFeeNumber = 4;
    RecordReports({"TfmReportFullFees"});
    // The payment change notice opens once the stop is stored.
    RegisterWindow("TfmReportPaymentChange", [&](const WindowRequest&) {
        opened.push_back("TfmReportPaymentChange stopped " +
                         DateToStr(fee.StopTransactionDate.value));
        return OpenedWindow{};
    });
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        Frame(list).Grid()->SelectRow(2);
        driver.Expect([&](QDialog& shown) {
            EXPECT_FALSE(Enabled(shown, "edtFeeDescription"));
            EXPECT_FALSE(Enabled(shown, "gbxClientFeeDetails"));
            EXPECT_EQ(ShownDate(shown, "edtClientFirstPaymentDate"), "15/02/2026");
            EXPECT_EQ(ShownDate(shown, "edtClientLastPaymentDate"), "16/11/2026"); // a Monday
            EXPECT_EQ(ShownDate(shown, "edtStopFeeTransactionDate"), "20/03/2026");
            EXPECT_EQ(ShownDate(shown, "edtStopLastPaymentDate"), "15/04/2026");
            SavePicture(shown, "instalmentfee_stop");
            // Every check runs before the question: a stop notified tomorrow converts nothing.
            Named<TDatePicker>(shown, "edtStopFeeTransactionDate")->SetDate(Day(2026, 3, 23).value);
            ExpectError("The date in the \"Stop Fee - Notification Date\" field must be less "
                        "than or equal to the current date");
            Press(shown, "btnSave");
            EXPECT_EQ(Loan().FeeTransactions->Count(), 0);
            Named<TDatePicker>(shown, "edtStopFeeTransactionDate")->SetDate(FeeToday.value);
            EXPECT_EQ(ShownDate(shown, "edtStopLastPaymentDate"), "15/04/2026");
            Ask(Stopped, PromptAnswer::Yes);
            Ask(ConvertQuestion("$350.00"), PromptAnswer::Yes);
            Ask(PrintFeeNotice, PromptAnswer::Yes);
            Press(shown, "btnSave");
            return mrNone;
        });
        Named<QPushButton>(list, "btnStop")->click(); // no compliance question
    });
    EXPECT_EQ(fee.StopTransactionDate.value, FeeToday.value);
    EXPECT_EQ(fee.StopLastPaymentDate.value, Day(2026, 4, 15).value);
    EXPECT_EQ(fee.PaymentsRemaining(), 0);
    ASSERT_EQ(Loan().FeeTransactions->Count(), 1);
    const auto& charge = *static_cast<TMorvaneFeeTransaction*>(Loan().FeeTransactions->First());
    EXPECT_EQ(charge.FeeNumber, 5);
    EXPECT_EQ(Loan().LastFeeNumber, 5);
    EXPECT_EQ(charge.FeeDescription, "Instalment Fee - Legal Fees");
    EXPECT_EQ(charge.FeeAmount, Currency::fromUnits(350));
    EXPECT_EQ(charge.TransactionDate, Day(2026, 4, 15));
    EXPECT_EQ(charge.Owner(), &Loan());
    EXPECT_EQ(opened, (std::vector<std::string>{"TfmReportFullFees 0000001 5",
                                                "TfmReportPaymentChange stopped 20/03/2026"}));
    // The rebuilt ledger carries the charge from its date.
    const TLedgerDay* due = Loan().LocalTransactionDays.Ledger().Find(DayOf(Day(2026, 4, 15)));
    ASSERT_NE(due, nullptr);
    EXPECT_EQ(due->FeeBalance, Currency::fromUnits(350));
}

TEST_F(InstalmentFees, AStoppedFeeIsChargedOnceWhateverWasLeftUnpaid) {
    // Council rates of 26 x 69.23 = 1,799.98 on the fortnightly loan, due from 29 January (15
    // January + 14 days), each charged the day after the payment date before it. By today five
    // are charged (29/01 to 26/03); the payments of 29 January and 12 February each found one
    // instalment owed and paid it, 2 x 69.23 = 138.46, so three are charged unpaid, 207.69.
    TMorvaneMortgage& loan = Loan("0000002");
    TMorvaneInstallmentFee& rates = AddFee(loan, "Council Rates", Day(2026, 1, 15), 26, 69.23);
    AddPayment(loan, Day(2026, 1, 29), 2000);
    AddPayment(loan, Day(2026, 2, 12), 2000);
    LoanChanged(loan);
    ASSERT_EQ(rates.AmountPaid, 138.46);
    // Stopped today, terminating on 26 March: the 21 instalments after it become the fee,
    // 21 x 69.23 = 1,453.83 (not 1,799.98 - 138.46 = 1,661.52, which charges the three twice).
    RunList("0000002", [&](TfmFeesInstallmentConfig& list) {
        Frame(list).Grid()->SelectRow(2);
        driver.Expect([&](QDialog& shown) {
            EXPECT_EQ(ShownDate(shown, "edtStopLastPaymentDate"), "26/03/2026");
            Ask(ConvertQuestion("$1,453.83"), PromptAnswer::Yes); // no notice windows here
            Press(shown, "btnSave");
            return mrNone;
        });
        Named<QPushButton>(list, "btnStop")->click();
    });
    ASSERT_EQ(loan.FeeTransactions->Count(), 1);
    const auto& charge = *static_cast<TMorvaneFeeTransaction*>(loan.FeeTransactions->First());
    EXPECT_EQ(charge.FeeAmount, Currency::fromRaw(14538300));
    // The ledger still collects the three: a payment on 26 March pays them first, so the
    // borrower pays 138.46 + 207.69 + 1,453.83 = 1,799.98, the rates once.
    AddPayment(loan, Day(2026, 3, 26), 1000);
    LoanChanged(loan);
    EXPECT_EQ(FeePaymentsOn(loan, Day(2026, 3, 26)),
              std::vector<std::string>{"Council Rates $207.69"});
}

TEST_F(InstalmentFees, StoppingAFeeWithNothingOwedAsksNothingAboutConverting) {
    TMorvaneMortgage& loan = Loan();
    // An amount of more decimals than the dialog shows, as older files hold.
    TMorvaneInstallmentFee& fee = AddFee(loan, "Valuation", Day(2026, 2, 1), 1, 46.15384615);
    AddPayment(loan, Day(2026, 1, 20), 50);
    LoanChanged(loan);
    ASSERT_EQ(fee.AmountPaid, 46.1538); // the instalment as the ledger charges it
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        Frame(list).Grid()->SelectRow(2);
        driver.Expect([&](QDialog& shown) {
            Press(shown, "btnSave"); // no notice window, nothing owed: no question at all
            return mrNone;
        });
        Named<QPushButton>(list, "btnStop")->click();
    });
    EXPECT_EQ(fee.StopTransactionDate.value, FeeToday.value);
    EXPECT_EQ(fee.PaymentAmount, 46.15384615); // the stop changed nothing else
    EXPECT_EQ(loan.FeeTransactions->Count(), 0);
    EXPECT_EQ(loan.LastFeeNumber, 0);
}

TEST_F(InstalmentFees, ViewingWritesNothingAndAStoppedFeeStaysAsItWas) {
    TMorvaneInstallmentFee& running = FeePartlyPaid();
    TMorvaneInstallmentFee& stopped = AddFee(Loan(), "Valuation", Day(2026, 2, 1), 4, 30);
    stopped.StopTransactionDate = TDateTime(Day(2026, 3, 2).value);
    stopped.StopLastPaymentDate = TDateTime(Day(2026, 3, 15).value);
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        Frame(list).Grid()->SelectRow(2);
        driver.Expect([&](QDialog& shown) {
            EXPECT_FALSE(Visible(shown, "gbxStopFee")); // a running fee has no stop to show
            EXPECT_EQ(ShownDate(shown, "edtStopFeeTransactionDate"), "");
            Press(shown, "btnSave");
            return mrNone;
        });
        Named<QPushButton>(list, "btnEdit")->click(); // View: no compliance question
        EXPECT_EQ(running.StopTransactionDate.value, 0);
        EXPECT_EQ(running.StopLastPaymentDate.value, 0);
        EXPECT_FALSE(DataModified());

        Frame(list).Grid()->SelectRow(3);
        driver.Expect([&](QDialog& shown) {
            EXPECT_TRUE(Visible(shown, "gbxStopFee"));
            EXPECT_FALSE(Enabled(shown, "gbxStopFee")); // stopped already
            EXPECT_EQ(ShownDate(shown, "edtStopFeeTransactionDate"), "02/03/2026");
            Press(shown, "btnSave");
            return mrNone;
        });
        Named<QPushButton>(list, "btnStop")->click();
    });
    EXPECT_EQ(stopped.StopTransactionDate.value, Day(2026, 3, 2).value);
    EXPECT_EQ(stopped.StopLastPaymentDate.value, Day(2026, 3, 15).value);
    EXPECT_EQ(stopped.NumberOfPayments, 4);
    EXPECT_EQ(Loan().FeeTransactions->Count(), 0);
}

TEST_F(InstalmentFees, TheArrearsAdministrationRowIsFixedAndLeavesWithTheDialog) {
    AddFee(Loan(), "Legal Fees", Day(2026, 2, 1), 10, 50);
    AddFee(Loan(), "Valuation", Day(2026, 2, 1), 10, 30);
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        EXPECT_EQ(Cell(list, 0, 1), "Arrears Administration Fee");
        EXPECT_EQ(Cell(list, 0, 3), "Valuation");
        struct Row {
            int row;
            bool view, remove, up, down;
        };
        for (const Row& r : {Row{1, false, false, false, false}, Row{2, true, true, false, true},
                             Row{3, true, true, true, false}}) {
            SCOPED_TRACE(r.row);
            Frame(list).Grid()->SelectRow(r.row);
            EXPECT_TRUE(Enabled(list, "btnAdd"));
            EXPECT_EQ(Enabled(list, "btnEdit"), r.view);
            EXPECT_EQ(Enabled(list, "btnStop"), r.view);
            EXPECT_EQ(Enabled(list, "btnDelete"), r.remove);
            EXPECT_EQ(Enabled(list, "btnPriorityUp"), r.up);
            EXPECT_EQ(Enabled(list, "btnPriorityDown"), r.down);
        }
        // Whatever reaches Delete, View, Stop or the arrows on the row does nothing, asks nothing.
        Frame(list).Grid()->SelectRow(1);
        Frame(list).DeleteClick();
        list.ViewClick();
        list.StopClick();
        list.PriorityClick(false);
        EXPECT_EQ(Loan().InstallmentFees->Count(), 3);
        // Choosing another loan takes the row along.
        list.ChooseLoan("0000002");
        EXPECT_EQ(Descriptions(Loan()), (std::vector<std::string>{"Legal Fees", "Valuation"}));
        EXPECT_EQ(Descriptions(Loan("0000002")),
                  (std::vector<std::string>{"Arrears Administration Fee"}));
        list.ChooseLoan("0000001");
        EXPECT_EQ(Loan("0000002").InstallmentFees->Count(), 0);
        // So does a loan found by search.
        auto* search = Named<TMorvaneMortgageSearchButton>(list, "MorvaneMortgageSearchButton1");
        EXPECT_EQ(search->LinkedGridBox, list.LoanBox());
        driver.Expect([](QDialog& shown) {
            auto& found = static_cast<TfmMortgageSearch&>(shown);
            found.stgHeaderGrid->SelectRow(3);
            EXPECT_EQ(found.ChosenLoanNumber(), "0000003");
            found.btnOk->click();
            return static_cast<int>(mrCancel);
        });
        search->Click();
        EXPECT_EQ(list.ChosenLoan(), &Loan("0000003"));
        EXPECT_EQ(Loan().InstallmentFees->Count(), 2);
        EXPECT_EQ(Descriptions(Loan("0000003")),
                  (std::vector<std::string>{"Arrears Administration Fee"}));
    });
    EXPECT_EQ(Descriptions(Loan()), (std::vector<std::string>{"Legal Fees", "Valuation"}));
    EXPECT_EQ(Loan("0000003").InstallmentFees->Count(), 0);
}

TEST_F(InstalmentFees, TheRowIsRemovedByIdentityWhateverHappens) {
    // A fee read from an old file with a priority below the row's: "the first entry" is not it.
    TMorvaneInstallmentFee& old = AddFee(Loan(), "Old Fee", Day(2026, 2, 1), 2, 10);
    old.Priority = -5;
    Loan().InstallmentFees->Sort();
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        EXPECT_EQ(Cell(list, 0, 1), "Old Fee");
        EXPECT_EQ(Cell(list, 0, 2), "Arrears Administration Fee");
    });
    EXPECT_EQ(Descriptions(Loan()), (std::vector<std::string>{"Old Fee"}));

    // An error unwinding past the row takes it out.
    try {
        const TArrearsAdministrationRow row(Loan());
        EXPECT_EQ(Loan().InstallmentFees->Count(), 2);
        throw std::runtime_error("the dialog failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Descriptions(Loan()), (std::vector<std::string>{"Old Fee"}));

    // Deleted by someone else, or gone with its loan: the row is forgotten, never freed twice.
    {
        TArrearsAdministrationRow row(Loan());
        std::unique_ptr<TMorvaneInstallmentFee> unlinked(row.Row());
        TTovObjectList& fees = *Loan().InstallmentFees;
        for (TTovObjectItem* item = fees.First(); item != unlinked.get(); item = fees.Next()) {
        }
        fees.Delete(); // the deleter owns it now
        EXPECT_EQ(row.Row(), nullptr);
    }
    {
        auto loan = MakeItem<TMorvaneMortgage>(nullptr);
        TArrearsAdministrationRow row(*loan);
        loan.reset();
        EXPECT_EQ(row.Row(), nullptr);
    }
    EXPECT_EQ(Descriptions(Loan()), (std::vector<std::string>{"Old Fee"}));
}

TEST_F(InstalmentFees, DeletingAFeeRebuildsTheLoan) {
    TMorvaneMortgage& loan = Loan();
    AddFee(loan, "Legal Fees", Day(2026, 2, 1), 10, 50);
    AddPayment(loan, Day(2026, 1, 20), 60);
    LoanChanged(loan);
    ASSERT_EQ(FeePaymentsOn(loan, Day(2026, 1, 20)),
              (std::vector<std::string>{"Legal Fees $50.00"}));
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        Frame(list).Grid()->SelectRow(2);
        Ask("WARNING!  Changing records may generate compliance issues\rAre you sure you wish to "
            "Delete this record?",
            PromptAnswer::Yes);
        Ask("Are you sure you wish to delete this record?", PromptAnswer::Yes);
        Named<QPushButton>(list, "btnDelete")->click();
        EXPECT_EQ(Cell(list, 0, 1), "Arrears Administration Fee");
        EXPECT_EQ(list.FeeFrame()->Grid()->RowCount(), 2);
    });
    EXPECT_EQ(loan.InstallmentFees->Count(), 0);
    EXPECT_TRUE(FeePaymentsOn(loan, Day(2026, 1, 20)).empty()); // all of it went to the loan
}

TEST_F(InstalmentFees, MovingAFeeUpChangesWhatAShortPaymentPaysFirst) {
    TMorvaneMortgage& loan = Loan();
    TMorvaneInstallmentFee& legal = AddFee(loan, "Legal Fees", Day(2026, 2, 1), 10, 50);
    TMorvaneInstallmentFee& valuation = AddFee(loan, "Valuation", Day(2026, 2, 1), 10, 30);
    legal.StopTransactionDate = TDateTime(Day(2026, 12, 1).value); // kept through the swap
    AddPayment(loan, Day(2026, 1, 20), 60); // both charged their first instalment on 16 January
    LoanChanged(loan);
    EXPECT_EQ(FeePaymentsOn(loan, Day(2026, 1, 20)),
              (std::vector<std::string>{"Legal Fees $50.00", "Valuation $10.00"}));
    const int legalCharged = legal.PaymentsCharged;
    const int valuationCharged = valuation.PaymentsCharged;

    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        Frame(list).Grid()->SelectRow(3);
        Named<TExSpeedButton>(list, "btnPriorityUp")->Click();
        EXPECT_EQ(Cell(list, 0, 2), "Valuation");
        EXPECT_EQ(Cell(list, 0, 3), "Legal Fees");
        EXPECT_EQ(Frame(list).Grid()->Row(), 2); // the moved fee stays chosen
        EXPECT_FALSE(Enabled(list, "btnPriorityUp"));
        // Another loan and back: the new order stays.
        list.ChooseLoan("0000002");
        list.ChooseLoan("0000001");
        EXPECT_EQ(Cell(list, 0, 2), "Valuation");
    });
    EXPECT_TRUE(DataModified());
    EXPECT_EQ(valuation.Priority, 0);
    EXPECT_EQ(legal.Priority, 1);
    EXPECT_EQ(Descriptions(loan), (std::vector<std::string>{"Valuation", "Legal Fees"}));
    EXPECT_EQ(FeePaymentsOn(loan, Day(2026, 1, 20)),
              (std::vector<std::string>{"Valuation $30.00", "Legal Fees $30.00"}));
    EXPECT_EQ(valuation.AmountPaid, 30.0);
    EXPECT_EQ(legal.AmountPaid, 30.0);
    EXPECT_EQ(legal.PaymentsCharged, legalCharged);
    EXPECT_EQ(valuation.PaymentsCharged, valuationCharged);
    EXPECT_EQ(legal.StopTransactionDate.value, Day(2026, 12, 1).value);

    // Saved and read back, every fee is there as it was, and pays as it did.
    QTemporaryDir folder;
    const std::string file = folder.filePath("MV_DATA.XML").toStdString();
    SaveDataFile(file);
    QFile saved(QString::fromStdString(file));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_FALSE(saved.readAll().contains("Arrears Administration Fee"));
    LoadDataFile(file);
    TMorvaneMortgage& reread = Loan();
    LoanChanged(reread);
    ASSERT_EQ(Descriptions(reread), (std::vector<std::string>{"Valuation", "Legal Fees"}));
    const auto fees = [&](int i) {
        auto it = reread.InstallmentFees->begin();
        std::advance(it, i);
        return static_cast<TMorvaneInstallmentFee*>(*it);
    };
    EXPECT_EQ(fees(0)->AmountPaid, 30.0);
    EXPECT_EQ(fees(1)->AmountPaid, 30.0);
    EXPECT_EQ(fees(1)->StopTransactionDate.value, Day(2026, 12, 1).value);
}

TEST_F(InstalmentFees, APictureOfTheListWithTheArrearsRowAndTwoFees) {
    AddFee(Loan(), "Legal Fees", Day(2026, 2, 1), 10, 50);
    AddFee(Loan(), "Valuation", Day(2026, 3, 1), 12, 46.15);
    LoanChanged(Loan());
    QImage shot;
    int blankDark = -1;
    int feeDark = 0;
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        TTovObjectListGrid& grid = *Frame(list).Grid();
        grid.SelectRow(3);
        shot = list.grab().toImage();
        // Dark (text) pixels in the cells right of the descriptions, row by row.
        const auto dark = [&](int row) {
            int count = 0;
            for (int col = 1; col < grid.ColCount(); ++col) {
                const QRect cell = grid.CellRect(col, row);
                for (int x = cell.left(); x <= cell.right(); ++x)
                    for (int y = cell.top(); y <= cell.bottom(); ++y)
                        count += shot.pixelColor(grid.mapTo(&list, QPoint(x, y))).lightness() < 100;
            }
            return count;
        };
        blankDark = dark(1);
        feeDark = dark(2);
        EXPECT_FALSE(grid.Cells(4, 1).empty()); // the row has figures; they are painted over
        EXPECT_FALSE(grid.horizontalScrollBar()->isVisible()); // every column fits
    });
    const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/instalmentfees_list.png";
    EXPECT_TRUE(shot.save(QString::fromStdString(path))) << path;
    EXPECT_EQ(blankDark, 0); // the arrears administration row shows its description only
    EXPECT_GT(feeDark, 50);
}

TEST_F(InstalmentFees, EachDialogOpensItsOwnHelpTopic) {
    // The program's own help topics, from the source tree (this folder has no data folder).
    const std::filesystem::path tests = std::filesystem::path(DUEBELL_TEST_DATA_DIR).parent_path();
    LoadHelpTopicsFile((tests / "../../../app/help/content/MV_HELP.XML").string());
    RunList("0000001", [&](TfmFeesInstallmentConfig& list) {
        Press(list, "btnHelp");
        driver.Expect([&](QDialog& shown) {
            Press(shown, "btnHelp");
            Press(shown, "btnCancel");
            return mrNone;
        });
        Frame(list).AddButton()->click();
    });
    EXPECT_EQ(help.requests, (std::vector<std::string>{"context 620", "context 621"}));
}

} // namespace
} // namespace duebell
