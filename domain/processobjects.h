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

// Set while the configuration holds changes its file lacks: a write that failed, or a change
// made for the loan book. Save writes it with the loan book and the exit question offers to.
// Clearing it also ends a hold.
bool ConfigurationModified();
void SetConfigurationModified(bool modified);
// A change the loan book made to the configuration (a deleted loan's rate history, the fee
// type of renamed or deleted charges): the configuration is now written only with the loan
// book, at Save, so that the two files on disk always make a pair.
void HoldConfigurationForLoanBook();
bool ConfigurationHeldForLoanBook();

// The loan book or the configuration when the list is one of its own lists: the owner a record
// of the list has when it is loaded. Nothing for any other list.
TTovObjectItem* HolderOfProcessList(const TTovObjectList* list);

} // namespace duebell
