// The objects of which the process has one each: the loan book, the configuration, the help
// topics, the empty alert list the alert page shows before the first refresh, and the flag
// that says the loan book has unsaved changes.
//
// The help topics and the empty alert list exist from first use to the end of the process.
// The loan book and the configuration exist once the program has loaded (or created) them;
// until then their accessors give nothing. At the end of the process they are freed in the
// order configuration, loan book, alert list, help topics.
#pragma once

#include <memory>
#include <set>
#include <string>

namespace duebell {

class TMorvaneConfiguration;
class TMorvaneData;
class TMorvaneHelpFile;
class TTovObjectItem;
class TTovObjectList;

TMorvaneConfiguration* Configuration();
TMorvaneData* Data();
TMorvaneHelpFile& HelpFile();
TTovObjectList& EmptyAlertList(); // TMorvaneAlert by "LoanNumber,AlertMessage"

// Install a new configuration or loan book, freeing the one before: every list of it goes
// away. With windows open, load into the objects instead (datafiles.h).
void SetConfiguration(std::unique_ptr<TMorvaneConfiguration> configuration);
void SetData(std::unique_ptr<TMorvaneData> data);

// Set by every change of the loan book; cleared when it is saved to its own file.
bool DataModified();
void SetDataModified(bool modified);

// Set while the configuration holds changes its file lacks that nothing holds back: a write
// that failed. Save writes it with the loan book and the exit question offers to.
bool ConfigurationModified();
void SetConfigurationModified(bool modified);

// The two files on disk make a pair: every loan of the saved loan book finds its rate history
// in the saved configuration, and every full-fee charge its fee type. A change of the
// configuration that the saved loan book depends on is held: until the loan book is saved, the
// configuration's file keeps that part as it is (datafiles.h); the rest is written as always.
//
// What the loan book's own file holds, as it was last read or written: its loan numbers and
// the fee types its charges name. Remembering it ends every hold, the files being a pair
// again; installing another loan book (SetData) forgets it.
void RememberSavedLoanBook(const TMorvaneData& book);
// The rate history of a loan number, after its loan was deleted or its number taken by a new
// loan: held when the saved loan book has a loan of that number. True when it is held.
bool HoldRateHistoryForLoanBook(const std::string& loanNumber);
// A fee type renamed or deleted with its charges: held when the saved loan book's charges name
// it. True when it is held.
bool HoldFeeTypeForLoanBook(const std::string& description);
bool RateHistoryHeldForLoanBook(const std::string& loanNumber);
bool FeeTypeHeldForLoanBook(const std::string& description);
bool ConfigurationHeldForLoanBook();
// The loan numbers and fee-type names held, in order.
const std::set<std::string>& HeldRateHistories();
const std::set<std::string>& HeldFeeTypes();

// The loan book or the configuration when the list is one of its own lists: the owner a record
// of the list has when it is loaded. Nothing for any other list.
TTovObjectItem* HolderOfProcessList(const TTovObjectList* list);

} // namespace duebell
