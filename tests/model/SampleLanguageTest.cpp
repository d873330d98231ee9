// The model on generated, realistic language files.
#include "LanguageFileIO.h"
#include "ModelTestSupport.h"
#include "SampleLanguage.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(SampleLanguage, RoundTripIsByteExact)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        SampleOptions options;
        options.original = seed == 2;
        options.switchEntry = seed == 3;
        auto language = MakeSampleLanguage(3000, seed, options);
        const Bytes bytes = StoreToBytes(*language);
        EXPECT_EQ(bytes.size(), language->StoredSize());
        CLanguageFile loaded;
        ASSERT_EQ(LoadFromBytes(bytes, loaded), SerializeResult::Ok);
        EXPECT_EQ(loaded.GetRoot()->CountNodes(), 3004);
        EXPECT_EQ(StoreToBytes(loaded), bytes) << "seed " << seed;
        EXPECT_EQ(StoreToBytes(*loaded.Copy()), bytes);
    }

    const auto path = std::filesystem::temp_directory_path() /
                      ("glossmark-sample-" + std::to_string(::getpid()) + ".tra");
    auto language = MakeSampleLanguage(20000, 9);
    ASSERT_FALSE(WriteLanguageFile(*language, path.string()));
    ReadOutcome outcome = ReadLanguageFile(path.string());
    std::filesystem::remove(path);
    ASSERT_FALSE(outcome.error);
    EXPECT_EQ(StoreToBytes(*outcome.language), StoreToBytes(*language));
}

TEST(SampleLanguage, VersionUpdateAgreesWithTheReferenceMerge)
{
    for (unsigned seed : {5u, 6u}) {
        auto language = MakeSampleLanguage(4000, seed);
        auto newer = MakeNewerVersion(*language, 0.05, seed + 100);

        auto expected = newer->GetRoot()->CopyTree(nullptr);
        const bool expectedChanged = ReferenceMerge(*expected, *language->GetRoot());

        EXPECT_EQ(language->TakeStructureFrom(*newer), expectedChanged);
        EXPECT_TRUE(expectedChanged);
        EXPECT_EQ(language->GetProgramVersion(), newer->GetProgramVersion());
        EXPECT_FALSE(language->IsOriginal());
        CLanguageFile reference(std::move(expected));
        EXPECT_EQ(StoreToBytes(CLanguageFile(language->GetRoot()->CopyTree(nullptr))),
                  StoreToBytes(reference));
        // The states the merge leaves are consistent.
        EXPECT_FALSE(language->GetRoot()->UpdateStates());
    }
}

} // namespace
