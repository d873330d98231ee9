// Feeds every committed corpus file to its fuzz target's entry function, so the
// findings of earlier fuzzing runs stay fixed in builds without libFuzzer.
#include "WholeFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#define GLOSSMARK_FUZZ_TARGET(name) extern "C" int FuzzEntry_##name(const std::uint8_t* data, std::size_t size);
#include "FuzzTargets.inc"
#undef GLOSSMARK_FUZZ_TARGET

namespace {

struct FuzzTarget {
    const char* name;
    int (*entry)(const std::uint8_t* data, std::size_t size);
};

#define GLOSSMARK_FUZZ_TARGET(name) FuzzTarget{#name, FuzzEntry_##name},
constexpr FuzzTarget kTargets[] = {
#include "FuzzTargets.inc"
};
#undef GLOSSMARK_FUZZ_TARGET

TEST(FuzzCorpus, EveryFileOfEveryTargetReadsOrFailsCleanly)
{
    for (const FuzzTarget& target : kTargets) {
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(std::string(GLOSSMARK_FUZZ_CORPUS "/") + target.name)) {
            std::string bytes;
            ASSERT_FALSE(ReadWholeFile(entry.path().string(), bytes));
            SCOPED_TRACE(std::string(target.name) + ": " + entry.path().filename().string());
            EXPECT_EQ(target.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
            ++files;
        }
        EXPECT_GE(files, 3) << target.name;
    }
}

} // namespace
