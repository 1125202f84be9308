// The arrears administration fee amounts: an amount dated today asks once whether to print
// payment change notices and prints one per loan, without preview, in loan-number order; an
// amount dated earlier asks nothing; a failing notice stops the run there; a loan with no
// ledger for today or yesterday is passed over and named; the amount must be positive and its
// date not after today, and a listed amount keeps its date.
#include "app/dialogs/adminfeeconfig.h"
#include "controls/datepicker.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "objectlist/exceptions.h"
#include "settingsbook.h"

namespace duebell {
namespace {

using test::ColumnTexts;
using test::Press;
using test::PressFrameButton;
using test::PressOnRow;

const std::string NoticeQuestion =
    "Would you like to print a payment change notice for this change?";

class AdminFees : public test::SettingsBook {
protected:
    AdminFees() {
        for (const char* number : {"0000003", "0000002"}) {
            auto loan = MakeItem<TMorvaneMortgage>(Data());
            loan->LoanNumber = number;
            loan->ClientCode = "0000002";
            loan->PropertyCode = "0000001";
            loan->Contract->AssignProperties(*Loan().Contract);
            Data()->Mortgages->Add(std::move(loan));
        }
        // As the program holds them once started: each loan with its ledger.
        for (TTovObjectItem* item : *Data()->Mortgages)
            static_cast<TMorvaneMortgage*>(item)->BuildLedger();
    }

    bool Run(const std::function<void(QDialog&)>& act) {
        TfmAdministrationFeeConfig dialog;
        driver.Expect([&](QDialog& shown) {
            act(shown);
            Press(shown, "btnSave");
            return mrNone;
        });
        EXPECT_EQ(dialog.EditItem(mmEdit, *Configuration()), mrOk);
        return dialog.EntriesChanged();
    }
    static test::DialogDriver::Answer Enter(double amount, double date = 0) {
        return [amount, date](QDialog& entry) {
            if (date != 0)
                entry.findChild<TDatePicker*>("edtTransactionDate")->SetDate(date);
            entry.findChild<TCurrencyEdit*>("edtPenaltyAmount")->SetValue(amount);
            Press(entry, "btnSave");
            return mrNone;
        };
    }
};

TEST_F(AdminFees, AnAmountDatedTodayPrintsANoticeForEveryLoanInOrder) {
    const bool changed = Run([&](QDialog& shown) {
        driver.Expect([&](QDialog& entry) {
            EXPECT_EQ(entry.findChild<TDatePicker*>("edtTransactionDate")->Date(), test::BookToday);
            Confirm(NoticeQuestion, PromptAnswer::Yes);
            return Enter(65)(entry);
        });
        PressFrameButton(shown, "btnAdd");
        EXPECT_EQ(ColumnTexts(shown, 0), (std::vector<std::string>{"01/01/2024", "01/07/2025"}));
        EXPECT_EQ(ColumnTexts(shown, 1), (std::vector<std::string>{"$55.00", "$65.00"}));
    });
    EXPECT_TRUE(changed);
    ASSERT_EQ(notices.size(), 3u);
    const char* order[] = {"0000001", "0000002", "0000003"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(notices[i].loanNumber, order[i]);
        EXPECT_TRUE(notices[i].printWithoutPreview);
    }
    EXPECT_EQ(Configuration()->AdminFeeAmountAt(TDate(test::BookToday)), Currency::fromUnits(65));
}

TEST_F(AdminFees, AnEarlierDateOrNoAnswerPrintsNothing) {
    Run([&](QDialog& shown) {
        driver.Expect([](QDialog& entry) {
            EXPECT_FALSE(entry.findChild<TDatePicker*>("edtTransactionDate")->isEnabled());
            return Enter(60)(entry);
        });
        ConfirmEdit();
        PressOnRow(shown, 0, "btnEdit"); // the amount of 2024
        driver.Expect([&](QDialog& entry) {
            Confirm(NoticeQuestion, PromptAnswer::No);
            return Enter(70)(entry);
        });
        PressFrameButton(shown, "btnAdd");
        driver.Expect(Enter(75, EncodeDate(2025, 6, 1)));
        PressFrameButton(shown, "btnAdd");
    });
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(Configuration()->InstallmentFeePenalties->Count(), 3);
    EXPECT_EQ(Configuration()->AdminFeeAmountAt(TDate(EncodeDate(2025, 5, 1))),
              Currency::fromUnits(60));
}

TEST_F(AdminFees, ANoticeThatFailsStopsTheRunAtItsLoan) {
    OnNotice = [](const WindowRequest& request) {
        if (request.loanNumber == "0000002")
            throw Exception("The printer is out of paper");
    };
    Run([&](QDialog& shown) {
        driver.Expect(Enter(65));
        Confirm(NoticeQuestion, PromptAnswer::Yes); // once the amount is in the list
        ExpectError("The printer is out of paper");
        PressFrameButton(shown, "btnAdd");
    });
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1].loanNumber, "0000002");
    EXPECT_EQ(Configuration()->InstallmentFeePenalties->Count(), 2); // the amount is kept
}

TEST_F(AdminFees, ALoanWithNoLedgerForTodayOrYesterdayIsPassedOverAndNamed) {
    TMorvaneMortgage& drawnToday = *Data()->FindMortgage("0000002");
    drawnToday.Contract->PossessionDate = TDate(test::BookToday);
    drawnToday.BuildLedger();
    Run([&](QDialog& shown) {
        driver.Expect(Enter(65));
        Confirm(NoticeQuestion, PromptAnswer::Yes);
        prompter.Expect(PromptType::Warning, PromptButtons::Ok,
                        "No Notice of Payment Change was printed for the loans without a ledger "
                        "record for today or yesterday: 0000002.",
                        PromptAnswer::Ok);
        PressFrameButton(shown, "btnAdd");
    });
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].loanNumber, "0000001");
    EXPECT_EQ(notices[1].loanNumber, "0000003");
}

TEST_F(AdminFees, TheAmountMustBePositiveAndItsDateNotAfterToday) {
    Run([&](QDialog& shown) {
        driver.Expect([&](QDialog& entry) {
            auto* amount = entry.findChild<TCurrencyEdit*>("edtPenaltyAmount");
            auto* date = entry.findChild<TDatePicker*>("edtTransactionDate");
            // Zero and a negative amount are refused with one message that says so.
            const char* positive = "You must provide a value greater than zero for the "
                                   "\"Amount\" field";
            SaveRefused(entry, positive);
            amount->SetValue(-20);
            SaveRefused(entry, positive);
            amount->SetValue(20);
            date->SetDate(test::BookToday + 1);
            SaveRefused(entry, "The date in the \"Effective Date\" field must be less than or "
                               "equal to the current date");
            Press(entry, "btnCancel");
            return mrNone;
        });
        PressFrameButton(shown, "btnAdd");
    });
    EXPECT_EQ(Configuration()->InstallmentFeePenalties->Count(), 1);
}

} // namespace
} // namespace duebell
