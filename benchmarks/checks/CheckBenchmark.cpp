// The translation checks at scale, with the in-place editor's width rule as
// the command line uses it: a whole sample file of 10k and 100k texts, and the
// re-check after one text changed (which must not grow with the file).

#include "CTextNode.h"
#include "CTranslationChecker.h"
#include "SampleLanguage.h"
#include "SizeLimit.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <map>
#include <memory>

namespace {

checks::SizeRule EditorRule() { return {size_limit::IsSizeLimitedKind, size_limit::Fits}; }

const CLanguageFile& Sample(int texts)
{
    static std::map<int, std::unique_ptr<CLanguageFile>> files;
    auto& file = files[texts];
    if (!file)
        file = MakeSampleLanguage(texts, 11);
    return *file;
}

void BM_CheckWholeFile(benchmark::State& state)
{
    const CLanguageFile& file = Sample(int(state.range(0)));
    checks::CTranslationChecker checker(EditorRule());
    std::size_t problems = 0;
    for (auto _ : state) {
        problems = checker.CheckTree(*file.root).size();
        benchmark::DoNotOptimize(problems);
    }
    state.counters["problems"] = double(problems);
    state.counters["texts/s"] = benchmark::Counter(double(state.range(0)) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CheckWholeFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A control of the first dialog: the node and its siblings.
void BM_RecheckOneText(benchmark::State& state)
{
    const CLanguageFile& file = Sample(int(state.range(0)));
    const CTextNode* dialog = file.root->GetChild(0)->GetChild(1);
    const CTextNode* control = dialog->GetChild(0);
    checks::CTranslationChecker checker(EditorRule());
    for (auto _ : state)
        benchmark::DoNotOptimize(checker.Recheck(*control));
}
BENCHMARK(BM_RecheckOneText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
