#include "app/dialogs/accountingperiods.h"

#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <algorithm>

namespace duebell {

AccountingPeriods::AccountingPeriods(const TMorvaneSystemConfiguration& settings)
    : firstStart_(EncodeDate(settings.FirstAccountingYear, settings.FinancialYearMonth,
                             settings.FinancialYearDay)),
      // A period of no months would never move on.
      months_(std::max(1, static_cast<int>(settings.AccountingReportPeriod))) {}

AccountingPeriod AccountingPeriods::Period(int number) const {
    if (number < 1)
        throw InternalError("Accounting period " + std::to_string(number) + " does not exist.");
    double start = firstStart_;
    for (int n = 1; n < number; ++n)
        start = IncMonth(start, months_);
    return {number, start, IncMonth(start, months_) - 1};
}

std::vector<AccountingPeriod> AccountingPeriods::EndingBy(double lastDay) const {
    std::vector<AccountingPeriod> periods;
    double start = firstStart_;
    for (int number = 1;; ++number) {
        const double next = IncMonth(start, months_);
        if (next - 1 > lastDay)
            break;
        periods.push_back({number, start, next - 1});
        start = next;
    }
    return periods;
}

std::vector<AccountingPeriod> AccountingPeriods::First(int count) const {
    std::vector<AccountingPeriod> periods;
    double start = firstStart_;
    for (int number = 1; number <= count; ++number) {
        const double next = IncMonth(start, months_);
        periods.push_back({number, start, next - 1});
        start = next;
    }
    return periods;
}

std::string PeriodText(const AccountingPeriod& period) {
    return DateToStr(period.start) + " -> " + DateToStr(period.end);
}

bool LoanRunsDuring(const TMorvaneMortgage& loan, const AccountingPeriod& period) {
    const double drawnDown = loan.Contract->PossessionDate.value;
    const double ends = IncMonth(drawnDown, 12 * loan.Contract->ContractTerm);
    return drawnDown <= period.end && period.start <= ends;
}

} // namespace duebell
