#include "domain/processobjects.h"

#include "domain/alert.h"
#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "objectlist/itemmanager.h"
#include "objectlist/propinfo.h"

namespace duebell {

namespace {

struct ProcessObjects {
    std::unique_ptr<TMorvaneConfiguration> configuration;
    std::unique_ptr<TMorvaneData> data;
    TTovOwnedObjectList emptyAlertList =
        MakeOwnedObjectList<TMorvaneAlert>("LoanNumber,AlertMessage");
    std::unique_ptr<TMorvaneHelpFile> helpFile{CreateItem<TMorvaneHelpFile>(nullptr)};
    bool dataModified = false;
    bool configurationModified = false;
    // What the loan book's file holds, and the parts of the configuration held for it.
    std::set<std::string> savedLoans;
    std::set<std::string> savedFeeTypes;
    std::set<std::string> heldRateHistories;
    std::set<std::string> heldFeeTypes;

    ~ProcessObjects() {
        configuration.reset();
        data.reset();
        emptyAlertList.reset();
        helpFile.reset();
    }
};

// Made on first use and freed when the process ends.
ProcessObjects& Objects() {
    static ProcessObjects objects;
    return objects;
}

} // namespace

TMorvaneConfiguration* Configuration() {
    return Objects().configuration.get();
}

TMorvaneData* Data() {
    return Objects().data.get();
}

TMorvaneHelpFile& HelpFile() {
    return *Objects().helpFile;
}

TTovObjectList& EmptyAlertList() {
    return *Objects().emptyAlertList;
}

void SetConfiguration(std::unique_ptr<TMorvaneConfiguration> configuration) {
    Objects().configuration = std::move(configuration);
}

void SetData(std::unique_ptr<TMorvaneData> data) {
    Objects().data = std::move(data);
    ProcessObjects& objects = Objects();
    objects.savedLoans.clear();
    objects.savedFeeTypes.clear();
    objects.heldRateHistories.clear();
    objects.heldFeeTypes.clear();
}

bool DataModified() {
    return Objects().dataModified;
}

void SetDataModified(bool modified) {
    Objects().dataModified = modified;
}

bool ConfigurationModified() {
    return Objects().configurationModified;
}

void SetConfigurationModified(bool modified) {
    Objects().configurationModified = modified;
}

void RememberSavedLoanBook(const TMorvaneData& book) {
    ProcessObjects& objects = Objects();
    objects.savedLoans.clear();
    objects.savedFeeTypes.clear();
    for (const TTovObjectItem* item : *book.Mortgages) {
        const auto& loan = static_cast<const TMorvaneMortgage&>(*item);
        objects.savedLoans.insert(loan.LoanNumber);
        for (const TTovObjectItem* charge : *loan.FeeTransactions)
            objects.savedFeeTypes.insert(
                static_cast<const TMorvaneFeeTransaction&>(*charge).FeeDescription);
    }
    objects.heldRateHistories.clear();
    objects.heldFeeTypes.clear();
}

bool HoldRateHistoryForLoanBook(const std::string& loanNumber) {
    ProcessObjects& objects = Objects();
    if (objects.savedLoans.count(loanNumber) != 0)
        objects.heldRateHistories.insert(loanNumber);
    return RateHistoryHeldForLoanBook(loanNumber);
}

bool HoldFeeTypeForLoanBook(const std::string& description) {
    ProcessObjects& objects = Objects();
    if (objects.savedFeeTypes.count(description) != 0)
        objects.heldFeeTypes.insert(description);
    return FeeTypeHeldForLoanBook(description);
}

bool RateHistoryHeldForLoanBook(const std::string& loanNumber) {
    return Objects().heldRateHistories.count(loanNumber) != 0;
}

bool FeeTypeHeldForLoanBook(const std::string& description) {
    return Objects().heldFeeTypes.count(description) != 0;
}

bool ConfigurationHeldForLoanBook() {
    return !Objects().heldRateHistories.empty() || !Objects().heldFeeTypes.empty();
}

const std::set<std::string>& HeldRateHistories() {
    return Objects().heldRateHistories;
}

const std::set<std::string>& HeldFeeTypes() {
    return Objects().heldFeeTypes;
}

TTovObjectItem* HolderOfProcessList(const TTovObjectList* list) {
    if (list == nullptr)
        return nullptr;
    for (TTovObjectItem* holder :
         {static_cast<TTovObjectItem*>(Data()), static_cast<TTovObjectItem*>(Configuration())}) {
        if (holder == nullptr)
            continue;
        for (const TTovPropInfo* prop : holder->ItemManager().Properties())
            if (prop->ObjectKind() == TTovObjectKind::ChildList && prop->GetObject(*holder) == list)
                return holder;
    }
    return nullptr;
}

} // namespace duebell
