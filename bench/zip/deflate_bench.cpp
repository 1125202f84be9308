// Our deflate encoder beside zlib's deflate, at levels 1, 6 and 9, over the same ~100 MB
// mixed corpus: loan-book XML, prose, fixed-width binary records, random bytes and sparse
// data; and at level 6 over one long run (16 MiB of zeros). Reports throughput and the
// compressed size of each.
#include "bench/zip/corpusparts.h"
#include "zip/deflate.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <random>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

using duebell::bench::AppendRandom;
using duebell::bench::AppendRecords;
using duebell::bench::Bytes;

void appendLoanBookXml(Bytes& out, std::size_t size, std::mt19937& engine) {
    static const char* const surnames[] = {"Smith",    "Nguyen", "Papadopoulos", "O'Brien",
                                           "Williams", "Chen",   "Kowalski",     "Brown"};
    static const char* const suburbs[] = {"Toowoomba", "Ipswich", "Logan", "Caboolture",
                                          "Redcliffe"};
    const std::size_t end = out.size() + size;
    int loan = 0;
    while (out.size() < end) {
        std::string xml = "\t<MorvaneMortgage>\n\t\t<LoanNumber>" +
                          std::to_string(1000000 + ++loan) + "</LoanNumber>\n\t\t<Surname>" +
                          surnames[engine() % 8] + "</Surname>\n\t\t<Suburb>" +
                          suburbs[engine() % 5] + "</Suburb>\n\t\t<ContractAmount>" +
                          std::to_string(150000 + engine() % 400000) +
                          ".00</ContractAmount>\n\t\t<LoanTransactions>\n";
        for (int p = 0, n = 5 + static_cast<int>(engine() % 40); p < n; ++p)
            xml += "\t\t\t<MorvaneLoanTransaction><TransactionDate>20" +
                   std::to_string(10 + engine() % 14) + "-" + std::to_string(10 + engine() % 3) +
                   "-" + std::to_string(10 + engine() % 19) + "</TransactionDate><Amount>" +
                   std::to_string(500 + engine() % 3000) + "." +
                   std::to_string(10 + engine() % 90) + "</Amount></MorvaneLoanTransaction>\n";
        xml += "\t\t</LoanTransactions>\n\t</MorvaneMortgage>\n";
        out.insert(out.end(), xml.begin(), xml.end());
    }
    out.resize(end);
}

void appendProse(Bytes& out, std::size_t size, std::mt19937& engine) {
    static const char* const words[] = {
        "the",         "loan",       "of",         "and",      "payment",  "to",        "interest",
        "a",           "in",         "arrears",    "is",       "notice",   "for",       "balance",
        "rate",        "on",         "by",         "property", "contract", "client",    "default",
        "fee",         "days",       "with",       "which",    "lender",   "statement", "period",
        "termination", "amount",     "due",        "be",       "received", "within",    "fourteen",
        "writing",     "Queensland", "settlement", "owing",    "per"};
    const std::size_t end = out.size() + size;
    while (out.size() < end) {
        const unsigned rank = static_cast<unsigned>(__builtin_ctz(engine() | 0x100000u));
        const std::string word = words[(rank * 3 + engine() % 3) % 40];
        out.insert(out.end(), word.begin(), word.end());
        out.push_back(engine() % 14 == 0 ? '\n' : ' ');
    }
    out.resize(end);
}

// Mostly zeros with scattered values and long runs, like a sparse file.
void appendSparse(Bytes& out, std::size_t size, std::mt19937& engine) {
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(engine() % 64 == 0 ? static_cast<std::uint8_t>(engine()) : 0);
}

const Bytes& corpus() {
    static const Bytes data = [] {
        constexpr std::size_t MB = 1 << 20;
        std::mt19937 engine(2024);
        Bytes bytes;
        bytes.reserve(100 * MB);
        // Interleaved in 4 MB pieces, as a mixed folder of files would be.
        for (int round = 0; round < 5; ++round) {
            appendLoanBookXml(bytes, 7 * MB, engine);
            appendProse(bytes, 5 * MB, engine);
            AppendRecords(bytes, 4 * MB, engine);
            AppendRandom(bytes, 2 * MB, engine);
            appendSparse(bytes, 2 * MB, engine);
        }
        return bytes;
    }();
    return data;
}

const Bytes& longRun() {
    static const Bytes data(16u << 20, 0);
    return data;
}

void report(benchmark::State& state, const Bytes& data, std::size_t compressed) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
    state.counters["compressed_bytes"] = static_cast<double>(compressed);
    state.counters["ratio_pct"] =
        100.0 * static_cast<double>(compressed) / static_cast<double>(data.size());
}

void ourDeflate(benchmark::State& state, const Bytes& data) {
    const int level = static_cast<int>(state.range(0));
    duebell::zip::DeflateEncoder encoder;
    Bytes out;
    out.reserve(data.size() + data.size() / 16);
    for (auto _ : state) {
        out.clear();
        std::size_t offset = 0;
        encoder.Deflate(
            level,
            [&](std::uint8_t* buffer, std::size_t capacity) {
                const std::size_t n = std::min(capacity, data.size() - offset);
                std::copy_n(data.data() + offset, n, buffer);
                offset += n;
                return n;
            },
            [&](const std::uint8_t* bytes, std::size_t length) {
                out.insert(out.end(), bytes, bytes + length);
            });
        benchmark::DoNotOptimize(out.data());
    }
    report(state, data, out.size());
}

void zlibDeflate(benchmark::State& state, const Bytes& data) {
    const int level = static_cast<int>(state.range(0));
    Bytes out;
    std::size_t compressed = 0;
    for (auto _ : state) {
        z_stream stream{};
        deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        out.resize(deflateBound(&stream, data.size()));
        stream.next_in = const_cast<Bytef*>(data.data());
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, Z_FINISH);
        compressed = stream.total_out;
        deflateEnd(&stream);
        benchmark::DoNotOptimize(out.data());
    }
    report(state, data, compressed);
}

void BM_OurDeflate(benchmark::State& state) {
    ourDeflate(state, corpus());
}
void BM_ZlibDeflate(benchmark::State& state) {
    zlibDeflate(state, corpus());
}
void BM_OurDeflateLongRun(benchmark::State& state) {
    ourDeflate(state, longRun());
}
void BM_ZlibDeflateLongRun(benchmark::State& state) {
    zlibDeflate(state, longRun());
}

} // namespace

BENCHMARK(BM_OurDeflate)->Arg(1)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ZlibDeflate)->Arg(1)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OurDeflateLongRun)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibDeflateLongRun)->Arg(6)->Unit(benchmark::kMillisecond);
