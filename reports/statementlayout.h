// The pieces the statement of account is drawn from (statementbody.h draws them in order): its
// columns, the ledger day of a date, the key of the terms and the closing paragraph.
#pragma once

#include "domain/daynumber.h"

namespace duebell {

class TMorvaneLocalTransactionDay;
class TMorvaneMortgage;
class TPqCanvas;
class TfmCustomPrintedReport;

// Where the table's columns start, millimetres from the paper's left edge.
namespace statementcolumn {
inline constexpr double Date = 20;
inline constexpr double Description = 40;
inline constexpr double Rate = 90;
inline constexpr double Type = 105;
inline constexpr double Debit = 125;
inline constexpr double Credit = 145;
inline constexpr double Balance = 165;
} // namespace statementcolumn

// The loan's ledger day of the date, or nothing; the ledger's cursor stays where it was.
const TMorvaneLocalTransactionDay* FindLedgerDay(const TMorvaneMortgage& mortgage, TDayNumber day);

// The seven column heads, bold, at `y`; the canvas stays bold.
void DrawStatementColumnHeads(TPqCanvas& canvas, double y);

// The key of the terms in its frame, from 23 mm below `y` to 75 mm below.
void DrawStatementKey(TfmCustomPrintedReport& form, double y);
// The closing paragraph and the signature, from 80 mm below `y`; 10 point, regular.
void DrawStatementClosing(TfmCustomPrintedReport& form, double y);

} // namespace duebell
