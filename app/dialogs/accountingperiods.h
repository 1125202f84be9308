// The accounting periods of the periodical bookkeeping reports and the loans each report
// lists. Period 1 starts on the financial year's first day in the first accounting year; each
// later one starts the report period's months after the one before (the day of the month
// clamped to a shorter month) and every period ends the day before the next starts.
#pragma once

#include <string>
#include <vector>

namespace duebell {

class TMorvaneMortgage;
class TMorvaneSystemConfiguration;

struct AccountingPeriod {
    int number = 0;   // from 1
    double start = 0; // day numbers
    double end = 0;
};

class AccountingPeriods {
public:
    // From FirstAccountingYear, FinancialYearMonth, FinancialYearDay and AccountingReportPeriod;
    // a report period below one month counts as one month. A first day that makes no date
    // raises EConvertError.
    explicit AccountingPeriods(const TMorvaneSystemConfiguration& settings);

    int Months() const { return months_; }
    // Period n, from 1 (an internal error below 1).
    AccountingPeriod Period(int number) const;
    // Every period from the first that ends on or before the day, in order.
    std::vector<AccountingPeriod> EndingBy(double lastDay) const;
    // The first periods, as many as asked for.
    std::vector<AccountingPeriod> First(int count) const;

private:
    double firstStart_;
    int months_;
};

// "01/07/2024 -> 31/12/2024".
std::string PeriodText(const AccountingPeriod& period);

// A loan runs during a period when it was drawn down by the period's end and its term (the
// draw-down date plus the contract's years) had not ended before the period's start.
bool LoanRunsDuring(const TMorvaneMortgage& loan, const AccountingPeriod& period);

} // namespace duebell
