// The settings dialogs opened from the Configuration menu, through the registry as the main
// window opens them: their names and captions, the user details (the organisation typed in
// at a first set-up, the required fields in order), the notice periods (none below one day),
// the settings that move every loan's alerts rebuilding them at once, and the break-cost
// dialog of the payout notice.
#include "app/dialogs/adminfeeaddedit.h"
#include "app/dialogs/breakcostaddedit.h"
#include "app/dialogs/clientaddedit.h"
#include "app/dialogs/feetypeaddedit.h"
#include "app/dialogs/holidaydialogs.h"
#include "app/dialogs/payoutbreakcost.h"
#include "app/dialogs/propertyaddedit.h"
#include "app/dialogs/ratechangeaddedit.h"
#include "app/dialogs/settingswindows.h"
#include "controls/datepicker.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "settingsbook.h"

#include <QApplication>
#include <QGroupBox>
#include <QPlainTextEdit>

namespace duebell {
namespace {

using test::EditNamed;
using test::Press;
using test::SpinNamed;

class SettingsDialogs : public test::SettingsBook {
protected:
    SettingsDialogs() { RegisterSettingsWindows(); }

    // Opens a settings window as the Configuration menu does.
    int OpenSettings(const char* name) {
        WindowRequest request;
        request.mode = mmEdit;
        return OpenWindow(name, request).modalResult;
    }
};

TEST_F(SettingsDialogs, EachWindowHasItsNameAndCaption) {
    const std::pair<const char*, const char*> settings[] = {
        {"TfmSystemConfig", "User Details Configuration"},
        {"TfmOptions", "Notice Period Configuration"},
        {"TfmFeesConfig", "Full Fee Configuration"},
        {"TfmAdministrationFeeConfig", "Arrears Administration Fee Configuration"},
        {"TfmInstallmentFeePenaltiesConfig", "Installment Fee Penalties"},
        {"TfmPublicHolidaysConfig", "Once-Off Public Holiday Configuration"},
        {"TfmPublicHolidaysRecurringConfig", "Recurring Public Holiday Configuration"},
        {"TfmRateChangesConfig", "Interest Rate Change Configuration"}};
    for (const auto& [className, caption] : settings) {
        SCOPED_TRACE(className);
        driver.Expect([&](QDialog& shown) {
            EXPECT_EQ(shown.windowTitle().toStdString(), caption);
            // The object name is the class name without its "T": it finds the help topic.
            EXPECT_EQ("T" + shown.objectName().toStdString(), className);
            Press(shown, "btnCancel");
            return mrNone;
        });
        EXPECT_EQ(OpenSettings(className), mrCancel);
    }

    const std::pair<std::unique_ptr<TfmCustomDetailForm>, const char*> entries[] = {
        {std::make_unique<TfmFeesAddEdit>(), "Add/Edit Full Fee"},
        {std::make_unique<TfmInstallmentFeePenaltiesAddEdit>(),
         "Add/Edit Arrears Administration Fee"},
        {std::make_unique<TfmPublicHolidaysAddEdit>(), "Add/Edit Once-Off Public Holiday"},
        {std::make_unique<TfmPublicHolidaysRecurringAddEdit>(),
         "Add/Edit Recurring Public Holiday"},
        {std::make_unique<TfmRateChangesAddEdit>(), "Add/Edit Interest Rate Change"},
        {std::make_unique<TfmPropertyAddEdit>(), "Add/Edit Property"},
        {std::make_unique<TfmClientsAddEdit>(), "Add/Edit Client"},
        {std::make_unique<TfmPayoutBreakCostsAddEdit>(), "Add/Edit Break Cost"}};
    for (const auto& [dialog, caption] : entries)
        EXPECT_EQ(dialog->windowTitle().toStdString(), caption);
    EXPECT_EQ(entries[4].first->objectName(), "fmRateChangesAddEdit");
    EXPECT_EQ(entries[7].first->objectName(), "fmPayoutBreakCostsAddEdit");
}

TEST_F(SettingsDialogs, AFirstSetUpTypesTheOrganisationAndIsAskedForEachRequiredField) {
    SetConfiguration(MakeItem<TMorvaneConfiguration>(nullptr));
    struct Step {
        const char* field;   // the control filled after the refusal
        const char* message; // the field the refusal names
        const char* text;
    };
    const Step steps[] = {{"edtCompanyName", "Organisation", "Hilltop Homes"},
                          {"edtUnstructuredAddress", "Address", ""},
                          {"edtSuburb", "Suburb", "Hilltop"},
                          {"edtState", "State", "QLD"},
                          {"edtPostcode", "Postcode", "4000"},
                          {"edtPhoneNo", "Phone", "07 3123 4567"}};
    driver.Expect([&](QDialog& shown) {
        test::ShowActive(shown);
        EXPECT_FALSE(EditNamed(shown, "edtCompanyName")->isReadOnly());
        EXPECT_FALSE(EditNamed(shown, "edtUserName")->isReadOnly());
        for (const Step& step : steps) {
            ExpectError(std::string("You must provide a value for the \"") + step.message +
                        "\" field");
            Press(shown, "btnSave");
            EXPECT_TRUE(shown.isVisible()) << step.message;
            EXPECT_EQ(QApplication::focusWidget()->objectName(), step.field);
            if (std::string(step.field) == "edtUnstructuredAddress")
                shown.findChild<QPlainTextEdit*>(step.field)->setPlainText("1 Main St\nHilltop");
            else
                EditNamed(shown, step.field)->setText(step.text);
        }
        EditNamed(shown, "edtUserName")->setText("Jo Lender");
        Press(shown, "btnSave"); // fax, mobile, e-mail, web and operating number stay empty
        return mrNone;
    });
    EXPECT_EQ(OpenSettings("TfmSystemConfig"), mrOk);
    const TMorvaneConfiguration& saved = *Configuration();
    EXPECT_EQ(saved.Company, "Hilltop Homes");
    EXPECT_EQ(saved.UserName, "Jo Lender");
    EXPECT_EQ(saved.Address->UnstructuredAddress, "1 Main St\r\nHilltop");
    EXPECT_EQ(saved.Address->PostCode, "4000");
    EXPECT_EQ(saved.ContactDetails->PhoneNo, "07 3123 4567");
    EXPECT_EQ(saved.ContactDetails->FaxNo, "");
}

TEST_F(SettingsDialogs, NoticePeriodsTheFieldsCannotHoldAreRefusedFieldByField) {
    struct Case {
        const char* spin;
        const char* text;
        std::string refusal;
    };
    const std::string days = "Value must be a whole number between 1 and 2147483647";
    // Twelve digits read as the minimum, 1 day, which would turn a loan in arrears into one
    // in default without a word.
    const Case cases[] = {
        {"edtDefaultPeriod", "0", "\"Default\": " + days},
        {"edtDefaultPeriod", "-3", "\"Default\": " + days},
        {"edtDefaultPeriod", "123456789012", "\"Default\": " + days},
        {"edtForeclosePeriod", "0", "\"Termination\": " + days},
        {"edtEvictionPeriod", "-30", "\"Vacate Property\": " + days},
        {"edtInstallmentFeePeriod", "-1", "\"Instalment Fee\": " + days},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        driver.Expect([&](QDialog& shown) {
            test::ShowActive(shown);
            EXPECT_EQ(SpinNamed(shown, "edtDefaultPeriod")->text(), "14"); // the configuration's
            SpinNamed(shown, c.spin)->setText(c.text);
            ExpectError(c.refusal);
            Press(shown, "btnSave");
            EXPECT_TRUE(shown.isVisible());
            EXPECT_EQ(QApplication::focusWidget()->objectName(), c.spin);
            Press(shown, "btnCancel");
            return mrNone;
        });
        EXPECT_EQ(OpenSettings("TfmOptions"), mrCancel);
    }
    const TMorvaneSystemConfiguration& periods = *Configuration()->SystemConfiguration;
    EXPECT_EQ(periods.DefaultPeriod, 14);
    EXPECT_EQ(periods.ForeclosePeriod, 30);

    driver.Expect([](QDialog& shown) {
        SpinNamed(shown, "edtDefaultPeriod")->setText("10");
        SpinNamed(shown, "edtForeclosePeriod")->setText("1");
        SpinNamed(shown, "edtEvictionPeriod")->setText("45");
        SpinNamed(shown, "edtInstallmentFeePeriod")->setText("21");
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(OpenSettings("TfmOptions"), mrOk);
    EXPECT_EQ(periods.DefaultPeriod, 10);
    EXPECT_EQ(periods.ForeclosePeriod, 1);
    EXPECT_EQ(periods.EvictionPeriod, 45);
    EXPECT_EQ(periods.InstallmentFeePeriod, 21);
    EXPECT_TRUE(DataModified());
}

// The loan, drawn on 3 March and never paid, is 88 days behind on 30 June (since 3 April):
// past the default and termination periods (14 + 30), and past the eviction period as well
// once it is 40 days (84) rather than 60 (104); a second loan of the same contract with it.
// The book was never refreshed. Each change tells the windows once, not once per loan.
TEST_F(SettingsDialogs, NoticePeriodsHolidaysAndFeeAmountsRebuildEveryLoanAtOnce) {
    auto second = MakeItem<TMorvaneMortgage>(Data());
    second->LoanNumber = "0000002";
    second->Contract->AssignProperties(*Loan().Contract);
    Data()->Mortgages->Add(std::move(second));
    struct : ITovListListener {
        int told = 0;
        void ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind) override { ++told; }
    } loans;
    Data()->Mortgages->AddListener(&loans);
    const auto loanAlerts = [] {
        std::vector<std::string> messages;
        for (TTovObjectItem* alert : *Data()->CurrentAlerts)
            if (const std::string message = alert->GetPropertyValue("AlertMessage").AsString();
                message.find("for LOAN") != std::string::npos)
                messages.push_back(message);
        return messages;
    };
    const std::vector<std::string> vacate(2, "VACATE notice for LOAN now due");
    const std::vector<std::string> termination(2, "TERMINATION notice for LOAN now due");
    TMorvaneSystemConfiguration& periods = *Configuration()->SystemConfiguration;

    driver.Expect([](QDialog& shown) {
        SpinNamed(shown, "edtEvictionPeriod")->setText("40");
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(OpenSettings("TfmOptions"), mrOk);
    EXPECT_EQ(loanAlerts(), vacate);
    EXPECT_TRUE(Data()->HasAlerts);
    EXPECT_EQ(loans.told, 1);

    // Each list dialog rebuilds with the periods as they now are.
    periods.EvictionPeriod = 60;
    driver.Expect([this](QDialog& shown) {
        driver.Expect([](QDialog& entry) {
            entry.findChild<TDatePicker*>("edtHolidayDate")->SetDate(EncodeDate(2025, 11, 4));
            EditNamed(entry, "edtDescription")->setText("Cup Day");
            Press(entry, "btnSave");
            return mrNone;
        });
        test::PressFrameButton(shown, "btnAdd");
        Press(shown, "btnCancel");
        return mrNone;
    });
    OpenSettings("TfmPublicHolidaysConfig");
    EXPECT_EQ(loanAlerts(), termination);
    EXPECT_EQ(loans.told, 2);

    periods.EvictionPeriod = 40;
    driver.Expect([this](QDialog& shown) {
        ConfirmDelete();
        Confirm("Are you sure you wish to delete this record?", PromptAnswer::Yes);
        test::PressOnRow(shown, 0, "btnDelete");
        Press(shown, "btnCancel");
        return mrNone;
    });
    OpenSettings("TfmAdministrationFeeConfig");
    EXPECT_EQ(Configuration()->InstallmentFeePenalties->Count(), 0);
    EXPECT_EQ(loanAlerts(), vacate);
    EXPECT_EQ(loans.told, 3);
    Data()->Mortgages->RemoveListener(&loans);
}

TEST_F(SettingsDialogs, ABreakCostKeepsItsDescriptionWhenEditedAndNeedsAnAmount) {
    auto cost = MakeItem<TPayoutBreakCost>(nullptr);
    TfmPayoutBreakCostsAddEdit adding;
    driver.Expect([this](QDialog& shown) {
        test::ShowActive(shown);
        EXPECT_FALSE(EditNamed(shown, "edtDescription")->isReadOnly());
        SaveRefused(shown, "You must provide a value for the \"Description\" field");
        EditNamed(shown, "edtDescription")->setText("Break fee");
        SaveRefused(shown, "You must provide a non-zero value for the \"Amount\" field");
        shown.findChild<TCurrencyEdit*>("edtAmount")->SetValue(250.5);
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(adding.EditItem(mmAdd, *cost), mrOk);
    EXPECT_EQ(cost->Description, "Break fee");
    EXPECT_EQ(cost->Amount, Currency::fromRaw(2505000));

    TfmPayoutBreakCostsAddEdit editing;
    driver.Expect([](QDialog& shown) {
        EXPECT_TRUE(EditNamed(shown, "edtDescription")->isReadOnly());
        shown.findChild<TCurrencyEdit*>("edtAmount")->SetValue(300);
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(editing.EditItem(mmEdit, *cost), mrOk);
    EXPECT_EQ(cost->Description, "Break fee");
    EXPECT_EQ(cost->Amount, Currency::fromUnits(300));
}

} // namespace
} // namespace duebell
