// Joining path pieces and finding the temporary folder.
#include "objectlist/paths.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace duebell {
namespace {

TEST(JoinPath, OneSeparatorBetweenPieces) {
    EXPECT_EQ(JoinPath({"/home/lender/Data/", "MV_DATA.XML"}), "/home/lender/Data/MV_DATA.XML");
    EXPECT_EQ(JoinPath({"/home/lender/Data", "/MV_DATA.XML"}), "/home/lender/Data/MV_DATA.XML");
    EXPECT_EQ(JoinPath({"/home/lender/Data", "MV_DATA.XML"}), "/home/lender/Data/MV_DATA.XML");
    EXPECT_EQ(JoinPath({"data", "sub", "file.xml"}), "data/sub/file.xml");
}

TEST(JoinPath, TrimsAndSkipsEmptyPieces) {
    EXPECT_EQ(JoinPath({" /data ", "", "   ", "\tsub\n", "file.xml "}), "/data/sub/file.xml");
    EXPECT_EQ(JoinPath({"", "data"}), "data");
    EXPECT_EQ(JoinPath({}), "");
    EXPECT_EQ(JoinPath({" ", "\t"}), "");
}

TEST(JoinPath, KeepsTheRootAndADoubleLeadingSeparator) {
    EXPECT_EQ(JoinPath({"/", "etc"}), "/etc");
    EXPECT_EQ(JoinPath({"/data"}), "/data");
    EXPECT_EQ(JoinPath({"//server/share", "file"}), "//server/share/file");
    EXPECT_EQ(JoinPath({"/data/", "//mirror"}), "/data///mirror");
}

class TempDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* value = std::getenv("TMPDIR")) {
            saved_ = value;
        }
    }
    void TearDown() override {
        if (saved_) {
            setenv("TMPDIR", saved_->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }

private:
    std::optional<std::string> saved_;
};

TEST_F(TempDirectory, FromTmpdirWithATrailingSeparator) {
    std::string path;
    setenv("TMPDIR", "/var/tmp/duebell", 1);
    ASSERT_TRUE(GetTempDirectory(path));
    EXPECT_EQ(path, "/var/tmp/duebell/");
    setenv("TMPDIR", "/var/tmp/duebell/", 1);
    ASSERT_TRUE(GetTempDirectory(path));
    EXPECT_EQ(path, "/var/tmp/duebell/");
}

TEST_F(TempDirectory, FallsBackToTmp) {
    std::string path;
    unsetenv("TMPDIR");
    ASSERT_TRUE(GetTempDirectory(path));
    EXPECT_EQ(path, "/tmp/");
    setenv("TMPDIR", "", 1);
    ASSERT_TRUE(GetTempDirectory(path));
    EXPECT_EQ(path, "/tmp/");
}

} // namespace
} // namespace duebell
