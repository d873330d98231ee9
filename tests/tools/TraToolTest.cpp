// Runs glossmark-tra as a separate process, the way users and scripts call it.

#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using tools_test::StoredBytes;
using tools_test::WriteFile;

using ToolRun = tools_test::ProcessRun;

// The last line of a command's output.
std::string LastLine(const ToolRun& run)
{
    std::string text = run.out;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text.substr(text.rfind('\n') + 1);
}

class TraTool : public tools_test::ToolTest {
protected:
    fs::path File(const std::string& name) const { return folder / name; }
};

TEST_F(TraTool, DumpThenBuildReproducesTheFileByteForByte)
{
    // Texts that are not valid UTF-16 are the JSON tests' (LanguageJsonTest).
    SampleOptions options;
    options.switchEntry = true;
    const std::string original = Save(*MakeSampleLanguage(2500, 31, options), File("in.tra"));

    const ToolRun dump = Tra({"dump", original});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_NE(dump.out.find("Größe"), std::string::npos) << "UTF-8 on stdout";
    WriteFile(File("in.json"), dump.out);

    const ToolRun build = Tra({"build", File("in.json"), File("out.tra")});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(golden::Read(File("out.tra")), golden::Read(original));
}

TEST_F(TraTool, WrongMagicGivesTheCorruptFileMessage)
{
    std::string bytes = StoredBytes(*MakeSampleLanguage(20, 1));
    bytes[4] = 'g'; // "_gLOSSMARK..."
    WriteFile(File("bad.tra"), bytes);
    for (const char* command : {"dump", "stats"}) {
        const ToolRun run = Tra({command, File("bad.tra")});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_NE(run.err.find("corrupt .tra - file!"), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

TEST_F(TraTool, TruncatedAndMissingFilesNameTheFileAndTheOffset)
{
    const std::string bytes = StoredBytes(*MakeSampleLanguage(20, 1));
    // Cut inside the last field, the edit state of the last node.
    WriteFile(File("cut.tra"), bytes.substr(0, bytes.size() - 2));
    const ToolRun cut = Tra({"dump", File("cut.tra")});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.err.find(File("cut.tra").string()), std::string::npos) << cut.err;
    EXPECT_NE(cut.err.find("byte " + std::to_string(bytes.size() - 4)), std::string::npos)
        << cut.err;
    EXPECT_TRUE(cut.out.empty());

    // Inside the flag.
    WriteFile(File("flag.tra"), bytes.substr(0, 1000));
    const ToolRun flag = Tra({"stats", File("flag.tra")});
    EXPECT_EQ(flag.exitCode, 1);
    EXPECT_NE(flag.err.find("byte "), std::string::npos) << flag.err;

    const ToolRun missing = Tra({"dump", File("missing.tra")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing.tra"), std::string::npos) << missing.err;
}

TEST_F(TraTool, BuildReportsMalformedJsonAndWrongFieldsAndWritesNothing)
{
    WriteFile(File("broken.json"), "{\n  \"flags\": 1,\n  oops\n}\n");
    const ToolRun broken = Tra({"build", File("broken.json"), File("out.tra")});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("broken.json: line 3, column 3: syntax error"), std::string::npos)
        << broken.err;

    std::string json;
    {
        const std::string original = Save(*MakeSampleLanguage(10, 3), File("in.tra"));
        json = Tra({"dump", original}).out;
    }
    json.replace(json.find("\"kindCode\": 99"), 14, "\"kindCode\": \"x\"");
    WriteFile(File("typed.json"), json);
    const ToolRun typed = Tra({"build", File("typed.json"), File("out.tra")});
    EXPECT_EQ(typed.exitCode, 1);
    EXPECT_NE(typed.err.find("root.kindCode: expected a whole number"), std::string::npos) << typed.err;
    EXPECT_FALSE(fs::exists(File("out.tra")));
}

// A deep JSON document is refused by the reader (LanguageJson tests) before any command sees it.
TEST_F(TraTool, DeepTreesGiveMessagesNotCrashes)
{
    const ToolRun dump = Tra({"dump", Save(CLanguageFile(Chain(100000)), File("deep.tra"))});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_NE(dump.err.find("deeper than"), std::string::npos) << dump.err;
}

TEST_F(TraTool, UpdateSaysChangedOrUnchangedOnItsLastLine)
{
    const auto language = MakeSampleLanguage(800, 12);
    const std::string lang = Save(*language, File("lang.tra"));
    const std::string same = Save(*MakeNewerVersion(*language, 0.0, 1), File("same.tra"));
    const std::string newer = Save(*MakeNewerVersion(*language, 0.1, 1), File("newer.tra"));

    const ToolRun unchanged = Tra({"update", lang, same, File("out1.tra")});
    ASSERT_EQ(unchanged.exitCode, 0) << unchanged.err;
    EXPECT_EQ(LastLine(unchanged), "unchanged");
    EXPECT_NE(unchanged.out.find("texts: 800\n"), std::string::npos) << unchanged.out;
    EXPECT_NE(unchanged.out.find("texts to be edited: 0\n"), std::string::npos) << unchanged.out;

    const ToolRun changed = Tra({"update", lang, newer, File("out2.tra")});
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_EQ(LastLine(changed), "changed");
}

TEST_F(TraTool, UpdateRefusesOtherProgramsAndFilesWithoutTree)
{
    auto language = MakeSampleLanguage(100, 12);
    const std::string lang = Save(*language, File("lang.tra"));
    auto other = MakeNewerVersion(*language, 0.0, 1);
    other->programName = u"Anderes Programm";
    const std::string otherPath = Save(*other, File("other.tra"));
    const ToolRun refused = Tra({"update", lang, otherPath, File("out.tra")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Anderes Programm"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("Kestrow Kassenbuch"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(File("out.tra")));

    language->root.reset();
    const std::string empty = Save(*language, File("empty.tra"));
    const ToolRun noTree = Tra({"update", lang, empty, File("out.tra")});
    EXPECT_EQ(noTree.exitCode, 1);
    EXPECT_NE(noTree.err.find("no text tree"), std::string::npos) << noTree.err;
    EXPECT_FALSE(fs::exists(File("out.tra")));
}

TEST_F(TraTool, GenerateWritesTheGeneratorsFileAndStatsCountsIt)
{
    const ToolRun generate = Tra({"generate", "300", "17", File("gen.tra"), "--switch-entry", "--todo=0.2"});
    ASSERT_EQ(generate.exitCode, 0) << generate.err;
    SampleOptions options;
    options.switchEntry = true;
    options.toDoShare = 0.2;
    EXPECT_EQ(golden::Read(File("gen.tra")), StoredBytes(*MakeSampleLanguage(300, 17, options)));

    const ToolRun stats = Tra({"stats", File("gen.tra")});
    ASSERT_EQ(stats.exitCode, 0) << stats.err;
    EXPECT_NE(stats.out.find("programName:    Kestrow Kassenbuch"), std::string::npos) << stats.out;
    EXPECT_NE(stats.out.find("\ntotal                  300 "), std::string::npos) << stats.out;
}

TEST_F(TraTool, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(Tra({}).exitCode, 2);
    EXPECT_EQ(Tra({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(Tra({"dump"}).exitCode, 2);
    EXPECT_EQ(Tra({"generate", "-3", "1", File("x.tra")}).exitCode, 2);
    const ToolRun help = Tra({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("update LANG NEWER OUT"), std::string::npos);
}

TEST_F(TraTool, TheBundledSampleReads)
{
    for (const char* name : {"Sample.tra", "SampleNewVersion.tra"}) {
        const ToolRun stats = Tra({"stats", (fs::path(GLOSSMARK_SAMPLES) / name).string()});
        EXPECT_EQ(stats.exitCode, 0) << name << ": " << stats.err;
    }
    const ToolRun update = Tra({"update", (fs::path(GLOSSMARK_SAMPLES) / "Sample.tra").string(),
                            (fs::path(GLOSSMARK_SAMPLES) / "SampleNewVersion.tra").string(),
                            File("updated.tra")});
    EXPECT_EQ(update.exitCode, 0) << update.err;
    EXPECT_EQ(LastLine(update), "changed");
}

} // namespace
