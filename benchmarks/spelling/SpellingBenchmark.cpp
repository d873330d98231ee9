// Spelling of a sample file's English translations with the en_US dictionary:
// the whole file of 100k texts checked on a worker thread as the editor will
// after opening a file, and the cost a keystroke adds: the typed text checked
// again, with a word the speller has not seen before, alone and while a
// worker checks the whole file with the same speller.

#include "CSpeller.h"
#include "CTextNode.h"
#include "CTranslationChecker.h"
#include "SampleLanguage.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int kTexts = 100000;

const CLanguageFile& Sample()
{
    static const std::unique_ptr<CLanguageFile> file = MakeSampleLanguage(kTexts, 11);
    return *file;
}

checks::SpellRule RuleOf(const spelling::CSpeller& speller)
{
    return [&speller](std::u16string_view text) { return speller.Misspelt(text); };
}

// Each call a word no speller has judged: "Kostenstellaa", "Kostenstellab", ...
std::u16string NewWord(std::size_t& counter)
{
    std::u16string word = u"Kostenstell";
    for (std::size_t n = counter++, i = 0; i < 3; ++i, n /= 26)
        word += char16_t(u'a' + n % 26);
    return word;
}

void BM_LoadDictionary(benchmark::State& state)
{
    for (auto _ : state) {
        spelling::CSpeller speller(u"English");
        benchmark::DoNotOptimize(speller.IsActive());
    }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

// A fresh speller each time (its loading not timed): every word judged once.
void BM_SpellWholeFileOnAWorker(benchmark::State& state)
{
    const CLanguageFile& file = Sample();
    std::size_t problems = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto speller = std::make_unique<spelling::CSpeller>(u"English");
        checks::CTranslationChecker checker;
        checker.SetSpellRule(RuleOf(*speller));
        state.ResumeTiming();
        std::thread worker([&] { problems = checker.CheckTree(*file.root).size(); });
        worker.join();
    }
    state.counters["problems"] = double(problems);
    state.counters["texts/s"] =
        benchmark::Counter(double(kTexts) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SpellWholeFileOnAWorker)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// A keystroke's re-check: the control's text with a new last word, through
// the checker (the node and its siblings, as the editor re-checks them).
void BM_RecheckTypedText(benchmark::State& state)
{
    const CLanguageFile& file = Sample();
    const CTextNode* control = file.root->GetChild(0)->GetChild(1)->GetChild(0);
    const spelling::CSpeller speller(u"English");
    checks::CTranslationChecker checker;
    checker.SetSpellRule(RuleOf(speller));
    std::size_t counter = 0;
    std::u16string typed;
    checker.SetTextSource([&](const CTextNode& node) {
        return &node == control ? typed : node.translatedText;
    });
    for (auto _ : state) {
        typed = u"Open the &cost centre file " + NewWord(counter);
        benchmark::DoNotOptimize(checker.Recheck(*control));
    }
}
BENCHMARK(BM_RecheckTypedText)->Unit(benchmark::kMicrosecond);

// The same text asked of a speller that a worker is using for the whole file.
void BM_TypedTextWhileTheWholeFileIsChecked(benchmark::State& state)
{
    const CLanguageFile& file = Sample();
    const spelling::CSpeller speller(u"English");
    std::atomic<bool> stop = false;
    std::thread worker([&] {
        checks::CTranslationChecker checker;
        checker.SetSpellRule(RuleOf(speller));
        while (!stop)
            benchmark::DoNotOptimize(checker.CheckTree(*file.root).size());
    });
    std::size_t counter = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(speller.Misspelt(u"Open the &cost centre file " + NewWord(counter)));
    stop = true;
    worker.join();
}
BENCHMARK(BM_TypedTextWhileTheWholeFileIsChecked)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
