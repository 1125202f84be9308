#include "domain/datafiles.h"

#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "objectlist/atomicfile.h"
#include "objectlist/exceptions.h"
#include "objectlist/treeadoption.h"
#include "objectlist/xmlfiler.h"

#include <filesystem>
#include <map>
#include <memory>
#include <set>

namespace duebell {

namespace {

// The files whose last read failed, by absolute path, with the error of that read.
std::map<std::string, std::string>& UnreadFiles() {
    static std::map<std::string, std::string> files;
    return files;
}

// The file the live loan book and the live configuration were last loaded from, by absolute
// path: while either could not be read, what is in memory is not what it holds.
std::string& LiveFile(bool data) {
    static std::string dataFile;
    static std::string configurationFile;
    return data ? dataFile : configurationFile;
}

std::string FileKey(const std::string& fileName) {
    return std::filesystem::absolute(fileName).lexically_normal().string();
}

bool FileExists(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::exists(fileName, error);
}

// Reads the file into root, remembering whether it could be read.
void ReadInto(const std::string& fileName, TTovObjectItem& root) {
    try {
        LoadObjectFromXMLFile(fileName, root);
    } catch (const Exception& error) {
        UnreadFiles()[FileKey(fileName)] = error.message();
        throw;
    } catch (...) {
        UnreadFiles()[FileKey(fileName)] = "Cannot read \"" + fileName + "\".";
        throw;
    }
    UnreadFiles().erase(FileKey(fileName));
}

// Fills the root from the file, or empties it when there is no file. The root keeps its
// objects, so its lists and whoever listens to them stay; what the file holds moves in only
// once the whole file was read.
void ReadOrEmpty(const std::string& fileName, TTovObjectItem& root) {
    if (FileExists(fileName)) {
        ReadInto(fileName, root);
        return;
    }
    UnreadFiles().erase(FileKey(fileName));
    const std::unique_ptr<TTovObjectItem> empty(root.ItemManager().Create(nullptr));
    AdoptLoadedTree(root, *empty);
}

// Loads into the live root; the first load makes the root and installs it.
template <class T>
void LoadLiveTree(const std::string& fileName, T* live, void (*install)(std::unique_ptr<T>)) {
    if (live != nullptr) {
        ReadOrEmpty(fileName, *live);
        return;
    }
    std::unique_ptr<T> root = MakeItem<T>(nullptr);
    ReadOrEmpty(fileName, *root);
    install(std::move(root));
}

// A file whose last read failed is never written over: what it holds is not what is in memory.
void RefuseUnreadFile(const std::string& fileName) {
    if (UnreadFiles().count(FileKey(fileName)) != 0) {
        throw Exception("Cannot save \"" + fileName +
                        "\": the file could not be read, and saving would replace what it holds.");
    }
}

TTovObjectItem& RootToWrite(const std::string& fileName, TTovObjectItem* root, const char* what) {
    if (root == nullptr) {
        throw InternalError(std::string("There is no ") + what + " to save.");
    }
    RefuseUnreadFile(fileName);
    return *root;
}

void WriteTree(const std::string& fileName, TTovObjectItem* root, const char* what) {
    SaveObjectToXMLFile(fileName, RootToWrite(fileName, root, what));
}

// In the list, the record of each held key as the saved list has it, or none when it has none.
void TakeSavedRecords(TTovObjectList& list, TTovObjectList& saved, TTovObjectItem& owner,
                      const std::set<std::string>& keys) {
    for (const std::string& key : keys) {
        if (TTovObjectItem* record = list.Locate(Variant(key))) {
            list.Delete();
            delete record;
        }
        if (const TTovObjectItem* record = saved.LocateNoMove(Variant(key))) {
            std::unique_ptr<TTovObjectItem> copy(record->ItemManager().Create(&owner));
            copy->AssignProperties(*record);
            list.Add(std::move(copy));
        }
    }
}

// The configuration as its file is to hold while parts of it are held for the loan book: the
// live one, with each held part as the file holds it now.
std::unique_ptr<TMorvaneConfiguration> WithHeldPartsAsSaved(const TMorvaneConfiguration& live,
                                                            const std::string& fileName) {
    std::unique_ptr<TMorvaneConfiguration> saved = MakeItem<TMorvaneConfiguration>(nullptr);
    if (FileExists(fileName))
        LoadObjectFromXMLFile(fileName, *saved);
    std::unique_ptr<TMorvaneConfiguration> written = MakeItem<TMorvaneConfiguration>(nullptr);
    written->AssignProperties(live);
    TakeSavedRecords(*written->MortgageRates, *saved->MortgageRates, *written, HeldRateHistories());
    TakeSavedRecords(*written->FeeList, *saved->FeeList, *written, HeldFeeTypes());
    return written;
}

} // namespace

void LoadDataFile(const std::string& fileName) {
    LiveFile(true) = FileKey(fileName);
    TMorvaneData* live = Data();
    LoadLiveTree(fileName, live, &SetData);
    RememberSavedLoanBook(*Data());
    if (live != nullptr) {
        // The alerts were the old loans': a new book has none until it is refreshed.
        live->CurrentAlerts->FreeAll();
        live->HasAlerts = false;
    }
}

void LoadConfigurationFile(const std::string& fileName) {
    LiveFile(false) = FileKey(fileName);
    LoadLiveTree(fileName, Configuration(), &SetConfiguration);
    SetConfigurationModified(false);
}

void LoadHelpTopicsFile(const std::string& fileName) {
    if (FileExists(fileName)) {
        ReadInto(fileName, HelpFile());
    }
}

std::optional<UnreadFile> UnreadLiveFile() {
    for (const bool data : {true, false}) {
        const auto found = UnreadFiles().find(LiveFile(data));
        if (found != UnreadFiles().end())
            return UnreadFile{found->first, found->second};
    }
    return std::nullopt;
}

bool LiveConfigurationUnread() {
    return UnreadFiles().count(LiveFile(false)) != 0;
}

void SaveDataFile(const std::string& fileName) {
    WriteTree(fileName, Data(), "loan book");
}

void SaveConfigurationFile(const std::string& fileName) {
    WriteTree(fileName, Configuration(), "configuration");
}

void SaveConfigurationNow(const std::string& fileName) {
    SetConfigurationModified(true); // until the write is done
    TTovObjectItem& live = RootToWrite(fileName, Configuration(), "configuration");
    if (ConfigurationHeldForLoanBook())
        SaveObjectToXMLFile(
            fileName, *WithHeldPartsAsSaved(static_cast<TMorvaneConfiguration&>(live), fileName));
    else
        SaveObjectToXMLFile(fileName, live);
    SetConfigurationModified(false);
}

void SaveLoanBookAndConfiguration(const std::string& dataFile,
                                  const std::string& configurationFile) {
    // The loan book was worked out with the configuration: not saved without it.
    RefuseUnreadFile(configurationFile);
    TTovObjectItem& book = RootToWrite(dataFile, Data(), "loan book");
    if (!ConfigurationModified() && !ConfigurationHeldForLoanBook()) {
        SaveObjectToXMLFile(dataFile, book);
    } else {
        // Both written beside their files first, then put in place together, the smaller
        // first: a loan book that cannot be put in place takes the configuration back with it.
        AtomicFileWriter configuration(configurationFile);
        SaveObjectToXMLStream(configuration.stream(),
                              RootToWrite(configurationFile, Configuration(), "configuration"));
        AtomicFileWriter data(dataFile);
        SaveObjectToXMLStream(data.stream(), book);
        CommitTogether({&configuration, &data});
        SetConfigurationModified(false);
    }
    SetDataModified(false);
    RememberSavedLoanBook(*Data());
}

} // namespace duebell
