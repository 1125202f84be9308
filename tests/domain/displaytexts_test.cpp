// The texts the windows, letters and labels show: addresses, names, contact lines, holiday
// days and months, money.
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/money.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

std::unique_ptr<TMorvaneAddress> Address(std::string no, std::string street, std::string suburb,
                                         std::string state, std::string postCode) {
    std::unique_ptr<TMorvaneAddress> address(CreateItem<TMorvaneAddress>(nullptr));
    address->StreetNo = std::move(no);
    address->StreetName = std::move(street);
    address->Suburb = std::move(suburb);
    address->State = std::move(state);
    address->PostCode = std::move(postCode);
    return address;
}

TEST(AddressText, FullAddress) {
    auto address = Address("12", "Main St", "Hilltop", "QLD", "4000");
    address->UnstructuredAddress = "Lot 7"; // takes no part
    EXPECT_EQ(address->AddressStr(), "12 Main St, Hilltop, QLD, 4000");
    EXPECT_EQ(address->FullStreetStr(), "12 Main St");
    EXPECT_EQ(address->FullSuburbStr(), "Hilltop, QLD, 4000");
}

TEST(AddressText, MissingPartsLeaveNoStraySeparators) {
    EXPECT_EQ(Address("12", "Main St", "Hilltop", "", "4000")->AddressStr(),
              "12 Main St, Hilltop, 4000");
    EXPECT_EQ(Address("", "", "", "", "4000")->AddressStr(), "4000");
    EXPECT_EQ(Address("", "Main St", "", "QLD", "")->AddressStr(), "Main St, QLD");
    EXPECT_EQ(Address("12", "", "Hilltop", "", "")->AddressStr(), "12, Hilltop");
    EXPECT_EQ(Address("", "", "", "", "")->AddressStr(), "");
    EXPECT_EQ(Address("12", "", "", "", "")->FullStreetStr(), "12");
    EXPECT_EQ(Address("", "Main St", "", "", "")->FullStreetStr(), "Main St");
    EXPECT_EQ(Address("", "", "", "QLD", "4000")->FullSuburbStr(), "QLD, 4000");
    EXPECT_EQ(Address("", "", "Hilltop", "", "4000")->FullSuburbStr(), "Hilltop, 4000");
    EXPECT_EQ(Address("", "", "", "", "4000")->FullSuburbStr(), "4000");
}

TEST(ClientText, NamesOfBothApplicants) {
    std::unique_ptr<TMorvaneClient> client(CreateItem<TMorvaneClient>(nullptr));
    client->Surname = "Nguyen";
    client->GivenNames = "Anh Thi";
    EXPECT_EQ(client->FullNameStr(), "Nguyen, Anh Thi");
    EXPECT_EQ(client->FullName2Str(), "");
    client->Surname2 = "Tran";
    EXPECT_EQ(client->FullName2Str(), "Tran");
    client->Surname2.clear();
    client->GivenNames2 = "Binh";
    EXPECT_EQ(client->FullName2Str(), "Binh");
    client->Surname2 = "Tran";
    EXPECT_EQ(client->FullName2Str(), "Tran, Binh");
    // Computed texts are what grids read by name.
    EXPECT_EQ(client->GetPropertyValue("fullnamestr").AsString(), "Nguyen, Anh Thi");
}

TEST(ClientText, ContactLinesOnlyForNumbersThatExist) {
    std::unique_ptr<TMorvaneContactDetails> contact(CreateItem<TMorvaneContactDetails>(nullptr));
    EXPECT_EQ(contact->PhoneText(), "");
    EXPECT_EQ(contact->MobileText(), "");
    EXPECT_EQ(contact->FaxText(), "");
    contact->PhoneNo = "07 3123 4567";
    contact->MobileNo = "0412 345 678";
    contact->FaxNo = "07 3123 4568";
    EXPECT_EQ(contact->PhoneText(), "Ph: 07 3123 4567");
    EXPECT_EQ(contact->MobileText(), "Mob: 0412 345 678");
    EXPECT_EQ(contact->FaxText(), "Fax: 07 3123 4568");
}

class HolidayText : public ::testing::Test {
protected:
    std::unique_ptr<TMorvaneRecurringPublicHoliday> holiday{
        CreateItem<TMorvaneRecurringPublicHoliday>(nullptr)};
};

TEST_F(HolidayText, DaySuffixIsEnglishWithTheTeensInTh) {
    const std::pair<int, const char*> cases[] = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {10, "10th"},
        {11, "11th"}, {12, "12th"}, {13, "13th"}, {21, "21st"}, {22, "22nd"},
        {23, "23rd"}, {25, "25th"}, {30, "30th"}, {31, "31st"}};
    for (const auto& [day, text] : cases) {
        holiday->Day = day;
        EXPECT_EQ(holiday->DayStr(), text) << day;
    }
}

TEST_F(HolidayText, WritingTheDayTextSetsTheDay) {
    // Files written before the teens took "th" still read back as the same days.
    const std::pair<const char*, int> spellings[] = {{"11st", 11}, {"11th", 11}, {"12nd", 12},
                                                     {"12th", 12}, {"13rd", 13}, {"13th", 13}};
    for (const auto& [text, day] : spellings) {
        holiday->SetPropertyValue("DayStr", Variant(text));
        EXPECT_EQ(holiday->Day, day) << text;
    }
    holiday->SetDayStr("26th");
    EXPECT_EQ(holiday->Day, 26);
    // Only the last two characters are dropped, whatever they are.
    holiday->SetDayStr("7xx");
    EXPECT_EQ(holiday->Day, 7);
    EXPECT_THROW(holiday->SetDayStr("5"), EConvertError);
    EXPECT_THROW(holiday->SetDayStr("first"), EConvertError);
}

TEST_F(HolidayText, MonthNamesAreFixedEnglishNames) {
    const std::pair<int, const char*> shown[] = {
        {1, "January"}, {9, "September"}, {12, "December"}, {0, ""}, {13, ""}};
    for (const auto& [month, text] : shown) {
        holiday->Month = month;
        EXPECT_EQ(holiday->MonthStr(), text) << month;
    }
    // Read back ignoring case; an abbreviation or another language's name is no month.
    const std::pair<const char*, int> read[] = {{"MAY", 5}, {"Dec", 0}, {"Dezember", 0}};
    for (const auto& [text, month] : read) {
        holiday->SetMonthStr(text);
        EXPECT_EQ(holiday->Month, month) << text;
    }
    holiday->SetPropertyValue("MonthStr", Variant("december"));
    EXPECT_EQ(holiday->Month, 12);
}

TEST(MoneyText, FixedCurrencyFormat) {
    EXPECT_EQ(FormatMoney(Currency::fromRaw(-125000)), "-$12.50");
    EXPECT_EQ(FormatMoney(Currency::fromUnits(1234567)), "$1,234,567.00");
    EXPECT_EQ(FormatMoney(Currency()), "$0.00");
    EXPECT_EQ(FormatMoney(Currency::fromRaw(9999)), "$1.00"); // 0.9999
    EXPECT_EQ(FormatMoney(Currency::fromRaw(50)), "$0.01");   // 0.005 rounds away from zero
    EXPECT_EQ(FormatMoney(Currency::fromRaw(-10000050)), "-$1,000.01");
    EXPECT_EQ(FormatMoney(Currency::fromUnits(999)), "$999.00");
    EXPECT_EQ(FormatMoney(Currency::fromUnits(1000)), "$1,000.00");
    // Rounded to the cent as shown: halves away from zero, negatives alike.
    const std::pair<std::int64_t, std::int64_t> cents[] = {
        {299822449, 299822400}, {50, 100},          {49, 0},  {-9490149, -9490100},
        {-10000050, -10000100}, {-431151, -431200}, {-49, 0}, {1234500, 1234500}};
    for (const auto& [raw, rounded] : cents)
        EXPECT_EQ(RoundToCents(Currency::fromRaw(raw)), Currency::fromRaw(rounded)) << raw;
}

} // namespace
} // namespace duebell
