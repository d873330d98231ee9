// glossmark-tra check, run as a separate process the way build scripts call it.

#include "LanguageFileIO.h"

#include "ToolsTestSupport.h"
#include "CheckTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdlib>
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
    const fs::path out = folder / "out.txt";
    const fs::path err = folder / "err.txt";
    const std::string command = environment + " '" + std::string(GLOSSMARK_TRA) + "' check " + args +
                                " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    CheckRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    std::istringstream text(tools_test::ReadFile(out));
    for (std::string line; std::getline(text, line);)
        run.lines.push_back(line);
    run.err = tools_test::ReadFile(err);
    return run;
}

using check_test::Add;

// A file with one problem of every kind, or only with warnings.
std::string WriteFile(const fs::path& path, bool withErrors)
{
    auto language = std::make_unique<CLanguageFile>(std::make_unique<CTextNode>(nullptr));
    CTextNode* root = language->root.get();
    CTextNode* dialogs = Add(root, u"Dialoge", u"Dialoge", 8);
    CTextNode* menus = Add(root, u"Menus", u"Menus", 9);
    CTextNode* strings = Add(root, u"Stringtables", u"Stringtables", 10);
    CTextNode* dialog = Add(dialogs, u"Optionen", u"Options", 1);
    Add(dialog, u"&Speichern", u"Save", 23, 200);
    if (withErrors)
        Add(dialog, u"OK", u"Okay, take all of these settings now", 23, 20);
    CTextNode* menu = Add(menus, u"Menü 128", u"Menu 128", 3);
    CTextNode* popup = Add(menu, u"&Datei", u"&File", 4);
    Add(popup, u"Ö&ffnen", u"&Open", 5);
    Add(popup, u"&Schließen", u"Cl&ose", 5);
    CTextNode* table = Add(strings, u"1", u"1", 6);
    Add(table, u"Zeile 1\nZeile 2", u"Line 1 and 2", 6);
    Add(table, u"Name: ", u"Name:", 6);
    if (withErrors)
        Add(table, u"Datei %s, Zeile %d", u"Line %d of %s", 6);
    EXPECT_FALSE(WriteLanguageFile(*language, path.string()));
    return path.string();
}

class CheckCommand : public ::testing::Test {
protected:
    fs::path folder = tools_test::TestFolder();
};

TEST_F(CheckCommand, OneLinePerProblemInTreeOrderThenTheCount)
{
    const std::string file = WriteFile(folder / "errors.tra", true);
    const CheckRun run = Check(folder, "'" + file + "'");
    EXPECT_EQ(run.exitCode, 1);
    const std::vector<std::string> expected{
        "Dialoge > Optionen > &Speichern: warning: accelerator: the translation has 0 "
        "accelerator markers, the original 1",
        "Dialoge > Optionen > OK: error: width: too wide for its control of 20 dialog units",
        "Menus > Menü 128 > &Datei > &Schließen: warning: accelerator-clash: the accelerator "
        "letter o is also used by \"&Open\"",
        "Stringtables > 1 > Zeile 1\\nZeile 2: warning: lines: the translation has 0 line "
        "breaks, the original 1",
        "Stringtables > 1 > Name: : warning: whitespace: the spaces and tabs at the start or end "
        "differ from the original's",
        "Stringtables > 1 > Datei %s, Zeile %d: error: format: the conversions \"%d %s\" differ "
        "from the original's \"%s %d\"",
        "6 problems: 2 errors, 4 warnings"};
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(run.err, "");
}

TEST_F(CheckCommand, WarningsAloneExitWithZero)
{
    const std::string file = WriteFile(folder / "warnings.tra", false);
    const CheckRun run = Check(folder, "'" + file + "'");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.back(), "4 problems: 0 errors, 4 warnings");
}

TEST_F(CheckCommand, JsonLinesWithPathAndIndicesAndNoCount)
{
    const std::string file = WriteFile(folder / "errors.tra", true);
    const CheckRun run = Check(folder, "--json '" + file + "'");
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.lines.size(), 6u);
    const auto width = nlohmann::json::parse(run.lines[1]);
    EXPECT_EQ(width["path"], nlohmann::json({"Dialoge", "Optionen", "OK"}));
    EXPECT_EQ(width["index"], nlohmann::json({0, 0, 1}));
    EXPECT_EQ(width["check"], "width");
    EXPECT_EQ(width["severity"], "error");
    const auto lines = nlohmann::json::parse(run.lines[3]);
    EXPECT_EQ(lines["path"][2], "Zeile 1\nZeile 2");
    EXPECT_EQ(lines["index"], nlohmann::json({2, 0, 0}));
    EXPECT_EQ(lines["severity"], "warning");
    const auto format = nlohmann::json::parse(run.lines[5]);
    EXPECT_EQ(format["message"], "the conversions \"%d %s\" differ from the original's \"%s %d\"");
}

TEST_F(CheckCommand, RunsWithoutADisplayOrWithOneThatCannotBeReached)
{
    const std::string file = WriteFile(folder / "errors.tra", true);
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
    const std::string file = WriteFile(folder / "errors.tra", true);
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

TEST_F(CheckCommand, WrongUsageAndUnreadableFiles)
{
    EXPECT_EQ(Check(folder, "").exitCode, 2);
    EXPECT_EQ(Check(folder, "a.tra b.tra").exitCode, 2);
    EXPECT_EQ(Check(folder, "a.tra --plain").exitCode, 2);
    const CheckRun missing = Check(folder, "'" + (folder / "missing.tra").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.lines.empty());
    EXPECT_NE(missing.err.find("missing.tra"), std::string::npos);
    tools_test::WriteFile(folder / "text.tra", "not a language file");
    const CheckRun corrupt = Check(folder, "'" + (folder / "text.tra").string() + "'");
    EXPECT_EQ(corrupt.exitCode, 1);
    EXPECT_TRUE(corrupt.lines.empty());
    EXPECT_NE(corrupt.err.find("\"" + (folder / "text.tra").string() + "\" ends unexpectedly"),
              std::string::npos);
}

} // namespace
