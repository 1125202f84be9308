// The export and import archive: what the export writes (checked by Debian's unzip and Python's
// zipfile), and what the import takes from an archive, refuses, and never writes.
#include "app/main/dataarchive.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/xmlfiler.h"
#include "support/archivebuilder.h"
#include "support/smallbook.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace duebell {
namespace {

namespace fs = std::filesystem;
using zip::ziptest::BuildArchive;
using zip::ziptest::ListTree;
using zip::ziptest::RawEntry;
using zip::ziptest::ReadFile;
using zip::ziptest::RunPython;
using zip::ziptest::StoredEntry;
using zip::ziptest::WriteFile;

std::string Xml(TTovObjectItem& root) {
    std::ostringstream out;
    SaveObjectToXMLStream(out, root);
    return out.str();
}

// Every file below the folder with its content.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : ListTree(folder))
        files[name] = name.ends_with('/') ? "" : ReadFile(folder + "/" + name);
    return files;
}

class DataArchive : public ::testing::Test {
protected:
    DataArchive() {
        // The private folders are made here, so the test sees that they are removed.
        previousTemp_ = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        const std::unique_ptr<TMorvaneConfiguration> configuration = test::SetUpConfiguration();
        const std::unique_ptr<TMorvaneData> book = test::BookWithAlerts();
        bookXml = Xml(*book);
        configurationXml = Xml(*configuration);
        // The folder's own files: another lender's.
        configuration->Company = "Lakeside Loans";
        book->Clients->FreeAll();
        WriteFile(Live(DataFileName), Xml(*book));
        WriteFile(Live(ConfigurationFileName), Xml(*configuration));
    }
    ~DataArchive() override {
        qputenv("TMPDIR", previousTemp_);
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    std::string Live(const char* name) const { return data.filePath(name).toStdString(); }
    // The suffix of a pair kept at the fixture's time.
    static std::string Kept() { return ".before-import-20240131-154500"; }
    std::string Archive(const std::string& image) const {
        const std::string name = place.filePath("book.mvd").toStdString();
        WriteFile(name, image);
        return name;
    }
    // Runs the import; gives the refusal's message, empty when it succeeded.
    std::string Import(const std::string& archive) const {
        try {
            ImportDataArchive(archive, data.path().toStdString());
        } catch (const Exception& error) {
            return error.message();
        }
        return {};
    }

    const ScopedFixedClock clock{EncodeDate(2024, 1, 31) + EncodeTime(15, 45, 0, 0)};
    QTemporaryDir temp;
    QTemporaryDir data;
    QTemporaryDir place; // where archives are chosen
    std::string bookXml;
    std::string configurationXml;

private:
    QByteArray previousTemp_;
};

TEST_F(DataArchive, ExportWritesANewArchiveOfTheTwoFilesDeflatedThatToolsAccept) {
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    SetDataModified(true);
    // An earlier archive of that name with a stray entry, and a new name.
    const std::string target = Archive(BuildArchive(
        {StoredEntry("stray.txt", "left over"), StoredEntry("MV_DATA.XML", "<old/>")}));
    const std::string newName = place.filePath("notes.mvd").toStdString();

    for (const std::string& archive : {target, newName}) {
        ExportDataArchive(archive, data.path().toStdString());
        EXPECT_EQ(zip::ziptest::RunCommand("unzip -tq " + zip::ziptest::Quote(archive)), 0);
        EXPECT_EQ(
            RunPython("import sys, zipfile\n"
                      "z = zipfile.ZipFile(sys.argv[1])\n"
                      "entries = [(i.filename, i.compress_type) for i in z.infolist()]\n"
                      "assert entries == [('MV_DATA.XML', 8), ('MV_CONFIG.XML', 8)], entries\n"
                      "assert z.read('MV_DATA.XML') == sys.argv[2].encode()\n"
                      "assert z.read('MV_CONFIG.XML') == sys.argv[3].encode()\n",
                      {archive, bookXml, configurationXml}),
            0);
    }
    EXPECT_TRUE(DataModified());
    // Beside the archives nothing is left, and the private copies are gone.
    EXPECT_EQ(ListTree(place.path().toStdString()),
              (std::vector<std::string>{"book.mvd", "notes.mvd"}));
    EXPECT_TRUE(fs::is_empty(temp.path().toStdString()));
}

TEST_F(DataArchive, AnExportThatCannotBePutInPlaceLeavesWhatWasThere) {
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    // A folder of that name cannot be replaced by the archive.
    const std::string target = place.filePath("book.mvd").toStdString();
    fs::create_directory(target);
    WriteFile(target + "/keep.txt", "kept");
    try {
        ExportDataArchive(target, data.path().toStdString());
        ADD_FAILURE() << "the export did not fail";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message().rfind("Cannot export to \"" + target + "\": ", 0), 0u)
            << error.message();
    }
    EXPECT_EQ(ListTree(place.path().toStdString()),
              (std::vector<std::string>{"book.mvd/", "book.mvd/keep.txt"}));
    EXPECT_TRUE(fs::is_empty(temp.path().toStdString()));
}

TEST_F(DataArchive, ImportingTheProgramsOwnExportRestoresExactlyItsTwoFilesAndKeepsEveryPair) {
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    const std::string archive = place.filePath("book.mvd").toStdString();
    ExportDataArchive(archive, data.path().toStdString());
    SetData(nullptr);
    SetConfiguration(nullptr);
    const std::string oldBook = ReadFile(Live(DataFileName));
    const std::string oldConfiguration = ReadFile(Live(ConfigurationFileName));

    // Two imports in one second: the second keeps what the first brought beside the lender's
    // own pair, which stays.
    const std::string first = Kept();
    const std::string second = first + "-2";
    std::vector<std::string> kept;
    EXPECT_NO_THROW(kept = ImportDataArchive(archive, data.path().toStdString()));
    EXPECT_EQ(kept,
              (std::vector<std::string>{DataFileName + first, ConfigurationFileName + first}));
    EXPECT_NO_THROW(kept = ImportDataArchive(archive, data.path().toStdString()));
    EXPECT_EQ(kept,
              (std::vector<std::string>{DataFileName + second, ConfigurationFileName + second}));
    EXPECT_EQ(ReadFile(Live(DataFileName)), bookXml);
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName)), configurationXml);
    EXPECT_EQ(ReadFile(Live(DataFileName) + first), oldBook);
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName) + first), oldConfiguration);
    EXPECT_EQ(ReadFile(Live(DataFileName) + second), bookXml);
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName) + second), configurationXml);
    EXPECT_EQ(ListTree(data.path().toStdString()),
              (std::vector<std::string>{ConfigurationFileName, ConfigurationFileName + first,
                                        ConfigurationFileName + second, DataFileName,
                                        DataFileName + first, DataFileName + second}));
    EXPECT_TRUE(fs::is_empty(temp.path().toStdString()));
}

TEST_F(DataArchive, AnImportWhoseLoanBookCannotBePutInPlaceKeepsTheOldConfiguration) {
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    const std::string archive = place.filePath("book.mvd").toStdString();
    ExportDataArchive(archive, data.path().toStdString());
    // A folder where the loan book should be: its rename fails after the configuration's.
    const std::string oldConfiguration = ReadFile(Live(ConfigurationFileName));
    fs::remove(Live(DataFileName));
    fs::create_directory(Live(DataFileName));
    WriteFile(Live(DataFileName) + std::string("/keep"), "x");

    EXPECT_NE(Import(archive), "");
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName)), oldConfiguration);
    EXPECT_EQ(ListTree(data.path().toStdString()),
              (std::vector<std::string>{ConfigurationFileName, ConfigurationFileName + Kept(),
                                        std::string(DataFileName) + "/",
                                        std::string(DataFileName) + "/keep"}));
}

// An import is how a lender recovers from a damaged file; an empty one is kept as it is.
TEST_F(DataArchive, AnEmptyFileInTheDataFolderIsKeptEmptyAndTheImportGoesOn) {
    SetConfiguration(test::SetUpConfiguration());
    SetData(test::BookWithAlerts());
    const std::string archive = place.filePath("book.mvd").toStdString();
    ExportDataArchive(archive, data.path().toStdString());
    WriteFile(Live(ConfigurationFileName), "");

    EXPECT_EQ(Import(archive), "");
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName)), configurationXml);
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName) + Kept()), "");
}

TEST_F(DataArchive, ImportTakesOnlyTheTwoEntriesOfExactlyTheirNamesAndNoStoredAttribute) {
    RawEntry readOnlyBook = StoredEntry("MV_DATA.XML", bookXml);
    readOnlyBook.externalAttributes = 0x21; // read-only, archive
    const std::string archive = Archive(BuildArchive({
        StoredEntry("../evil.txt", "outside"),
        StoredEntry("sub/MV_DATA.XML", "<nested/>"),
        StoredEntry("mv_config.xml", "<lower/>"),
        readOnlyBook,
        StoredEntry("run.sh", "echo hi"),
    }));
    const std::string configurationBefore = ReadFile(Live(ConfigurationFileName));

    EXPECT_EQ(Import(archive), "");
    EXPECT_EQ(ReadFile(Live(DataFileName)), bookXml);
    // No MV_CONFIG.XML in the archive: the folder keeps its own.
    EXPECT_EQ(ReadFile(Live(ConfigurationFileName)), configurationBefore);
    EXPECT_EQ(ListTree(data.path().toStdString()),
              (std::vector<std::string>{ConfigurationFileName, ConfigurationFileName + Kept(),
                                        DataFileName, DataFileName + Kept()}));
    EXPECT_EQ(ListTree(place.path().toStdString()), std::vector<std::string>{"book.mvd"});
    EXPECT_FALSE(fs::exists(data.filePath("../evil.txt").toStdString()));
    EXPECT_TRUE(fs::is_empty(temp.path().toStdString()));
    struct stat info {};
    ASSERT_EQ(::stat(Live(DataFileName).c_str(), &info), 0);
    EXPECT_NE(info.st_mode & S_IWUSR, 0u) << "the stored read-only attribute was applied";
}

// An image whose second central record points at the first entry's data.
std::string OverlappingArchive(const std::string& book) {
    std::string image =
        BuildArchive({StoredEntry("MV_DATA.XML", book), StoredEntry("MV_CONFIG.XML", "<x/>")});
    const std::size_t second = zip::ziptest::CentralDirectoryOffset(image) + 46 + 11;
    zip::ziptest::Write32(image, second + 42, 0);
    return image;
}

TEST_F(DataArchive, AHostileOrBrokenArchiveIsRefusedAndChangesNoFile) {
    RawEntry damaged = StoredEntry("MV_DATA.XML", bookXml);
    damaged.crc ^= 1;
    const struct {
        std::string what;
        std::string image;
        std::string refusal; // the end of the message after "Cannot import "<archive>": "
    } cases[] = {
        {"no data file", BuildArchive({StoredEntry("MV_CONFIG.XML", configurationXml)}),
         "it holds no MV_DATA.XML, so it is not a Duebell export."},
        {"the data file only under other names",
         BuildArchive({StoredEntry("../MV_DATA.XML", bookXml),
                       StoredEntry("x/MV_DATA.XML", bookXml), StoredEntry("mv_data.xml", bookXml)}),
         "it holds no MV_DATA.XML, so it is not a Duebell export."},
        {"a data file that is not XML",
         BuildArchive({StoredEntry("MV_DATA.XML", "<MorvaneData><Clients></MorvaneData>"),
                       StoredEntry("MV_CONFIG.XML", configurationXml)}),
         "its MV_DATA.XML cannot be read.  Error at Line 1 Column "},
        {"a configuration that is not XML",
         BuildArchive({StoredEntry("MV_DATA.XML", bookXml), StoredEntry("MV_CONFIG.XML", "{}")}),
         "its MV_CONFIG.XML cannot be read.  Error at Line 1 Column "},
        {"a configuration stored as the loan book",
         BuildArchive({StoredEntry("MV_DATA.XML", configurationXml)}),
         "its MV_DATA.XML is not what that file holds (its root element is "
         "<MorvaneConfiguration>, not <MorvaneData>)."},
        {"a loan book stored as the configuration",
         BuildArchive(
             {StoredEntry("MV_DATA.XML", bookXml),
              StoredEntry("MV_CONFIG.XML", "<?xml version=\"1.0\"?><!-- c --><MorvaneData/>")}),
         "its MV_CONFIG.XML is not what that file holds (its root element is <MorvaneData>, not "
         "<MorvaneConfiguration>)."},
        {"a loan book holding no loan the program can run",
         BuildArchive({StoredEntry("MV_DATA.XML", "<MorvaneData><Notes>x</Notes><Mortgages>"
                                                  "<Note>x</Note></Mortgages></MorvaneData>"),
                       StoredEntry("MV_CONFIG.XML", configurationXml)}),
         "its MV_DATA.XML holds a loan Duebell cannot calculate.  Loan \"\": Internal error.  "
         "Unknown frequency"},
        {"the data file twice",
         BuildArchive({StoredEntry("MV_DATA.XML", bookXml), StoredEntry("MV_DATA.XML", bookXml)}),
         "it holds MV_DATA.XML more than once."},
        {"a damaged data file", BuildArchive({damaged}),
         "MV_DATA.XML is damaged (its CRC does not match)."},
        {"entries sharing their data", OverlappingArchive(bookXml),
         "Zip file has overlapped entries: \"MV_DATA.XML\" and \"MV_CONFIG.XML\""},
        {"no archive at all", "MV_DATA.XML", "Not a valid zip file!"},
    };
    const std::map<std::string, std::string> before = Snapshot(data.path().toStdString());
    for (const auto& [what, image, refusal] : cases) {
        SCOPED_TRACE(what);
        const std::string archive = Archive(image);
        const std::string message = Import(archive);
        const std::string start = "Cannot import \"" + archive + "\": ";
        EXPECT_EQ(message.rfind(start, 0), 0u) << message;
        EXPECT_EQ(message.substr(start.size(), refusal.size()), refusal);
        EXPECT_EQ(Snapshot(data.path().toStdString()), before);
        EXPECT_EQ(ListTree(place.path().toStdString()), std::vector<std::string>{"book.mvd"});
        EXPECT_TRUE(fs::is_empty(temp.path().toStdString()));
    }
}

// An entry MV_DATA.XML of that many MiB of zeros, deflated by Python's zlib in pieces of one
// MiB each flushed to a byte boundary, so that one piece repeated makes the whole stream. Its
// CRC is left 0: no import may read that far.
RawEntry ZerosEntry(const std::string& folder, std::uint32_t mebibytes) {
    const std::string file = folder + "/zeros";
    EXPECT_EQ(RunPython("import sys, zlib\n"
                        "c = zlib.compressobj(9, zlib.DEFLATED, -15)\n"
                        "piece = c.compress(bytes(1 << 20)) + c.flush(zlib.Z_FULL_FLUSH)\n"
                        "open(sys.argv[1], 'wb').write(piece * int(sys.argv[2]) + c.flush())\n",
                        {file, std::to_string(mebibytes)}),
              0);
    RawEntry entry;
    entry.name = DataFileName;
    entry.method = 8;
    entry.data = ReadFile(file);
    entry.size = mebibytes << 20;
    return entry;
}

TEST_F(DataArchive, AnEntryUnpackingPastTheBoundIsRefusedAndNothingPastTheBoundIsWritten) {
    // A megabyte that unpacks to one MiB more than the bound, saying so; and the same saying
    // it unpacks to one MiB.
    const auto mebibytes = static_cast<std::uint32_t>(MaxDataEntryBytes >> 20) + 1;
    const RawEntry honest = ZerosEntry(place.path().toStdString(), mebibytes);
    RawEntry lying = honest;
    lying.size = 1 << 20;
    const struct {
        std::string what;
        RawEntry entry;
        std::string refusal;
    } cases[] = {
        {"its size told", honest,
         "its MV_DATA.XML would unpack to 1025 MB, more than any loan book (at most 1024 MB)."},
        {"its size hidden", lying, "File is larger than uncompressed size!"},
    };
    // No file of this process grows past the bound: a write there fails instead.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const struct rlimit bound = {MaxDataEntryBytes, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &bound), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    const std::map<std::string, std::string> before = Snapshot(data.path().toStdString());
    for (const auto& [what, entry, refusal] : cases) {
        SCOPED_TRACE(what);
        const std::string archive = Archive(BuildArchive({entry}));
        EXPECT_EQ(Import(archive), "Cannot import \"" + archive + "\": " + refusal);
        EXPECT_EQ(Snapshot(data.path().toStdString()), before);
        EXPECT_TRUE(fs::is_empty(temp.path().toStdString()));
    }
    std::signal(SIGXFSZ, previousSignal);
    ::setrlimit(RLIMIT_FSIZE, &saved);
}

} // namespace
} // namespace duebell
