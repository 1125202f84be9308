// Test inputs for the deflate encoder and the zip writer, and a runner for the black-box
// oracles (python3's zlib and zipfile, unzip) that check what we write.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace duebell::zip::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes toBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Raw engine output: the same bytes on every platform (the standard fixes mt19937).
inline Bytes randomBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 engine(seed);
    Bytes bytes(count);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(engine() >> 24);
    return bytes;
}

// A loan book in the shape of the program's data file: clients, properties and loans with
// their payments, the same field names over and over with varying values.
inline std::string loanBookXml(int loans, std::uint32_t seed) {
    static const char* const surnames[] = {"Smith",    "Nguyen", "Papadopoulos", "O'Brien",
                                           "Williams", "Chen",   "Kowalski",     "Brown"};
    static const char* const streets[] = {"Wattle",      "Banksia",  "Jacaranda",
                                          "Bottlebrush", "Ironbark", "Grevillea"};
    static const char* const suburbs[] = {"Toowoomba", "Ipswich", "Logan", "Caboolture",
                                          "Redcliffe"};
    std::mt19937 engine(seed);
    auto pick = [&](std::uint32_t n) { return engine() % n; };
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MorvaneData>\n";
    for (int i = 1; i <= loans; ++i) {
        char code[16];
        std::snprintf(code, sizeof code, "%07d", i);
        xml += "\t<MorvaneMortgage>\n\t\t<LoanNumber>" + std::string(code) + "</LoanNumber>\n";
        xml += "\t\t<ClientCode>" + std::string(code) + "</ClientCode>\n";
        xml += "\t\t<Surname>" + std::string(surnames[pick(8)]) + "</Surname>\n";
        xml += "\t\t<Address><StreetNumber>" + std::to_string(1 + pick(250)) +
               "</StreetNumber><StreetName>" + streets[pick(6)] + " Street</StreetName><Suburb>" +
               suburbs[pick(5)] + "</Suburb><State>QLD</State><PostCode>4" +
               std::to_string(100 + pick(800)) + "</PostCode></Address>\n";
        xml += "\t\t<Contract><PossessionDate>20" + std::to_string(10 + pick(14)) + "-0" +
               std::to_string(1 + pick(9)) + "-1" + std::to_string(pick(10)) +
               "</PossessionDate><ContractAmount>" + std::to_string(150000 + pick(400000)) +
               ".00</ContractAmount><PaymentPeriod>" + (pick(2) ? "Fortnightly" : "Monthly") +
               "</PaymentPeriod></Contract>\n";
        const int payments = 5 + static_cast<int>(pick(40));
        xml += "\t\t<LoanTransactions>\n";
        for (int p = 0; p < payments; ++p)
            xml += "\t\t\t<MorvaneLoanTransaction><TransactionDate>2023-" +
                   std::to_string(10 + pick(3)) + "-" + std::to_string(10 + pick(19)) +
                   "</TransactionDate><Amount>" + std::to_string(500 + pick(3000)) + "." +
                   std::to_string(10 + pick(90)) + "</Amount></MorvaneLoanTransaction>\n";
        xml += "\t\t</LoanTransactions>\n\t</MorvaneMortgage>\n";
    }
    return xml + "</MorvaneData>\n";
}

// Words drawn with a skewed (Zipf-like) frequency, as in ordinary prose.
inline std::string proseText(std::size_t length, std::uint32_t seed) {
    static const char* const words[] = {
        "the",   "loan",     "of",        "and",    "payment",     "to",      "interest", "a",
        "in",    "arrears",  "is",        "notice", "for",         "balance", "rate",     "on",
        "by",    "property", "contract",  "client", "default",     "fee",     "days",     "with",
        "which", "lender",   "statement", "period", "termination", "amount",  "due",      "be"};
    std::mt19937 engine(seed);
    std::string text;
    while (text.size() < length) {
        // Geometric choice: each word half as likely as the one before its pair.
        const unsigned rank = static_cast<unsigned>(std::countr_zero(engine() | 0x8000u));
        const unsigned index = std::min(2 * rank + static_cast<unsigned>(engine() % 2), 31u);
        text += words[index];
        text += engine() % 12 == 0 ? ".\n" : " ";
    }
    text.resize(length);
    return text;
}

// Every kind of input the writer must carry unchanged.
inline std::vector<std::pair<std::string, Bytes>> deflateCorpus() {
    std::vector<std::pair<std::string, Bytes>> corpus;
    corpus.emplace_back("empty", Bytes{});
    corpus.emplace_back("one_byte", Bytes{0x5A});
    Bytes all256(256);
    for (int i = 0; i < 256; ++i)
        all256[i] = static_cast<std::uint8_t>(i);
    corpus.emplace_back("all_256_bytes", all256);
    corpus.emplace_back("random_100k", randomBytes(100'000, 7));
    Bytes runs(300'000, 'x');
    runs.insert(runs.end(), 200'000, 0);
    for (int i = 0; i < 50'000; ++i)
        runs.push_back(i % 2 ? 0xFF : 0x00);
    corpus.emplace_back("long_runs", runs);
    // Blocks repeated exactly 32768 bytes later (just out of reach) and 32506 bytes later
    // (the farthest distance the encoder uses), between random filler.
    Bytes far = randomBytes(32768, 11);
    Bytes repeat = far;
    repeat.insert(repeat.end(), far.begin(), far.end());
    Bytes near = randomBytes(32506, 12);
    repeat.insert(repeat.end(), near.begin(), near.end());
    repeat.insert(repeat.end(), near.begin(), near.end());
    corpus.emplace_back("distance_32768", repeat);
    corpus.emplace_back("prose_200k", toBytes(proseText(200'000, 3)));
    corpus.emplace_back("loan_book_xml", toBytes(loanBookXml(400, 5)));
    return corpus;
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A clean folder for one test's files, below the build folder.
inline std::filesystem::path freshFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(DUEBELL_TEST_OUTPUT_DIR) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

struct CommandResult {
    int exitCode;
    std::string output; // stdout and stderr together
};

// Runs a shell command (an oracle), collecting its output through a file.
inline CommandResult runCommand(const std::string& command, const std::filesystem::path& folder) {
    const auto log = folder / "command_output.txt";
    const int status = std::system((command + " > '" + log.string() + "' 2>&1").c_str());
    const Bytes output = readFile(log);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            std::string(output.begin(), output.end())};
}

// Runs a python3 script given as text; its arguments follow.
inline CommandResult runPython(const std::string& script, const std::filesystem::path& folder,
                               const std::string& arguments = "") {
    const auto file = folder / "oracle.py";
    writeFile(file, toBytes(script));
    return runCommand("python3 '" + file.string() + "' " + arguments, folder);
}

} // namespace duebell::zip::testing
