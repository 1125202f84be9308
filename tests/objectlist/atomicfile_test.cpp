#include "objectlist/atomicfile.h"
#include "objectlist/exceptions.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace duebell {
namespace {

namespace fs = std::filesystem;

class AtomicFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(DUEBELL_TEST_OUTPUT_DIR) / "atomicfile_test" /
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }

    std::string path(const char* name) const { return (folder_ / name).string(); }

    static void writeFile(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }

    fs::path folder_;
};

TEST_F(AtomicFileWriterTest, CommitReplacesTheFileAndLeavesNothingElse) {
    const std::string target = path("MV_DATA.XML");
    writeFile(target, "old content");
    {
        AtomicFileWriter writer(target);
        writer.stream() << "new content";
        EXPECT_EQ(readFile(target), "old content"); // nothing visible before commit
        writer.commit();
    }
    EXPECT_EQ(readFile(target), "new content");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFileWriterTest, CreatesAMissingFile) {
    const std::string target = path("new.xml");
    AtomicFileWriter writer(target);
    writer.stream() << "first";
    writer.commit();
    EXPECT_EQ(readFile(target), "first");
}

TEST_F(AtomicFileWriterTest, WithoutCommitTheOldFileStaysAndTheTemporaryFileGoes) {
    const std::string target = path("MV_DATA.XML");
    writeFile(target, "old content");
    try {
        AtomicFileWriter writer(target);
        writer.stream() << std::string(1 << 20, 'x');
        EXPECT_TRUE(fs::exists(writer.temporaryPath()));
        throw std::runtime_error("save failed half way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(readFile(target), "old content");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFileWriterTest, TemporaryFileLiesBesideTheTarget) {
    AtomicFileWriter writer(path("MV_CONFIG.XML"));
    EXPECT_EQ(fs::path(writer.temporaryPath()).parent_path(), folder_);
    EXPECT_EQ(fs::path(writer.temporaryPath()).filename().string().rfind("MV_CONFIG.XML.", 0), 0u);
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

TEST_F(AtomicFileWriterTest, SavingThroughASymbolicLinkReplacesTheFileItPointsAt) {
    const std::string real = path("real.xml");
    const std::string link = path("link.xml");
    writeFile(real, "old");
    fs::create_symlink(real, link);
    AtomicFileWriter writer(link);
    writer.stream() << "new";
    writer.commit();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(real), "new");
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
    EXPECT_EQ(readFile(target), "old content");
    EXPECT_EQ(entries(), 1u);
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
