#include "domain/processobjects.h"

#include "domain/alert.h"
#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"

namespace duebell {

namespace {

struct ProcessObjects {
    std::unique_ptr<TMorvaneConfiguration> configuration;
    std::unique_ptr<TMorvaneData> data;
    TTovOwnedObjectList emptyAlertList =
        MakeOwnedObjectList<TMorvaneAlert>("LoanNumber,AlertMessage");
    std::unique_ptr<TMorvaneHelpFile> helpFile{CreateItem<TMorvaneHelpFile>(nullptr)};
    bool dataModified = false;

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

} // namespace duebell
