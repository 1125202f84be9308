// Shrunk, reduced and imploded entries, which no common tool writes any more: archives
// made with the test encoders are first checked by Debian's unzip (shrink and implode; it
// cannot unreduce), then extracted by our reader byte for byte.
#include "support/archivebuilder.h"
#include "support/legacyencoders.h"
#include "support/testfiles.h"
#include "zip/unzipper.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

using namespace ziptest;

struct Sample {
    std::string name;
    std::string content;
};

std::vector<Sample> Samples() {
    return {
        {"empty.txt", ""},
        {"one.txt", "x"},
        {"run.txt", std::string(5000, 'a')},
        {"abc.txt", "abcabcabcabcabcabcabcabcabcabc"},
        {"dle.bin", std::string(40, '\x90') + "\x90\x00\x90" + std::string(1, '\0')},
        {"text.txt", SampleText(200000, 1)},
        {"book.xml", SampleLoanBook(120000, 2)},
        {"random.bin", RandomBytes(30000, 3)},
    };
}

// Extracts every entry with our reader; the files written.
int ExtractAll(const std::string& archive, const std::string& dest) {
    TUnZipper unzipper;
    unzipper.SetZipName(archive);
    unzipper.SetDestDir(dest);
    unzipper.DoAll = true;
    unzipper.OverwriteMode = TUZOverwriteMode::Always;
    return unzipper.UnZip();
}

void CheckWithUnzipAndOurs(const std::vector<RawEntry>& entries, const std::vector<Sample>& samples,
                           bool oracle) {
    TempFolder folder;
    const std::string archive = folder / "legacy.zip";
    WriteFile(archive, BuildArchive(entries));
    if (oracle) {
        ASSERT_EQ(RunCommand("unzip -tqq " + Quote(archive)), 0);
        for (const Sample& s : samples) {
            const std::string out = folder / ("unzip-" + s.name);
            ASSERT_EQ(
                RunCommand("unzip -p " + Quote(archive) + " " + Quote(s.name) + " > " + Quote(out)),
                0);
            EXPECT_EQ(ReadFile(out), s.content) << s.name << " by unzip";
        }
    }
    EXPECT_EQ(ExtractAll(archive, folder / "ours"), static_cast<int>(samples.size()));
    for (const Sample& s : samples) {
        EXPECT_EQ(ReadFile(folder / ("ours/" + s.name)), s.content) << s.name;
    }
}

TEST(LegacyMethods, ShrunkEntriesMatchDebianUnzip) {
    std::vector<RawEntry> entries;
    for (const Sample& s : Samples()) {
        entries.push_back(MethodEntry(s.name, 1, 0, ShrinkEncode(s.content), s.content));
    }
    CheckWithUnzipAndOurs(entries, Samples(), true);
}

TEST(LegacyMethods, ImplodedEntriesOfAllFourKindsMatchDebianUnzip) {
    for (const std::uint16_t flags : {0, 2, 4, 6}) {
        SCOPED_TRACE(flags);
        std::vector<RawEntry> entries;
        for (const Sample& s : Samples()) {
            entries.push_back(MethodEntry(
                s.name, 6, flags, ImplodeEncode(s.content, (flags & 2) != 0, (flags & 4) != 0),
                s.content));
        }
        CheckWithUnzipAndOurs(entries, Samples(), true);
    }
}

TEST(LegacyMethods, ReducedEntriesOfAllFourFactors) {
    for (int factor = 1; factor <= 4; ++factor) {
        SCOPED_TRACE(factor);
        std::vector<RawEntry> entries;
        for (const Sample& s : Samples()) {
            entries.push_back(MethodEntry(s.name, static_cast<std::uint16_t>(factor + 1), 0,
                                          ReduceEncode(s.content, factor), s.content));
        }
        CheckWithUnzipAndOurs(entries, Samples(), false);
    }
}

} // namespace
} // namespace duebell::zip
