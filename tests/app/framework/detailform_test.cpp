// The record dialog base: the edit protocol (add, edit, several records, cancel, view), Save's
// checks and their messages, the all-or-nothing write-back, and the Help button.
#include "app/framework/detailform.h"
#include "controls/datepicker.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/helpfile.h"
#include "domain/loantransactions.h"
#include "editingbook.h"
#include "examples/exampleclientdialog.h"
#include "examples/examplefeedialog.h"
#include "examples/examplepaymentdialog.h"
#include "support/helprecorder.h"

#include <QPushButton>

namespace duebell {
namespace {

using examples::TfmExampleClient;
using examples::TfmExampleInstalmentFee;
using examples::TfmExamplePayment;
using test::EditNamed;
using test::Press;

class DetailDialog : public test::EditingBook {};

void FillAddress(QDialog& dialog) {
    EditNamed(dialog, "edtSurname1")->setText("Brown");
    EditNamed(dialog, "edtGivenNames1")->setText("Sam");
    EditNamed(dialog, "edtStreetNo")->setText("3");
    EditNamed(dialog, "edtSuburb")->setText("Ashgrove");
    EditNamed(dialog, "edtState")->setText("QLD");
    EditNamed(dialog, "edtPostcode")->setText("4060");
}

TEST_F(DetailDialog, AddOffersTheNextCodeAndSaveWritesTheNewClient) {
    auto client = MakeItem<TMorvaneClient>(Data());
    TfmExampleClient dialog;
    driver.Expect([](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "Add/Edit Client");
        EXPECT_EQ(EditNamed(shown, "edtClientCode")->text(), "0000003");
        EXPECT_TRUE(EditNamed(shown, "edtClientCode")->isReadOnly());
        EXPECT_EQ(EditNamed(shown, "edtSurname1")->text(), ""); // the new record's values
        FillAddress(shown);
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItem(mmAdd, *client), mrOk);
    EXPECT_EQ(dialog.Mode(), mmAdd);
    EXPECT_EQ(dialog.Item(), client.get());
    EXPECT_EQ(client->ClientCode, "0000003");
    EXPECT_EQ(client->FullNameStr(), "Brown, Sam");
    EXPECT_EQ(client->PostalAddress->FullSuburbStr(), "Ashgrove, QLD, 4060");
    EXPECT_TRUE(DataModified());
    EXPECT_EQ(Data()->Clients->Count(), 2); // inserting is the frame's business
}

TEST_F(DetailDialog, CancelEscapeAndTheCloseBoxChangeNothing) {
    TMorvaneClient& client = Client(1);
    for (const char* how : {"Cancel", "Escape", "close box"}) {
        SCOPED_TRACE(how);
        TfmExampleClient dialog;
        driver.Expect([how](QDialog& shown) {
            EXPECT_EQ(EditNamed(shown, "edtSurname1")->text(), "Okafor");
            EditNamed(shown, "edtSurname1")->setText("Changed");
            if (std::string(how) == "Cancel")
                Press(shown, "btnCancel");
            else if (std::string(how) == "Escape")
                QTest::keyClick(&shown, Qt::Key_Escape);
            else
                shown.reject();
            return mrNone;
        });
        EXPECT_EQ(dialog.EditItem(mmEdit, client), mrCancel);
        EXPECT_EQ(client.Surname, "Okafor");
        EXPECT_FALSE(DataModified());
    }
}

TEST_F(DetailDialog, AMissingFieldIsNamedFocusedAndTheDialogStaysOpenWithWhatWasTyped) {
    TMorvaneClient& client = Client(1);
    TfmExampleClient dialog;
    driver.Expect([&](QDialog& shown) {
        test::ShowActive(shown);
        EditNamed(shown, "edtSurname1")->setText("Okafor-Smith");
        EditNamed(shown, "edtSuburb")->clear();
        ExpectError("You must provide a value for the \"Suburb\" field");
        Press(shown, "btnSave");
        EXPECT_TRUE(shown.isVisible());
        EXPECT_TRUE(EditNamed(shown, "edtSuburb")->hasFocus());
        EXPECT_EQ(EditNamed(shown, "edtSurname1")->text(), "Okafor-Smith");
        EXPECT_EQ(client.Surname, "Okafor"); // nothing written yet
        EXPECT_FALSE(DataModified());
        EditNamed(shown, "edtSuburb")->setText("Newtown");
        Press(shown, "btnSave");
        EXPECT_FALSE(shown.isVisible());
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItem(mmEdit, client), mrOk);
    EXPECT_EQ(client.Surname, "Okafor-Smith");
    EXPECT_EQ(client.PostalAddress->Suburb, "Newtown");
    EXPECT_TRUE(DataModified());
}

TEST_F(DetailDialog, TwoRecordsShowTheLastAndTakeTheSameValues) {
    TfmExampleClient dialog;
    driver.Expect([](QDialog& shown) {
        EXPECT_EQ(EditNamed(shown, "edtSurname1")->text(), "Okafor"); // the last record
        EditNamed(shown, "edtState")->setText("VIC");
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItems(mmEdit, {&Client(0), Data()->Clients.get(), &Client(1)}), mrOk);
    EXPECT_EQ(dialog.Item(), &Client(0));
    // Every value of the controls went into both, the names of the second one too.
    EXPECT_EQ(Client(0).PostalAddress->State, "VIC");
    EXPECT_EQ(Client(1).PostalAddress->State, "VIC");
    EXPECT_EQ(Client(0).Surname, "Okafor");
}

TEST_F(DetailDialog, ViewModeSavesNothing) {
    TMorvaneClient& client = Client(1);
    TfmExampleClient dialog;
    driver.Expect([](QDialog& shown) {
        EditNamed(shown, "edtSurname1")->setText("Changed");
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItem(mmView, client), mrOk);
    EXPECT_EQ(client.Surname, "Okafor");
    EXPECT_FALSE(DataModified());
}

TEST_F(DetailDialog, AValueThatDoesNotConvertIsRefusedFocusedAndNothingIsWritten) {
    auto fee = MakeItem<TMorvaneInstallmentFee>(&Loan());
    fee->FeeDescription = "Insurance";
    fee->NumberOfPayments = 10;
    TfmExampleInstalmentFee dialog;
    driver.Expect([&](QDialog& shown) {
        test::ShowActive(shown);
        EditNamed(shown, "edtFeeDescription")->setText("Rates");
        EditNamed(shown, "edtNumberOfPayments")->setText("twelve");
        ExpectError("Could not convert variant of type (String) into type (Integer)");
        Press(shown, "btnSave");
        EXPECT_TRUE(shown.isVisible());
        EXPECT_TRUE(EditNamed(shown, "edtNumberOfPayments")->hasFocus());
        EXPECT_EQ(fee->FeeDescription, "Insurance"); // the description that did convert, too
        EXPECT_FALSE(DataModified());
        EditNamed(shown, "edtNumberOfPayments")->setText("12");
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItem(mmEdit, *fee), mrOk);
    EXPECT_EQ(fee->FeeDescription, "Rates");
    EXPECT_EQ(fee->NumberOfPayments, 12);
    EXPECT_TRUE(DataModified());
}

TEST_F(DetailDialog, AnAmountOutOfRangeIsRefusedWithItsMessageBeforeAnyCheck) {
    auto payment = MakeItem<TMorvaneLoanTransaction>(&Loan());
    TfmExamplePayment dialog;
    driver.Expect([&](QDialog& shown) {
        test::ShowActive(shown);
        auto* amount = shown.findChild<TCurrencyEdit*>("edtTransactionAmount");
        amount->setFocus();
        QTest::keyClicks(amount, "1500000");
        ExpectError("\"Amount\": Value must be between -1000000.00 and 1000000.00");
        Press(shown, "btnSave");
        EXPECT_TRUE(shown.isVisible());
        EXPECT_TRUE(amount->hasFocus());
        EXPECT_EQ(payment->TransactionAmount, Currency());
        amount->selectAll();
        QTest::keyClicks(amount, "1500.25");
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItem(mmAdd, *payment), mrOk);
    EXPECT_EQ(payment->TransactionAmount, Currency::fromRaw(15002500));
    EXPECT_EQ(payment->TransactionDate, TDate(test::BookToday)); // offered today
}

TEST_F(DetailDialog, SaveChecksAmountsAndDatesWithTheirMessages) {
    // The loan was drawn down on 3 March 2025 for 25 years; today is 1 July 2025.
    const double drawDown = EncodeDate(2025, 3, 3);
    struct Case {
        double amount;
        double date;
        const char* refusal; // empty: accepted
        const char* focused;
    };
    const Case cases[] = {
        {0, test::BookToday, "You must provide a non-zero value for the \"Amount\" field",
         "edtTransactionAmount"},
        {-5, test::BookToday,
         "You must provide a value greater than or equal to zero for the \"Amount\" field",
         "edtTransactionAmount"},
        {100, drawDown - 1, "The date in the \"Date\" field is earlier than the draw down date.",
         "edtTransactionDate"},
        {100, EncodeDate(2050, 3, 4),
         "The date in the \"Date\" field is later than the mortgage completion date.",
         "edtTransactionDate"},
        {100, test::BookToday + 1,
         "The date in the \"Date\" field must be less than or equal to the current date",
         "edtTransactionDate"},
        {100, drawDown, "", ""},
        {100, test::BookToday, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal);
        auto payment = MakeItem<TMorvaneLoanTransaction>(&Loan());
        TfmExamplePayment dialog;
        driver.Expect([&](QDialog& shown) {
            test::ShowActive(shown);
            shown.findChild<TCurrencyEdit*>("edtTransactionAmount")->SetValue(c.amount);
            shown.findChild<TDatePicker*>("edtTransactionDate")->SetDate(c.date);
            if (*c.refusal == '\0') {
                Press(shown, "btnSave");
                return mrNone;
            }
            ExpectError(c.refusal);
            Press(shown, "btnSave");
            EXPECT_TRUE(shown.isVisible());
            EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focused);
            Press(shown, "btnCancel");
            return mrNone;
        });
        const bool accepted = *c.refusal == '\0';
        EXPECT_EQ(dialog.EditItem(mmAdd, *payment), accepted ? mrOk : mrCancel);
        EXPECT_EQ(payment->TransactionDate, TDate(accepted ? c.date : 0));
    }
}

TEST_F(DetailDialog, TheCheckForTodayNeitherFocusesNorMindsADisabledControl) {
    QWidget form;
    auto* date = new TDatePicker(&form);
    date->setEnabled(false);
    try {
        TfmCustomDetailForm::RequireNotAfterToday("Effective Date", date, test::BookToday + 1.9);
        FAIL() << "tomorrow passed";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "The date in the \"Effective Date\" field must be less than or "
                               "equal to the current date");
    }
    EXPECT_EQ(form.focusWidget(), nullptr);
    // Late in the day is still today; a check with no control only raises.
    TfmCustomDetailForm::RequireNotAfterToday("Effective Date", nullptr, test::BookToday + 0.99);
    EXPECT_THROW(TfmCustomDetailForm::RequireValue("", "Description", nullptr), Exception);
}

TEST_F(DetailDialog, HelpShowsTheDialogsTopicOrAsksBeforeOpeningTheContents) {
    test::HelpRecorder help;
    TTovObjectList& topics = *HelpFile().FormHelpTopics;
    auto topic = MakeItem<TMorvaneFormHelpTopic>(&HelpFile());
    topic->FormClassName = "fmExampleClient";
    topic->HelpContext = 4141;
    topics.Add(std::move(topic));

    const std::string question =
        "Help not found for this topic.  Would you still like to launch the help file?";
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, question, PromptAnswer::Yes);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, question, PromptAnswer::No);
    TfmExampleClient client;
    TfmExamplePayment payment;
    Press(client, "btnHelp");
    Press(payment, "btnHelp"); // no topic: Yes opens the contents
    Press(payment, "btnHelp"); // No: nothing
    EXPECT_EQ(help.requests, (std::vector<std::string>{"context 4141", "contents"}));
    topics.FreeAll();
}

} // namespace
} // namespace duebell
