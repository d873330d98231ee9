// Reading, writing, copying and the version update of a generated language file.
// RawRead and RawWrite move the same bytes without the format: they are the floor
// that ReadLanguageFile and WriteLanguageFile are measured against. RawWrite takes
// the same safe path as the real write (temporary file, fsync, rename).
#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kTexts = 100000;
constexpr unsigned kSeed = 4711;

fs::path Folder()
{
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("glossmark-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

const CLanguageFile& Language(int texts)
{
    static std::map<int, std::unique_ptr<CLanguageFile>> made;
    auto& language = made[texts];
    if (!language)
        language = MakeSampleLanguage(texts, kSeed);
    return *language;
}

// The file of the 100,000-text language, written once.
const std::string& SampleFile()
{
    static const std::string path = [] {
        std::string file = (Folder() / "sample.tra").string();
        if (WriteLanguageFile(Language(kTexts), file))
            std::abort();
        return file;
    }();
    return path;
}

std::int64_t SampleFileSize() { return static_cast<std::int64_t>(fs::file_size(SampleFile())); }

// glibc defers part of the work of many small frees to the next large allocation.
// One large allocation right after freeing does that work outside the measured time.
void SettleHeap()
{
    void* large = std::malloc(64 * 1024);
    benchmark::DoNotOptimize(large);
    std::free(large);
}

// Frees a tree outside the measured time (Free measures that on its own).
template <class T>
void FreeUntimed(benchmark::State& state, std::unique_ptr<T>& owner)
{
    state.PauseTiming();
    owner.reset();
    SettleHeap();
    state.ResumeTiming();
}

void RawRead(benchmark::State& state)
{
    std::vector<char> bytes(static_cast<std::size_t>(SampleFileSize()));
    for (auto _ : state) {
        std::FILE* file = std::fopen(SampleFile().c_str(), "rb");
        std::size_t done = 0;
        for (std::size_t got = 1; got > 0; done += got)
            got = std::fread(bytes.data() + done, 1, std::min<std::size_t>(4096, bytes.size() - done), file);
        std::fclose(file);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * SampleFileSize());
}

void RawWrite(benchmark::State& state)
{
    std::ifstream in(SampleFile(), std::ios::binary);
    const std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
    const std::string target = (Folder() / "raw.tra").string();
    const std::string temporary = target + ".tmp";
    for (auto _ : state) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::FILE* file = ::fdopen(fd, "wb");
        for (std::size_t done = 0; done < bytes.size(); done += 4096)
            std::fwrite(bytes.data() + done, 1, std::min<std::size_t>(4096, bytes.size() - done), file);
        std::fflush(file);
        ::fsync(fd);
        std::fclose(file);
        std::rename(temporary.c_str(), target.c_str());
    }
    state.SetBytesProcessed(state.iterations() * SampleFileSize());
}

void ReadLanguage(benchmark::State& state)
{
    for (auto _ : state) {
        ReadOutcome outcome = ReadLanguageFile(SampleFile());
        if (outcome.error || !outcome.language->GetRoot())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(outcome.language.get());
        FreeUntimed(state, outcome.language);
    }
    state.SetBytesProcessed(state.iterations() * SampleFileSize());
}

void WriteLanguage(benchmark::State& state)
{
    const CLanguageFile& language = Language(kTexts);
    const std::string target = (Folder() / "written.tra").string();
    for (auto _ : state) {
        if (WriteLanguageFile(language, target))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * SampleFileSize());
}

void Copy(benchmark::State& state)
{
    const CLanguageFile& language = Language(kTexts);
    for (auto _ : state) {
        auto copy = language.Copy();
        benchmark::DoNotOptimize(copy.get());
        FreeUntimed(state, copy);
    }
}

// Freeing a whole tree, measured on its own since the other benchmarks leave it out.
void Free(benchmark::State& state)
{
    const CLanguageFile& language = Language(kTexts);
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = language.Copy();
        state.ResumeTiming();
        copy.reset();
        SettleHeap();
    }
}

// The version update: the translation takes the structure of a newer version in
// which 5% of the texts changed.
void VersionUpdate(benchmark::State& state)
{
    const auto texts = static_cast<int>(state.range(0));
    const CLanguageFile& language = Language(texts);
    const auto newer = MakeNewerVersion(language, 0.05, kSeed + 1);
    for (auto _ : state) {
        state.PauseTiming();
        auto working = language.Copy();
        state.ResumeTiming();
        benchmark::DoNotOptimize(working->TakeStructureFrom(*newer));
        // The update frees the old tree; glibc finishes that work either during the free
        // (when a large array goes back) or at the next large allocation. Counting it
        // here in every case keeps the sizes comparable.
        SettleHeap();
        FreeUntimed(state, working);
    }
    state.SetItemsProcessed(state.iterations() * texts);
}

BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadLanguage)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteLanguage)->Unit(benchmark::kMillisecond);
BENCHMARK(Copy)->Unit(benchmark::kMillisecond);
BENCHMARK(Free)->Unit(benchmark::kMillisecond);
BENCHMARK(VersionUpdate)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Keep freed memory in the process, as a long-running editor does, so that runs
    // do not differ by whether the kernel has to hand out fresh pages.
    ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
    ::mallopt(M_MMAP_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(Folder());
    return 0;
}
