// The XML store on a loan book file of about 50 MB (2,000 loans with 160 payments each),
// beside a bare expat parse of the same file with no handlers at all: the floor for any
// reader. The file is read from the page cache; saves include the fsync.
#include "../../tests/objectlist/xmltestrecords.h"
#include "bench/bareexpat.h"
#include "objectlist/xmlfiler.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <ostream>

namespace {

using namespace duebell;
using namespace duebell::xmltest;

constexpr int Loans = 2000;
constexpr int PaymentsPerLoan = 160;

struct Fixture {
    std::unique_ptr<TXmlTestBook> book = MakeBook(Loans, PaymentsPerLoan);
    std::string file = (std::filesystem::temp_directory_path() / "duebell_xml_bench.xml").string();
    std::size_t bytes = 0;
    Fixture() {
        SaveObjectToXMLFile(file, *book);
        bytes = std::filesystem::file_size(file);
    }
    ~Fixture() { std::filesystem::remove(file); }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void Report(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// A stream that only counts what it is given: the cost of building the document alone.
class CountingBuffer : public std::streambuf {
public:
    std::size_t count = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type ch) override {
        ++count;
        return traits_type::not_eof(ch);
    }
};

void BM_SaveDocumentOnly(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        CountingBuffer counter;
        std::ostream out(&counter);
        SaveObjectToXMLStream(out, *f.book);
        benchmark::DoNotOptimize(counter.count);
    }
    Report(state, f.bytes);
}

void BM_SaveFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        SaveObjectToXMLFile(f.file, *f.book);
    Report(state, f.bytes);
}

void BM_LoadFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        auto book = std::unique_ptr<TXmlTestBook>(CreateItem<TXmlTestBook>(nullptr));
        LoadObjectFromXMLFile(f.file, *book);
        benchmark::DoNotOptimize(book->Loans->Count());
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    Report(state, f.bytes);
}

void BM_BareExpatParseFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        if (!bench::BareExpatParse(f.file))
            state.SkipWithError("the file does not parse");
    }
    Report(state, f.bytes);
}

BENCHMARK(BM_SaveDocumentOnly)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_BareExpatParseFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
