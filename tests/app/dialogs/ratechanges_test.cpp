// The interest rate changes of a loan: the loan chosen first; a change notified on 01/03/2026
// on a monthly loan drawn down on 15/01/2026 with 30 days' notice takes effect on 16/04/2026
// and rebuilds the loan, and the payment change notice it offers opens only afterwards, on the
// rebuilt loan; a date after today, before the draw-down or of another change is refused; an
// edited date moves the change to its place.
#include "app/dialogs/mortgagesearch.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/dialogs/ratechangesconfig.h"
#include "app/framework/loanchanges.h"
#include "controls/datepicker.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "settingsbook.h"

#include <QPushButton>

namespace duebell {
namespace {

using test::ColumnTexts;
using test::Press;
using test::PressFrameButton;
using test::PressOnRow;

const double DrawDown = EncodeDate(2026, 1, 15);
const double Today = EncodeDate(2026, 3, 1);
const std::string NoticeQuestion =
    "Would you like to print a payment change notice for this change?";

class RateChanges : public test::SettingsBook {
protected:
    RateChanges() {
        clock.Set(Today + 0.4);
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = "0000002";
        loan->ClientCode = "0000002";
        loan->PropertyCode = "0000001";
        loan->RateChangePeriod = 30;
        loan->Contract->PossessionDate = TDate(DrawDown);
        loan->Contract->ContractAmount = Currency::fromUnits(300000);
        loan->Contract->Deposit = Currency::fromUnits(30000);
        loan->Contract->ContractTerm = 25;
        loan->Contract->ReferenceRate = TPercentage{Currency::fromUnits(7)};
        loan->Contract->PaymentPeriod = "Monthly";
        loan->Contract->StatementPeriod = "Half-Yearly";
        monthly = Data()->Mortgages->Add(std::move(loan));
        LoanChanged(*monthly);
    }

    // The loan's interest rate on a day of its ledger.
    double RateOn(double day) const {
        for (TTovObjectItem* item : *monthly->LocalTransactionDays)
            if (auto* ledgerDay = static_cast<TMorvaneLocalTransactionDay*>(item);
                ledgerDay->TransactionDate.value == day)
                return ledgerDay->ActualRate;
        ADD_FAILURE() << "no ledger day " << day;
        return 0;
    }

    // Runs the dialog with the monthly loan chosen; `act` works in it.
    bool RunWithLoanChosen(const std::function<void(QDialog&)>& act) {
        TfmRateChangesConfig dialog;
        driver.Expect([&](QDialog& shown) {
            auto* loans = shown.findChild<TGridBox*>("cmbLoanNumber");
            loans->SetItemIndex(loans->FindRow("0000002"));
            act(shown);
            Press(shown, "btnCancel");
            return mrNone;
        });
        dialog.EditItem(mmEdit, *Configuration());
        return dialog.EntriesChanged();
    }
    // An entry dialog answer: the date and rate typed, then Save.
    static test::DialogDriver::Answer Enter(double date, double rate) {
        return [date, rate](QDialog& entry) {
            entry.findChild<TDatePicker*>("edtTransactionDate")->SetDate(date);
            entry.findChild<TCurrencyEdit*>("edtRate")->SetValue(rate);
            Press(entry, "btnSave");
            return mrNone;
        };
    }
    TMorvaneMortgageRate* History() const {
        return static_cast<TMorvaneMortgageRate*>(
            Configuration()->MortgageRates->LocateNoMove(Variant("0000002")));
    }

    TMorvaneMortgage* monthly;
};

TEST_F(RateChanges, AChangeNotifiedTodayTakesEffectAfterItsNoticeAndTheNoticeSeesIt) {
    EXPECT_EQ(RateOn(EncodeDate(2026, 4, 16)), 7.0);
    OnNotice = [this](const WindowRequest&) {
        // The notice opens on the stored change and the rebuilt ledger.
        ASSERT_NE(History(), nullptr);
        EXPECT_EQ(History()->RateChanges->Count(), 1);
        EXPECT_EQ(RateOn(EncodeDate(2026, 4, 16)), 8.5);
    };
    const bool changed = RunWithLoanChosen([&](QDialog& shown) {
        EXPECT_TRUE(shown.findChild<QPushButton*>("btnAdd")->isEnabled());
        driver.Expect([&](QDialog& entry) {
            EXPECT_EQ(entry.findChild<TDatePicker*>("edtTransactionDate")->Date(), Today);
            EXPECT_TRUE(entry.findChild<TDatePicker*>("edtTransactionDate")->isEnabled());
            entry.findChild<TCurrencyEdit*>("edtRate")->SetValue(8.5);
            Confirm(NoticeQuestion, PromptAnswer::Yes);
            Press(entry, "btnSave");
            EXPECT_TRUE(notices.empty()); // not from inside Save
            return mrNone;
        });
        PressFrameButton(shown, "btnAdd");
        EXPECT_EQ(ColumnTexts(shown, 0), std::vector<std::string>{"01/03/2026"});
        EXPECT_EQ(ColumnTexts(shown, 3), std::vector<std::string>{"16/04/2026"});
    });
    EXPECT_TRUE(changed);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].loanNumber, "0000002");
    EXPECT_FALSE(notices[0].printWithoutPreview);

    auto& change = static_cast<TMorvaneRateChange&>(*History()->RateChanges->PeekFirst());
    EXPECT_EQ(change.TransactionDate, TDate(Today));
    EXPECT_EQ(change.Rate.value, Currency::fromRaw(85000));
    EXPECT_EQ(change.EffectiveFrom(), TDate(EncodeDate(2026, 4, 16)));
    EXPECT_EQ(RateOn(EncodeDate(2026, 4, 15)), 7.0);
    EXPECT_EQ(RateOn(EncodeDate(2026, 4, 16)), 8.5);
    EXPECT_GT(change.NewPaymentAmount, Currency()); // the re-amortised instalment
}

TEST_F(RateChanges, ADateAfterTodayBeforeTheDrawDownOrOfAnotherChangeIsRefused) {
    RunWithLoanChosen([&](QDialog& shown) {
        driver.Expect([&](QDialog& entry) {
            const auto refuse = [&](double date, double rate, const std::string& message) {
                entry.findChild<TDatePicker*>("edtTransactionDate")->SetDate(date);
                entry.findChild<TCurrencyEdit*>("edtRate")->SetValue(rate);
                SaveRefused(entry, message);
            };
            refuse(Today, 0, "You must provide a non-zero value for the \"Interest Rate\" field");
            refuse(Today + 1, 8,
                   "The date in the \"Notification Date\" field must be less than or equal to "
                   "the current date");
            refuse(DrawDown - 1, 8,
                   "The date in the \"Notification Date\" field is earlier than the draw down "
                   "date.");
            return Enter(EncodeDate(2026, 2, 20), 8)(entry); // earlier than today: no question
        });
        PressFrameButton(shown, "btnAdd");
        driver.Expect([&](QDialog& entry) {
            entry.findChild<TDatePicker*>("edtTransactionDate")->SetDate(EncodeDate(2026, 2, 20));
            entry.findChild<TCurrencyEdit*>("edtRate")->SetValue(9);
            SaveRefused(entry, "This loan already has an interest rate change with this "
                               "notification date");
            return Enter(DrawDown, 7.5)(entry); // the draw-down date itself is in the contract
        });
        PressFrameButton(shown, "btnAdd");
        EXPECT_EQ(ColumnTexts(shown, 0), (std::vector<std::string>{"15/01/2026", "20/02/2026"}));
    });
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(History()->RateChanges->Count(), 2);
}

TEST_F(RateChanges, AnEditedDateMovesTheChangeAndEveryChangeRebuildsTheLoan) {
    RunWithLoanChosen([&](QDialog& shown) {
        driver.Expect(Enter(EncodeDate(2026, 2, 1), 8));
        PressFrameButton(shown, "btnAdd");
        driver.Expect(Enter(EncodeDate(2026, 2, 20), 9));
        PressFrameButton(shown, "btnAdd");
        // 01/02 + 30 days: the payment date of 15/03, effective 16/03; 20/02: 16/04.
        EXPECT_EQ(ColumnTexts(shown, 3), (std::vector<std::string>{"16/03/2026", "16/04/2026"}));
        EXPECT_EQ(RateOn(EncodeDate(2026, 3, 16)), 8.0);

        driver.Expect(Enter(EncodeDate(2026, 2, 25), 8)); // the first change, moved
        ConfirmEdit();
        PressOnRow(shown, 0, "btnEdit");
        EXPECT_EQ(ColumnTexts(shown, 0), (std::vector<std::string>{"20/02/2026", "25/02/2026"}));
        EXPECT_EQ(test::GridOf(shown).Row(), 2); // still the edited change
        EXPECT_EQ(RateOn(EncodeDate(2026, 3, 16)), 7.0);

        ConfirmDelete();
        Confirm("Are you sure you wish to delete this record?", PromptAnswer::Yes);
        PressOnRow(shown, 0, "btnDelete");
        EXPECT_EQ(ColumnTexts(shown, 0), std::vector<std::string>{"25/02/2026"});
        // The change of 20/02 is gone: 16/04 is the 25/02 change's day, at 8 per cent.
        EXPECT_EQ(RateOn(EncodeDate(2026, 4, 16)), 8.0);
    });
}

TEST_F(RateChanges, ALoanFoundByTheSearchShowsItsChanges) {
    auto history = MakeItem<TMorvaneMortgageRate>(Configuration());
    history->LoanNumber = "0000002";
    auto change = MakeItem<TMorvaneRateChange>(history.get());
    change->TransactionDate = TDate(EncodeDate(2026, 2, 2));
    change->Rate = TPercentage{Currency::fromUnits(8)};
    history->RateChanges->Add(std::move(change));
    Configuration()->MortgageRates->Add(std::move(history));

    TfmRateChangesConfig dialog;
    driver.Expect([this](QDialog& shown) {
        EXPECT_TRUE(ColumnTexts(shown, 0) == std::vector<std::string>{""}); // no loan yet
        driver.Expect([](QDialog& found) {
            auto& search = dynamic_cast<TfmMortgageSearch&>(found);
            search.SetSearchBy(lsfClientName);
            search.edtSearchText->setText("okafor");
            search.btnSearch->click();
            search.stgHeaderGrid->SelectRow(1);
            search.btnOk->click();
            return mrNone;
        });
        shown.findChild<TMorvaneMortgageSearchButton*>("MorvaneMortgageSearchButton1")->Click();
        EXPECT_EQ(shown.findChild<TGridBox*>("cmbLoanNumber")->Text(), "0000002");
        EXPECT_EQ(ColumnTexts(shown, 0), std::vector<std::string>{"02/02/2026"});
        EXPECT_TRUE(shown.findChild<QWidget*>("pnlHeaderButton")->isEnabled());
        Press(shown, "btnCancel");
        return mrNone;
    });
    dialog.EditItem(mmEdit, *Configuration());
}

TEST_F(RateChanges, WithoutALoanChosenNothingCanBeAdded) {
    TfmRateChangesConfig dialog;
    driver.Expect([](QDialog& shown) {
        EXPECT_FALSE(shown.findChild<QWidget*>("pnlHeaderButton")->isEnabled());
        auto* loans = shown.findChild<TGridBox*>("cmbLoanNumber");
        EXPECT_EQ(loans->Items().Count(), 2);
        loans->SetItemIndex(0);
        EXPECT_TRUE(shown.findChild<QWidget*>("pnlHeaderButton")->isEnabled());
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItem(mmEdit, *Configuration()), mrOk);
    EXPECT_FALSE(dialog.EntriesChanged());
    // The loan chosen has its (empty) rate history.
    EXPECT_NE(Configuration()->MortgageRates->LocateNoMove(Variant("0000001")), nullptr);
}

} // namespace
} // namespace duebell
