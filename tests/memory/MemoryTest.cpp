// The translation memory: how originals are compared, what a lookup returns, and that
// the database survives two writers, damage and a folder it may not write.
#include "CTranslationMemory.h"
#include "MatchTokens.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using memory::AdaptTranslation;
using memory::CTranslationMemory;
using memory::Similarity;

TEST(MatchTokens, PlaceholdersAndAcceleratorsAreComparedAsTokens)
{
    EXPECT_EQ(Similarity(u"Datei öffnen", u"Datei öffnen"), 100);
    const int otherPlaceholder = Similarity(u"%s Dateien", u"%d Dateien");
    EXPECT_GE(otherPlaceholder, 90);
    EXPECT_LT(otherPlaceholder, 100);
    // Letter by letter "s Dateien" is one character from "%s Dateien"; as tokens a word
    // is no placeholder.
    EXPECT_LT(Similarity(u"%s Dateien", u"s Dateien"), otherPlaceholder);
    EXPECT_GT(otherPlaceholder, Similarity(u"%s Dateien", u"%s Ordner"));
    EXPECT_GE(Similarity(u"&Datei öffnen", u"Datei öffnen"), 90);
    EXPECT_GE(Similarity(u"%-5.2f%% von %ls", u"%d%% von %s"), 90);
    EXPECT_LT(Similarity(u"Datei öffnen", u"Fenster schließen"), CTranslationMemory::kMinimumScore);
}

TEST(MatchTokens, PlaceholdersAreTakenFromTheCurrentOriginal)
{
    EXPECT_EQ(AdaptTranslation(u"%s files", u"%s Dateien", u"%d files"), u"%d Dateien");
    EXPECT_EQ(AdaptTranslation(u"Copy %s to %s", u"%s nach %s kopieren", u"Copy %1 to %2"), u"%1 nach %2 kopieren");
    EXPECT_EQ(AdaptTranslation(u"%d of %s", u"%s: %d", u"%u of %ls"), u"%ls: %u"); // reordered
    EXPECT_EQ(AdaptTranslation(u"&Open", u"Ö&ffnen", u"Open"), u"Öffnen");
    EXPECT_EQ(AdaptTranslation(u"&Open", u"Ö&ffnen", u"Op&en"), u"Ö&ffnen");
    EXPECT_EQ(AdaptTranslation(u"100%% %d", u"100%% %d", u"100%% %i"), u"100%% %i");
    // A different number of placeholders: no guess.
    EXPECT_EQ(AdaptTranslation(u"%d of %d", u"%d von %d", u"%s"), u"%d von %d");
}

class MemoryDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::path(::testing::TempDir()) / "glossmark_memory" / info->name();
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "memory.sqlite").string();
    }

    std::unique_ptr<CTranslationMemory> Open(const std::string& at) const
    {
        std::string error;
        auto memory = CTranslationMemory::Open(at, error);
        EXPECT_TRUE(memory) << error;
        return memory;
    }

    static std::vector<memory::Pair> Numbered(const std::string& prefix, int from, int count)
    {
        std::vector<memory::Pair> pairs;
        for (int i = from; i < from + count; ++i) {
            const std::u16string n(prefix.begin(), prefix.end());
            pairs.push_back({"en", "de", n + u" text " + std::u16string(1, u'A' + i % 26) + u" " + std::u16string(i / 26 + 1, u'x'),
                             u"Text", u"P", u"1", i, prefix});
        }
        return pairs;
    }

    static std::uint64_t CountPairs(CTranslationMemory& memory)
    {
        std::uint64_t count = 0;
        EXPECT_EQ(memory.ForEachPair([&](const memory::Pair&) { ++count; }), "");
        return count;
    }

    fs::path folder;
    std::string path;
};

TEST_F(MemoryDatabase, ExactMatchesNewestFirstThenFuzzyByScoreInTheTargetLanguage)
{
    auto memory = Open(path);
    ASSERT_TRUE(memory);
    const std::vector<memory::Pair> pairs = {
        {"en", "de", u"Open file", u"Datei aufmachen", u"Old", u"1", 100, "old.tra"},
        {"en", "de", u"Open file", u"Datei öffnen", u"New", u"2", 200, "new.tra"},
        {"en", "fr", u"Open file", u"Ouvrir le fichier", u"New", u"2", 300, "fr.tra"},
        {"en", "de", u"Open the file", u"Die Datei öffnen", u"New", u"2", 200, "new.tra"},
        {"en", "de", u"Open %s files", u"%s Dateien öffnen", u"New", u"2", 200, "new.tra"},
        {"en", "de", u"Close the window", u"Fenster schließen", u"New", u"2", 200, "new.tra"},
    };
    memory::AddCounts counts;
    ASSERT_EQ(memory->Add(pairs, counts), "");
    ASSERT_EQ(memory->Add(pairs, counts), "");
    EXPECT_EQ(counts.added, 6u);
    EXPECT_EQ(counts.present, 6u);

    std::vector<memory::Match> matches;
    ASSERT_EQ(memory->Lookup(u"Open file", "de", 9, matches), "");
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(matches[0].translation, u"Datei öffnen");
    EXPECT_EQ(matches[0].score, 100);
    EXPECT_EQ(matches[1].translation, u"Datei aufmachen");
    EXPECT_EQ(matches[1].file, "old.tra");
    EXPECT_EQ(matches[2].original, u"Open the file");
    EXPECT_LT(matches[2].score, 100);

    ASSERT_EQ(memory->Lookup(u"Open %d files", "de", 9, matches), "");
    ASSERT_FALSE(matches.empty());
    EXPECT_EQ(matches[0].original, u"Open %s files");
    EXPECT_GE(matches[0].score, 90);
    ASSERT_EQ(memory->Lookup(u"Open file", "de", 1, matches), "");
    EXPECT_EQ(matches.size(), 1u);

    std::uint64_t removed = 0;
    ASSERT_EQ(memory->Remove(std::string_view("new.tra"), removed), "");
    EXPECT_EQ(removed, 4u);
    ASSERT_EQ(memory->Remove(std::u16string_view(u"Old"), removed), "");
    EXPECT_EQ(removed, 1u);
    ASSERT_EQ(memory->Lookup(u"Open file", "de", 9, matches), "");
    EXPECT_TRUE(matches.empty());
}

TEST_F(MemoryDatabase, TwoProcessesWriteAtOnce)
{
    Open(path); // the schema exists before the race
    std::fflush(nullptr);
    std::vector<pid_t> children;
    for (const char* name : {"first", "second"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::string error;
            auto memory = CTranslationMemory::Open(path, error);
            bool ok = memory != nullptr;
            memory::AddCounts counts;
            for (int batch = 0; ok && batch < 20; ++batch) {
                ok = memory->Add(Numbered(name, batch * 25, 25), counts).empty();
            }
            ::_exit(ok && counts.added == 500 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto memory = Open(path);
    ASSERT_TRUE(memory);
    EXPECT_EQ(CountPairs(*memory), 1000u);
}

TEST_F(MemoryDatabase, DamagedFileOrUnwritableFolderIsAMessage)
{
    std::string error;
    std::ofstream(folder / "junk.sqlite", std::ios::binary) << std::string(8192, 'x');
    EXPECT_FALSE(CTranslationMemory::Open((folder / "junk.sqlite").string(), error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;

    // A real database whose first page was overwritten behind its header.
    {
        auto memory = Open(path);
        memory::AddCounts counts;
        ASSERT_EQ(memory->Add(Numbered("a", 0, 50), counts), "");
    }
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(100);
    file << std::string(2000, '\x7f');
    file.close();
    fs::remove(path + "-wal");
    fs::remove(path + "-shm");
    error.clear();
    EXPECT_FALSE(CTranslationMemory::Open(path, error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;

    unprivileged::HandOver(folder.string());
    const std::string failures = unprivileged::Run([&] {
        unprivileged::Failures failed;
        const std::string kept = (folder / "kept.sqlite").string();
        std::string message;
        failed.Expect(CTranslationMemory::Open(kept, message) != nullptr, "cannot make a memory: " + message);
        ::chmod(folder.c_str(), 0555);
        for (const std::string& at : {kept, (folder / "new.sqlite").string(), (folder / "sub" / "new.sqlite").string()}) {
            message.clear();
            failed.Expect(CTranslationMemory::Open(at, message) == nullptr, at + " opened in a read-only folder");
            failed.Expect(message.find("writable") != std::string::npos, "no clear message: " + message);
        }
        ::chmod(folder.c_str(), 0755);
        return failed.Text();
    });
    EXPECT_EQ(failures, "");
}

} // namespace
