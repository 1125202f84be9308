// The statement periods of a loan. Statement n runs from the possession date plus (n - 1)
// periods to the day before the possession date plus n periods, a period being 1, 3, 4 or 6
// months ("Monthly", "Quarterly", "Tri-Yearly", "Half-Yearly"; any other text counts as
// monthly). Every period is counted from the possession date, so the periods follow each other
// without a gap even when a month is too short for the possession day (31 January: 28 February
// to 30 March, then 31 March to 29 April). A loan has as many statements as whole periods fit
// in its term.
#pragma once

#include <string>
#include <vector>

namespace duebell {

class TMorvaneContract;

struct TStatementPeriod {
    int Number = 0;   // from 1
    double Start = 0; // first day
    double End = 0;   // last day
};

// The months of one statement period.
int StatementPeriodMonthsOf(const std::string& statementPeriod);
// Statement `number` (from 1) of the contract.
TStatementPeriod StatementPeriodOf(const TMorvaneContract& contract, int number);
// Every statement of the contract's term, statement 1 first.
std::vector<TStatementPeriod> StatementPeriods(const TMorvaneContract& contract);
// "dd/mm/yyyy -> dd/mm/yyyy": the first and last day, as the statement list shows them.
std::string StatementPeriodText(const TStatementPeriod& period);

} // namespace duebell
