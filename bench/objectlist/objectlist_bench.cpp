// Sorted record list against std::map: insert, locate and in-order walk of 100,000 records,
// keyed by a seven-digit code (as clients, properties and loans are) or by an integer.
#include "objectlist/numberformat.h"
#include "objectlist/objectlist.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>
#include <random>

namespace duebell {
namespace {

constexpr int RecordCount = 100000;

class TBenchRow : public TTovRecord<TBenchRow> {
public:
    using TTovRecord::TTovRecord;
    std::string Code;
    std::int32_t Number = 0;
    TDateTime Stamp;

    static void DeclareProperties(TTovPropertyTable<TBenchRow>& table) {
        table.Property("Code", &TBenchRow::Code)
            .Property("Number", &TBenchRow::Number)
            .Property("Stamp", &TBenchRow::Stamp);
    }
};

// The records, in a shuffled order, made once.
const std::vector<TBenchRow*>& Rows() {
    static const std::vector<TBenchRow*> rows = [] {
        std::vector<TBenchRow*> made;
        for (int i = 0; i < RecordCount; ++i) {
            auto* row = CreateItem<TBenchRow>(nullptr);
            row->Number = i * 7;
            row->Code = FormatInt(i * 7, 7);
            row->Stamp = TDateTime(45292.0 + i * 7 / 86400.0); // whole seconds from 1/1/2024
            made.push_back(row);
        }
        std::shuffle(made.begin(), made.end(), std::mt19937(20240305));
        return made;
    }();
    return rows;
}

enum class Key { Code, Number, Stamp };

const char* SortField(Key key) {
    return key == Key::Code ? "Code" : key == Key::Number ? "Number" : "Stamp";
}

Variant KeyValue(Key key, const TBenchRow& row) {
    return key == Key::Code     ? Variant(row.Code)
           : key == Key::Number ? Variant(row.Number)
                                : Variant(row.Stamp);
}

TTovOwnedObjectList FilledList(Key key) {
    TTovOwnedObjectList list(new TTovObjectList(&GetItemManager<TBenchRow>()));
    list->SetSortFields(SortField(key));
    list->SetSorted(true);
    for (TBenchRow* row : Rows()) {
        list->Add(std::unique_ptr<TBenchRow>(row)); // lent: ReleaseWithoutFreeing takes it back
    }
    return list;
}

void ReleaseWithoutFreeing(TTovOwnedObjectList& list) {
    list->Clear(); // the rows are shared by every benchmark
    list.reset();
}

template <Key K> void BM_ListInsert(benchmark::State& state) {
    for (auto _ : state) {
        TTovOwnedObjectList list(new TTovObjectList(&GetItemManager<TBenchRow>()));
        list->SetSortFields(SortField(K));
        list->SetSorted(true);
        for (TBenchRow* row : Rows()) {
            list->Add(std::unique_ptr<TBenchRow>(row)); // lent, as in FilledList
        }
        state.PauseTiming();
        ReleaseWithoutFreeing(list);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

template <Key K> void BM_MapInsert(benchmark::State& state) {
    for (auto _ : state) {
        if constexpr (K == Key::Code) {
            std::map<std::string, TBenchRow*> map;
            for (TBenchRow* row : Rows()) {
                map.emplace(row->Code, row);
            }
            state.PauseTiming();
            map.clear();
            state.ResumeTiming();
        } else {
            std::map<std::int32_t, TBenchRow*> map;
            for (TBenchRow* row : Rows()) {
                map.emplace(row->Number, row);
            }
            state.PauseTiming();
            map.clear();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

// Locate by key value, as callers do (the value converted into the list's search record).
template <Key K> void BM_ListLocate(benchmark::State& state) {
    TTovOwnedObjectList list = FilledList(K);
    std::vector<Variant> keys;
    for (TBenchRow* row : Rows()) {
        keys.push_back(KeyValue(K, *row));
    }
    for (auto _ : state) {
        for (const Variant& key : keys) {
            benchmark::DoNotOptimize(list->Locate(key));
        }
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
    ReleaseWithoutFreeing(list);
}

// Find by a record holding the key: the comparison path alone.
template <Key K> void BM_ListFind(benchmark::State& state) {
    TTovOwnedObjectList list = FilledList(K);
    for (auto _ : state) {
        for (TBenchRow* row : Rows()) {
            benchmark::DoNotOptimize(list->FindItem(*row));
        }
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
    ReleaseWithoutFreeing(list);
}

template <Key K> void BM_MapFind(benchmark::State& state) {
    std::map<std::string, TBenchRow*> byCode;
    std::map<std::int32_t, TBenchRow*> byNumber;
    for (TBenchRow* row : Rows()) {
        byCode.emplace(row->Code, row);
        byNumber.emplace(row->Number, row);
    }
    for (auto _ : state) {
        for (TBenchRow* row : Rows()) {
            if constexpr (K == Key::Code) {
                benchmark::DoNotOptimize(byCode.find(row->Code));
            } else {
                benchmark::DoNotOptimize(byNumber.find(row->Number));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

void BM_ListWalkCursor(benchmark::State& state) {
    TTovOwnedObjectList list = FilledList(Key::Code);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (list->First(); !list->Eof(); list->Next()) {
            sum += static_cast<TBenchRow*>(list->Current())->Number;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
    ReleaseWithoutFreeing(list);
}

void BM_ListWalkIterator(benchmark::State& state) {
    TTovOwnedObjectList list = FilledList(Key::Code);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (TTovObjectItem* item : *list) {
            sum += static_cast<TBenchRow*>(item)->Number;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
    ReleaseWithoutFreeing(list);
}

void BM_MapWalk(benchmark::State& state) {
    std::map<std::string, TBenchRow*> map;
    for (TBenchRow* row : Rows()) {
        map.emplace(row->Code, row);
    }
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const auto& [code, row] : map) {
            sum += row->Number;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

BENCHMARK(BM_ListInsert<Key::Code>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapInsert<Key::Code>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListInsert<Key::Number>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapInsert<Key::Number>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListLocate<Key::Code>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFind<Key::Code>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapFind<Key::Code>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListLocate<Key::Number>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFind<Key::Number>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapFind<Key::Number>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListInsert<Key::Stamp>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListLocate<Key::Stamp>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFind<Key::Stamp>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListWalkCursor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListWalkIterator)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapWalk)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
