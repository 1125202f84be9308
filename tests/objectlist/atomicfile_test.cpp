#include "objectlist/atomicfile.h"
#include "objectlist/exceptions.h"
#include "testfiles.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
int umaskCalls = 0;
} // namespace

// The umask is the whole process's: every thread's new files take it. This test program's
// umask counts its callers, so a save that changes it, even for a moment, is seen.
extern "C" mode_t umask(mode_t mask) noexcept {
    ++umaskCalls;
    return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

namespace duebell {
namespace {

namespace fs = std::filesystem;
using namespace testfiles;

class AtomicFileWriterTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (folder_ / name).string(); }
    static void writeFile(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
    fs::path folder_ = FreshFolder("atomicfile_test");
};

TEST_F(AtomicFileWriterTest, CommitReplacesTheFileOrCreatesItAndLeavesNothingElse) {
    const std::string target = path("MV_DATA.XML");
    writeFile(target, "old content");
    {
        AtomicFileWriter writer(target);
        writer.stream() << "new content";
        EXPECT_EQ(ReadFile(target), "old content"); // nothing visible before commit
        writer.commit();
    }
    EXPECT_EQ(ReadFile(target), "new content");
    EXPECT_EQ(Entries(folder_), 1);
    AtomicFileWriter writer(path("new.xml"));
    writer.stream() << "first";
    writer.commit();
    EXPECT_EQ(ReadFile(path("new.xml")), "first");
}

TEST_F(AtomicFileWriterTest, WithoutCommitTheOldFileStaysAndTheTemporaryFileBesideItGoes) {
    const std::string target = path("MV_DATA.XML");
    writeFile(target, "old content");
    try {
        AtomicFileWriter writer(target);
        writer.stream() << std::string(1 << 20, 'x');
        const fs::path temporary = writer.temporaryPath();
        EXPECT_TRUE(fs::exists(temporary));
        EXPECT_EQ(temporary.parent_path(), folder_);
        EXPECT_EQ(temporary.filename().string().rfind("MV_DATA.XML.", 0), 0u);
        throw std::runtime_error("save failed half way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadFile(target), "old content");
    EXPECT_EQ(Entries(folder_), 1);
}

TEST_F(AtomicFileWriterTest, KeepsThePermissionsOfTheFileItReplaces) {
    const std::string target = path("shared.xml");
    writeFile(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read);
    AtomicFileWriter writer(target);
    writer.stream() << "new";
    writer.commit();
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(AtomicFileWriterTest, ANewFileTakesTheUmaskWithoutTheUmaskBeingTouched) {
    const auto before = static_cast<mode_t>(::syscall(SYS_umask, 027));
    umaskCalls = 0;
    AtomicFileWriter writer(path("new.xml"));
    writer.stream() << "new";
    writer.commit();
    ::syscall(SYS_umask, before);
    EXPECT_EQ(umaskCalls, 0);
    struct stat info {};
    ASSERT_EQ(::stat(path("new.xml").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // 0666 less the umask's 027
}

TEST_F(AtomicFileWriterTest, SavingThroughASymbolicLinkReplacesTheFileItPointsAt) {
    const std::string real = path("real.xml");
    const std::string link = path("link.xml");
    writeFile(real, "old");
    fs::create_symlink(real, link);
    AtomicFileWriter writer(link);
    writer.stream() << "new";
    writer.commit();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "new");
}

TEST_F(AtomicFileWriterTest, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
    // A file size limit makes write() fail with EFBIG exactly as a full disk fails with ENOSPC.
    const std::string target = path("MV_DATA.XML");
    writeFile(target, "old content");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        AtomicFileWriter writer(target);
        writer.stream() << std::string(1 << 20, 'x');
        writer.commit();
    } catch (const Exception& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(message, "Cannot save \"" + target + "\": File too large");
    EXPECT_EQ(ReadFile(target), "old content");
    EXPECT_EQ(Entries(folder_), 1);
}

TEST_F(AtomicFileWriterTest, AMissingFolderIsReportedWithTheFileName) {
    const std::string target = path("no/such/folder/MV_DATA.XML");
    try {
        AtomicFileWriter writer(target);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot save \"" + target + "\": No such file or directory");
    }
}

} // namespace
} // namespace duebell
