// Pictures of the settings dialogs filled in, as a user sees them, saved under the build
// folder: the user details, a recurring holiday, and a loan's interest rate changes with the
// dialog of one change.
#include "app/dialogs/adminfeeconfig.h"
#include "app/dialogs/clientaddedit.h"
#include "app/dialogs/holidaydialogs.h"
#include "app/dialogs/noticeperiodsdialog.h"
#include "app/dialogs/propertyaddedit.h"
#include "app/dialogs/ratechangesconfig.h"
#include "app/dialogs/systemconfigdialog.h"
#include "app/framework/loanchanges.h"
#include "controls/datepicker.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "settingsbook.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

namespace duebell {
namespace {

using test::ComboNamed;
using test::EditNamed;
using test::Press;

class SettingsScreenshots : public test::SettingsBook {
protected:
    SettingsScreenshots() {
        previous = QApplication::palette();
        QPalette palette = previous;
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
        palette.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
        palette.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        QApplication::setPalette(palette);
    }
    ~SettingsScreenshots() override { QApplication::setPalette(previous); }

    // The dialog as shown, saved; checks that its body was drawn (not one flat colour).
    static QImage Shoot(QDialog& shown, const std::string& name) {
        shown.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&shown));
        const QImage shot = shown.grab().toImage();
        const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/" + name + ".png";
        EXPECT_TRUE(shot.save(QString::fromStdString(path))) << path;
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                dark += shot.pixelColor(x, y).lightness() < 100;
        EXPECT_GT(dark, 200) << path;
        return shot;
    }
    // The control lies wholly inside the dialog, clear of the button panel.
    static void ExpectInBody(QDialog& shown, const char* name) {
        auto* control = shown.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        const QRect place(control->mapTo(&shown, QPoint(0, 0)), control->size());
        EXPECT_TRUE(shown.rect().contains(place)) << name;
        EXPECT_LT(place.bottom(), shown.findChild<QWidget*>("pnlDetailButtons")->y()) << name;
        EXPECT_GT(place.width(), 40) << name;
    }

    QPalette previous;
};

TEST_F(SettingsScreenshots, UserDetailsFilledIn) {
    TMorvaneConfiguration& configuration = *Configuration();
    configuration.UserName = "Jo Lender";
    configuration.OperatingNumber = "OP-4411";
    configuration.Address->Suburb = "Hilltop";
    configuration.Address->State = "QLD";
    configuration.ContactDetails->FaxNo = "07 3123 4568";
    configuration.ContactDetails->MobileNo = "0412 345 678";
    configuration.ContactDetails->EmailAddress = "loans@hilltophomes.example";
    configuration.ContactDetails->WebAddress = "www.hilltophomes.example";
    TfmSystemConfig dialog;
    driver.Expect([](QDialog& shown) {
        Shoot(shown, "settings_user_details");
        for (const char* name :
             {"edtCompanyName", "edtUnstructuredAddress", "edtPhoneNo", "edtWebAddress"})
            ExpectInBody(shown, name);
        EXPECT_EQ(shown.findChild<QPlainTextEdit*>("edtUnstructuredAddress")->toPlainText(),
                  "1 Main St\nHilltop");
        Press(shown, "btnCancel");
        return mrNone;
    });
    dialog.EditItem(mmEdit, configuration);
}

TEST_F(SettingsScreenshots, ARecurringHolidayFilledIn) {
    auto holiday = MakeItem<TMorvaneRecurringPublicHoliday>(Configuration());
    TfmPublicHolidaysRecurringAddEdit dialog;
    driver.Expect([](QDialog& shown) {
        ComboNamed(shown, "cmbHolidayMonth")->setCurrentIndex(7);
        ComboNamed(shown, "cmbHolidayDay")->setCurrentIndex(11);
        EditNamed(shown, "edtDescription")->setText("Royal Queensland Show");
        Shoot(shown, "settings_recurring_holiday");
        EXPECT_EQ(ComboNamed(shown, "cmbHolidayDay")->currentText(), "12th");
        for (const char* name : {"cmbHolidayMonth", "cmbHolidayDay", "edtDescription"})
            ExpectInBody(shown, name);
        Press(shown, "btnSave");
        return mrNone;
    });
    EXPECT_EQ(dialog.EditItem(mmAdd, *holiday), mrOk);
    EXPECT_EQ(holiday->Month, 8);
    EXPECT_EQ(holiday->Day, 12);
}

TEST_F(SettingsScreenshots, ALoansRateChangesAndTheDialogOfOne) {
    clock.Set(EncodeDate(2025, 9, 1) + 0.4);
    TMorvaneMortgage& loan = Loan();
    loan.RateChangePeriod = 30;
    auto history = MakeItem<TMorvaneMortgageRate>(Configuration());
    history->LoanNumber = loan.LoanNumber;
    for (const auto& [date, rate] :
         {std::pair{EncodeDate(2025, 5, 2), 7.25}, std::pair{EncodeDate(2025, 8, 1), 6.95}}) {
        auto change = MakeItem<TMorvaneRateChange>(history.get());
        change->TransactionDate = TDate(date);
        change->Rate = TPercentage{Currency::fromDouble(rate)};
        history->RateChanges->Add(std::move(change));
    }
    Configuration()->MortgageRates->Add(std::move(history));
    LoanChanged(loan);

    TfmRateChangesConfig dialog;
    driver.Expect([this](QDialog& shown) {
        auto* loans = shown.findChild<TGridBox*>("cmbLoanNumber");
        loans->SetItemIndex(loans->FindRow("0000001"));
        test::GridOf(shown).SelectRow(2);
        Shoot(shown, "settings_rate_changes");
        // The search button right beside the pick list, on its line.
        const QWidget* search = shown.findChild<QWidget*>("MorvaneMortgageSearchButton1");
        EXPECT_NE(search, nullptr);
        if (search != nullptr) {
            EXPECT_NEAR(search->x(), loans->geometry().right(), 12);
            EXPECT_NEAR(search->geometry().center().y(), loans->geometry().center().y(), 3);
        }
        EXPECT_EQ(test::ColumnTexts(shown, 3),
                  (std::vector<std::string>{"04/06/2025", "04/09/2025"}));
        driver.Expect([](QDialog& entry) {
            entry.findChild<TCurrencyEdit*>("edtRate")->SetValue(6.5);
            Shoot(entry, "settings_rate_change");
            for (const char* name : {"edtTransactionDate", "edtRate"})
                ExpectInBody(entry, name);
            Press(entry, "btnCancel");
            return mrNone;
        });
        Press(shown, "btnAdd");
        Press(shown, "btnCancel");
        return mrNone;
    });
    dialog.EditItem(mmEdit, *Configuration());
}

TEST_F(SettingsScreenshots, TheOtherSettingsAndRecordWindows) {
    const auto shoot = [this](TfmCustomDetailForm& dialog, TTovObjectItem& record,
                              const char* name) {
        driver.Expect([name](QDialog& shown) {
            Shoot(shown, name);
            Press(shown, "btnCancel");
            return mrNone;
        });
        dialog.EditItem(mmEdit, record);
    };
    TfmOptions periods;
    shoot(periods, *Configuration(), "settings_notice_periods");
    TfmAdministrationFeeConfig fees;
    shoot(fees, *Configuration(), "settings_admin_fees");
    TfmClientsAddEdit client;
    shoot(client, Client(0), "record_client");
    TfmPropertyAddEdit property;
    shoot(property, *Data()->Properties->PeekFirst(), "record_property");
}

} // namespace
} // namespace duebell
