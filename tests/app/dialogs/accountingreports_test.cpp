// The periodical bookkeeping reports: the accounting periods and the loans of each, the list
// window with its add, edit and delete (the configuration file written after each), the
// report dialog's number list and its refusal of a number already reported, and the per-loan
// figures dialog whose twenty amounts reach the figures record.
#include "../support/dialogdriver.h"
#include "../support/helprecorder.h"
#include "../support/smallbook.h"
#include "app/dialogs/accountingmortgageaddedit.h"
#include "app/dialogs/accountingperiodical.h"
#include "app/dialogs/accountingperiodicaladdedit.h"
#include "app/dialogs/accountingperiods.h"
#include "app/dialogs/bookkeepingwindows.h"
#include "app/framework/headerframe.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/accountingreports.h"
#include "domain/datafiles.h"
#include "domain/helpfile.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "scriptedprompter.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::BookToday;
using test::DialogDriver;

const std::string EditQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                 "Are you sure you wish to Edit this record?";
const std::string DeleteQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                   "Are you sure you wish to Delete this record?";

std::unique_ptr<TMorvaneSystemConfiguration> Settings(int year, int month, int day, int months) {
    auto settings = MakeItem<TMorvaneSystemConfiguration>(nullptr);
    settings->FirstAccountingYear = year;
    settings->FinancialYearMonth = month;
    settings->FinancialYearDay = day;
    settings->AccountingReportPeriod = months;
    return settings;
}

std::vector<std::string> Texts(const std::vector<AccountingPeriod>& periods) {
    std::vector<std::string> texts;
    for (const AccountingPeriod& period : periods)
        texts.push_back(std::to_string(period.number) + ": " + PeriodText(period));
    return texts;
}

TEST(AccountingPeriods, StepByThePeriodFromTheFinancialYearsFirstDay) {
    const AccountingPeriods halfYears(*Settings(2024, 7, 1, 6));
    EXPECT_EQ(
        Texts(halfYears.EndingBy(EncodeDate(2025, 12, 31))),
        (std::vector<std::string>{"1: 01/07/2024 -> 31/12/2024", "2: 01/01/2025 -> 30/06/2025",
                                  "3: 01/07/2025 -> 31/12/2025"}));
    EXPECT_EQ(PeriodText(halfYears.Period(4)), "01/01/2026 -> 30/06/2026");
    // A period ending a day after the limit is left out.
    EXPECT_EQ(halfYears.EndingBy(EncodeDate(2025, 12, 30)).size(), 2u);
    EXPECT_TRUE(halfYears.EndingBy(EncodeDate(2024, 12, 30)).empty());

    // From the 31st, each start is the one before plus a month, clamped: the 28th sticks.
    const AccountingPeriods months(*Settings(2025, 1, 31, 1));
    EXPECT_EQ(
        Texts(months.EndingBy(EncodeDate(2025, 4, 30))),
        (std::vector<std::string>{"1: 31/01/2025 -> 27/02/2025", "2: 28/02/2025 -> 27/03/2025",
                                  "3: 28/03/2025 -> 27/04/2025"}));

    // A period of no months, or fewer, counts as one month and the list still ends.
    for (int period : {0, -3}) {
        const AccountingPeriods none(*Settings(2024, 7, 1, period));
        EXPECT_EQ(none.Months(), 1);
        EXPECT_EQ(PeriodText(none.Period(2)), "01/08/2024 -> 31/08/2024");
        EXPECT_EQ(none.EndingBy(EncodeDate(2030, 7, 1)).size(), 72u); // July 2024 to June 2030
    }

    EXPECT_THROW(AccountingPeriods(*Settings(2024, 0, 1, 6)), EConvertError);
    EXPECT_THROW(AccountingPeriods(*Settings(2024, 2, 30, 6)), EConvertError);
    EXPECT_THROW(halfYears.Period(0), Exception);
}

TEST(AccountingPeriods, ALoanRunsFromItsDrawDownToTheEndOfItsTerm) {
    const AccountingPeriods halfYears(*Settings(2024, 7, 1, 6));
    auto loan = MakeItem<TMorvaneMortgage>(nullptr);
    const auto runsIn = [&](double drawnDown, int years) {
        loan->Contract->PossessionDate = TDate(drawnDown);
        loan->Contract->ContractTerm = years;
        std::string periods;
        for (int n = 1; n <= 5; ++n)
            periods += LoanRunsDuring(*loan, halfYears.Period(n)) ? std::to_string(n) : "-";
        return periods;
    };
    EXPECT_EQ(runsIn(EncodeDate(2024, 12, 15), 1), "123--"); // ends 15/12/2025
    EXPECT_EQ(runsIn(EncodeDate(2024, 12, 31), 1), "123--"); // drawn on period 1's last day
    EXPECT_EQ(runsIn(EncodeDate(2025, 1, 1), 25), "-2345");
    EXPECT_EQ(runsIn(EncodeDate(2024, 1, 1), 1), "12---"); // ends on period 2's first day
    EXPECT_EQ(runsIn(EncodeDate(2020, 7, 1), 2), "-----");
}

// The small loan book with two more loans and a configuration with half-yearly reports from
// 1 July 2024; today is 1 July 2025. Loan 1 is drawn down on 3 March 2025 for 25 years,
// loan 2 on 15 December 2024 for one year, loan 3 ran from 2020 to 2022.
class PeriodicBook : public ::testing::Test {
protected:
    PeriodicBook() {
        SetConfiguration(test::SetUpConfiguration());
        TMorvaneSystemConfiguration& settings = *Configuration()->SystemConfiguration;
        settings.FirstAccountingYear = 2024;
        settings.FinancialYearMonth = 7;
        settings.FinancialYearDay = 1;
        settings.AccountingReportPeriod = 6;
        SetData(test::BookWithAlerts());
        AddLoan("0000002", EncodeDate(2024, 12, 15), 1);
        AddLoan("0000003", EncodeDate(2020, 7, 1), 2);
        SetDataModified(false);
    }
    ~PeriodicBook() override {
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    ScopedFixedClock clock{BookToday + 0.5};

    static void AddLoan(const std::string& number, double drawnDown, int years) {
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = number;
        loan->ClientCode = "0000001";
        loan->PropertyCode = "0000001";
        loan->Contract->PossessionDate = TDate(drawnDown);
        loan->Contract->ContractTerm = years;
        Data()->Mortgages->Add(std::move(loan));
    }
    // A stored report of that number listing the given loans.
    static TMorvanePeriodicAccountingReport& AddReport(int number,
                                                       const std::vector<std::string>& loans) {
        auto report = MakeItem<TMorvanePeriodicAccountingReport>(Configuration());
        report->AccountingReportNo = number;
        for (const std::string& loanNumber : loans) {
            auto entry = MakeItem<TMorvanePeriodicAccountingMortgage>(report.get());
            entry->LoanNumber = loanNumber;
            report->Mortgages->Add(std::move(entry));
        }
        return *Configuration()->AccountingPeriodicalReports->Add(std::move(report));
    }
};

// The list window over that configuration, saving it to a file of its own.
class PeriodicReports : public PeriodicBook {
protected:
    static TTovObjectList& Reports() { return *Configuration()->AccountingPeriodicalReports; }
    static TMorvanePeriodicAccountingReport& Report(int index) {
        auto it = Reports().begin();
        std::advance(it, index);
        return static_cast<TMorvanePeriodicAccountingReport&>(**it);
    }
    static std::vector<std::string> Column(const TfmeCustomHeaderFrame& frame, int col) {
        std::vector<std::string> cells;
        for (int row = 1; row < frame.Grid()->RowCount(); ++row)
            cells.push_back(frame.Grid()->Cells(col, row));
        return cells;
    }
    std::string SavedConfiguration() const {
        std::ifstream file(configurationFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    static void Press(QWidget& window, const char* name) {
        auto* button = window.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isEnabled()) << name;
        button->click();
    }

    test::RecordingHooks hooks;
    testing::ScriptedPrompter prompter;
    DialogDriver driver;
    QTemporaryDir folder;
    const std::string configurationFile = folder.filePath("MV_CONFIG.XML").toStdString();
    int saves = 0;
    TfmReportAccountingPeriodical window{[this] {
        ++saves;
        SaveConfigurationFile(configurationFile);
    }};
};

TEST_F(PeriodicReports, AddListsThePeriodsAndTheLoansOfTheFirstAndSavesTheConfiguration) {
    TfmeCustomHeaderFrame& frame = *window.ReportsFrame();
    EXPECT_EQ(window.windowTitle(), "Accounting Report Periodical");
    EXPECT_EQ(frame.HeaderBox()->title(), " Accounting Reports ");
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{""}));
    EXPECT_FALSE(window.findChild<QPushButton*>("btnPrint")->isEnabled());

    driver.Expect([](QDialog& shown) {
        auto& dialog = dynamic_cast<TfmReportAccountingPeriodicalAddEdit&>(shown);
        EXPECT_EQ(dialog.windowTitle(), "Add/Edit Accounting Report Periodical");
        const TGridBox& numbers = *dialog.ReportNoBox();
        // Half years from July 2024 whose end is within five years of 1 July 2025.
        EXPECT_EQ(numbers.Items().Count(), 12);
        EXPECT_EQ(numbers.GetCell(0, 0), "1");
        EXPECT_EQ(numbers.GetCell(0, 1), "01/07/2024 -> 31/12/2024");
        EXPECT_EQ(numbers.GetCell(11, 1), "01/01/2030 -> 30/06/2030");
        EXPECT_EQ(numbers.ItemIndex(), 0);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtFromDate")->text(), "01/07/2024");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtToDate")->text(), "31/12/2024");
        EXPECT_EQ(Column(*dialog.MortgagesFrame(), 0), (std::vector<std::string>{"0000002"}));
        EXPECT_TRUE(dialog.MortgagesFrame()->AddButton()->isHidden());
        EXPECT_TRUE(dialog.MortgagesFrame()->DeleteButton()->isHidden());

        dialog.ReportNoBox()->SetItemIndex(2); // period 3: loans 1 and 2
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtFromDate")->text(), "01/07/2025");
        EXPECT_EQ(Column(*dialog.MortgagesFrame(), 0),
                  (std::vector<std::string>{"0000001", "0000002"}));
        Press(dialog, "btnSave");
        return mrNone;
    });
    Press(window, "btnAdd");

    ASSERT_EQ(Reports().Count(), 1);
    EXPECT_EQ(Report(0).AccountingReportNo, 3);
    EXPECT_EQ(Report(0).StartDate, TDateTime(EncodeDate(2025, 7, 1)));
    EXPECT_EQ(Report(0).EndDate, TDateTime(EncodeDate(2025, 12, 31)));
    EXPECT_EQ(Report(0).Mortgages->Count(), 2);
    EXPECT_EQ(Column(frame, 0), (std::vector<std::string>{"3"}));
    EXPECT_EQ(Column(frame, 1), (std::vector<std::string>{"01/07/2025"}));
    EXPECT_EQ(saves, 1);
    const std::string saved = SavedConfiguration();
    EXPECT_NE(saved.find("<AccountingReportNo>3</AccountingReportNo>"), std::string::npos);
    EXPECT_NE(saved.find("<StartDate>2025-07-01T00:00:00+10:00</StartDate>"), std::string::npos);
    EXPECT_NE(saved.find("<LoanNumber>0000001</LoanNumber>"), std::string::npos);
    EXPECT_NE(saved.find("<LoanNumber>0000002</LoanNumber>"), std::string::npos);
}

TEST_F(PeriodicReports, AddingOffersTheNextNumberAndRefusesOneAlreadyReported) {
    for (int n = 1; n <= 3; ++n)
        AddReport(n, {});
    window.ReportsFrame()->RefreshGrid();
    driver.Expect([this](QDialog& shown) {
        auto& dialog = dynamic_cast<TfmReportAccountingPeriodicalAddEdit&>(shown);
        TGridBox& numbers = *dialog.ReportNoBox();
        EXPECT_EQ(numbers.ItemIndex(), 3);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtFromDate")->text(), "01/01/2026");
        EXPECT_TRUE(dialog.findChild<QPushButton*>("btnSave")->isEnabled());

        prompter.Expect(PromptType::Error, PromptButtons::Ok, DuplicatePeriodicReportMessage,
                        PromptAnswer::Ok);
        numbers.SetItemIndex(1);
        EXPECT_FALSE(dialog.findChild<QPushButton*>("btnSave")->isEnabled());
        numbers.SetItemIndex(4);
        EXPECT_TRUE(dialog.findChild<QPushButton*>("btnSave")->isEnabled());
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtFromDate")->text(), "01/07/2026");
        Press(dialog, "btnCancel");
        return mrNone;
    });
    Press(window, "btnAdd");
    EXPECT_EQ(Reports().Count(), 3);
    EXPECT_EQ(saves, 0); // nothing added, nothing written

    // With period 12 reported, the number after it has no row: nothing is chosen and Save
    // stays off.
    AddReport(12, {});
    driver.Expect([](QDialog& shown) {
        auto& dialog = dynamic_cast<TfmReportAccountingPeriodicalAddEdit&>(shown);
        EXPECT_EQ(dialog.ReportNoBox()->ItemIndex(), -1);
        EXPECT_FALSE(dialog.findChild<QPushButton*>("btnSave")->isEnabled());
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtFromDate")->text(), "");
        return mrCancel;
    });
    Press(window, "btnAdd");
}

TEST_F(PeriodicReports, EditKeepsTheStoredLoansAndTheirFiguresReachTheRecord) {
    // Loan 0000009 is no longer in the loan book; the stored list is shown as it is.
    TMorvanePeriodicAccountingReport& stored = AddReport(2, {"0000003", "0000009"});
    window.ReportsFrame()->RefreshGrid();
    window.ReportsFrame()->Grid()->SelectRow(1);

    // Every amount the lender enters, each a different figure.
    const std::vector<std::pair<std::string, std::string>> figures = {
        {"edtOtherAmount", "OtherAmount"},
        {"edtDisbursementFirstMortgage", "DisbursementFirstMortgage"},
        {"edtDisbursementOtherMortgages", "DisbursementOtherMortgages"},
        {"edtDisbursementJVPayments", "DisbursementJVPayments"},
        {"edtDisbursementMarketingCosts", "DisbursementMarketingCosts"},
        {"edtDisbursementFeePaymentsBank", "DisbursementFeePaymentsBank"},
        {"edtDisbursementFeePaymentsLegal", "DisbursementFeePaymentsLegal"},
        {"edtDisbursementFeePaymentsTaxes", "DisbursementFeePaymentsTaxes"},
        {"edtDisbursementFeePaymentsReports", "DisbursementFeePaymentsReports"},
        {"edtDisbursementOther", "DisbursementOther"},
        {"edtFirstMortgageInterestCharges", "FirstMortgageInterestCharges"},
        {"edtFirstMortgageBankCharges", "FirstMortgageBankCharges"},
        {"edtFirstMortgageAddOther", "FirstMortgageAddOther"},
        {"edtFirstMortgageRepayments", "FirstMortgageRepayments"},
        {"edtFirstMortgageLessOther", "FirstMortgageLessOther"},
        {"edtFinanceDetailsInterestCharges", "FinanceDetailsInterestCharges"},
        {"edtFinanceDetailsBankCharges", "FinanceDetailsBankCharges"},
        {"edtFinanceDetailsAddOther", "FinanceDetailsAddOther"},
        {"edtFinanceDetailsRepayments", "FinanceDetailsRepayments"},
        {"edtFinanceDetailsLessOther", "FinanceDetailsLessOther"}};
    const auto amount = [](std::size_t i) { return 100.0 * static_cast<double>(i + 1) + 0.25; };

    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, EditQuestion,
                    PromptAnswer::Yes);
    driver.Expect([&](QDialog& shown) {
        auto& dialog = dynamic_cast<TfmReportAccountingPeriodicalAddEdit&>(shown);
        EXPECT_FALSE(dialog.ReportNoBox()->isEnabled());
        EXPECT_EQ(dialog.ReportNoBox()->Text(), "2");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtFromDate")->text(), "01/01/2025");
        TfmeCustomHeaderFrame& loans = *dialog.MortgagesFrame();
        EXPECT_EQ(Column(loans, 0), (std::vector<std::string>{"0000003", "0000009"}));
        EXPECT_EQ(Column(loans, 1), (std::vector<std::string>{"Nguyen, Anh", ""}));

        loans.Grid()->SelectRow(1);
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, EditQuestion,
                        PromptAnswer::Yes);
        driver.Expect([&](QDialog& figuresShown) {
            auto& figuresDialog = dynamic_cast<TfmReportAccountingMortgageAddEdit&>(figuresShown);
            EXPECT_EQ(figuresDialog.windowTitle(), "Edit Accounting Report Periodical Mortgage");
            EXPECT_EQ(figuresDialog.findChild<QLineEdit*>("edtLoanNumber")->text(), "0000003");
            EXPECT_EQ(figuresDialog.findChild<QTabWidget*>("pgFigures")->tabText(1),
                      "Asset && Liability Statement");
            for (std::size_t i = 0; i < figures.size(); ++i) {
                auto* edit = figuresDialog.findChild<TCurrencyEdit*>(figures[i].first.c_str());
                EXPECT_NE(edit, nullptr) << figures[i].first;
                if (edit != nullptr)
                    edit->SetValue(amount(i));
            }
            // The figures not worked out here are read-only and empty.
            auto* subtotal = figuresDialog.findChild<QLineEdit*>("edtDisbursementsSubtotal");
            EXPECT_TRUE(subtotal->isReadOnly());
            EXPECT_EQ(subtotal->text(), "");
            Press(figuresDialog, "btnSave");
            return mrNone;
        });
        loans.EditButton()->click();
        Press(dialog, "btnSave");
        return mrNone;
    });
    Press(window, "btnEdit");

    ASSERT_EQ(stored.Mortgages->Count(), 2);
    const TTovObjectItem& entry = *stored.Mortgages->PeekFirst();
    for (std::size_t i = 0; i < figures.size(); ++i)
        EXPECT_EQ(entry.GetPropertyValue(figures[i].second).AsCurrency(),
                  Currency::fromRaw(static_cast<std::int64_t>(amount(i) * 10000)))
            << figures[i].second;
    EXPECT_EQ(saves, 1);
    EXPECT_NE(SavedConfiguration().find("<FinanceDetailsLessOther>2000.25</"), std::string::npos);
    EXPECT_TRUE(DataModified());
}

TEST_F(PeriodicReports, AReportBeyondTheListedPeriodsKeepsItsNumberWhenEdited) {
    AddReport(20, {"0000001"}); // the list offers 12 periods
    window.ReportsFrame()->RefreshGrid();
    window.ReportsFrame()->Grid()->SelectRow(1);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, EditQuestion,
                    PromptAnswer::Yes);
    driver.Expect([](QDialog& shown) {
        auto& dialog = dynamic_cast<TfmReportAccountingPeriodicalAddEdit&>(shown);
        EXPECT_EQ(dialog.ReportNoBox()->Items().Count(), 20);
        EXPECT_EQ(dialog.ReportNoBox()->Text(), "20");
        // 19 half years after 1 July 2024.
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtFromDate")->text(), "01/01/2034");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtToDate")->text(), "30/06/2034");
        Press(dialog, "btnSave");
        return mrNone;
    });
    Press(window, "btnEdit");
    EXPECT_EQ(Report(0).AccountingReportNo, 20);
    EXPECT_EQ(Report(0).EndDate, TDateTime(EncodeDate(2034, 6, 30)));
}

TEST_F(PeriodicReports, DeleteRemovesTheReportAndSavesTheConfiguration) {
    AddReport(1, {"0000002"});
    AddReport(2, {});
    window.ReportsFrame()->RefreshGrid();
    window.ReportsFrame()->Grid()->SelectRow(1);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, DeleteQuestion,
                    PromptAnswer::Yes);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "Are you sure you wish to delete this record?", PromptAnswer::No);
    Press(window, "btnDelete");
    EXPECT_EQ(saves, 0);

    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, DeleteQuestion,
                    PromptAnswer::Yes);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "Are you sure you wish to delete this record?", PromptAnswer::Yes);
    Press(window, "btnDelete");
    ASSERT_EQ(Reports().Count(), 1);
    EXPECT_EQ(Report(0).AccountingReportNo, 2);
    EXPECT_EQ(saves, 1);
    const std::string saved = SavedConfiguration();
    EXPECT_EQ(saved.find("<AccountingReportNo>1</AccountingReportNo>"), std::string::npos);
    EXPECT_NE(saved.find("<AccountingReportNo>2</AccountingReportNo>"), std::string::npos);
}

TEST_F(PeriodicReports, AFinancialYearThatMakesNoDateIsReportedWhenAdding) {
    Configuration()->SystemConfiguration->FinancialYearMonth = 13;
    window.ReportsFrame()->AddButton()->click(); // the click's guard reports the error
    ASSERT_EQ(hooks.errors.size(), 1u);
    EXPECT_EQ(Reports().Count(), 0);
}

// Pictures of the three windows as the lender sees them, saved under the build folder.
TEST_F(PeriodicReports, Screenshots) {
    const auto picture = [](QWidget& shown, const std::string& name) {
        shown.show();
        QApplication::processEvents();
        const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/" + name + ".png";
        EXPECT_TRUE(shown.grab().save(QString::fromStdString(path))) << path;
        shown.hide();
    };
    TMorvanePeriodicAccountingReport& stored = AddReport(1, {"0000002"});
    stored.StartDate = TDateTime(EncodeDate(2024, 7, 1));
    stored.EndDate = TDateTime(EncodeDate(2024, 12, 31));
    window.ReportsFrame()->RefreshGrid();
    picture(window, "periodic_reports_list");

    driver.Expect([&](QDialog& shown) {
        picture(shown, "periodic_report_add");
        return mrCancel;
    });
    Press(window, "btnAdd");

    TfmReportAccountingMortgageAddEdit figures;
    driver.Expect([&](QDialog& shown) {
        picture(shown, "periodic_report_loan_figures");
        shown.findChild<QTabWidget*>("pgFigures")->setCurrentIndex(1);
        picture(shown, "periodic_report_loan_figures_page2");
        return mrCancel;
    });
    figures.EditItem(mmEdit, *stored.Mortgages->PeekFirst());
}

TEST_F(PeriodicReports, F1OpensTheWindowsHelpTopic) {
    test::HelpRecorder help;
    QTest::keyClick(&window, Qt::Key_F1);
    auto topic = MakeItem<TMorvaneFormHelpTopic>(nullptr);
    topic->FormClassName = "fmReportAccountingPeriodical";
    topic->HelpContext = 720;
    TTovObjectList& topics = *HelpFile().FormHelpTopics;
    const std::unique_ptr<TTovObjectItem> added(topics.Add(std::move(topic)));
    QTest::keyClick(&window, Qt::Key_F1);
    topics.Locate(Variant(std::string("fmReportAccountingPeriodical")));
    topics.Delete(); // the help topics are the process's: leave them as they were
    EXPECT_EQ(help.requests, (std::vector<std::string>{"contents", "context 720"}));
}

TEST_F(PeriodicReports, TheWindowIsRegisteredAndOpensModally) {
    ScopedWindowRegistry registry;
    RegisterBookkeepingWindows(configurationFile);
    driver.Expect([](QDialog& shown) {
        EXPECT_EQ(shown.objectName(), "fmReportAccountingPeriodical");
        return mrCancel;
    });
    EXPECT_EQ(OpenWindow("TfmReportAccountingPeriodical").modalResult, mrCancel);
}

} // namespace
} // namespace duebell
