// The lender's configuration: their own details, notice periods, fee types, per-loan rate
// histories, public holidays, arrears administration fee amounts and periodical reports. The
// root record of the configuration file.
#pragma once

#include "domain/details.h"
#include "objectlist/objectlist.h"

#include <cstdint>
#include <memory>
#include <string>

namespace duebell {

class TMorvaneMortgage;

// Notice periods (days) and bookkeeping settings.
class TMorvaneSystemConfiguration : public TTovRecord<TMorvaneSystemConfiguration> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t DefaultPeriod = 0;
    std::int32_t ForeclosePeriod = 0;
    std::int32_t EvictionPeriod = 0;
    std::int32_t InstallmentFeePeriod = 0;
    std::int32_t FinancialYearDay = 0;
    std::int32_t FinancialYearMonth = 0;
    std::int32_t AccountingReportPeriod = 0;
    std::int32_t FirstAccountingYear = 0;

    static void DeclareProperties(TTovPropertyTable<TMorvaneSystemConfiguration>& table);
};

// A type of full fee and its notice period in days.
class TMorvaneFeeConfiguration : public TTovRecord<TMorvaneFeeConfiguration> {
public:
    using TTovRecord::TTovRecord;

    std::string FeeDescription;
    std::int32_t NoticePeriod = 0;

    static void DeclareProperties(TTovPropertyTable<TMorvaneFeeConfiguration>& table);
};

// The arrears administration fee amount in force from a date.
class TMorvaneInstallmentFeePenaltyConfig : public TTovRecord<TMorvaneInstallmentFeePenaltyConfig> {
public:
    using TTovRecord::TTovRecord;

    TDate TransactionDate;
    Currency PenaltyAmount;

    static void DeclareProperties(TTovPropertyTable<TMorvaneInstallmentFeePenaltyConfig>& table);
};

class TMorvanePublicHoliday : public TTovRecord<TMorvanePublicHoliday> {
public:
    using TTovRecord::TTovRecord;

    TDate TransactionDate;
    std::string Description;

    static void DeclareProperties(TTovPropertyTable<TMorvanePublicHoliday>& table);
};

// A holiday on the same day of the same month every year.
class TMorvaneRecurringPublicHoliday : public TTovRecord<TMorvaneRecurringPublicHoliday> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t Month = 0; // 1-12
    std::int32_t Day = 0;
    std::string Description;

    // The day with its English suffix ("1st", "22nd", "11th"); writing it sets Day to the
    // number before the last two characters (EConvertError when there is none), so files
    // written with the older spelling ("11st", "12nd", "13rd") read back as the same day.
    std::string DayStr() const;
    void SetDayStr(std::string text);
    // The month's English name; writing it sets Month to its position (ignoring case), 0 for
    // any other text.
    std::string MonthStr() const;
    void SetMonthStr(std::string text);

    static void DeclareProperties(TTovPropertyTable<TMorvaneRecurringPublicHoliday>& table);
};

// A change of a loan's reference rate.
class TMorvaneRateChange : public TTovRecord<TMorvaneRateChange> {
public:
    explicit TMorvaneRateChange(TTovObjectItem* owner);

    TDate TransactionDate; // the day the change was notified
    TPercentage Rate;      // the new reference rate
    Currency NewPaymentAmount;
    TDateTime DateAdded;

    // The day the new rate applies (defined with the payment schedule).
    TDate EffectiveFrom() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneRateChange>& table);
};

// The rate history of one loan.
class TMorvaneMortgageRate : public TTovRecord<TMorvaneMortgageRate> {
public:
    explicit TMorvaneMortgageRate(TTovObjectItem* owner);

    std::string LoanNumber;
    TTovOwnedObjectList RateChanges; // TMorvaneRateChange by "TransactionDate"

    // The loan of that number in the loan book, looked up on every call (a loan deleted since
    // leaves nothing behind to follow); nothing when there is none.
    TMorvaneMortgage* Mortgage() const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneMortgageRate>& table);
};

class TMorvaneConfiguration : public TTovRecord<TMorvaneConfiguration> {
public:
    explicit TMorvaneConfiguration(TTovObjectItem* owner);

    std::string UserName;
    std::string Company;
    std::string OperatingNumber;
    std::unique_ptr<TMorvaneAddress> Address;
    std::unique_ptr<TMorvaneContactDetails> ContactDetails;
    std::unique_ptr<TMorvaneSystemConfiguration> SystemConfiguration;
    TTovOwnedObjectList FeeList;                    // TMorvaneFeeConfiguration by "FeeDescription"
    TTovOwnedObjectList MortgageRates;              // TMorvaneMortgageRate by "LoanNumber"
    TTovOwnedObjectList PublicHolidayList;          // TMorvanePublicHoliday by "TransactionDate"
    TTovOwnedObjectList RecurringPublicHolidayList; // TMorvaneRecurringPublicHoliday by "Month,Day"
    // TMorvaneInstallmentFeePenaltyConfig by "TransactionDate"
    TTovOwnedObjectList InstallmentFeePenalties;
    // TMorvanePeriodicAccountingReport by "AccountingReportNo"
    TTovOwnedObjectList AccountingPeriodicalReports;

    // The arrears administration fee amount in force on the date: that of the latest entry
    // dated on or before it; zero when there is none.
    Currency AdminFeeAmountAt(TDate date) const;

    static void DeclareProperties(TTovPropertyTable<TMorvaneConfiguration>& table);
};

} // namespace duebell
