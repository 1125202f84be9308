#include "domain/processobjects.h"

#include "domain/alert.h"
#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
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
    bool configurationHeld = false;

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
    if (!modified)
        Objects().configurationHeld = false;
}

void HoldConfigurationForLoanBook() {
    Objects().configurationModified = true;
    Objects().configurationHeld = true;
}

bool ConfigurationHeldForLoanBook() {
    return Objects().configurationHeld;
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
