// What the fee windows' tests stand on: a configuration with an instalment-fee notice period of
// 14 days, two full-fee types and Good Friday 2026 as a holiday; a loan book with one client,
// one property and three loans drawn down on Thursday 15 January 2026 - 0000001 paid monthly,
// 0000002 fortnightly, 0000003 weekly - all installed as the program's own; today fixed at
// Friday 20 March 2026; a scripted prompter, a dialog driver, a help recorder, an empty window
// registry and the program's own error box.
#pragma once

#include "app/framework/programmessages.h"
#include "app/framework/windowregistry.h"
#include "controls/uihooks.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/details.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"
#include "support/helprecorder.h"
#include "support/qtapp.h"

#include <QDialog>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace duebell::test {

inline TDate Day(int year, int month, int day) {
    return TDate(EncodeDate(year, month, day));
}

inline const TDate FeeToday = Day(2026, 3, 20);

class FeeBook : public ::testing::Test {
protected:
    FeeBook() {
        std::unique_ptr<TMorvaneConfiguration> configuration(
            CreateItem<TMorvaneConfiguration>(nullptr));
        configuration->SystemConfiguration->InstallmentFeePeriod = 14;
        for (const auto& [description, notice] :
             std::vector<std::pair<std::string, int>>{{"Council Rates", 30}, {"Insurance", 14}}) {
            auto type = MakeItem<TMorvaneFeeConfiguration>(configuration.get());
            type->FeeDescription = description;
            type->NoticePeriod = notice;
            configuration->FeeList->Add(std::move(type));
        }
        auto goodFriday = MakeItem<TMorvanePublicHoliday>(configuration.get());
        goodFriday->TransactionDate = Day(2026, 4, 3);
        goodFriday->Description = "Good Friday";
        configuration->PublicHolidayList->Add(std::move(goodFriday));
        SetConfiguration(std::move(configuration));

        std::unique_ptr<TMorvaneData> book(CreateItem<TMorvaneData>(nullptr));
        auto client = MakeItem<TMorvaneClient>(book.get());
        client->ClientCode = "0000001";
        client->Surname = "Nguyen";
        client->GivenNames = "Anh";
        book->Clients->Add(std::move(client));
        auto property = MakeItem<TMorvaneProperty>(book.get());
        property->PropertyCode = "0000001";
        property->Address->StreetNo = "12";
        property->Address->StreetName = "Main St";
        property->Address->Suburb = "Hilltop";
        book->Properties->Add(std::move(property));
        const char* periods[] = {"Monthly", "Fortnightly", "Weekly"};
        for (int n = 1; n <= 3; ++n) {
            auto loan = MakeItem<TMorvaneMortgage>(book.get());
            loan->LoanNumber = "000000" + std::to_string(n);
            loan->ClientCode = "0000001";
            loan->PropertyCode = "0000001";
            loan->Contract->PossessionDate = Day(2026, 1, 15);
            loan->Contract->ContractAmount = Currency::fromUnits(300000);
            loan->Contract->Deposit = Currency::fromUnits(30000);
            loan->Contract->ContractTerm = 25;
            loan->Contract->ReferenceRate = TPercentage{Currency::fromUnits(7)};
            loan->Contract->PaymentPeriod = periods[n - 1];
            loan->Contract->StatementPeriod = "Quarterly";
            book->Mortgages->Add(std::move(loan));
        }
        SetData(std::move(book));
        SetDataModified(false);
    }
    ~FeeBook() override {
        SetExceptionHandler(std::move(previousHandler_));
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    static TMorvaneMortgage& Loan(const std::string& number = "0000001") {
        return *Data()->FindMortgage(number);
    }

    // An instalment fee of the loan, as a saved add would leave it.
    static TMorvaneInstallmentFee& AddFee(TMorvaneMortgage& loan, const std::string& description,
                                          TDate notified, int payments, double amount) {
        auto fee = MakeItem<TMorvaneInstallmentFee>(&loan);
        fee->FeeDescription = description;
        fee->TransactionDate = notified;
        fee->NumberOfPayments = payments;
        fee->PaymentAmount = amount;
        return *loan.InstallmentFees->Add(std::move(fee));
    }
    static TMorvaneLoanTransaction& AddPayment(TMorvaneMortgage& loan, TDate date,
                                               std::int64_t dollars) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(&loan);
        payment->TransactionDate = date;
        payment->PaymentType = "Payment";
        payment->TransactionAmount = Currency::fromUnits(dollars);
        return *loan.LoanTransactions->Add(std::move(payment));
    }
    static TMorvaneFeeTransaction& AddCharge(TMorvaneMortgage& loan, int number, TDate date,
                                             const std::string& description, std::int64_t dollars) {
        auto charge = MakeItem<TMorvaneFeeTransaction>(&loan);
        charge->FeeNumber = number;
        charge->TransactionDate = date;
        charge->FeeDescription = description;
        charge->FeeAmount = Currency::fromUnits(dollars);
        return *loan.FeeTransactions->Add(std::move(charge));
    }

    void Ask(const std::string& question, PromptAnswer answer) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, question, answer);
    }
    // The error box the program shows for a refused Save.
    void ExpectError(const std::string& text) {
        prompter.Expect(PromptType::Error, PromptButtons::Ok, text, PromptAnswer::Ok);
    }

    // Report windows that only record what they were opened for: "<window> <loan> <fee>".
    void RecordReports(std::initializer_list<const char*> windows) {
        for (const char* window : windows)
            RegisterWindow(window, [this, name = std::string(window)](const WindowRequest& r) {
                opened.push_back(name + " " + r.loanNumber + " " + std::to_string(r.feeNumber));
                return OpenedWindow{};
            });
    }

    ScopedFixedClock clock{FeeToday.value + 0.5};
    ScopedWindowRegistry registry;
    testing::ScriptedPrompter prompter;
    DialogDriver driver;
    HelpRecorder help;
    std::vector<std::string> opened; // report windows opened, in order

private:
    ExceptionHandler previousHandler_ = SetExceptionHandler(ShowApplicationError);
};

template <class T> T* Named(QWidget& form, const char* name) {
    auto* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << "no " << name;
    return widget;
}

inline void Press(QDialog& dialog, const char* button) {
    ButtonNamed(dialog, button)->click();
}

} // namespace duebell::test
