#include "domain/configuration.h"

#include "domain/accountingreports.h"
#include "domain/loanbook.h"
#include "domain/periods.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/numberformat.h"

namespace duebell {

void TMorvaneSystemConfiguration::DeclareProperties(
    TTovPropertyTable<TMorvaneSystemConfiguration>& table) {
    using T = TMorvaneSystemConfiguration;
    table.Property("DefaultPeriod", &T::DefaultPeriod)
        .Property("ForeclosePeriod", &T::ForeclosePeriod)
        .Property("EvictionPeriod", &T::EvictionPeriod)
        .Property("InstallmentFeePeriod", &T::InstallmentFeePeriod)
        .Property("FinancialYearDay", &T::FinancialYearDay)
        .Property("FinancialYearMonth", &T::FinancialYearMonth)
        .Property("AccountingReportPeriod", &T::AccountingReportPeriod)
        .Property("FirstAccountingYear", &T::FirstAccountingYear);
}

void TMorvaneFeeConfiguration::DeclareProperties(
    TTovPropertyTable<TMorvaneFeeConfiguration>& table) {
    table.Property("FeeDescription", &TMorvaneFeeConfiguration::FeeDescription)
        .Property("NoticePeriod", &TMorvaneFeeConfiguration::NoticePeriod);
}

void TMorvaneInstallmentFeePenaltyConfig::DeclareProperties(
    TTovPropertyTable<TMorvaneInstallmentFeePenaltyConfig>& table) {
    table.Property("TransactionDate", &TMorvaneInstallmentFeePenaltyConfig::TransactionDate)
        .Property("PenaltyAmount", &TMorvaneInstallmentFeePenaltyConfig::PenaltyAmount);
}

void TMorvanePublicHoliday::DeclareProperties(TTovPropertyTable<TMorvanePublicHoliday>& table) {
    table.Property("TransactionDate", &TMorvanePublicHoliday::TransactionDate)
        .Property("Description", &TMorvanePublicHoliday::Description);
}

std::string TMorvaneRecurringPublicHoliday::DayStr() const {
    return OrdinalDayText(Day);
}

void TMorvaneRecurringPublicHoliday::SetDayStr(std::string text) {
    const std::size_t digits = text.size() >= 2 ? text.size() - 2 : 0;
    Day = StrToInt(std::string_view(text).substr(0, digits));
}

std::string TMorvaneRecurringPublicHoliday::MonthStr() const {
    if (Month < 1 || Month > static_cast<int>(LongMonthNames.size())) {
        return {};
    }
    return std::string(LongMonthNames[Month - 1]);
}

void TMorvaneRecurringPublicHoliday::SetMonthStr(std::string text) {
    Month = IndexOfText(text, LongMonthNames) + 1;
}

void TMorvaneRecurringPublicHoliday::DeclareProperties(
    TTovPropertyTable<TMorvaneRecurringPublicHoliday>& table) {
    using T = TMorvaneRecurringPublicHoliday;
    table.Property("Month", &T::Month)
        .Property("Day", &T::Day)
        .Property("Description", &T::Description)
        .Property("DayStr", &T::DayStr, &T::SetDayStr)
        .Property("MonthStr", &T::MonthStr, &T::SetMonthStr);
}

TMorvaneRateChange::TMorvaneRateChange(TTovObjectItem* owner)
    : TTovRecord(owner), DateAdded(Now()) {}

void TMorvaneRateChange::DeclareProperties(TTovPropertyTable<TMorvaneRateChange>& table) {
    using T = TMorvaneRateChange;
    table.Property("TransactionDate", &T::TransactionDate)
        .Property("Rate", &T::Rate)
        .Property("NewPaymentAmount", &T::NewPaymentAmount)
        .Property("EffectiveFrom", &T::EffectiveFrom)
        .Property("DateAdded", &T::DateAdded);
}

TMorvaneMortgageRate::TMorvaneMortgageRate(TTovObjectItem* owner)
    : TTovRecord(owner), RateChanges(MakeOwnedObjectList<TMorvaneRateChange>("TransactionDate")) {}

TMorvaneMortgage* TMorvaneMortgageRate::Mortgage() const {
    const TMorvaneData* data = Data();
    return data != nullptr ? data->FindMortgage(LoanNumber) : nullptr;
}

void TMorvaneMortgageRate::DeclareProperties(TTovPropertyTable<TMorvaneMortgageRate>& table) {
    table.Property("LoanNumber", &TMorvaneMortgageRate::LoanNumber)
        .ChildList("RateChanges", &TMorvaneMortgageRate::RateChanges);
}

TMorvaneConfiguration::TMorvaneConfiguration(TTovObjectItem* owner)
    : TTovRecord(owner), Address(CreateItem<TMorvaneAddress>(this)),
      ContactDetails(CreateItem<TMorvaneContactDetails>(this)),
      SystemConfiguration(CreateItem<TMorvaneSystemConfiguration>(this)),
      FeeList(MakeOwnedObjectList<TMorvaneFeeConfiguration>("FeeDescription")),
      MortgageRates(MakeOwnedObjectList<TMorvaneMortgageRate>("LoanNumber")),
      PublicHolidayList(MakeOwnedObjectList<TMorvanePublicHoliday>("TransactionDate")),
      RecurringPublicHolidayList(MakeOwnedObjectList<TMorvaneRecurringPublicHoliday>("Month,Day")),
      InstallmentFeePenalties(
          MakeOwnedObjectList<TMorvaneInstallmentFeePenaltyConfig>("TransactionDate")),
      AccountingPeriodicalReports(
          MakeOwnedObjectList<TMorvanePeriodicAccountingReport>("AccountingReportNo")) {}

Currency TMorvaneConfiguration::AdminFeeAmountAt(TDate date) const {
    Currency amount;
    for (TTovObjectItem* item : *InstallmentFeePenalties) {
        const auto* entry = static_cast<TMorvaneInstallmentFeePenaltyConfig*>(item);
        if (entry->TransactionDate > date) {
            break;
        }
        amount = entry->PenaltyAmount;
    }
    return amount;
}

void TMorvaneConfiguration::DeclareProperties(TTovPropertyTable<TMorvaneConfiguration>& table) {
    using T = TMorvaneConfiguration;
    table.Property("UserName", &T::UserName)
        .Property("Company", &T::Company)
        .Property("OperatingNumber", &T::OperatingNumber)
        .SubRecord("Address", &T::Address)
        .SubRecord("ContactDetails", &T::ContactDetails)
        .SubRecord("SystemConfiguration", &T::SystemConfiguration)
        .ChildList("FeeList", &T::FeeList)
        .ChildList("MortgageRates", &T::MortgageRates)
        .ChildList("PublicHolidayList", &T::PublicHolidayList)
        .ChildList("RecurringPublicHolidayList", &T::RecurringPublicHolidayList)
        .ChildList("InstallmentFeePenalties", &T::InstallmentFeePenalties)
        .ChildList("AccountingPeriodicalReports", &T::AccountingPeriodicalReports);
}

} // namespace duebell
