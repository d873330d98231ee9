#include "LanguageFileIO.h"
#include "ModelTestSupport.h"
#include "../common/Unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class LanguageFileIO : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("glossmark-io-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    static Bytes FileBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void PutBytes(const std::string& path, const Bytes& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::size_t EntriesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    static std::unique_ptr<CLanguageFile> Sample()
    {
        auto language = std::make_unique<CLanguageFile>(BuildTree(
            {u"", {{u"Dialoge", {{u"Über", {{u"OK", {}, u"OK"}}, u"About"}}}, {u"Menus"}, {u"Stringtables"}}}));
        language->programName = u"Prog";
        language->languageName = u"English";
        language->flagPixels.fill(0x0000FF00u);
        return language;
    }

    fs::path folder;
};

TEST_F(LanguageFileIO, WriteThenReadGivesTheSameLanguage)
{
    auto language = Sample();
    language->headerText5 = std::u16string(300000, u'x'); // long enough for progress reports
    const std::string path = PathOf("a.tra");

    std::uint64_t lastDone = 0;
    std::uint64_t lastTotal = 0;
    auto progress = [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_GE(done, lastDone);
        lastDone = done;
        lastTotal = total;
    };
    ASSERT_FALSE(WriteLanguageFile(*language, path, progress));
    EXPECT_EQ(lastTotal, language->StoredSize());
    EXPECT_GT(lastDone, 0u);
    EXPECT_EQ(FileBytes(path), StoreToBytes(*language));

    lastDone = 0;
    ReadOutcome outcome = ReadLanguageFile(path, ReadDepth::Whole, progress);
    ASSERT_FALSE(outcome.error) << outcome.error.Describe(path);
    EXPECT_FALSE(outcome.wrongMagic);
    ASSERT_NE(outcome.language, nullptr);
    EXPECT_GT(lastDone, 0u);
    EXPECT_EQ(StoreToBytes(*outcome.language), FileBytes(path));
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(LanguageFileIO, ReadFailuresAreReported)
{
    ReadOutcome missing = ReadLanguageFile(PathOf("missing.tra"));
    EXPECT_EQ(missing.error.kind, FileError::Kind::CannotOpen);
    EXPECT_EQ(missing.language, nullptr);
    EXPECT_NE(missing.error.Describe("missing.tra").find("missing.tra"), std::string::npos);

    EXPECT_EQ(ReadLanguageFile(folder.string()).error.kind, FileError::Kind::CannotOpen);

    const std::string truncated = PathOf("t.tra");
    Bytes bytes = StoreToBytes(*Sample());
    bytes.resize(bytes.size() - 3);
    PutBytes(truncated, bytes);
    ReadOutcome cut = ReadLanguageFile(truncated);
    EXPECT_EQ(cut.error.kind, FileError::Kind::EndOfFile);
    EXPECT_EQ(cut.language, nullptr);
    EXPECT_GT(cut.error.offset, 4096u);

    const std::string text = PathOf("readme.tra");
    PutBytes(text, Bytes(100, 'A'));
    ReadOutcome notOurs = ReadLanguageFile(text);
    ASSERT_FALSE(notOurs.error);
    EXPECT_TRUE(notOurs.wrongMagic);
    ASSERT_NE(notOurs.language, nullptr);
    EXPECT_EQ(notOurs.language->GetRoot(), nullptr);
}

// A kept mode is WriteProtectedFilesAreNotReplaced's.
TEST_F(LanguageFileIO, ANewFileRespectsTheUmask)
{
    const mode_t previous = ::umask(022);
    const std::string fresh = PathOf("new.tra");
    ASSERT_FALSE(WriteLanguageFile(*Sample(), fresh));
    EXPECT_EQ(fs::status(fresh).permissions(), fs::perms(0644));
    ::umask(previous);
}

TEST_F(LanguageFileIO, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const std::string path = PathOf("keep.tra");
    const Bytes old = {9, 8, 7, 6};
    PutBytes(path, old);

    // Let the file system refuse to grow a file beyond 64 KiB.
    auto language = Sample();
    language->headerText4 = std::u16string(100000, u'y');
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileError error = WriteLanguageFile(*language, path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error.kind, FileError::Kind::WriteFailed);
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(EntriesInFolder(), 1u);

    // A rename that cannot happen (the target is a folder that is not empty).
    const std::string occupied = PathOf("occupied.tra");
    fs::create_directories(fs::path(occupied) / "inner");
    EXPECT_EQ(WriteLanguageFile(*Sample(), occupied).kind, FileError::Kind::WriteFailed);
    EXPECT_EQ(EntriesInFolder(), 2u);

    EXPECT_EQ(WriteLanguageFile(*Sample(), PathOf("no/such/folder.tra")).kind,
              FileError::Kind::CannotOpen);
}

// A file the user may not write is refused as a direct write would refuse it,
// also through a link; the file, its mode and the link stay as they were.
TEST_F(LanguageFileIO, WriteProtectedFilesAreNotReplaced)
{
    unprivileged::HandOver(folder.string());
    const std::string failures = unprivileged::Run([this] {
        unprivileged::Failures check;
        const std::string locked = PathOf("locked.tra");
        const std::string link = PathOf("link.tra");
        const Bytes old = {1, 2, 3, 4};
        PutBytes(locked, old);
        ::chmod(locked.c_str(), 0444);
        fs::create_symlink(locked, link);
        for (const std::string& path : {locked, link}) {
            const FileError error = WriteLanguageFile(*Sample(), path);
            check.Expect(error.kind == FileError::Kind::CannotOpen, path + ": not refused");
            check.Expect(error.Describe(path).find(std::strerror(EACCES)) != std::string::npos,
                         path + ": the message is not the system's: " + error.Describe(path));
        }
        check.Expect(FileBytes(locked) == old, "the protected file changed");
        check.Expect(fs::status(locked).permissions() == fs::perms(0444), "its mode changed");
        check.Expect(fs::is_symlink(link), "the link was replaced");
        check.Expect(EntriesInFolder() == 2, "a temporary file was left");

        // Writable again: saved in place with the mode it had.
        ::chmod(locked.c_str(), 0640);
        check.Expect(!WriteLanguageFile(*Sample(), link), "a writable file is refused");
        check.Expect(FileBytes(locked) == StoreToBytes(*Sample()), "not written through the link");
        check.Expect(fs::status(locked).permissions() == fs::perms(0640), "the mode was not kept");
        check.Expect(fs::is_symlink(link), "the link was broken");
        return check.Text();
    });
    EXPECT_EQ(failures, "");
}

} // namespace
