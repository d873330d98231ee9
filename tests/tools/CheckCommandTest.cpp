// glossmark-tra check, run as a separate process the way build scripts call it.

#include "Golden.h"
#include "LanguageFileIO.h"
#include "TestTree.h"
#include "ToolsTestSupport.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;

struct CheckRun {
    int exitCode = -1;
    std::vector<std::string> lines;
    std::string err;
};

// Runs the tool with args in folder; environment is put before the command.
CheckRun Check(const fs::path& folder, const std::string& args, const std::string& environment = "")
{
    const tools_test::ProcessRun run =
        tools_test::Shell(folder, environment + " " + tools_test::Quoted(GLOSSMARK_TRA) + " check " + args);
    CheckRun check{run.exitCode, {}, run.err};
    std::istringstream text(run.out);
    for (std::string line; std::getline(text, line);)
        check.lines.push_back(line);
    return check;
}

using CheckCommand = tools_test::ToolTest;

const fs::path kGolden = GLOSSMARK_GOLDEN_DIR "/check";

// Each .tra of the golden folder with what check and check --json print and
// their exit status; the folder is left out of the paths in messages.
TEST_F(CheckCommand, GoldenFiles)
{
    const auto inputs = golden::Inputs(kGolden, ".tra");
    EXPECT_GE(inputs.size(), 3u);
    for (const fs::path& input : inputs) {
        std::string transcript;
        for (const std::string options : {"", "--json "}) {
            const CheckRun run = Check(folder, options + "'" + input.string() + "'");
            transcript += "$ glossmark-tra check " + options + input.filename().string() + "\n";
            for (const std::string& line : run.lines)
                transcript += line + "\n";
            std::string err = run.err;
            for (std::size_t at; (at = err.find(kGolden.string() + "/")) != std::string::npos;)
                err.erase(at, kGolden.string().size() + 1);
            transcript += err + "exit " + std::to_string(run.exitCode) + "\n";
        }
        golden::Expect(input, transcript);
    }
}

TEST_F(CheckCommand, RunsWithoutADisplayOrWithOneThatCannotBeReached)
{
    const std::string file = (kGolden / "errors.tra").string();
    for (const char* environment : {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
                                    "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97"}) {
        const CheckRun run = Check(folder, "'" + file + "'", environment);
        EXPECT_EQ(run.exitCode, 1) << environment;
        ASSERT_EQ(run.lines.size(), 7u) << environment;
        EXPECT_NE(run.lines[1].find(": error: width: "), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CheckCommand, WithoutFontsOrWithNoWidthsTheOtherChecksStillRun)
{
    const std::string file = (kGolden / "errors.tra").string();
    tools_test::WriteFile(folder / "no-fonts.conf", "<?xml version=\"1.0\"?><fontconfig></fontconfig>");
    const CheckRun noFonts =
        Check(folder, "'" + file + "'", "FONTCONFIG_FILE='" + (folder / "no-fonts.conf").string() + "'");
    const CheckRun noWidths = Check(folder, "--no-widths '" + file + "'");
    for (const CheckRun& run : {noFonts, noWidths}) {
        EXPECT_EQ(run.exitCode, 1);
        ASSERT_EQ(run.lines.size(), 6u);
        EXPECT_EQ(run.lines[1].find(": width: "), std::string::npos) << run.lines[1];
        EXPECT_EQ(run.lines.back(), "5 problems: 1 errors, 4 warnings");
    }
    EXPECT_EQ(noFonts.err, "glossmark-tra: widths not checked: no fonts are installed\n");
    EXPECT_EQ(noWidths.err, "");
}

TEST_F(CheckCommand, SpellingOnlyWithADictionaryThatIsInstalled)
{
    test_tree::Tree tree;
    test_tree::Add(tree.Dialog(u"Options"), u"&Open %d files", u"%d Dateiein ö&ffnen", 5);
    CLanguageFile language(std::move(tree.root));
    const std::string file = (folder / "german.tra").string();
    ASSERT_FALSE(WriteLanguageFile(language, file));
    EXPECT_EQ(Check(folder, "'" + file + "'").lines.back(), "0 problems: 0 errors, 0 warnings");
    const CheckRun german = Check(folder, "--spelling=Deutsch --json '" + file + "'");
    EXPECT_EQ(german.exitCode, 0);
    ASSERT_EQ(german.lines.size(), 1u);
    const auto spelling = nlohmann::json::parse(german.lines[0]);
    EXPECT_EQ(spelling["check"], "spelling");
    EXPECT_EQ(spelling["severity"], "warning");
    EXPECT_EQ(spelling["message"], "\"Dateiein\" is not in the dictionary");
    const CheckRun none = Check(folder, "--spelling=xx_YY '" + file + "'");
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.lines.back(), "0 problems: 0 errors, 0 warnings");
    EXPECT_EQ(none.err, "glossmark-tra: no dictionary for \"xx_YY\"; spelling not checked\n");
}

// A file that cannot be read is HostileInput's.
TEST_F(CheckCommand, WrongUsage)
{
    EXPECT_EQ(Check(folder, "").exitCode, 2);
    EXPECT_EQ(Check(folder, "a.tra b.tra").exitCode, 2);
    EXPECT_EQ(Check(folder, "a.tra --plain").exitCode, 2);
}

} // namespace
