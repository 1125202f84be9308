// Test inputs for the deflate encoder and the zip writer, as byte vectors.
#pragma once

#include "support/testfiles.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace duebell::zip::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes toBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

inline Bytes randomBytes(std::size_t count, std::uint32_t seed) {
    return toBytes(ziptest::RandomBytes(count, seed));
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
    // A run long enough for its block to go on past slides of the window, then random bytes
    // that such a block (no longer storable) has to code.
    Bytes runIntoRandom(1u << 20, 0);
    const Bytes noise = randomBytes(100'000, 13);
    runIntoRandom.insert(runIntoRandom.end(), noise.begin(), noise.end());
    runIntoRandom.insert(runIntoRandom.end(), 100'000, 0);
    corpus.emplace_back("run_into_random", runIntoRandom);
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
    corpus.emplace_back("loan_book_xml", toBytes(ziptest::SampleLoanBook(400'000, 5)));
    return corpus;
}

} // namespace duebell::zip::testing
