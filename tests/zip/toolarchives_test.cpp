// Archives made by Debian's zip and by Python's zipfile and zlib open, list and extract
// byte for byte with our reader.
#include "support/scriptedzipcallbacks.h"
#include "support/testfiles.h"
#include "zip/dosdatetime.h"
#include "zip/unzipper.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace duebell::zip {
namespace {

using namespace ziptest;

// The source tree every archive is made from: relative name -> content.
std::map<std::string, std::string> SourceTree() {
    return {
        {"MV_DATA.XML", SampleLoanBook(300000, 11)},
        {"MV_CONFIG.XML", SampleLoanBook(4000, 12)},
        {"notes.txt", SampleText(100000, 13)},
        {"random.bin", RandomBytes(70000, 14)},
        {"empty.txt", ""},
        {"one.txt", "1"},
        {"sub/deeper/leaf.txt", SampleText(5000, 15)},
        {"sub/runs.bin", std::string(200000, '\0') + std::string(1000, 'x')},
    };
}

void WriteTree(const std::string& folder) {
    for (const auto& [name, content] : SourceTree()) {
        WriteFile(folder + "/" + name, content);
    }
}

struct Extracted {
    int count = 0;
    std::vector<std::string> listed; // directory + name of every entry, in archive order
};

Extracted ExtractWith(TUnZipper& unzipper, const std::string& archive, const std::string& dest) {
    unzipper.SetZipName(archive);
    unzipper.SetDestDir(dest);
    unzipper.RecreateDirs = true;
    unzipper.DoAll = true;
    unzipper.OverwriteMode = TUZOverwriteMode::Always;
    unzipper.OpenArchive();
    Extracted result;
    for (int i = 0; i < unzipper.Count(); ++i) {
        result.listed.push_back(unzipper.Entry(i).Directory() + unzipper.Filename(i));
    }
    result.count = unzipper.UnZip();
    return result;
}

void ExpectTreeExtracted(const std::string& dest) {
    for (const auto& [name, content] : SourceTree()) {
        ASSERT_TRUE(PathExists(dest + "/" + name)) << name;
        EXPECT_EQ(ReadFile(dest + "/" + name), content) << name;
    }
}

TEST(ToolArchives, DebianZipAtEveryLevelWithFolders) {
    TempFolder folder;
    WriteTree(folder / "src");
    for (int level = 0; level <= 9; ++level) {
        SCOPED_TRACE(level);
        const std::string archive = folder / ("level" + std::to_string(level) + ".zip");
        ASSERT_EQ(RunCommand("cd " + Quote(folder / "src") + " && zip -q -r -" +
                             std::to_string(level) + " " + Quote(archive) + " ."),
                  0);
        TUnZipper unzipper;
        const std::string dest = folder / ("out" + std::to_string(level));
        const Extracted result = ExtractWith(unzipper, archive, dest);
        // Eight files and the folders sub/ and sub/deeper/, each counted.
        EXPECT_EQ(result.count, 10);
        EXPECT_EQ(result.listed.size(), 10u);
        ExpectTreeExtracted(dest);
        EXPECT_EQ(ListTree(dest).size(), 10u);
    }
}

TEST(ToolArchives, DebianZipKeepsEntryTimes) {
    TempFolder folder;
    WriteFile(folder / "src/dated.txt", "dated");
    // 14:31:22 local time on 3 March 2021; zip keeps even seconds.
    ASSERT_EQ(RunCommand("touch -t 202103031431.22 " + Quote(folder / "src/dated.txt")), 0);
    ASSERT_EQ(RunCommand("cd " + Quote(folder / "src") + " && zip -q -X ../t.zip dated.txt"), 0);
    TUnZipper unzipper;
    ExtractWith(unzipper, folder / "t.zip", folder / "out");
    int year, month, day, hour, minute, second, msec;
    DecodeDate(unzipper.DateTime(0).value, year, month, day);
    DecodeTime(unzipper.DateTime(0).value, hour, minute, second, msec);
    EXPECT_EQ(year * 10000 + month * 100 + day, 20210303);
    EXPECT_EQ(hour * 10000 + minute * 100 + second, 143122);
    EXPECT_EQ(FileDateTime(folder / "out/dated.txt"), unzipper.Entry(0).DateTime);
}

TEST(ToolArchives, DebianZipEncryptedWithTheRightAWrongAndALatePassword) {
    TempFolder folder;
    WriteTree(folder / "src");
    const std::string archive = folder / "secret.zip";
    ASSERT_EQ(RunCommand("cd " + Quote(folder / "src") + " && zip -q -r -P 'S3cr#t pass' " +
                         Quote(archive) + " MV_DATA.XML notes.txt random.bin empty.txt"),
              0);
    {
        TUnZipper unzipper;
        unzipper.Password = "S3cr#t pass";
        EXPECT_EQ(ExtractWith(unzipper, archive, folder / "right").count, 4);
        for (const char* name : {"MV_DATA.XML", "notes.txt", "random.bin", "empty.txt"}) {
            EXPECT_EQ(ReadFile(folder / (std::string("right/") + name)), SourceTree()[name]);
        }
    }
    {
        TUnZipper unzipper;
        unzipper.Password = "wrong";
        std::vector<std::string> asked;
        std::vector<TSkipReason> skipped;
        unzipper.OnBadPassword = [&](int index, std::string&) {
            asked.push_back(unzipper.Filename(index));
        };
        unzipper.OnSkippingFile = [&](TSkipReason reason, const std::string&, int, bool&) {
            skipped.push_back(reason);
        };
        const int extracted = ExtractWith(unzipper, archive, folder / "wrong").count;
        // An entry with no data has only its one check byte to refuse a wrong password, which
        // the archive's random header lets through once in 256: the empty file may come out,
        // empty. Every entry with data is refused.
        const std::vector<std::string> written = ListTree(folder / "wrong");
        EXPECT_TRUE(written.empty() || written == std::vector<std::string>{"empty.txt"});
        EXPECT_EQ(extracted, static_cast<int>(written.size()));
        EXPECT_EQ(asked.size(), 4u - written.size());
        EXPECT_EQ(skipped, std::vector<TSkipReason>(asked.size(), TSkipReason::srBadPassword));
        for (const char* name : {"MV_DATA.XML", "notes.txt", "random.bin"})
            EXPECT_NE(std::find(asked.begin(), asked.end(), name), asked.end()) << name;
    }
    // A password supplied when the first one fails is asked for once and then kept.
    TUnZipper unzipper;
    unzipper.Password = "wrong";
    int asked = 0;
    unzipper.OnBadPassword = [&](int, std::string& password) {
        ++asked;
        password = "S3cr#t pass";
    };
    EXPECT_EQ(ExtractWith(unzipper, archive, folder / "late").count, 4);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadFile(folder / "late/notes.txt"), SourceTree()["notes.txt"]);
}

// Python writes one archive per zlib strategy and level, with zlib's compressor set to it.
const char* const PythonStrategies = R"(
import sys, zipfile, zlib
folder, source, names = sys.argv[1], sys.argv[2], sys.argv[3:]
for strategy in ('Z_DEFAULT_STRATEGY', 'Z_FILTERED', 'Z_HUFFMAN_ONLY', 'Z_RLE', 'Z_FIXED'):
    for level in (1, 6, 9):
        zipfile._get_compressor = lambda t, l=None: zlib.compressobj(
            level, zlib.DEFLATED, -15, 9, getattr(zlib, strategy))
        with zipfile.ZipFile('%s/%s%d.zip' % (folder, strategy, level), 'w', zipfile.ZIP_DEFLATED) as z:
            for name in names:
                z.write(source + '/' + name, name)
)";

TEST(ToolArchives, PythonZipfileWithEveryZlibStrategy) {
    TempFolder folder;
    WriteTree(folder / "src");
    const std::vector<std::string> names = {"MV_DATA.XML", "MV_CONFIG.XML", "notes.txt",
                                            "random.bin",  "empty.txt",     "one.txt",
                                            "sub/runs.bin"};
    std::vector<std::string> arguments = {folder.Path(), folder / "src"};
    arguments.insert(arguments.end(), names.begin(), names.end());
    ASSERT_EQ(RunPython(PythonStrategies, arguments), 0);
    for (const char* strategy :
         {"Z_DEFAULT_STRATEGY", "Z_FILTERED", "Z_HUFFMAN_ONLY", "Z_RLE", "Z_FIXED"}) {
        for (const char* level : {"1", "6", "9"}) {
            SCOPED_TRACE(std::string(strategy) + " level " + level);
            TUnZipper unzipper;
            const std::string dest = folder / (std::string("out") + strategy + level);
            EXPECT_EQ(ExtractWith(unzipper, folder / (std::string(strategy) + level + ".zip"), dest)
                          .count,
                      static_cast<int>(names.size()));
            for (const std::string& name : names) {
                EXPECT_EQ(ReadFile(dest + "/" + name), SourceTree()[name]) << name;
            }
        }
    }
}

// Written to a stream that cannot seek, so every entry carries a data descriptor; with
// a UTF-8 name, entry comments and an archive comment.
const char* const PythonStreamed = R"(
import sys, zipfile
class Unseekable:
    def __init__(self, f): self.f = f
    def write(self, b): return self.f.write(b)
    def flush(self): self.f.flush()
with open(sys.argv[1], 'wb') as f:
    with zipfile.ZipFile(Unseekable(f), 'w', zipfile.ZIP_DEFLATED) as z:
        z.comment = b'archive comment'
        with z.open('caf\u00e9/na\u00efve.txt', 'w') as e:
            e.write(('d\u00e9j\u00e0 vu ' * 500).encode('utf-8'))
        info = zipfile.ZipInfo('plain.txt')
        info.comment = b'entry comment'
        info.compress_type = zipfile.ZIP_STORED
        z.writestr(info, 'stored text')
)";

TEST(ToolArchives, PythonStreamedArchiveWithDescriptorsUtf8NamesAndComments) {
    TempFolder folder;
    const std::string archive = folder / "streamed.zip";
    ASSERT_EQ(RunPython(PythonStreamed, {archive}), 0);
    TUnZipper unzipper;
    const Extracted result = ExtractWith(unzipper, archive, folder / "out");
    EXPECT_EQ(result.count, 2);
    ASSERT_EQ(result.listed.size(), 2u);
    EXPECT_EQ(result.listed[0], "caf\u00e9/na\u00efve.txt");
    EXPECT_TRUE(unzipper.Entry(0).HasDescriptor());
    std::string text;
    for (int i = 0; i < 500; ++i) {
        text += "d\u00e9j\u00e0 vu ";
    }
    EXPECT_EQ(ReadFile(folder / "out/caf\u00e9/na\u00efve.txt"), text);
    EXPECT_EQ(ReadFile(folder / "out/plain.txt"), "stored text");
    EXPECT_EQ(unzipper.ZipComment(), "archive comment");
    EXPECT_EQ(unzipper.FileComment(1), "entry comment");
    EXPECT_EQ(unzipper.FileComment(0), "");
}

TEST(ToolArchives, DebianZipSplitArchiveReadAcrossItsPartsNamedEitherWay) {
    TempFolder folder;
    WriteTree(folder / "src");
    ASSERT_EQ(RunCommand("cd " + Quote(folder / "src") + " && zip -q -r -s 64k " +
                         Quote(folder / "split.zip") + " . >/dev/null"),
              0);
    // zip names the parts split.z01, split.z02 ... and the last split.zip.
    TUnZipper unzipper;
    std::vector<int> asked;
    unzipper.OnGetNextDisk = [&](int disk, std::string& name) {
        asked.push_back(disk);
        char part[16];
        std::snprintf(part, sizeof part, "split.z%02d", disk);
        name = PathExists(folder / part) ? folder / part : folder / "split.zip";
    };
    const Extracted result = ExtractWith(unzipper, folder / "split.zip", folder / "out");
    EXPECT_EQ(result.count, 10);
    ExpectTreeExtracted(folder / "out");
    EXPECT_EQ(unzipper.MultiMode(), TMultiMode::mmBlocks);
    EXPECT_FALSE(asked.empty());

    // Renamed to the block names our writer uses (export.001, export.002 ... the last part
    // too), the parts are found by number without help.
    int parts = 0;
    while (PathExists(folder / ("split.z0" + std::to_string(parts + 1)))) {
        ++parts;
        ASSERT_EQ(RunCommand("mv " + Quote(folder / ("split.z0" + std::to_string(parts))) + " " +
                             Quote(folder / ("export.00" + std::to_string(parts)))),
                  0);
    }
    ASSERT_GE(parts, 1);
    const std::string last = folder / ("export.00" + std::to_string(parts + 1));
    ASSERT_EQ(RunCommand("mv " + Quote(folder / "split.zip") + " " + Quote(last)), 0);
    TUnZipper byNumber;
    EXPECT_EQ(ExtractWith(byNumber, last, folder / "numbered").count, 10);
    ExpectTreeExtracted(folder / "numbered");
}

} // namespace
} // namespace duebell::zip
