// Files and folders for the zip tests: a fresh folder per test, whole-file reads and
// writes, sample contents, and the black-box tools (Debian zip/unzip, Python) run as
// programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace duebell::zip::ziptest {

// A new empty folder under /tmp, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "/" + relative.
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

void WriteFile(const std::string& fileName, const std::string& content);
std::string ReadFile(const std::string& fileName);
bool PathExists(const std::string& path);
// Every file below the folder, as sorted relative paths ("a/b.txt"); folders end in "/".
std::vector<std::string> ListTree(const std::string& folder);

// Runs a shell command line; its exit status.
int RunCommand(const std::string& commandLine);
// Runs a Python program with the arguments (each passed quoted); its exit status.
int RunPython(const std::string& program, const std::vector<std::string>& arguments);
std::string Quote(const std::string& text);

// Sample contents, the same for the same seed.
std::string RandomBytes(std::size_t size, std::uint32_t seed);
std::string SampleText(std::size_t size, std::uint32_t seed);
// An XML loan book like the program's data file.
std::string SampleLoanBook(std::size_t size, std::uint32_t seed);

} // namespace duebell::zip::ziptest
