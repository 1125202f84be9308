// Our inflate beside zlib's on the same raw deflate streams: about 100 MB of mixed data
// (generated XML loan books, prose, binary records, random bytes) in 1 MB pieces, deflated
// once by zlib at level 6. Both decode into a plain output buffer; the figure is MB/s of
// decoded output.
#include "bench/zip/corpusparts.h"
#include "zip/decoderio.h"
#include "zip/inflate.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

using duebell::bench::AppendRandom;
using duebell::bench::AppendRecords;
using duebell::bench::Bytes;

constexpr std::size_t Piece = 1 << 20;

void AppendLoanBook(Bytes& out, std::size_t size, std::mt19937& engine) {
    static const char* const surnames[] = {"Smith", "Nguyen", "Papadopoulos", "O'Brien", "Chen"};
    const std::size_t end = out.size() + size;
    int loan = 0;
    while (out.size() < end) {
        std::string xml = "\t<MorvaneMortgage>\n\t\t<LoanNumber>" +
                          std::to_string(1000000 + ++loan) + "</LoanNumber>\n\t\t<Surname>" +
                          surnames[engine() % 5] + "</Surname>\n\t\t<ContractAmount>" +
                          std::to_string(150000 + engine() % 400000) + ".00</ContractAmount>\n";
        for (int p = 0, n = 5 + static_cast<int>(engine() % 40); p < n; ++p) {
            xml += "\t\t\t<MorvaneLoanTransaction><TransactionDate>20" +
                   std::to_string(10 + engine() % 14) + "-0" + std::to_string(1 + engine() % 9) +
                   "-1" + std::to_string(engine() % 10) + "</TransactionDate><Amount>" +
                   std::to_string(500 + engine() % 3000) + "." +
                   std::to_string(10 + engine() % 90) + "</Amount></MorvaneLoanTransaction>\n";
        }
        xml += "\t</MorvaneMortgage>\n";
        out.insert(out.end(), xml.begin(), xml.end());
    }
    out.resize(end);
}

void AppendProse(Bytes& out, std::size_t size, std::mt19937& engine) {
    static const char* const words[] = {"the",  "loan",     "of",       "and",       "payment",
                                        "to",   "interest", "arrears",  "notice",    "balance",
                                        "rate", "property", "contract", "client",    "default",
                                        "fee",  "days",     "lender",   "statement", "period"};
    const std::size_t end = out.size() + size;
    while (out.size() < end) {
        const std::string word = words[std::min<unsigned>(__builtin_ctz(engine() | 0x80000u), 19)];
        out.insert(out.end(), word.begin(), word.end());
        out.push_back(engine() % 13 == 0 ? '\n' : ' ');
    }
    out.resize(end);
}

struct Stream {
    Bytes plain;
    Bytes deflated;
};

Bytes ZlibDeflate(const Bytes& plain) {
    z_stream z{};
    if (deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    Bytes out(deflateBound(&z, plain.size()));
    z.next_in = const_cast<Bytes::value_type*>(plain.data());
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// 40 MB of loan books, 30 MB of prose, 20 MB of records and 10 MB of random bytes.
const std::vector<Stream>& Corpus() {
    static const std::vector<Stream> corpus = [] {
        std::mt19937 engine(20240601);
        std::vector<Stream> streams;
        auto add = [&](int pieces, void (*append)(Bytes&, std::size_t, std::mt19937&)) {
            for (int i = 0; i < pieces; ++i) {
                Stream s;
                append(s.plain, Piece, engine);
                s.deflated = ZlibDeflate(s.plain);
                streams.push_back(std::move(s));
            }
        };
        add(40, AppendLoanBook);
        add(30, AppendProse);
        add(20, AppendRecords);
        add(10, AppendRandom);
        return streams;
    }();
    return corpus;
}

class MemoryInput final : public duebell::zip::TDecoderInput {
public:
    explicit MemoryInput(const Bytes& data) : data_(data) {}
    std::size_t Fetch(std::uint8_t* buffer, std::size_t capacity) override {
        const std::size_t n = std::min(capacity, data_.size() - pos_);
        std::memcpy(buffer, data_.data() + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const Bytes& data_;
    std::size_t pos_ = 0;
};

class BufferOutput final : public duebell::zip::TDecoderOutput {
public:
    explicit BufferOutput(Bytes& out) : out_(out) {}
    void Deliver(const std::uint8_t* data, std::size_t count) override {
        if (used_ + count > out_.size()) {
            throw std::runtime_error("output larger than expected");
        }
        std::memcpy(out_.data() + used_, data, count);
        used_ += count;
    }
    std::size_t Used() const { return used_; }

private:
    Bytes& out_;
    std::size_t used_ = 0;
};

std::size_t OursInflate(const Stream& s, Bytes& out) {
    MemoryInput input(s.deflated);
    BufferOutput output(out);
    duebell::zip::TBitReader bits(input);
    duebell::zip::TOutputWindow window(output);
    if (duebell::zip::Inflate(bits, window) != duebell::zip::TDecodeResult::Ok) {
        throw std::runtime_error("our inflate failed");
    }
    return output.Used();
}

std::size_t ZlibInflate(const Stream& s, Bytes& out) {
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = const_cast<Bytes::value_type*>(s.deflated.data());
    z.avail_in = static_cast<uInt>(s.deflated.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    if (inflate(&z, Z_FINISH) != Z_STREAM_END) {
        throw std::runtime_error("zlib inflate failed");
    }
    const std::size_t used = z.total_out;
    inflateEnd(&z);
    return used;
}

template <std::size_t (*Decode)(const Stream&, Bytes&)> void BM_Inflate(benchmark::State& state) {
    const auto& corpus = Corpus();
    Bytes out(Piece);
    std::size_t plain = 0;
    std::size_t deflated = 0;
    for (const Stream& s : corpus) {
        // Both decoders must give back exactly what was deflated.
        if (Decode(s, out) != s.plain.size() ||
            std::memcmp(out.data(), s.plain.data(), Piece) != 0) {
            state.SkipWithError("decoded bytes differ");
            return;
        }
        plain += s.plain.size();
        deflated += s.deflated.size();
    }
    for (auto _ : state) {
        for (const Stream& s : corpus) {
            benchmark::DoNotOptimize(Decode(s, out));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain));
    state.counters["ratio"] = static_cast<double>(deflated) / static_cast<double>(plain);
}

BENCHMARK(BM_Inflate<OursInflate>)->Name("Inflate/ours")->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_Inflate<ZlibInflate>)->Name("Inflate/zlib")->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
