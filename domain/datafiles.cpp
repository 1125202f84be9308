#include "domain/datafiles.h"

#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"
#include "objectlist/xmlfiler.h"

#include <filesystem>
#include <memory>
#include <set>

namespace duebell {

namespace {

// The files whose last read failed, by absolute path.
std::set<std::string>& UnreadFiles() {
    static std::set<std::string> files;
    return files;
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
    } catch (...) {
        UnreadFiles().insert(FileKey(fileName));
        throw;
    }
    UnreadFiles().erase(FileKey(fileName));
}

template <class T> std::unique_ptr<T> ReadNewTree(const std::string& fileName) {
    std::unique_ptr<T> root(CreateItem<T>(nullptr));
    if (FileExists(fileName)) {
        ReadInto(fileName, *root);
    } else {
        UnreadFiles().erase(FileKey(fileName));
    }
    return root;
}

void WriteTree(const std::string& fileName, TTovObjectItem* root, const char* what) {
    if (root == nullptr) {
        throw InternalError(std::string("There is no ") + what + " to save.");
    }
    if (UnreadFiles().count(FileKey(fileName)) != 0) {
        throw Exception("Cannot save \"" + fileName +
                        "\": the file could not be read, and saving would replace what it holds.");
    }
    SaveObjectToXMLFile(fileName, *root);
}

} // namespace

void LoadDataFile(const std::string& fileName) {
    SetData(ReadNewTree<TMorvaneData>(fileName));
}

void LoadConfigurationFile(const std::string& fileName) {
    SetConfiguration(ReadNewTree<TMorvaneConfiguration>(fileName));
}

void LoadHelpTopicsFile(const std::string& fileName) {
    if (FileExists(fileName)) {
        ReadInto(fileName, HelpFile());
    }
}

void SaveDataFile(const std::string& fileName) {
    WriteTree(fileName, Data(), "loan book");
}

void SaveConfigurationFile(const std::string& fileName) {
    WriteTree(fileName, Configuration(), "configuration");
}

} // namespace duebell
