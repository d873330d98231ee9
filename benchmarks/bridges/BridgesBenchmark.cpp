// PO and XLIFF export and import of a 100,000-text language file, in memory: the
// bridges' own cost, without reading or writing the .tra file (the model benchmark
// measures that). Import applies a file made from the same texts to a copy whose
// translations were all taken away, so every unit changes a node.
#include "PoBridge.h"
#include "SampleLanguage.h"
#include "XliffBridge.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

namespace {

constexpr int kTexts = 100000;
constexpr unsigned kSeed = 4711;

const CLanguageFile& Translation()
{
    static const auto language = [] {
        SampleOptions options;
        options.switchEntry = true;
        return MakeSampleLanguage(kTexts, kSeed, options);
    }();
    return *language;
}

// The same tree with no translations, everything to be edited.
const CLanguageFile& Untranslated()
{
    static const auto language = [] {
        auto copy = Translation().Copy();
        std::vector<CTextNode*> pending{copy->root.get()};
        while (!pending.empty()) {
            CTextNode* node = pending.back();
            pending.pop_back();
            node->translatedText.clear();
            for (std::int32_t i = 0; i < node->ChildCount(); ++i) {
                pending.push_back(node->GetChild(i));
            }
        }
        copy->root->MarkToDo();
        return copy;
    }();
    return *language;
}

void BM_ExportPo(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        const po_bridge::ExportResult result = po_bridge::ExportPo(Translation());
        bytes = result.text.size();
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_ExportPo)->Unit(benchmark::kMillisecond);

void BM_ExportXliff(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        const xliff_bridge::ExportResult result = xliff_bridge::ExportXliff(Translation(), u"de");
        bytes = result.text.size();
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_ExportXliff)->Unit(benchmark::kMillisecond);

template <class Import>
void RunImport(benchmark::State& state, const std::string& text, Import import)
{
    std::uint64_t applied = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto language = Untranslated().Copy();
        state.ResumeTiming();
        const auto result = import(text, *language);
        applied = result.counts.applied;
        benchmark::DoNotOptimize(language.get());
        state.PauseTiming();
        language.reset();
        state.ResumeTiming();
    }
    state.counters["applied"] = static_cast<double>(applied);
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_ImportPo(benchmark::State& state)
{
    static const std::string po = po_bridge::ExportPo(Translation()).text;
    RunImport(state, po, po_bridge::ImportPo);
}
BENCHMARK(BM_ImportPo)->Unit(benchmark::kMillisecond);

void BM_ImportXliff(benchmark::State& state)
{
    static const std::string xliff = xliff_bridge::ExportXliff(Translation(), u"de").text;
    RunImport(state, xliff, xliff_bridge::ImportXliff);
}
BENCHMARK(BM_ImportXliff)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
