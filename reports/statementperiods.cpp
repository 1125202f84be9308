#include "reports/statementperiods.h"

#include "domain/mortgage.h"
#include "domain/periods.h"
#include "objectlist/datetime.h"

#include <algorithm>

namespace duebell {

int StatementPeriodMonthsOf(const std::string& statementPeriod) {
    const int index = StatementPeriodIndex(statementPeriod);
    return index >= 0 ? StatementPeriodMonths[static_cast<std::size_t>(index)] : 1;
}

TStatementPeriod StatementPeriodOf(const TMorvaneContract& contract, int number) {
    const int months = StatementPeriodMonthsOf(contract.StatementPeriod);
    const double possession = contract.PossessionDate.value;
    return {number, IncMonth(possession, (number - 1) * months),
            IncMonth(possession, number * months) - 1};
}

std::vector<TStatementPeriod> StatementPeriods(const TMorvaneContract& contract) {
    // A stored contract's term is checked already; held to that range here too, so that no
    // term can make the list endless.
    const int termMonths =
        12 * std::clamp(contract.ContractTerm, 0, TMorvaneMortgage::MaxContractYears);
    const int count = termMonths / StatementPeriodMonthsOf(contract.StatementPeriod);
    std::vector<TStatementPeriod> periods;
    periods.reserve(static_cast<std::size_t>(count));
    for (int number = 1; number <= count; ++number)
        periods.push_back(StatementPeriodOf(contract, number));
    return periods;
}

std::string StatementPeriodText(const TStatementPeriod& period) {
    return DateToStr(period.Start) + " -> " + DateToStr(period.End);
}

} // namespace duebell
