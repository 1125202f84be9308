#include "support/testfiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace duebell::zip::ziptest {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "duebell-zip-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Read-only files and folders made by a test must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

void WriteFile(const std::string& fileName, const std::string& content) {
    fs::create_directories(fs::path(fileName).parent_path());
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + fileName);
    }
}

std::string ReadFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + fileName);
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool PathExists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

std::vector<std::string> ListTree(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        std::string name = fs::relative(item.path(), folder).string();
        if (item.is_directory()) {
            name += "/";
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

int RunCommand(const std::string& commandLine) {
    const int status = std::system(commandLine.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

int RunPython(const std::string& program, const std::vector<std::string>& arguments) {
    std::string line = "python3 -c " + Quote(program);
    for (const std::string& argument : arguments) {
        line += " " + Quote(argument);
    }
    return RunCommand(line);
}

std::string RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 engine(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(engine() >> 24);
    }
    return bytes;
}

std::string SampleText(std::size_t size, std::uint32_t seed) {
    static const char* const words[] = {"the",       "loan",    "payment", "interest", "arrears",
                                        "notice",    "balance", "rate",    "property", "contract",
                                        "client",    "default", "fee",     "days",     "lender",
                                        "statement", "period",  "amount",  "due",      "within"};
    std::mt19937 engine(seed);
    std::string text;
    while (text.size() < size) {
        text += words[engine() % 20];
        text += engine() % 12 == 0 ? "\n" : " ";
    }
    text.resize(size);
    return text;
}

std::string SampleLoanBook(std::size_t size, std::uint32_t seed) {
    std::mt19937 engine(seed);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MorvaneData>\n";
    int loan = 0;
    while (xml.size() < size) {
        xml += "\t<MorvaneMortgage>\n\t\t<LoanNumber>" + std::to_string(1000000 + ++loan) +
               "</LoanNumber>\n\t\t<ContractAmount>" + std::to_string(150000 + engine() % 400000) +
               ".00</ContractAmount>\n";
        for (int p = 0, n = 3 + static_cast<int>(engine() % 20); p < n; ++p) {
            xml += "\t\t<MorvaneLoanTransaction><TransactionDate>20" +
                   std::to_string(10 + engine() % 14) + "-0" + std::to_string(1 + engine() % 9) +
                   "-1" + std::to_string(engine() % 10) + "</TransactionDate><Amount>" +
                   std::to_string(500 + engine() % 3000) +
                   ".00</Amount></MorvaneLoanTransaction>\n";
        }
        xml += "\t</MorvaneMortgage>\n";
    }
    xml.resize(size);
    return xml;
}

} // namespace duebell::zip::ziptest
