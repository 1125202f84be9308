#include "app/main/dataarchive.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "objectlist/atomicfile.h"
#include "objectlist/exceptions.h"
#include "objectlist/xmlfiler.h"
#include "zip/unzipper.h"

#include <QTemporaryDir>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

namespace duebell {

namespace {

namespace fs = std::filesystem;

// The import of one archive into one data folder.
class DataImport {
public:
    DataImport(std::string archiveName, std::string dataFolder)
        : archiveName_(std::move(archiveName)), dataFolder_(std::move(dataFolder)) {}

    void Run() {
        if (!work_.isValid())
            Refuse("no temporary folder (" + work_.errorString().toStdString() + ").");
        Extract();
        CheckLoads<TMorvaneData>(DataFileName);
        if (extracted_.count(ConfigurationFileName) != 0)
            CheckLoads<TMorvaneConfiguration>(ConfigurationFileName);
        KeepPreviousPair();
        ReplaceLiveFiles();
    }

private:
    [[noreturn]] void Refuse(const std::string& reason) const {
        throw Exception("Cannot import \"" + archiveName_ + "\": " + reason);
    }

    static bool IsDataEntry(const std::string& storedName) {
        return storedName == DataFileName || storedName == ConfigurationFileName;
    }

    // Only the entries stored under exactly the two names, without folder, into the private
    // folder; the rest of the archive is never written.
    void Extract() {
        zip::TUnZipper unzipper;
        // An export is always one file: without an end record it is no archive.
        unzipper.IncompleteZipMode = zip::TIncompleteZipMode::izAssumeNotAZip;
        try {
            unzipper.SetZipName(archiveName_);
            unzipper.OpenArchive();
        } catch (const Exception& error) {
            Refuse(error.message());
        }
        std::map<std::string, int> wanted;
        for (int i = 0; i < unzipper.Count(); ++i) {
            const zip::TZipHeaderInfo& entry = unzipper.Entry(i);
            const std::string stored = entry.Directory() + entry.Filename();
            if (!IsDataEntry(stored))
                continue;
            if (!wanted.emplace(stored, i).second)
                Refuse("it holds " + stored + " more than once.");
        }
        if (wanted.count(DataFileName) == 0)
            Refuse("it holds no " + std::string(DataFileName) + ", so it is not a Duebell export.");

        std::string problem;
        unzipper.SetDestDir(work_.path().toStdString());
        unzipper.FilesList = {DataFileName, ConfigurationFileName};
        unzipper.RecreateDirs = false;
        unzipper.OverwriteMode = zip::TUZOverwriteMode::Always;
        unzipper.RetainAttributes = false;
        unzipper.DoProcessMessages = false;
        unzipper.OnStartUnZip = [&](int index, std::string&, bool& skip) {
            const zip::TZipHeaderInfo& entry = unzipper.Entry(index);
            skip = !IsDataEntry(entry.Directory() + entry.Filename());
        };
        unzipper.OnBadCRC = [&](std::uint32_t, std::uint32_t, int index) {
            problem = unzipper.Filename(index) + " is damaged (its CRC does not match).";
        };
        unzipper.OnSkippingFile = [&](zip::TSkipReason reason, const std::string&, int index,
                                      bool&) {
            problem =
                unzipper.Filename(index) + (reason == zip::TSkipReason::srBadPassword
                                                ? " is encrypted."
                                                : " could not be written to the temporary folder.");
        };
        try {
            unzipper.UnZip();
        } catch (const Exception& error) {
            Refuse(error.message());
        }
        for (const auto& [name, index] : wanted) {
            const fs::path file = fs::path(work_.path().toStdString()) / name;
            std::error_code error;
            if (!fs::is_regular_file(file, error))
                Refuse(problem.empty() ? name + " could not be extracted." : problem);
            extracted_[name] = file;
        }
    }

    // The file must be what its name says, and read as the program will read it after the
    // restart: the reader skips elements it does not know, so a configuration stored under the
    // loan book's name would otherwise load as an empty book.
    template <class Root> void CheckLoads(const char* name) const {
        std::ifstream input(extracted_.at(name), std::ios::binary);
        std::ostringstream content;
        content << input.rdbuf();
        if (!input)
            Refuse(std::string(name) + " could not be read back.");
        const std::unique_ptr<Root> root = MakeItem<Root>(nullptr);
        try {
            std::istringstream xml(content.str());
            LoadObjectFromXMLStream(xml, *root);
        } catch (const Exception& error) {
            Refuse("its " + std::string(name) + " cannot be read.  " + error.message());
        }
        const std::string expected = root->GetElementName();
        const std::string found = RootElementName(content.str());
        if (found != expected)
            Refuse("its " + std::string(name) +
                   " is not what that file holds (its root element is <" + found + ">, not <" +
                   expected + ">).");
    }

    // The name of the first element of an XML text, after the declaration, comments, processing
    // instructions and a document type; empty when there is none.
    static std::string RootElementName(const std::string& xml) {
        std::size_t at = xml.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
        for (;;) {
            at = xml.find('<', at);
            if (at == std::string::npos)
                return {};
            const auto skipPast = [&](const char* end) {
                const std::size_t found = xml.find(end, at);
                return found == std::string::npos ? found : found + std::strlen(end);
            };
            if (xml.compare(at, 2, "<?") == 0)
                at = skipPast("?>");
            else if (xml.compare(at, 4, "<!--") == 0)
                at = skipPast("-->");
            else if (xml.compare(at, 2, "<!") == 0)
                at = skipPast(">");
            else
                return xml.substr(at + 1, xml.find_first_of(" \t\r\n/>", at + 1) - at - 1);
            if (at == std::string::npos)
                return {};
        }
    }

    // The live pair as it was before this import, beside it under BeforeImportSuffix: the
    // lender can put it back by hand. Only the last import's pair is kept.
    void KeepPreviousPair() const {
        for (const char* name : {DataFileName, ConfigurationFileName}) {
            const fs::path live = fs::path(dataFolder_) / name;
            const fs::path kept = fs::path(dataFolder_) / (std::string(name) + BeforeImportSuffix);
            try {
                std::error_code error;
                if (!fs::is_regular_file(live, error)) {
                    fs::remove(kept, error);
                    continue;
                }
                const std::optional<std::string> content = ReadFileIfPresent(live.string());
                AtomicFileWriter writer(kept.string());
                writer.stream() << content.value_or("");
                writer.commit();
            } catch (const Exception& error) {
                Refuse("the present " + std::string(name) + " could not be kept.  " +
                       error.message());
            }
        }
    }

    // Both new files are written beside the live ones first; only then is each renamed over
    // its live file, the loan book last. Should a rename fail, the files already replaced go
    // back to what they were, so a failed import never pairs the new configuration with the
    // old loan book.
    void ReplaceLiveFiles() const {
        std::vector<std::unique_ptr<AtomicFileWriter>> writers;
        for (const char* name : {ConfigurationFileName, DataFileName}) {
            const auto found = extracted_.find(name);
            if (found == extracted_.end())
                continue;
            const fs::path live = fs::path(dataFolder_) / name;
            auto writer = std::make_unique<AtomicFileWriter>(live.string());
            std::ifstream input(found->second, std::ios::binary);
            writer->stream() << input.rdbuf();
            if (!input || !writer->stream())
                Refuse(std::string(name) + " could not be copied into the data folder.");
            writer->stream().flush();
            writers.push_back(std::move(writer));
        }
        std::vector<AtomicFileWriter*> inTurn;
        for (const auto& writer : writers)
            inTurn.push_back(writer.get());
        CommitTogether(inTurn);
    }

    std::string archiveName_;
    std::string dataFolder_;
    QTemporaryDir work_;
    std::map<std::string, fs::path> extracted_;
};

} // namespace

void ImportDataArchive(const std::string& archiveName, const std::string& dataFolder) {
    DataImport(archiveName, dataFolder).Run();
}

} // namespace duebell
