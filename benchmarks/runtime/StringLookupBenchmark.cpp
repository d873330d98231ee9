// String-table lookup by text: the depth-first walk every lookup used to do
// against the index built once per loaded translation, on a string table of
// 20,000 entries (blocks of 16, like a program's string resources).

#include "CStringIndex.h"
#include "CTextNode.h"
#include "SafeFormat.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kEntries = 20000;
constexpr int kBlockSize = 16;

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Texts of the lengths and shapes string tables have: prompts with a tooltip,
// messages with format specifiers, short labels.
std::u16string EntryText(int i)
{
    switch (i % 3) {
    case 0: return Widen("Öffnet den Eintrag " + std::to_string(i) + " zum Bearbeiten\nEintrag " + std::to_string(i));
    case 1: return Widen("Die Datei %s konnte nicht gelesen werden (Fehler " + std::to_string(i) + ").");
    default: return Widen("Beschriftung " + std::to_string(i));
    }
}

struct Table {
    std::unique_ptr<CTextNode> branch;
    std::vector<std::u16string> queries; // 3 of 4 found, spread over the table
};

const Table& GetTable()
{
    static const Table table = [] {
        Table t;
        t.branch = std::make_unique<CTextNode>(nullptr);
        t.branch->originalText = u"Stringtables";
        CTextNode* block = nullptr;
        for (int i = 0; i < kEntries; ++i) {
            if (i % kBlockSize == 0) {
                auto node = std::make_unique<CTextNode>(t.branch.get());
                node->originalText = Widen("Block " + std::to_string(i / kBlockSize));
                block = node.get();
                t.branch->AddChild(std::move(node));
            }
            auto leaf = std::make_unique<CTextNode>(block);
            leaf->originalText = EntryText(i);
            leaf->translatedText = u"translated " + leaf->originalText;
            block->AddChild(std::move(leaf));
        }
        std::mt19937 random(42);
        for (int q = 0; q < 1024; ++q) {
            const int i = int(random() % kEntries);
            t.queries.push_back(q % 4 == 3 ? u"nicht vorhanden " + EntryText(i) : EntryText(i));
        }
        return t;
    }();
    return table;
}

void BM_LinearWalk(benchmark::State& state)
{
    const Table& table = GetTable();
    size_t q = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CStringIndex::FindLinear(table.branch.get(), table.queries[q]));
        q = (q + 1) % table.queries.size();
    }
    state.counters["lookups/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LinearWalk);

void BM_Index(benchmark::State& state)
{
    const Table& table = GetTable();
    CStringIndex index;
    index.Build(table.branch.get());
    size_t q = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.Find(table.queries[q]));
        q = (q + 1) % table.queries.size();
    }
    state.counters["lookups/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Index);

// Paid once per loaded translation (and per run-time switch).
void BM_IndexBuild(benchmark::State& state)
{
    const Table& table = GetTable();
    for (auto _ : state) {
        CStringIndex index;
        index.Build(table.branch.get());
        benchmark::DoNotOptimize(index.IsBuilt());
    }
}
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

// A formatted status text, checked against the program's own format.
void BM_FormatChecked(benchmark::State& state)
{
    const CFormatArg args[] = {u"Edit.tra", 3};
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatChecked(u"File %s, line %5d", u"Datei %s, Zeile %d", args));
}
BENCHMARK(BM_FormatChecked);

} // namespace

BENCHMARK_MAIN();
