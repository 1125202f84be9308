// The three data files: hand-typed files read with every value in place, full trees that
// come back equal and byte for byte, and files that fail to read without costing anything.
#include "domain/computedrecords.h"
#include "domain/datafiles.h"
#include "domain/helpfile.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "objectlist/xmlfiler.h"
#include "testbooks.h"
#include "treecompare.h"
#include "watchinggrid.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace duebell {
namespace {

namespace fs = std::filesystem;
using namespace duebell::testing;

std::string Fixture(const char* name) {
    return std::string(DUEBELL_TEST_DATA_DIR) + "/" + name;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

template <class T> T& At(const TTovOwnedObjectList& list, int index) {
    auto it = list->begin();
    for (int i = 0; i < index; ++i) {
        ++it;
    }
    return *static_cast<T*>(*it);
}

class DataFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(DUEBELL_TEST_OUTPUT_DIR) / "datafiles" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        SetData(nullptr);
        SetConfiguration(nullptr);
        HelpFile().HelpMeWithTopics->FreeAll();
        HelpFile().FormHelpTopics->FreeAll();
    }
    std::string File(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

// Every path under the record at base reads the hand-typed text.
void ExpectTexts(const TTovObjectItem& root, const std::string& base,
                 std::initializer_list<std::pair<const char*, const char*>> rows) {
    for (const auto& [path, text] : rows) {
        const std::string full = base.empty() ? path : base + "." + path;
        SCOPED_TRACE(full);
        EXPECT_EQ(TextAt(root, full), text);
    }
}

TEST_F(DataFilesTest, HandTypedLoanBookReadsWithEveryValueInPlace) {
    LoadDataFile(Fixture("MV_DATA.XML"));
    TMorvaneData& data = *Data();
    // Lists come sorted by their keys, not in file order; computed texts are worked out again,
    // never read from the file's stale ones.
    ExpectTexts(
        data, "",
        {{"Properties", "2"}, {"Clients", "2"}, {"Mortgages", "2"}, {"ClearedDuebells", "2"}});
    EXPECT_EQ(data.CurrentAlerts->Count(), 0);
    ExpectTexts(data, "Properties[0]",
                {
                    {"PropertyCode", "0000001"},
                    {"Address.UnstructuredAddress", "Lot 7, Hilltop Estate"},
                    {"Address.StreetNo", "12"},
                    {"Address.StreetName", "Main St"},
                    {"Address.Suburb", "Hilltop"},
                    {"Address.State", "QLD"},
                    {"Address.PostCode", "4000"},
                    {"Address.AddressStr", "12 Main St, Hilltop, QLD, 4000"},
                });
    ExpectTexts(data, "Properties[1].Address",
                {
                    {"StreetNo", "3/45"},
                    {"StreetName", "O'Connell & Sons Rd"},
                    {"Suburb", "Café Hill"},
                    {"State", ""},
                    {"AddressStr", "3/45 O'Connell & Sons Rd, Café Hill, 4001"},
                });
    ExpectTexts(data, "Clients[0]",
                {
                    {"ClientCode", "0000001"},
                    {"Surname", "Nguyen"},
                    {"GivenNames", "Anh Thi"},
                    {"Surname2", "Tran"},
                    {"GivenNames2", "Binh"},
                    {"FullNameStr", "Nguyen, Anh Thi"},
                    {"FullName2Str", "Tran, Binh"},
                    {"ContactDetails.PhoneNo", "07 3123 4567"},
                    {"ContactDetails.FaxNo", "07 3123 4568"},
                    {"ContactDetails.MobileNo", "0412 345 678"},
                    {"ContactDetails.EmailAddress", "anh@example.com"},
                    {"ContactDetails.WebAddress", "www.example.com"},
                    {"PostalAddress.UnstructuredAddress", "PO Box 12"},
                    {"PostalAddress.AddressStr", "Hilltop, QLD, 4000"},
                });
    ExpectTexts(data, "Clients[1]", {{"FullNameStr", "Smith, John"}, {"FullName2Str", ""}});

    ExpectTexts(data, "Mortgages[0]",
                {
                    {"LoanNumber", "0000001"},
                    {"PropertyCode", "0000001"},
                    {"ClientCode", "0000001"},
                    {"LastFeeNumber", "2"},
                    {"LastStatementNumber", "3"},
                    {"RateChangePeriod", "30"},
                    {"ClientName", "Nguyen, Anh Thi"},
                    {"ClientName2", "Tran, Binh"},
                    {"PropertyAddress", "12 Main St, Hilltop, QLD, 4000"},
                    {"Contract.PossessionDate", "16/03/2020"},
                    {"Contract.ContractAmount", "250000"},
                    {"Contract.Deposit", "25000.5"},
                    {"Contract.ContractTerm", "25"},
                    {"Contract.ReferenceRate", "7.25"},
                    {"Contract.RateSpread", "1.5"},
                    {"Contract.PaymentPeriod", "Fortnightly"},
                    {"Contract.StatementPeriod", "Quarterly"},
                    {"BankDetails.BankName", "Bank of Hilltop"},
                    {"BankDetails.BranchName", "Main Street"},
                    {"BankDetails.AccountName", "A & B Nguyen"},
                    {"BankDetails.BSBNo", "064-000"},
                    {"BankDetails.AccountNo", "12345678"},
                    // Payments in key order: date, then type, then moment of entry; the
                    // "+10:00" of a moment is not applied.
                    {"LoanTransactions", "3"},
                    {"LoanTransactions[0].TransactionDate", "30/03/2020"},
                    {"LoanTransactions[0].DateAdded", "30/03/2020 09:00:00"},
                    {"LoanTransactions[0].TransactionAmount", "865.43"},
                    {"LoanTransactions[0].Rate", "0"},
                    {"LoanTransactions[1].DateAdded", "13/04/2020 08:30:00"},
                    {"LoanTransactions[1].TransactionAmount", "0.05"},
                    {"LoanTransactions[1].Rate", "8.75"},
                    {"LoanTransactions[2].TransactionDate", "13/04/2020"},
                    {"LoanTransactions[2].DateAdded", "13/04/2020 16:05:09"},
                    {"LoanTransactions[2].PaymentType", "Payment"},
                    {"LoanTransactions[2].ParentClientCode", "0000001"},
                    // Priority 0 first.
                    {"InstallmentFees", "2"},
                    {"InstallmentFees[0].Priority", "0"},
                    {"InstallmentFees[0].FeeDescription", "Legal Fees"},
                    {"InstallmentFees[0].UserPaymentAmount", "1200"},
                    {"InstallmentFees[0].UserNumberOfPayments", "12"},
                    {"InstallmentFees[0].UserPaymentPeriod", "Quarterly"},
                    {"InstallmentFees[0].NumberOfPayments", "78"},
                    {"InstallmentFees[0].PaymentAmount", "46.153846153846"},
                    {"InstallmentFees[0].StopTransactionDate", ""},
                    {"InstallmentFees[1].Priority", "1"},
                    {"InstallmentFees[1].UserPaymentAmount", "500"},
                    {"InstallmentFees[1].UserNumberOfPayments", "10"},
                    {"InstallmentFees[1].UserPaymentPeriod", "Monthly"},
                    {"InstallmentFees[1].TransactionDate", "01/05/2020"},
                    {"InstallmentFees[1].NumberOfPayments", "22"},
                    {"InstallmentFees[1].PaymentAmount", "227.2727"},
                    {"InstallmentFees[1].StopTransactionDate", "04/01/2021 10:20:30"},
                    {"InstallmentFees[1].StopLastPaymentDate", "11/01/2021"},
                    {"InstallmentFees[1].PaymentsRemaining", "0"}, // stopped; the file's 77
                    {"InstallmentFeeTransactions", "1"},
                    {"InstallmentFeeTransactions[0].FeeAmount", "3600"},
                    {"InstallmentFeeTransactions[0].DateAdded", "01/04/2020 11:11:11"},
                    {"AdminFeeTransactions", "1"},
                    {"AdminFeeTransactions[0].TransactionDate", "01/06/2021"},
                    {"AdminFeeTransactions[0].FeeDescription", "Loan Arrears"},
                    {"AdminFeeTransactions[0].FeeAmount", "30"},
                    {"AdminFeeTransactions[0].AmountLeft", "12.5"},
                    {"AdminFeeTransactions[0].DateAdded", "01/06/2021 14:45:00"},
                    // 15 June before 1 September.
                    {"FeeTransactions", "2"},
                    {"FeeTransactions[0].FeeNumber", "1"},
                    {"FeeTransactions[0].FeeDescription", "Council Rates"},
                    {"FeeTransactions[0].FeeAmount", "845.2"},
                    {"FeeTransactions[0].FeePayments", "2"},
                    {"FeeTransactions[0].FeePayments[0].TransactionDate", "01/07/2020"},
                    {"FeeTransactions[0].FeePayments[0].FeePaymentAmount", "300.1"},
                    {"FeeTransactions[0].FeePayments[0].DateAdded", "01/07/2020 09:30:00"},
                    {"FeeTransactions[0].Balance", "145.1"}, // 845.20 - 300.10 - 400
                    {"FeeTransactions[1].FeeNumber", "2"},
                    {"FeeTransactions[1].Balance", "1320.75"}, // its "Balance" is not read
                    {"FeeTransactions[1].FeePayments", "0"},
                    {"IssuedStatements", "3"},
                    {"IssuedStatements[0].StatementNumber", "1"},
                    {"IssuedStatements[2].StatementNumber", "3"},
                    {"InitialAccountingReport.NameOfPurchaser", "Anh Thi Nguyen"},
                    {"InitialAccountingReport.DateOfPurchase", "02/03/2020"},
                    {"InitialAccountingReport.PurchasePriceLand", "120000"},
                    {"InitialAccountingReport.PurchasePriceBuilding", "130000"},
                    {"InitialAccountingReport.LegalFeeCost", "1450.55"},
                    {"InitialAccountingReport.InspectionReportCost", "450"},
                    {"InitialAccountingReport.GovernmentTaxCost", "8750"},
                    {"InitialAccountingReport.OtherCost", "0"},
                });
    auto& loan = *static_cast<TMorvaneMortgage*>(data.Mortgages->PeekFirst());
    EXPECT_EQ(loan.Contract->PaymentPeriodIndex(), 1);
    EXPECT_NE(At<TMorvaneInstallmentFee>(loan.InstallmentFees, 1).FirstPaymentDate(),
              Day(1999, 1, 1)); // worked out, not read
    // The element of the list no loan holds is passed over.
    EXPECT_EQ(loan.InstallmentFeePenalties, nullptr);
    // The twenty final figures, typed in the file as 1.01, 2.02, ... 20.20.
    int n = 1;
    for (const TTovPropInfo* prop : loan.FinalAccountingReport->ItemManager().Properties()) {
        EXPECT_EQ(prop->GetCurrency(*loan.FinalAccountingReport), Money(n * 101)) << prop->Name();
        ++n;
    }

    ExpectTexts(data, "Mortgages[1]",
                {
                    {"LoanNumber", "0000002"},
                    {"Contract.PossessionDate", "31/01/2023"},
                    {"Contract.ContractAmount", "480000"},
                    {"Contract.ReferenceRate", "6.1"},
                    {"Contract.RateSpread", "0.25"},
                    {"Contract.StatementPeriod", "Half-Yearly"},
                    {"LoanTransactions", "0"},
                    {"ClientName", "Smith, John"},
                });

    // 20 July 2020 before 2021.
    ExpectTexts(data, "ClearedDuebells[0]",
                {
                    {"AlertMessage", "DEFAULT notice for FEE \"1\" now due"},
                    {"FeeNumber", "1"},
                    {"FeeTransactionDate", "15/06/2020"},
                    {"AlertDay", "20/07/2020"},
                });
    ExpectTexts(data, "ClearedDuebells[1]",
                {
                    {"LoanNumber", "0000001"},
                    {"PropertyAddress", "12 Main St, Hilltop, QLD, 4000"},
                    {"ClientName", "Nguyen, Anh Thi"},
                    {"AlertMessage", "ARREARS notice for LOAN now due"},
                    {"AlertDay", "14/07/2021"},
                });
    auto& arrears = *static_cast<TMorvaneAlert*>(data.ClearedDuebells->PeekFirst());
    EXPECT_EQ(arrears.AlertType, atFeeArrears);
    EXPECT_EQ(arrears.MortgageStatus, msDefaulted);
    auto& loanAlert = At<TMorvaneAlert>(data.ClearedDuebells, 1);
    EXPECT_EQ(loanAlert.AlertType, atLoanArrears);
    EXPECT_EQ(loanAlert.MortgageStatus, msInArrears);
}

TEST_F(DataFilesTest, HandTypedConfigurationReadsWithEveryValueInPlace) {
    LoadConfigurationFile(Fixture("MV_CONFIG.XML"));
    TMorvaneConfiguration& config = *Configuration();
    ExpectTexts(
        config, "",
        {
            {"UserName", "Margaret Lee"},
            {"Company", "Lee Home Finance Pty Ltd"},
            {"OperatingNumber", "ACL 123456"},
            {"Address.AddressStr", "1 George St, Brisbane, QLD, 4000"},
            {"ContactDetails.EmailAddress", "office@example.com"},
            {"SystemConfiguration.DefaultPeriod", "10"},
            {"SystemConfiguration.ForeclosePeriod", "20"},
            {"SystemConfiguration.EvictionPeriod", "30"},
            {"SystemConfiguration.InstallmentFeePeriod", "14"},
            {"SystemConfiguration.FinancialYearDay", "1"},
            {"SystemConfiguration.FinancialYearMonth", "7"},
            {"SystemConfiguration.AccountingReportPeriod", "3"},
            {"SystemConfiguration.FirstAccountingYear", "2020"},
            {"FeeList", "2"},
            {"FeeList[0].FeeDescription", "Council Rates"},
            {"FeeList[0].NoticePeriod", "30"},
            {"FeeList[1].NoticePeriod", "14"},
            {"MortgageRates", "1"},
            {"MortgageRates[0].LoanNumber", "0000001"},
            {"MortgageRates[0].RateChanges", "1"},
            {"MortgageRates[0].RateChanges[0].TransactionDate", "01/02/2021"},
            {"MortgageRates[0].RateChanges[0].Rate", "6.85"},
            {"MortgageRates[0].RateChanges[0].NewPaymentAmount", "801.37"},
            {"MortgageRates[0].RateChanges[0].DateAdded", "01/02/2021 08:00:00"},
            {"PublicHolidayList", "1"},
            {"PublicHolidayList[0].TransactionDate", "25/04/2024"},
            {"PublicHolidayList[0].Description", "Anzac Day"},
            // The second holiday holds only its day and month texts; reading them set
            // the numbers, and the list ordered it by month and day.
            {"RecurringPublicHolidayList", "2"},
            {"RecurringPublicHolidayList[0].Month", "1"},
            {"RecurringPublicHolidayList[0].Day", "1"},
            {"RecurringPublicHolidayList[0].Description", "New Year's Day"},
            {"RecurringPublicHolidayList[0].MonthStr", "January"},
            {"RecurringPublicHolidayList[1].Month", "12"},
            {"RecurringPublicHolidayList[1].Day", "26"},
            {"RecurringPublicHolidayList[1].DayStr", "26th"},
            {"InstallmentFeePenalties", "2"},
            {"AccountingPeriodicalReports", "1"},
            {"AccountingPeriodicalReports[0].AccountingReportNo", "1"},
            {"AccountingPeriodicalReports[0].StartDate", "01/07/2020"},
            {"AccountingPeriodicalReports[0].EndDate", "30/09/2020"},
            {"AccountingPeriodicalReports[0].ReportStatus", "Final"},
            {"AccountingPeriodicalReports[0].Mortgages", "1"},
            {"AccountingPeriodicalReports[0].Mortgages[0].LoanNumber", "0000001"},
            {"AccountingPeriodicalReports[0].Mortgages[0].OtherAmount", "5"},
            {"AccountingPeriodicalReports[0].Mortgages[0].FinanceDetailsRepayments", "2596.29"},
            {"AccountingPeriodicalReports[0].Mortgages[0].ClientName", ""},
        });
    EXPECT_EQ(config.ContactDetails->PhoneText(), "Ph: 07 3000 0000");
    EXPECT_EQ(config.AdminFeeAmountAt(Day(2021, 1, 1)), Money(2550));
    EXPECT_EQ(config.AdminFeeAmountAt(Day(2022, 7, 1)), Money(3500));
    auto& rates = At<TMorvaneMortgageRate>(config.MortgageRates, 0);
    EXPECT_EQ(rates.Mortgage(), nullptr); // no loan book loaded

    // With the loan book loaded, the rate history and the report line find their loan.
    LoadDataFile(Fixture("MV_DATA.XML"));
    EXPECT_EQ(rates.Mortgage(), Data()->FindMortgage("0000001"));
    ExpectTexts(config, "AccountingPeriodicalReports[0].Mortgages[0]",
                {
                    {"ClientName", "Nguyen, Anh Thi"},
                    {"PropertyAddress", "12 Main St, Hilltop, QLD, 4000"},
                });
}

TEST_F(DataFilesTest, HandTypedHelpTopicsRead) {
    LoadHelpTopicsFile(Fixture("MV_HELP.XML"));
    ASSERT_EQ(HelpFile().HelpMeWithTopics->Count(), 2);
    auto& setUp = At<TMorvaneHelpMeWithTopic>(HelpFile().HelpMeWithTopics, 0);
    EXPECT_EQ(setUp.HelpContext, 10);
    EXPECT_EQ(setUp.Description, "Setting up your company details");
    ASSERT_EQ(HelpFile().FormHelpTopics->Count(), 2);
    auto& form = At<TMorvaneFormHelpTopic>(HelpFile().FormHelpTopics, 0);
    EXPECT_EQ(form.FormClassName, "fmClientAddEdit");
    EXPECT_EQ(form.HelpContext, 110);
    // A missing file leaves the topics as they are.
    LoadHelpTopicsFile(File("absent.xml"));
    EXPECT_EQ(HelpFile().HelpMeWithTopics->Count(), 2);
}

TEST_F(DataFilesTest, FullLoanBookComesBackEqualAndByteForByte) {
    std::unique_ptr<TMorvaneData> original(CreateItem<TMorvaneData>(nullptr));
    BuildFullLoanBook(*original);
    SaveObjectToXMLFile(File("first.xml"), *original);

    LoadDataFile(File("first.xml"));
    EXPECT_EQ(TreeDifferences(*original, *Data()), std::vector<std::string>());
    SaveDataFile(File("second.xml"));
    const std::string firstBytes = ReadBytes(folder / "first.xml");
    EXPECT_EQ(firstBytes, ReadBytes(folder / "second.xml"));

    // The file holds what the documented form says, computed texts included.
    EXPECT_EQ(firstBytes.find("<MorvaneData>"), firstBytes.find('<', firstBytes.find("?>")));
    EXPECT_NE(firstBytes.find("<ClientName>Nguyen, Anh Thi</ClientName>"), std::string::npos);
    EXPECT_NE(firstBytes.find("<Balance>545.1</Balance>"), std::string::npos); // 845.2 - 300.1
    EXPECT_EQ(firstBytes.find("InstallmentFeePenalties"), std::string::npos);
    EXPECT_EQ(firstBytes.find("CurrentAlerts"), std::string::npos);
    EXPECT_EQ(firstBytes.find("LocalTransactionDays"), std::string::npos);
}

TEST_F(DataFilesTest, FullConfigurationComesBackEqualAndByteForByte) {
    std::unique_ptr<TMorvaneConfiguration> original(CreateItem<TMorvaneConfiguration>(nullptr));
    BuildFullConfiguration(*original);
    SaveObjectToXMLFile(File("first.xml"), *original);

    LoadConfigurationFile(File("first.xml"));
    EXPECT_EQ(TreeDifferences(*original, *Configuration()), std::vector<std::string>());
    SaveConfigurationFile(File("second.xml"));
    const std::string firstBytes = ReadBytes(folder / "first.xml");
    EXPECT_EQ(firstBytes, ReadBytes(folder / "second.xml"));
    EXPECT_NE(firstBytes.find("<DayStr>25th</DayStr>"), std::string::npos);
    EXPECT_NE(firstBytes.find("<MonthStr>December</MonthStr>"), std::string::npos);
    EXPECT_NE(firstBytes.find("<Rate>6.85</Rate>"), std::string::npos);
}

TEST_F(DataFilesTest, HandTypedFilesSurviveASaveAndAReload) {
    const std::pair<const char*, bool> files[] = {{"MV_DATA.XML", true}, {"MV_CONFIG.XML", false}};
    for (const auto& [name, isData] : files) {
        SCOPED_TRACE(name);
        auto load = [&](const std::string& file) {
            isData ? LoadDataFile(file) : LoadConfigurationFile(file);
        };
        auto save = [&](const std::string& file) {
            isData ? SaveDataFile(file) : SaveConfigurationFile(file);
        };
        auto root = [&]() -> TTovObjectItem& {
            return isData ? static_cast<TTovObjectItem&>(*Data()) : *Configuration();
        };
        load(Fixture(name));
        save(File("once.xml"));
        load(File("once.xml"));
        save(File("twice.xml"));
        EXPECT_EQ(ReadBytes(folder / "once.xml"), ReadBytes(folder / "twice.xml"));
        // The hand-typed file and our rewrite of it hold the same values.
        load(Fixture(name));
        std::unique_ptr<TTovObjectItem> reread(root().ItemManager().Create(nullptr));
        LoadObjectFromXMLFile(File("once.xml"), *reread);
        EXPECT_EQ(TreeDifferences(root(), *reread), std::vector<std::string>());
    }
}

TEST_F(DataFilesTest, AnElementMissingFromTheFileKeepsTheConstructorsValue) {
    const double readingTime = EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0);
    ScopedFixedClock clock(readingTime);
    WriteBytes(folder / "MV_DATA.XML",
               "<MorvaneData><Mortgages><MorvaneMortgage><LoanNumber>0000001</LoanNumber>"
               "<LoanTransactions><MorvaneLoanTransaction>"
               "<TransactionDate>2024-03-01</TransactionDate>"
               "<TransactionAmount>100</TransactionAmount>"
               "</MorvaneLoanTransaction></LoanTransactions>"
               "</MorvaneMortgage></Mortgages></MorvaneData>");
    LoadDataFile(File("MV_DATA.XML"));
    auto& loan = At<TMorvaneMortgage>(Data()->Mortgages, 0);
    auto& payment = At<TMorvaneLoanTransaction>(loan.LoanTransactions, 0);
    EXPECT_EQ(payment.DateAdded.value, readingTime);
    EXPECT_EQ(payment.TransactionAmount, Money(10000));
    EXPECT_EQ(payment.Owner(), &loan);
    EXPECT_EQ(loan.Owner(), Data());
}

TEST_F(DataFilesTest, ElementsForListsNoRecordCreatesArePassedOver) {
    // A ledger day holds a published instalment-fee arrears list that is never created; an
    // element for it is skipped with its contents and the elements after it are still read.
    std::unique_ptr<TMorvaneLocalTransactionDay> day(
        CreateItem<TMorvaneLocalTransactionDay>(nullptr));
    std::istringstream text(
        "<MorvaneLocalTransactionDay><TransactionDate>2024-03-05</TransactionDate>"
        "<InstallmentFeeArrears><MorvanePaymentDate><PaymentDate>2024-03-01</PaymentDate>"
        "</MorvanePaymentDate></InstallmentFeeArrears>"
        "<LocalTransactions><MorvaneLocalTransaction><PaymentType>Interest</PaymentType>"
        "<LocalTransactionType>2</LocalTransactionType><TransactionAmount>12.34"
        "</TransactionAmount></MorvaneLocalTransaction></LocalTransactions>"
        "</MorvaneLocalTransactionDay>");
    LoadObjectFromXMLStream(text, *day);
    EXPECT_EQ(day->InstallmentFeeArrears, nullptr);
    EXPECT_EQ(day->TransactionDate, Day(2024, 3, 5));
    ASSERT_EQ(day->LocalTransactions->Count(), 1);
    auto& movement = At<TMorvaneLocalTransaction>(day->LocalTransactions, 0);
    EXPECT_EQ(movement.LocalTransactionType, ltLoanInterest);
    EXPECT_EQ(movement.TransactionAmount, Money(1234));
}

TEST_F(DataFilesTest, AMissingFileGivesAnEmptyLoanBookThatCanBeSaved) {
    LoadDataFile(File("MV_DATA.XML"));
    ASSERT_NE(Data(), nullptr);
    EXPECT_EQ(Data()->Mortgages->Count(), 0);
    SaveDataFile(File("MV_DATA.XML"));
    EXPECT_TRUE(fs::exists(folder / "MV_DATA.XML"));
}

TEST_F(DataFilesTest, AGridOnTheLoansFollowsEveryReloadOfTheLoanBook) {
    std::unique_ptr<TMorvaneData> other(CreateItem<TMorvaneData>(nullptr));
    BuildFullLoanBook(*other);
    At<TMorvaneMortgage>(other->Mortgages, 1).LoanNumber = "0000009";
    SaveObjectToXMLFile(File("other.xml"), *other);
    LoadDataFile(Fixture("MV_DATA.XML"));
    Data()->RefreshAlerts();
    ASSERT_GT(Data()->CurrentAlerts->Count(), 0);
    TMorvaneData* book = Data();

    WatchingGrid grid(*Data()->Mortgages, "LoanNumber");
    grid.Select(0);
    LoadDataFile(File("other.xml"));
    // The same book and list, holding the file's loans; the grid kept its selected loan.
    EXPECT_EQ(Data(), book);
    EXPECT_TRUE(grid.Watching());
    EXPECT_EQ(grid.Keys(), (std::vector<std::string>{"0000001", "0000009"}));
    EXPECT_EQ(grid.SelectedKey(), "0000001");
    EXPECT_EQ(At<TMorvaneMortgage>(Data()->Mortgages, 0).Owner(), book);
    // Nothing of the book before stays behind: its alerts went with its loans.
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 0);
    EXPECT_FALSE(Data()->HasAlerts);
    EXPECT_EQ(Data()->ClearedDuebells->Count(), 2);

    // A file that is not there gives an empty book, in the same objects again.
    LoadDataFile(File("absent.xml"));
    EXPECT_EQ(Data(), book);
    EXPECT_TRUE(grid.Keys().empty());
    EXPECT_EQ(Data()->ClearedDuebells->Count(), 0);
}

TEST_F(DataFilesTest, AFileThatFailsToReadIsNamedAndChangesNothing) {
    LoadDataFile(Fixture("MV_DATA.XML"));
    TMorvaneData* before = Data();
    const std::string good = ReadBytes(Fixture("MV_DATA.XML"));
    const std::string broken = good.substr(0, good.find("<ClearedDuebells>") + 40);
    WriteBytes(folder / "MV_DATA.XML", broken);

    try {
        LoadDataFile(File("MV_DATA.XML"));
        ADD_FAILURE() << "the truncated file loaded";
    } catch (const Exception& e) {
        EXPECT_NE(e.message().find(File("MV_DATA.XML")), std::string::npos) << e.message();
        EXPECT_NE(e.message().find("Line "), std::string::npos) << e.message();
        EXPECT_NE(e.message().find("Column "), std::string::npos) << e.message();
    }
    // The loan book in memory is the one read before, untouched.
    EXPECT_EQ(Data(), before);
    EXPECT_EQ(Data()->Mortgages->Count(), 2);
    EXPECT_EQ(Data()->ClearedDuebells->Count(), 2);

    // The unread file is never saved over.
    EXPECT_THROW(SaveDataFile(File("MV_DATA.XML")), Exception);
    EXPECT_EQ(ReadBytes(folder / "MV_DATA.XML"), broken);
    // Other files still save.
    SaveDataFile(File("copy.xml"));

    // Once the file reads again, saving over it is allowed.
    WriteBytes(folder / "MV_DATA.XML", good);
    LoadDataFile(File("MV_DATA.XML"));
    SaveDataFile(File("MV_DATA.XML"));
}

TEST_F(DataFilesTest, ALoanWithAnImpossibleTermIsRefusedWithItsNumber) {
    std::string text = ReadBytes(Fixture("MV_DATA.XML"));
    const std::string term = "<ContractTerm>30</ContractTerm>"; // loan 0000002
    text.replace(text.find(term), term.size(), "<ContractTerm>50000000</ContractTerm>");
    WriteBytes(folder / "MV_DATA.XML", text);
    try {
        LoadDataFile(File("MV_DATA.XML"));
        ADD_FAILURE() << "a contract of fifty million years loaded";
    } catch (const Exception& e) {
        EXPECT_NE(e.message().find("The contract of loan 0000002 runs 50000000 years"),
                  std::string::npos)
            << e.message();
        EXPECT_NE(e.message().find("MV_DATA.XML"), std::string::npos) << e.message();
    }
    EXPECT_EQ(Data(), nullptr);
}

TEST_F(DataFilesTest, DuplicateKeysInAFileRefuseTheWholeFile) {
    std::string text = ReadBytes(Fixture("MV_DATA.XML"));
    const std::string secondCode = "<ClientCode>0000002</ClientCode>";
    text.replace(text.find(secondCode), secondCode.size(), "<ClientCode>0000001</ClientCode>");
    WriteBytes(folder / "MV_DATA.XML", text);
    LoadConfigurationFile(Fixture("MV_CONFIG.XML"));
    try {
        LoadDataFile(File("MV_DATA.XML"));
        ADD_FAILURE() << "a file with two clients of one code loaded";
    } catch (const Exception& e) {
        EXPECT_NE(e.message().find("Duplicate nodes in list containing classes of "
                                   "\"TMorvaneClient\""),
                  std::string::npos)
            << e.message();
        EXPECT_NE(e.message().find("MV_DATA.XML"), std::string::npos) << e.message();
    }
    EXPECT_EQ(Data(), nullptr);
    EXPECT_THROW(SaveDataFile(File("MV_DATA.XML")), Exception);
    EXPECT_EQ(ReadBytes(folder / "MV_DATA.XML"), text);
}

TEST_F(DataFilesTest, ABrokenConfigurationIsNotSavedOverEither) {
    LoadConfigurationFile(Fixture("MV_CONFIG.XML"));
    TMorvaneConfiguration* before = Configuration();
    WriteBytes(folder / "MV_CONFIG.XML", "<MorvaneConfiguration><UserName>x</Use");
    EXPECT_THROW(LoadConfigurationFile(File("MV_CONFIG.XML")), Exception);
    EXPECT_EQ(Configuration(), before);
    EXPECT_THROW(SaveConfigurationFile(File("MV_CONFIG.XML")), Exception);
}

// A locale whose decimal separator is a comma, made from the system's locale sources into the
// build folder; nothing when the machine cannot make one.
// (The C library's locale is the one a GUI toolkit switches to the user's at start-up.)
const char* CommaLocale() {
    static const std::string made = [] {
        const fs::path dir = fs::path(DUEBELL_TEST_OUTPUT_DIR) / "locales";
        const fs::path locale = dir / "de_DE.UTF-8";
        if (!fs::exists(locale / "LC_NUMERIC")) {
            fs::create_directories(dir);
            const std::string command =
                "localedef -i de_DE -f UTF-8 -c '" + locale.string() + "' >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0 && !fs::exists(locale / "LC_NUMERIC")) {
                return std::string();
            }
        }
        setenv("LOCPATH", dir.c_str(), 1);
        return std::string("de_DE.UTF-8");
    }();
    return made.empty() ? nullptr : made.c_str();
}

TEST_F(DataFilesTest, StoredTextDoesNotDependOnTheLocale) {
    std::unique_ptr<TMorvaneData> book(CreateItem<TMorvaneData>(nullptr));
    BuildFullLoanBook(*book);
    std::unique_ptr<TMorvaneConfiguration> config(CreateItem<TMorvaneConfiguration>(nullptr));
    BuildFullConfiguration(*config);
    SaveObjectToXMLFile(File("c-data.xml"), *book);
    SaveObjectToXMLFile(File("c-config.xml"), *config);

    const char* comma = CommaLocale();
    if (comma == nullptr || std::setlocale(LC_ALL, comma) == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma can be made here";
    }
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    EXPECT_STREQ(printed, "1,5"); // the locale is really in force

    SaveObjectToXMLFile(File("de-data.xml"), *book);
    SaveObjectToXMLFile(File("de-config.xml"), *config);
    std::unique_ptr<TMorvaneData> reread(CreateItem<TMorvaneData>(nullptr));
    LoadObjectFromXMLFile(File("c-data.xml"), *reread);

    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(ReadBytes(folder / "c-data.xml"), ReadBytes(folder / "de-data.xml"));
    EXPECT_EQ(ReadBytes(folder / "c-config.xml"), ReadBytes(folder / "de-config.xml"));
    EXPECT_EQ(TreeDifferences(*book, *reread), std::vector<std::string>());
}

} // namespace
} // namespace duebell
