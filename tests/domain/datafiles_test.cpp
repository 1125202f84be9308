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

TEST_F(DataFilesTest, HandTypedLoanBookReadsWithEveryValueInPlace) {
    LoadDataFile(Fixture("MV_DATA.XML"));
    TMorvaneData& data = *Data();

    ASSERT_EQ(data.Properties->Count(), 2);
    auto& first = At<TMorvaneProperty>(data.Properties, 0); // sorted by code, not file order
    EXPECT_EQ(first.PropertyCode, "0000001");
    EXPECT_EQ(first.Address->UnstructuredAddress, "Lot 7, Hilltop Estate");
    EXPECT_EQ(first.Address->StreetNo, "12");
    EXPECT_EQ(first.Address->StreetName, "Main St");
    EXPECT_EQ(first.Address->Suburb, "Hilltop");
    EXPECT_EQ(first.Address->State, "QLD");
    EXPECT_EQ(first.Address->PostCode, "4000");
    EXPECT_EQ(first.Address->AddressStr(), "12 Main St, Hilltop, QLD, 4000");
    auto& second = At<TMorvaneProperty>(data.Properties, 1);
    EXPECT_EQ(second.Address->StreetNo, "3/45");
    EXPECT_EQ(second.Address->StreetName, "O'Connell & Sons Rd");
    EXPECT_EQ(second.Address->Suburb, "Café Hill");
    EXPECT_EQ(second.Address->State, "");
    EXPECT_EQ(second.Address->AddressStr(), "3/45 O'Connell & Sons Rd, Café Hill, 4001");

    ASSERT_EQ(data.Clients->Count(), 2);
    auto& anh = At<TMorvaneClient>(data.Clients, 0);
    EXPECT_EQ(anh.ClientCode, "0000001");
    EXPECT_EQ(anh.Surname, "Nguyen");
    EXPECT_EQ(anh.GivenNames, "Anh Thi");
    EXPECT_EQ(anh.Surname2, "Tran");
    EXPECT_EQ(anh.GivenNames2, "Binh");
    EXPECT_EQ(anh.FullNameStr(), "Nguyen, Anh Thi");
    EXPECT_EQ(anh.FullName2Str(), "Tran, Binh");
    EXPECT_EQ(anh.ContactDetails->PhoneNo, "07 3123 4567");
    EXPECT_EQ(anh.ContactDetails->FaxNo, "07 3123 4568");
    EXPECT_EQ(anh.ContactDetails->MobileNo, "0412 345 678");
    EXPECT_EQ(anh.ContactDetails->EmailAddress, "anh@example.com");
    EXPECT_EQ(anh.ContactDetails->WebAddress, "www.example.com");
    EXPECT_EQ(anh.PostalAddress->UnstructuredAddress, "PO Box 12");
    EXPECT_EQ(anh.PostalAddress->AddressStr(), "Hilltop, QLD, 4000");
    auto& john = At<TMorvaneClient>(data.Clients, 1);
    EXPECT_EQ(john.FullNameStr(), "Smith, John");
    EXPECT_EQ(john.FullName2Str(), "");

    ASSERT_EQ(data.Mortgages->Count(), 2);
    auto& loan = At<TMorvaneMortgage>(data.Mortgages, 0);
    EXPECT_EQ(loan.LoanNumber, "0000001");
    EXPECT_EQ(loan.PropertyCode, "0000001");
    EXPECT_EQ(loan.ClientCode, "0000001");
    EXPECT_EQ(loan.LastFeeNumber, 2);
    EXPECT_EQ(loan.LastStatementNumber, 3);
    EXPECT_EQ(loan.RateChangePeriod, 30);
    // Computed: the stale texts of the file are not read.
    EXPECT_EQ(loan.ClientName(), "Nguyen, Anh Thi");
    EXPECT_EQ(loan.ClientName2(), "Tran, Binh");
    EXPECT_EQ(loan.PropertyAddress(), "12 Main St, Hilltop, QLD, 4000");

    const TMorvaneContract& contract = *loan.Contract;
    EXPECT_EQ(contract.PossessionDate, Day(2020, 3, 16));
    EXPECT_EQ(contract.ContractAmount, Money(25000000));
    EXPECT_EQ(contract.Deposit, Money(2500050));
    EXPECT_EQ(contract.ContractTerm, 25);
    EXPECT_EQ(contract.ReferenceRate.value, Currency::fromRaw(72500));
    EXPECT_EQ(contract.RateSpread.value, Currency::fromRaw(15000));
    EXPECT_EQ(contract.PaymentPeriod, "Fortnightly");
    EXPECT_EQ(contract.PaymentPeriodIndex(), 1);
    EXPECT_EQ(contract.StatementPeriod, "Quarterly");
    EXPECT_EQ(loan.BankDetails->BankName, "Bank of Hilltop");
    EXPECT_EQ(loan.BankDetails->BranchName, "Main Street");
    EXPECT_EQ(loan.BankDetails->AccountName, "A & B Nguyen");
    EXPECT_EQ(loan.BankDetails->BSBNo, "064-000");
    EXPECT_EQ(loan.BankDetails->AccountNo, "12345678");

    // Payments in key order: date, then type, then moment of entry.
    ASSERT_EQ(loan.LoanTransactions->Count(), 3);
    auto& p0 = At<TMorvaneLoanTransaction>(loan.LoanTransactions, 0);
    auto& p1 = At<TMorvaneLoanTransaction>(loan.LoanTransactions, 1);
    auto& p2 = At<TMorvaneLoanTransaction>(loan.LoanTransactions, 2);
    EXPECT_EQ(p0.TransactionDate, Day(2020, 3, 30));
    EXPECT_EQ(p0.DateAdded, Moment(2020, 3, 30, 9, 0, 0));
    EXPECT_EQ(p0.TransactionAmount, Money(86543));
    EXPECT_EQ(p0.Rate.value, Currency());
    EXPECT_EQ(p1.DateAdded, Moment(2020, 4, 13, 8, 30, 0));
    EXPECT_EQ(p1.TransactionAmount, Money(5));
    EXPECT_EQ(p1.Rate.value, Currency::fromRaw(87500));
    EXPECT_EQ(p2.TransactionDate, Day(2020, 4, 13));
    EXPECT_EQ(p2.DateAdded, Moment(2020, 4, 13, 16, 5, 9)); // "+10:00" is not applied
    EXPECT_EQ(p2.PaymentType, "Payment");
    EXPECT_EQ(p2.ParentClientCode(), "0000001");

    ASSERT_EQ(loan.InstallmentFees->Count(), 2);
    auto& legal = At<TMorvaneInstallmentFee>(loan.InstallmentFees, 0); // priority 0 first
    auto& valuation = At<TMorvaneInstallmentFee>(loan.InstallmentFees, 1);
    EXPECT_EQ(legal.Priority, 0);
    EXPECT_EQ(legal.FeeDescription, "Legal Fees");
    EXPECT_EQ(legal.UserPaymentAmount, Money(120000));
    EXPECT_EQ(legal.UserNumberOfPayments, 12);
    EXPECT_EQ(legal.UserPaymentPeriod, "Quarterly");
    EXPECT_EQ(legal.NumberOfPayments, 78);
    EXPECT_EQ(legal.PaymentAmount, 46.153846153846);
    EXPECT_EQ(legal.StopTransactionDate.value, 0.0);
    EXPECT_EQ(valuation.Priority, 1);
    EXPECT_EQ(valuation.UserPaymentAmount, Money(50000));
    EXPECT_EQ(valuation.UserNumberOfPayments, 10);
    EXPECT_EQ(valuation.UserPaymentPeriod, "Monthly");
    EXPECT_EQ(valuation.TransactionDate, Day(2020, 5, 1));
    EXPECT_EQ(valuation.NumberOfPayments, 22);
    EXPECT_EQ(valuation.PaymentAmount, 227.2727);
    EXPECT_EQ(valuation.StopTransactionDate, Moment(2021, 1, 4, 10, 20, 30));
    EXPECT_EQ(valuation.StopLastPaymentDate, Moment(2021, 1, 11, 0, 0, 0));
    EXPECT_EQ(valuation.PaymentsRemaining(), 0); // stopped; the file's 77 is not read
    EXPECT_NE(valuation.FirstPaymentDate(), Day(1999, 1, 1));

    // The element of the list no loan holds is passed over.
    EXPECT_EQ(loan.InstallmentFeePenalties, nullptr);

    ASSERT_EQ(loan.InstallmentFeeTransactions->Count(), 1);
    auto& charge = At<TMorvaneFeeTransaction>(loan.InstallmentFeeTransactions, 0);
    EXPECT_EQ(charge.FeeAmount, Money(360000));
    EXPECT_EQ(charge.DateAdded, Moment(2020, 4, 1, 11, 11, 11));

    ASSERT_EQ(loan.AdminFeeTransactions->Count(), 1);
    auto& admin = At<TMorvaneAdminFeeTransaction>(loan.AdminFeeTransactions, 0);
    EXPECT_EQ(admin.TransactionDate, Moment(2021, 6, 1, 0, 0, 0));
    EXPECT_EQ(admin.FeeDescription, "Loan Arrears");
    EXPECT_EQ(admin.FeeAmount, Money(3000));
    EXPECT_EQ(admin.AmountLeft, Money(1250));
    EXPECT_EQ(admin.DateAdded, Moment(2021, 6, 1, 14, 45, 0));

    ASSERT_EQ(loan.FeeTransactions->Count(), 2);
    auto& rates = At<TMorvaneFeeTransaction>(loan.FeeTransactions, 0); // 15 June before 1 Sept
    EXPECT_EQ(rates.FeeNumber, 1);
    EXPECT_EQ(rates.FeeDescription, "Council Rates");
    EXPECT_EQ(rates.FeeAmount, Money(84520));
    ASSERT_EQ(rates.FeePayments->Count(), 2);
    auto& firstPayment = At<TMorvaneFeePayment>(rates.FeePayments, 0);
    EXPECT_EQ(firstPayment.TransactionDate, Moment(2020, 7, 1, 0, 0, 0));
    EXPECT_EQ(firstPayment.FeePaymentAmount, Money(30010));
    EXPECT_EQ(firstPayment.DateAdded, Moment(2020, 7, 1, 9, 30, 0));
    EXPECT_EQ(rates.Balance(), Money(14510)); // 845.20 - 300.10 - 400
    auto& insurance = At<TMorvaneFeeTransaction>(loan.FeeTransactions, 1);
    EXPECT_EQ(insurance.FeeNumber, 2);
    EXPECT_EQ(insurance.Balance(), Money(132075)); // its "Balance" element is not read
    EXPECT_EQ(insurance.FeePayments->Count(), 0);

    ASSERT_EQ(loan.IssuedStatements->Count(), 3);
    EXPECT_EQ(At<TMorvaneIssuedStatement>(loan.IssuedStatements, 0).StatementNumber, 1);
    EXPECT_EQ(At<TMorvaneIssuedStatement>(loan.IssuedStatements, 2).StatementNumber, 3);

    const TMorvaneInitialAccountingReport& initial = *loan.InitialAccountingReport;
    EXPECT_EQ(initial.NameOfPurchaser, "Anh Thi Nguyen");
    EXPECT_EQ(initial.DateOfPurchase, Moment(2020, 3, 2, 0, 0, 0));
    EXPECT_EQ(initial.PurchasePriceLand, Money(12000000));
    EXPECT_EQ(initial.PurchasePriceBuilding, Money(13000000));
    EXPECT_EQ(initial.LegalFeeCost, Money(145055));
    EXPECT_EQ(initial.InspectionReportCost, Money(45000));
    EXPECT_EQ(initial.GovernmentTaxCost, Money(875000));
    EXPECT_EQ(initial.OtherCost, Currency());
    // The twenty final figures, typed in the file as 1.01, 2.02, ... 20.20.
    int n = 1;
    for (const TTovPropInfo* prop : loan.FinalAccountingReport->ItemManager().Properties()) {
        EXPECT_EQ(prop->GetCurrency(*loan.FinalAccountingReport), Money(n * 101)) << prop->Name();
        ++n;
    }

    auto& plain = At<TMorvaneMortgage>(data.Mortgages, 1);
    EXPECT_EQ(plain.LoanNumber, "0000002");
    EXPECT_EQ(plain.Contract->PossessionDate, Day(2023, 1, 31));
    EXPECT_EQ(plain.Contract->ContractAmount, Money(48000000));
    EXPECT_EQ(plain.Contract->ReferenceRate.value, Currency::fromRaw(61000));
    EXPECT_EQ(plain.Contract->RateSpread.value, Currency::fromRaw(2500));
    EXPECT_EQ(plain.Contract->StatementPeriod, "Half-Yearly");
    EXPECT_EQ(plain.LoanTransactions->Count(), 0);
    EXPECT_EQ(plain.ClientName(), "Smith, John");

    ASSERT_EQ(data.ClearedDuebells->Count(), 2);
    auto& arrears = At<TMorvaneAlert>(data.ClearedDuebells, 0); // 20 July 2020 before 2021
    EXPECT_EQ(arrears.AlertMessage, "DEFAULT notice for FEE \"1\" now due");
    EXPECT_EQ(arrears.AlertType, atFeeArrears);
    EXPECT_EQ(arrears.MortgageStatus, msDefaulted);
    EXPECT_EQ(arrears.FeeNumber, 1);
    EXPECT_EQ(arrears.FeeTransactionDate, Day(2020, 6, 15));
    EXPECT_EQ(arrears.AlertDay, Moment(2020, 7, 20, 0, 0, 0));
    auto& loanAlert = At<TMorvaneAlert>(data.ClearedDuebells, 1);
    EXPECT_EQ(loanAlert.LoanNumber, "0000001");
    EXPECT_EQ(loanAlert.PropertyAddress, "12 Main St, Hilltop, QLD, 4000");
    EXPECT_EQ(loanAlert.ClientName, "Nguyen, Anh Thi");
    EXPECT_EQ(loanAlert.AlertMessage, "ARREARS notice for LOAN now due");
    EXPECT_EQ(loanAlert.AlertType, atLoanArrears);
    EXPECT_EQ(loanAlert.MortgageStatus, msInArrears);
    EXPECT_EQ(loanAlert.AlertDay, Moment(2021, 7, 14, 0, 0, 0));
    EXPECT_EQ(data.CurrentAlerts->Count(), 0);
}

TEST_F(DataFilesTest, HandTypedConfigurationReadsWithEveryValueInPlace) {
    LoadConfigurationFile(Fixture("MV_CONFIG.XML"));
    TMorvaneConfiguration& config = *Configuration();
    EXPECT_EQ(config.UserName, "Margaret Lee");
    EXPECT_EQ(config.Company, "Lee Home Finance Pty Ltd");
    EXPECT_EQ(config.OperatingNumber, "ACL 123456");
    EXPECT_EQ(config.Address->AddressStr(), "1 George St, Brisbane, QLD, 4000");
    EXPECT_EQ(config.ContactDetails->PhoneText(), "Ph: 07 3000 0000");
    EXPECT_EQ(config.ContactDetails->EmailAddress, "office@example.com");
    const TMorvaneSystemConfiguration& system = *config.SystemConfiguration;
    EXPECT_EQ(system.DefaultPeriod, 10);
    EXPECT_EQ(system.ForeclosePeriod, 20);
    EXPECT_EQ(system.EvictionPeriod, 30);
    EXPECT_EQ(system.InstallmentFeePeriod, 14);
    EXPECT_EQ(system.FinancialYearDay, 1);
    EXPECT_EQ(system.FinancialYearMonth, 7);
    EXPECT_EQ(system.AccountingReportPeriod, 3);
    EXPECT_EQ(system.FirstAccountingYear, 2020);

    ASSERT_EQ(config.FeeList->Count(), 2);
    EXPECT_EQ(At<TMorvaneFeeConfiguration>(config.FeeList, 0).FeeDescription, "Council Rates");
    EXPECT_EQ(At<TMorvaneFeeConfiguration>(config.FeeList, 0).NoticePeriod, 30);
    EXPECT_EQ(At<TMorvaneFeeConfiguration>(config.FeeList, 1).NoticePeriod, 14);

    ASSERT_EQ(config.MortgageRates->Count(), 1);
    auto& rates = At<TMorvaneMortgageRate>(config.MortgageRates, 0);
    EXPECT_EQ(rates.LoanNumber, "0000001");
    ASSERT_EQ(rates.RateChanges->Count(), 1);
    auto& change = At<TMorvaneRateChange>(rates.RateChanges, 0);
    EXPECT_EQ(change.TransactionDate, Day(2021, 2, 1));
    EXPECT_EQ(change.Rate.value, Currency::fromRaw(68500));
    EXPECT_EQ(change.NewPaymentAmount, Money(80137));
    EXPECT_EQ(change.DateAdded, Moment(2021, 2, 1, 8, 0, 0));
    EXPECT_EQ(rates.Mortgage(), nullptr); // no loan book loaded

    ASSERT_EQ(config.PublicHolidayList->Count(), 1);
    EXPECT_EQ(At<TMorvanePublicHoliday>(config.PublicHolidayList, 0).TransactionDate,
              Day(2024, 4, 25));
    EXPECT_EQ(At<TMorvanePublicHoliday>(config.PublicHolidayList, 0).Description, "Anzac Day");

    // The second holiday holds only its day and month texts; reading them set the numbers,
    // and the list ordered it by month and day.
    ASSERT_EQ(config.RecurringPublicHolidayList->Count(), 2);
    auto& newYear = At<TMorvaneRecurringPublicHoliday>(config.RecurringPublicHolidayList, 0);
    EXPECT_EQ(newYear.Month, 1);
    EXPECT_EQ(newYear.Day, 1);
    EXPECT_EQ(newYear.Description, "New Year's Day");
    EXPECT_EQ(newYear.MonthStr(), "January");
    auto& boxingDay = At<TMorvaneRecurringPublicHoliday>(config.RecurringPublicHolidayList, 1);
    EXPECT_EQ(boxingDay.Month, 12);
    EXPECT_EQ(boxingDay.Day, 26);
    EXPECT_EQ(boxingDay.DayStr(), "26th");

    ASSERT_EQ(config.InstallmentFeePenalties->Count(), 2);
    EXPECT_EQ(config.AdminFeeAmountAt(Day(2021, 1, 1)), Money(2550));
    EXPECT_EQ(config.AdminFeeAmountAt(Day(2022, 7, 1)), Money(3500));

    ASSERT_EQ(config.AccountingPeriodicalReports->Count(), 1);
    auto& report = At<TMorvanePeriodicAccountingReport>(config.AccountingPeriodicalReports, 0);
    EXPECT_EQ(report.AccountingReportNo, 1);
    EXPECT_EQ(report.StartDate, Moment(2020, 7, 1, 0, 0, 0));
    EXPECT_EQ(report.EndDate, Moment(2020, 9, 30, 0, 0, 0));
    EXPECT_EQ(report.ReportStatus, "Final");
    ASSERT_EQ(report.Mortgages->Count(), 1);
    auto& line = At<TMorvanePeriodicAccountingMortgage>(report.Mortgages, 0);
    EXPECT_EQ(line.LoanNumber, "0000001");
    EXPECT_EQ(line.OtherAmount, Money(500));
    EXPECT_EQ(line.FinanceDetailsRepayments, Money(259629));
    EXPECT_EQ(line.ClientName(), "");

    // With the loan book loaded, the rate history and the report line find their loan.
    LoadDataFile(Fixture("MV_DATA.XML"));
    EXPECT_EQ(rates.Mortgage(), Data()->FindMortgage("0000001"));
    EXPECT_EQ(line.ClientName(), "Nguyen, Anh Thi");
    EXPECT_EQ(line.PropertyAddress(), "12 Main St, Hilltop, QLD, 4000");
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
