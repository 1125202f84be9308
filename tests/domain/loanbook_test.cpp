// The loan book's own services: code numbering, lookups by code, and the computed texts and
// figures that reach across records.
#include "domain/accountingreports.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

TMorvaneClient* AddClient(TMorvaneData& data, const std::string& code, const std::string& surname,
                          const std::string& givenNames) {
    auto client = MakeItem<TMorvaneClient>(&data);
    client->ClientCode = code;
    client->Surname = surname;
    client->GivenNames = givenNames;
    return data.Clients->Add(std::move(client));
}

TMorvaneProperty* AddProperty(TMorvaneData& data, const std::string& code,
                              const std::string& street) {
    auto property = MakeItem<TMorvaneProperty>(&data);
    property->PropertyCode = code;
    property->Address->StreetName = street;
    property->Address->PostCode = "4000";
    return data.Properties->Add(std::move(property));
}

TMorvaneMortgage* AddLoan(TMorvaneData& data, const std::string& number,
                          const std::string& clientCode, const std::string& propertyCode) {
    auto loan = MakeItem<TMorvaneMortgage>(&data);
    loan->LoanNumber = number;
    loan->ClientCode = clientCode;
    loan->PropertyCode = propertyCode;
    return data.Mortgages->Add(std::move(loan));
}

class LoanBookTest : public ::testing::Test {
protected:
    std::unique_ptr<TMorvaneData> data{CreateItem<TMorvaneData>(nullptr)};
};

TEST_F(LoanBookTest, FirstCodeOfAnEmptyList) {
    EXPECT_EQ(data->NextClientCode(), "0000001");
    EXPECT_EQ(data->NextPropertyCode(), "0000001");
    EXPECT_EQ(data->NextLoanNumber(), "0000001");
}

TEST_F(LoanBookTest, NextCodeFollowsTheHighestCodeNotTheCount) {
    AddClient(*data, "0000041", "Smith", "John");
    AddClient(*data, "0000003", "Jones", "Mary");
    EXPECT_EQ(data->NextClientCode(), "0000042");
    AddProperty(*data, "0000009", "Main St");
    EXPECT_EQ(data->NextPropertyCode(), "0000010");
    AddLoan(*data, "0000099", "0000041", "0000009");
    EXPECT_EQ(data->NextLoanNumber(), "0000100");
    // Other lists are numbered by the key property they name.
    EXPECT_EQ(TMorvaneData::NextCode(*data->Clients, "ClientCode"), "0000042");
}

TEST_F(LoanBookTest, NextCodeBeyondSevenDigitsKeepsCounting) {
    AddClient(*data, "9999999", "Smith", "John");
    EXPECT_EQ(data->NextClientCode(), "10000000");
}

TEST_F(LoanBookTest, NextCodeAfterACodeThatIsNoNumberIsAConversionError) {
    AddClient(*data, "0000004", "Smith", "John");
    AddClient(*data, "A17", "Jones", "Mary"); // sorts after every digit
    EXPECT_THROW(data->NextClientCode(), EConvertError);
}

TEST_F(LoanBookTest, NoCodeFollowsTheLargestNumber) {
    for (const char* last : {"9223372036854775807", "9999999999999999999"}) {
        SCOPED_TRACE(last);
        AddProperty(*data, last, "Main St");
        EXPECT_THROW(data->NextPropertyCode(), EConvertError);
        data->Properties->FreeAll();
    }
}

TEST_F(LoanBookTest, CodesInUseByLoans) {
    AddClient(*data, "0000001", "Smith", "John");
    AddClient(*data, "0000002", "Jones", "Mary");
    AddProperty(*data, "0000001", "Main St");
    AddProperty(*data, "0000002", "High St");
    AddLoan(*data, "0000001", "0000002", "0000001");
    EXPECT_FALSE(data->ClientInUse("0000001"));
    EXPECT_TRUE(data->ClientInUse("0000002"));
    EXPECT_TRUE(data->PropertyInUse("0000001"));
    EXPECT_FALSE(data->PropertyInUse("0000002"));
}

TEST_F(LoanBookTest, LoanShowsItsClientAndPropertyByCode) {
    TMorvaneClient* client = AddClient(*data, "0000001", "Nguyen", "Anh");
    client->Surname2 = "Tran";
    client->GivenNames2 = "Binh";
    TMorvaneProperty* property = AddProperty(*data, "0000005", "Main St");
    property->Address->StreetNo = "12";
    TMorvaneMortgage* loan = AddLoan(*data, "0000001", "0000001", "0000005");
    EXPECT_EQ(loan->ClientName(), "Nguyen, Anh");
    EXPECT_EQ(loan->ClientName2(), "Tran, Binh");
    EXPECT_EQ(loan->PropertyAddress(), "12 Main St, 4000");
    EXPECT_EQ(loan->FindProperty(), property);
    EXPECT_EQ(loan->GetPropertyValue("ClientName").AsString(), "Nguyen, Anh");

    // Codes that match nothing show nothing.
    loan->ClientCode = "0000077";
    loan->PropertyCode = "";
    EXPECT_EQ(loan->ClientName(), "");
    EXPECT_EQ(loan->ClientName2(), "");
    EXPECT_EQ(loan->PropertyAddress(), "");
    EXPECT_EQ(loan->FindProperty(), nullptr);
}

TEST_F(LoanBookTest, LookupsLeaveTheListCursorsAlone) {
    AddClient(*data, "0000001", "Smith", "John");
    AddClient(*data, "0000002", "Jones", "Mary");
    AddProperty(*data, "0000001", "Main St");
    AddLoan(*data, "0000001", "0000002", "0000001");
    AddLoan(*data, "0000002", "0000001", "0000001");
    data->Clients->First();
    int walked = 0;
    for (TTovObjectItem* item = data->Mortgages->First(); !data->Mortgages->Eof();
         item = data->Mortgages->Next()) {
        EXPECT_FALSE(static_cast<TMorvaneMortgage*>(item)->ClientName().empty());
        ++walked;
    }
    EXPECT_EQ(walked, 2);
    EXPECT_EQ(data->Clients->Current(), data->Clients->PeekFirst());
}

TEST_F(LoanBookTest, PaymentsAndFeesKnowTheirLoansClient) {
    TMorvaneMortgage* loan = AddLoan(*data, "0000001", "0000042", "0000001");
    auto* payment = loan->LoanTransactions->Add(MakeItem<TMorvaneLoanTransaction>(loan));
    auto* fee = loan->FeeTransactions->Add(MakeItem<TMorvaneFeeTransaction>(loan));
    EXPECT_EQ(payment->ParentClientCode(), "0000042");
    EXPECT_EQ(fee->ParentClientCode(), "0000042");
    std::unique_ptr<TMorvaneFeeTransaction> loose(CreateItem<TMorvaneFeeTransaction>(nullptr));
    EXPECT_EQ(loose->ParentClientCode(), "");
}

TEST_F(LoanBookTest, PaymentsRemainingStopWhenTheFeeIsStopped) {
    TMorvaneMortgage* loan = AddLoan(*data, "0000001", "0000001", "0000001");
    auto* fee = loan->InstallmentFees->Add(MakeItem<TMorvaneInstallmentFee>(loan));
    fee->NumberOfPayments = 22;
    fee->PaymentsCharged = 5;
    EXPECT_EQ(fee->PaymentsRemaining(), 17);
    fee->StopTransactionDate = TDateTime(EncodeDate(2021, 1, 4));
    EXPECT_EQ(fee->PaymentsRemaining(), 0);
}

// Records of the configuration reach the loan book of the process.
class ProcessLoanBookTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
        AddClient(*Data(), "0000001", "Nguyen", "Anh");
        AddProperty(*Data(), "0000001", "Main St");
        AddLoan(*Data(), "0000001", "0000001", "0000001");
    }
    void TearDown() override { SetData(nullptr); }
};

TEST_F(ProcessLoanBookTest, RateHistoryFindsItsLoanByNumberEveryTime) {
    std::unique_ptr<TMorvaneMortgageRate> rates(CreateItem<TMorvaneMortgageRate>(nullptr));
    rates->LoanNumber = "0000001";
    TMorvaneMortgage* loan = Data()->FindMortgage("0000001");
    ASSERT_NE(loan, nullptr);
    EXPECT_EQ(rates->Mortgage(), loan);

    // The loan is deleted: the history no longer finds it, and nothing points at freed memory.
    ASSERT_EQ(Data()->Mortgages->Locate(Variant("0000001")), loan);
    Data()->Mortgages->Delete();
    delete loan;
    EXPECT_EQ(rates->Mortgage(), nullptr);

    // A loan of that number added later is found.
    TMorvaneMortgage* again = AddLoan(*Data(), "0000001", "0000001", "0000001");
    EXPECT_EQ(rates->Mortgage(), again);

    // A whole new loan book replaces the old one.
    SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
    EXPECT_EQ(rates->Mortgage(), nullptr);
    SetData(nullptr);
    EXPECT_EQ(rates->Mortgage(), nullptr);
}

TEST_F(ProcessLoanBookTest, PeriodicReportLinesShowTheirLoansNames) {
    std::unique_ptr<TMorvanePeriodicAccountingMortgage> line(
        CreateItem<TMorvanePeriodicAccountingMortgage>(nullptr));
    line->LoanNumber = "0000001";
    EXPECT_EQ(line->ClientName(), "Nguyen, Anh");
    EXPECT_EQ(line->ClientName2(), "");
    EXPECT_EQ(line->PropertyAddress(), "Main St, 4000");
    line->LoanNumber = "0000002";
    EXPECT_EQ(line->ClientName(), "");
    EXPECT_EQ(line->PropertyAddress(), "");
}

TEST_F(ProcessLoanBookTest, ALoanOutsideAnyLoanBookLooksInTheProcessOne) {
    std::unique_ptr<TMorvaneMortgage> loan(CreateItem<TMorvaneMortgage>(nullptr));
    loan->ClientCode = "0000001";
    EXPECT_EQ(loan->ClientName(), "Nguyen, Anh");
}

TEST(AdminFeeAmount, TheLatestAmountInForceOnTheDate) {
    std::unique_ptr<TMorvaneConfiguration> config(CreateItem<TMorvaneConfiguration>(nullptr));
    const TDate day(EncodeDate(2022, 7, 1));
    EXPECT_EQ(config->AdminFeeAmountAt(day), Currency());
    const std::pair<double, std::int64_t> amounts[] = {{EncodeDate(2022, 7, 1), 350000},
                                                       {EncodeDate(2020, 1, 1), 255000}};
    for (const auto& [date, raw] : amounts) {
        auto entry = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(config.get());
        entry->TransactionDate = TDate(date);
        entry->PenaltyAmount = Currency::fromRaw(raw);
        config->InstallmentFeePenalties->Add(std::move(entry));
    }
    EXPECT_EQ(config->AdminFeeAmountAt(TDate(EncodeDate(2019, 12, 31))), Currency());
    EXPECT_EQ(config->AdminFeeAmountAt(TDate(EncodeDate(2020, 1, 1))), Currency::fromRaw(255000));
    EXPECT_EQ(config->AdminFeeAmountAt(TDate(EncodeDate(2022, 6, 30))), Currency::fromRaw(255000));
    EXPECT_EQ(config->AdminFeeAmountAt(day), Currency::fromUnits(35));
    EXPECT_EQ(config->AdminFeeAmountAt(TDate(EncodeDate(2030, 1, 1))), Currency::fromUnits(35));
}

} // namespace
} // namespace duebell
