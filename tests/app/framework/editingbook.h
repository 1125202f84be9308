// What a test of the record dialogs and list frames stands on: the small loan book (one loan
// drawn down on 3 March 2025) and its configuration installed as the program's own, a second
// client, today fixed at 1 July 2025, a scripted prompter, a dialog driver, and the program's
// own exception handler, so a refused Save shows up as the scripted error box.
#pragma once

#include "app/framework/programmessages.h"
#include "controls/uihooks.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"
#include "support/qtapp.h"
#include "support/smallbook.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell::test {

class EditingBook : public ::testing::Test {
protected:
    EditingBook() {
        SetConfiguration(SetUpConfiguration());
        SetData(BookWithAlerts());
        TMorvaneClient& first = Client(0);
        first.PostalAddress->StreetNo = "12";
        first.PostalAddress->StreetName = "Main St";
        first.PostalAddress->Suburb = "Hilltop";
        first.PostalAddress->State = "QLD";
        first.PostalAddress->PostCode = "4000";
        auto second = MakeItem<TMorvaneClient>(Data());
        second->ClientCode = "0000002";
        second->Surname = "Okafor";
        second->GivenNames = "Ada";
        second->PostalAddress->StreetNo = "7";
        second->PostalAddress->Suburb = "Riverside";
        second->PostalAddress->State = "NSW";
        second->PostalAddress->PostCode = "2000";
        Data()->Clients->Add(std::move(second));
        SetDataModified(false);
    }
    ~EditingBook() override {
        SetExceptionHandler(std::move(previousHandler_));
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
        SetConfigurationModified(false);
    }

    // The client at a position of the loan book's list.
    static TMorvaneClient& Client(int index) {
        auto it = Data()->Clients->begin();
        std::advance(it, index);
        return static_cast<TMorvaneClient&>(**it);
    }
    TMorvaneMortgage& Loan() { return static_cast<TMorvaneMortgage&>(*Data()->Mortgages->First()); }

    // The error box the program shows for a refused Save.
    void ExpectError(const std::string& text) {
        prompter.Expect(PromptType::Error, PromptButtons::Ok, text, PromptAnswer::Ok);
    }

    ScopedFixedClock clock{BookToday + 0.5};
    testing::ScriptedPrompter prompter;
    DialogDriver driver;

private:
    ExceptionHandler previousHandler_ = SetExceptionHandler(ShowApplicationError);
};

inline QLineEdit* EditNamed(QWidget& form, const char* name) {
    auto* edit = form.findChild<QLineEdit*>(name);
    EXPECT_NE(edit, nullptr) << "no edit " << name;
    return edit;
}

inline void Press(QDialog& dialog, const char* button) {
    ButtonNamed(dialog, button)->click();
}

// Shows the dialog as the active window, for a test that types into it or asks where the
// focus is.
inline void ShowActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

} // namespace duebell::test
