// What the tests of the loan windows stand on: a configured lender (notice periods, an
// arrears administration fee, Christmas, and Monday 16 March 2026 as a once-off holiday), a
// loan book with three properties, three clients and one loan drawn down on 2 February 2026
// (100000, no deposit, 5 + 1 per cent, monthly, 25 years, never paid), today fixed at Friday
// 20 March 2026, a scripted prompter, a dialog driver, an empty window registry and the
// program's own exception handler, so a refused Save shows up as the scripted error box.
#pragma once

#include "app/dialogs/contractdetails.h"
#include "app/dialogs/mortgagedialog.h"
#include "app/dialogs/yesnogroup.h"
#include "app/framework/programmessages.h"
#include "app/framework/windowregistry.h"
#include "controls/datepicker.h"
#include "controls/exspeedbutton.h"
#include "controls/exspinedit.h"
#include "controls/gridbox.h"
#include "controls/numedit.h"
#include "controls/uihooks.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"
#include "support/qtapp.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace duebell::test {

inline double Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}
inline const double LoanToday = Day(2026, 3, 20);

inline Currency Dollars(double amount) {
    return Currency::fromDouble(amount);
}

// The terms the loan dialog is filled with.
struct LoanTerms {
    std::string propertyCode = "0000002";
    std::string clientCode = "0000002";
    double amount = 100000;
    double deposit = 0;
    double term = 25;
    std::string paymentPeriod = "Monthly";
    std::string statementPeriod = "Quarterly";
    double referenceRate = 5;
    double rateSpread = 1;
    double drawdown = Day(2026, 2, 2);
    std::string bank = "Hilltop Bank";
    std::string branch = "Main St";
    std::string bsb = "064-000";
    std::string accountNo = "1234 5678";
    int addFees = 1; // 0 "Yes", 1 "No", -1 unanswered
    int printDrawdown = 1;
    int printBookkeeping = 1;
};

// Fills the loan dialog as a user would: picks, types, answers.
inline void FillLoanDialog(TfmMortgageAddEdit& dialog, const LoanTerms& terms) {
    dialog.PropertyCode()->SetItemIndex(dialog.PropertyCode()->FindRow(terms.propertyCode));
    dialog.ClientCode()->SetItemIndex(dialog.ClientCode()->FindRow(terms.clientCode));
    TfmeContractDetails& contract = *dialog.ContractDetails();
    contract.ContractAmount()->SetValue(terms.amount);
    contract.ContractDeposit()->SetValue(terms.deposit);
    contract.ContractTerm()->SetValue(terms.term);
    contract.PaymentPeriod()->setCurrentText(QString::fromStdString(terms.paymentPeriod));
    contract.StatementPeriod()->setCurrentText(QString::fromStdString(terms.statementPeriod));
    contract.ReferenceRate()->SetValue(terms.referenceRate);
    contract.RateSpread()->SetValue(terms.rateSpread);
    contract.DrawdownDate()->SetDate(terms.drawdown);
    contract.BankList()->setText(QString::fromStdString(terms.bank));
    contract.BankBranch()->setText(QString::fromStdString(terms.branch));
    contract.BankBSB()->setText(QString::fromStdString(terms.bsb));
    contract.BankAccountNo()->setText(QString::fromStdString(terms.accountNo));
    const std::pair<TYesNoGroup*, int> answers[] = {
        {dialog.AddInstallmentFees(), terms.addFees},
        {dialog.PrintDrawdownReport(), terms.printDrawdown},
        {dialog.PrintBookkeepingReport(), terms.printBookkeeping}};
    for (const auto& [question, answer] : answers)
        if (answer >= 0)
            question->Item(answer)->click();
}

inline void PressButton(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

class LoanWindowsBook : public ::testing::Test {
protected:
    LoanWindowsBook() {
        std::unique_ptr<TMorvaneConfiguration> configuration(
            CreateItem<TMorvaneConfiguration>(nullptr));
        configuration->Company = "Hilltop Homes";
        TMorvaneSystemConfiguration& periods = *configuration->SystemConfiguration;
        periods.DefaultPeriod = 14;
        periods.ForeclosePeriod = 30;
        periods.EvictionPeriod = 60;
        periods.InstallmentFeePeriod = 14;
        auto fee = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(configuration.get());
        fee->TransactionDate = TDate(Day(2024, 1, 1));
        fee->PenaltyAmount = Currency::fromUnits(55);
        configuration->InstallmentFeePenalties->Add(std::move(fee));
        auto christmas = MakeItem<TMorvaneRecurringPublicHoliday>(configuration.get());
        christmas->Month = 12;
        christmas->Day = 25;
        christmas->Description = "Christmas Day";
        configuration->RecurringPublicHolidayList->Add(std::move(christmas));
        auto holiday = MakeItem<TMorvanePublicHoliday>(configuration.get());
        holiday->TransactionDate = TDate(Day(2026, 3, 16));
        holiday->Description = "Canberra Day";
        configuration->PublicHolidayList->Add(std::move(holiday));
        SetConfiguration(std::move(configuration));

        SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
        AddClient("0000001", "SMITH", "J");
        AddClient("0000002", "Goldsmith", "A");
        AddClient("0000003", "Nguyen", "Anh");
        AddProperty("0000001", "12", "Main St", "Hilltop");
        AddProperty("0000002", "7", "River Rd", "Riverside");
        AddProperty("0000003", "3", "Hill Ct", "Ashgrove");
        TMorvaneMortgage& loan = AddLoan("0000001", "0000001", "0000001");
        loan.Contract->PossessionDate = TDate(Day(2026, 2, 2));
        loan.Contract->ContractAmount = Currency::fromUnits(100000);
        loan.Contract->ContractTerm = 25;
        loan.Contract->ReferenceRate = TPercentage{Currency::fromUnits(5)};
        loan.Contract->RateSpread = TPercentage{Currency::fromUnits(1)};
        loan.Contract->PaymentPeriod = "Monthly";
        loan.Contract->StatementPeriod = "Quarterly";
        loan.BankDetails->BankName = "Hilltop Bank";
        loan.BankDetails->BranchName = "Main St";
        loan.BankDetails->BSBNo = "064-000";
        loan.BankDetails->AccountNo = "1111 2222";
        SetDataModified(false);
    }
    ~LoanWindowsBook() override {
        SetExceptionHandler(std::move(previousHandler_));
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
        SetConfigurationModified(false);
    }

    static void AddClient(const std::string& code, const std::string& surname,
                          const std::string& given) {
        auto client = MakeItem<TMorvaneClient>(Data());
        client->ClientCode = code;
        client->Surname = surname;
        client->GivenNames = given;
        Data()->Clients->Add(std::move(client));
    }
    static void AddProperty(const std::string& code, const std::string& no,
                            const std::string& street, const std::string& suburb) {
        auto property = MakeItem<TMorvaneProperty>(Data());
        property->PropertyCode = code;
        property->Address->StreetNo = no;
        property->Address->StreetName = street;
        property->Address->Suburb = suburb;
        property->Address->State = "QLD";
        property->Address->PostCode = "4000";
        Data()->Properties->Add(std::move(property));
    }
    static TMorvaneMortgage& AddLoan(const std::string& number, const std::string& client,
                                     const std::string& property) {
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = number;
        loan->ClientCode = client;
        loan->PropertyCode = property;
        return *Data()->Mortgages->Add(std::move(loan));
    }
    static TMorvaneMortgage& Loan(const std::string& number) {
        TMorvaneMortgage* loan = Data()->FindMortgage(number);
        EXPECT_NE(loan, nullptr) << number;
        return *loan;
    }
    // The loan's ledger balance at the end of a day; fails when the ledger has no such day.
    static Currency BalanceOn(const TMorvaneMortgage& loan, double day) {
        const TLedgerDay* found = loan.LocalTransactionDays.Ledger().Find(DayOf(day));
        EXPECT_NE(found, nullptr) << DateToStr(day);
        return found != nullptr ? found->Balance : Currency();
    }
    // The messages of the current alerts of a loan, in list order.
    static std::vector<std::string> AlertsOf(const std::string& loanNumber) {
        std::vector<std::string> messages;
        for (TTovObjectItem* item : *Data()->CurrentAlerts)
            if (item->GetPropertyValue("LoanNumber").AsString() == loanNumber)
                messages.push_back(item->GetPropertyValue("AlertMessage").AsString());
        return messages;
    }

    // The error box the program shows for a refused Save or a failed action.
    void ExpectError(const std::string& text) {
        prompter.Expect(PromptType::Error, PromptButtons::Ok, text, PromptAnswer::Ok);
    }

    ScopedFixedClock clock{LoanToday + 0.5};
    testing::ScriptedPrompter prompter;
    DialogDriver driver;
    ScopedWindowRegistry registry;

private:
    ExceptionHandler previousHandler_ = SetExceptionHandler(ShowApplicationError);
};

} // namespace duebell::test
