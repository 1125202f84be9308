// Files for the tests that save to disk: a fresh folder per test and whole-file reads.
#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace duebell::testfiles {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// An empty folder under the build folder, named for the group and the running test.
inline std::filesystem::path FreshFolder(const std::string& group) {
    const auto folder = std::filesystem::path(DUEBELL_TEST_OUTPUT_DIR) / group /
                        ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::ptrdiff_t Entries(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

} // namespace duebell::testfiles
