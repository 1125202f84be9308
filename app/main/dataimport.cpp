#include "app/main/dataarchive.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "objectlist/atomicfile.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/xmlfiler.h"
#include "zip/unzipper.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

namespace duebell {

namespace {

namespace fs = std::filesystem;

// The import's steps in thousandths of the whole: the entries' extraction, the reading of the
// two files, then each loan's ledger and alerts.
constexpr std::size_t ExtractedSteps = 100;
constexpr std::size_t ReadSteps = 200;
constexpr std::size_t AllSteps = 1000;

constexpr std::uint64_t Mebibyte = 1024 * 1024;

// Copies what is left of the input; an empty input copies nothing and is no failure (inserting
// an empty stream buffer would mark the output failed).
void CopyRest(std::istream& input, std::ostream& output) {
    if (input.peek() != std::istream::traits_type::eof())
        output << input.rdbuf();
}

// The import of one archive into one data folder.
class DataImport {
public:
    DataImport(std::string archiveName, std::string dataFolder, const WorkProgress& progress)
        : archiveName_(std::move(archiveName)), dataFolder_(std::move(dataFolder)),
          progress_(progress) {}

    std::vector<std::string> Run() {
        if (!work_.isValid())
            Refuse("no temporary folder (" + work_.errorString().toStdString() + ").");
        Extract();
        CheckTheBookRuns();
        std::vector<std::string> kept = KeepPreviousPair();
        ReplaceLiveFiles();
        Report(AllSteps);
        return kept;
    }

private:
    [[noreturn]] void Refuse(const std::string& reason) const {
        throw Exception("Cannot import \"" + archiveName_ + "\": " + reason);
    }

    void Report(std::size_t steps) const {
        if (progress_)
            progress_(steps, AllSteps);
    }

    static bool IsDataEntry(const std::string& storedName) {
        return storedName == DataFileName || storedName == ConfigurationFileName;
    }

    // Only the entries stored under exactly the two names, without folder, into the private
    // folder; the rest of the archive is never written. An entry larger than MaxDataEntryBytes
    // is refused before a byte of it is written, and the reader stops any entry at the size it
    // declares: no archive makes the import write more than that.
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
            if (entry.UncompressedSize > MaxDataEntryBytes)
                Refuse("its " + stored + " would unpack to " +
                       std::to_string((entry.UncompressedSize + Mebibyte - 1) / Mebibyte) +
                       " MB, more than any loan book (at most " +
                       std::to_string(MaxDataEntryBytes / Mebibyte) + " MB).");
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
        unzipper.OnTotalPercentDone = [&](int percent) {
            Report(static_cast<std::size_t>(percent) * ExtractedSteps / 100);
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

    // The two files read and the loan book's ledgers and alerts built as the program will
    // after the restart, on the archive's configuration or else the data folder's: a book the
    // program cannot run is refused before any file is replaced. The book is dropped before
    // the files are replaced, and its ledgers as each loan is checked, so the import holds no
    // second book of ledgers beside the one in use.
    void CheckTheBookRuns() const {
        const auto configuration = extracted_.count(ConfigurationFileName) != 0
                                       ? ReadEntry<TMorvaneConfiguration>(ConfigurationFileName)
                                       : ReadLiveConfiguration();
        const std::unique_ptr<TMorvaneData> book = ReadEntry<TMorvaneData>(DataFileName);
        Report(ReadSteps);
        try {
            book->CheckLedgersBuild(*configuration, [this](std::size_t done, std::size_t total) {
                Report(ReadSteps + (AllSteps - ReadSteps) * done / total);
            });
        } catch (const Exception& error) {
            Refuse("its " + std::string(DataFileName) +
                   " holds a loan Duebell cannot calculate.  " + error.message());
        }
    }

    // The entry read as the program will read it after the restart, and what its name says it
    // is: the reader skips elements it does not know, so a configuration stored under the loan
    // book's name would otherwise read as an empty book.
    template <class Root> std::unique_ptr<Root> ReadEntry(const char* name) const {
        std::unique_ptr<Root> root = MakeItem<Root>(nullptr);
        std::ifstream input(extracted_.at(name), std::ios::binary);
        std::string found;
        try {
            found = LoadObjectFromXMLStream(input, *root);
        } catch (const Exception& error) {
            Refuse("its " + std::string(name) + " cannot be read.  " + error.message());
        }
        const std::string expected = root->GetElementName();
        if (found != expected)
            Refuse("its " + std::string(name) +
                   " is not what that file holds (its root element is <" + found + ">, not <" +
                   expected + ">).");
        return root;
    }

    // The data folder's configuration, which the program will read with an archive that holds
    // none: read as at start-up, where a missing file gives an empty configuration.
    std::unique_ptr<TMorvaneConfiguration> ReadLiveConfiguration() const {
        std::unique_ptr<TMorvaneConfiguration> configuration =
            MakeItem<TMorvaneConfiguration>(nullptr);
        const fs::path file = fs::path(dataFolder_) / ConfigurationFileName;
        std::error_code error;
        if (!fs::exists(file, error))
            return configuration;
        try {
            LoadObjectFromXMLFile(file.string(), *configuration);
        } catch (const Exception& failure) {
            Refuse("it holds no " + std::string(ConfigurationFileName) +
                   ", and the loan book cannot be checked against the one in the data folder.  " +
                   failure.message());
        }
        return configuration;
    }

    // The suffix of this import's pair, by the clock's date and time; an earlier pair of that
    // time (or anything else of those names) gets a number after it, so nothing is replaced.
    std::string FreeKeptSuffix() const {
        const std::string stamp =
            BeforeImportSuffix + std::string("-") + FormatDateTime("yyyymmdd-hhnnss", Now());
        for (int number = 1;; ++number) {
            const std::string suffix = number == 1 ? stamp : stamp + "-" + std::to_string(number);
            bool free = true;
            for (const char* name : {DataFileName, ConfigurationFileName}) {
                std::error_code error;
                free = free && !fs::exists(fs::symlink_status(
                                   fs::path(dataFolder_) / (std::string(name) + suffix), error));
            }
            if (free)
                return suffix;
        }
    }

    // The live pair as it was before this import, copied beside it under names that carry the
    // import's date and time: the lender can put any earlier pair back by hand, and no import
    // ever replaces one. The names of the copies made.
    std::vector<std::string> KeepPreviousPair() const {
        const std::string suffix = FreeKeptSuffix();
        std::vector<std::string> kept;
        for (const char* name : {DataFileName, ConfigurationFileName}) {
            const fs::path live = fs::path(dataFolder_) / name;
            std::error_code error;
            if (!fs::is_regular_file(live, error))
                continue;
            try {
                AtomicFileWriter writer((fs::path(dataFolder_) / (name + suffix)).string());
                std::ifstream input(live, std::ios::binary);
                CopyRest(input, writer.stream());
                if (!input)
                    throw Exception("Cannot read \"" + live.string() + "\" to keep it.");
                writer.commit();
            } catch (const Exception& failure) {
                Refuse("the present " + std::string(name) + " could not be kept.  " +
                       failure.message());
            }
            kept.push_back(name + suffix);
        }
        return kept;
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
            CopyRest(input, writer->stream());
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
    const WorkProgress& progress_;
    QTemporaryDir work_;
    std::map<std::string, fs::path> extracted_;
};

} // namespace

std::vector<std::string> ImportDataArchive(const std::string& archiveName,
                                           const std::string& dataFolder,
                                           const WorkProgress& progress) {
    return DataImport(archiveName, dataFolder, progress).Run();
}

} // namespace duebell
