// glossmark-tra from-rc: original-language files from resource scripts as resource
// editors write them, and from the editor's own script. The scripts lie in
// tests/golden/rc; each NAME.args names a script and the options, one a line,
// and NAME.args.expected holds what the command says and the tree it makes.

#include "LanguageFileIO.h"

#include "BridgeTestSupport.h"
#include "Golden.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using bridge_test::ProcessRun;
using bridge_test::Quoted;

// The header and every node below the root as "kind width x height: text",
// indented by depth.
std::string Listing(const CLanguageFile& language)
{
    std::string out = "program \"" + tools_test::Utf8(language.programName) + "\", version \"" +
                      tools_test::Utf8(language.programVersion) + "\", language \"" +
                      tools_test::Utf8(language.languageName) + "\", flags " +
                      std::to_string(language.flags) + "\n";
    for (const CTextNode* node : tools_test::AllNodes(*language.root)) {
        if (node == language.root.get())
            continue;
        std::string text = tools_test::Utf8(node->originalText);
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
            text.replace(at, 1, "\\n");
        out += std::string(static_cast<std::size_t>(node->GetDepth() - 1) * 2, ' ') +
               std::to_string(node->kindCode) + " " + std::to_string(node->width) + "x" +
               std::to_string(node->height) + ": " + text + "\n";
        // An original-language file: every text its own translation, nothing to be edited.
        EXPECT_EQ(node->translatedText, node->originalText) << text;
        EXPECT_EQ(node->editState, node->ChildCount() > 0 ? 1u : 0u) << text;
    }
    return out;
}

TEST(FromRc, GoldenScripts)
{
    const fs::path golden = GLOSSMARK_GOLDEN_DIR "/rc";
    const auto inputs = golden::Inputs(golden, ".args");
    EXPECT_GE(inputs.size(), 10u);
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        const fs::path folder = tools_test::TestFolder();
        const fs::path out = folder / "out.tra";
        std::istringstream lines(golden::Read(input));
        std::vector<std::string> args;
        for (std::string line; std::getline(lines, line);)
            args.push_back(line);
        std::string command = Quoted(GLOSSMARK_TRA) + " from-rc " + Quoted(args.at(0)) + " " + Quoted(out.string());
        std::string shown = "$ glossmark-tra from-rc " + args[0] + " out.tra";
        for (std::size_t i = 1; i < args.size(); ++i) {
            command += " " + Quoted(args[i]);
            shown += " " + args[i];
        }
        // Run in the scripts' folder, so that their includes are found as written.
        const ProcessRun run = bridge_test::Shell(folder, "cd " + Quoted(golden.string()) + " && " + command);
        std::string err = run.err;
        for (std::size_t at; (at = err.find(folder.string() + "/")) != std::string::npos;)
            err.erase(at, folder.string().size() + 1);
        std::string transcript = shown + "\n" + err + "exit " + std::to_string(run.exitCode) + "\n";
        if (fs::exists(out)) {
            ReadOutcome read = ReadLanguageFile(out.string());
            ASSERT_TRUE(read.language && read.language->root) << read.error.Describe(out.string());
            transcript += Listing(*read.language);
        }
        golden::Expect(input, transcript);
    }
}

TEST(FromRc, TheEditorsOwnScriptGivesTheGermanFileTheBuildMakes)
{
    const fs::path folder = tools_test::TestFolder();
    const ProcessRun run = bridge_test::Shell(
        folder, Quoted(GLOSSMARK_TRA) + " from-rc " + Quoted(GLOSSMARK_SOURCE_DIR "/resources/Edit.rc") +
                    " edit.tra '--program=Glossmark Editor' --version=2.002 --language-name=Deutsch "
                    "--switch-entry=IDS_SWITCH_TITLE,IDS_SWITCH_LANGUAGE_NAME,IDS_SWITCH_THIS_VERSION,"
                    "IDS_SWITCH_OLDER_VERSIONS,IDS_SWITCH_OK,IDS_SWITCH_CANCEL,IDS_SWITCH_HELP,"
                    "IDS_SWITCH_VERSION_PREFIX,IDS_SWITCH_OLDER_WARNING,IDS_SWITCH_ERROR,IDS_SWITCH_MENU_TEXT,"
                    "ID_GLOSSMARK_SWITCH");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "") << "the editor's script reads without warnings";
    ReadOutcome read = ReadLanguageFile((folder / "edit.tra").string());
    ASSERT_TRUE(read.language);
    auto& made = read.language;
    ReadOutcome built = ReadLanguageFile(GLOSSMARK_BINARY_DIR "/Deutsch.tra");
    ASSERT_TRUE(built.language);
    // The build gives its file the German flag; a script has no flag.
    made->flagPixels = built.language->flagPixels;
    EXPECT_EQ(tools_test::StoredBytes(*made), tools_test::StoredBytes(*built.language));
}

// The scripts of rc-scripts/, each beside what from-rc makes of it (NAME.expected: exit
// status, messages, tree) and whether GNU windres reads it alike: when windres is there,
// from-rc must give the same tree for windres's own rendering of the script ("same"),
// or windres must still fail ("cannot read") or misread it ("differs") as recorded.
// GLOSSMARK_UPDATE_GOLDEN=1 rewrites the expected files.
TEST(FromRc, ScriptsGiveTheirExpectedTreesAndWindresAgrees)
{
    const fs::path folder = tools_test::TestFolder();
    const fs::path scripts = GLOSSMARK_SOURCE_DIR "/tests/tools/rc-scripts";
    const bool update = std::getenv("GLOSSMARK_UPDATE_GOLDEN") != nullptr;
    const bool windres = bridge_test::Shell(folder, "command -v x86_64-w64-mingw32-windres").exitCode == 0;
    const auto tree = [&folder](const fs::path& script, const std::string& out, std::string& text) {
        const ProcessRun run = bridge_test::Shell(folder, "cd " + Quoted(script.parent_path().string()) + " && " +
                                                              Quoted(GLOSSMARK_TRA) + " from-rc " +
                                                              Quoted(script.filename().string()) + " " +
                                                              Quoted((folder / out).string()) + " --program=P --version=1");
        text = "exit: " + std::to_string(run.exitCode) + "\n" + run.err;
        std::string lines;
        if (run.exitCode == 0) {
            const ReadOutcome read = ReadLanguageFile((folder / out).string());
            EXPECT_TRUE(read.language && read.language->root) << read.error.Describe(out);
            if (!read.language || !read.language->root)
                return lines;
            lines = "language: " + tools_test::Utf8(read.language->languageName) + "\n";
            for (const CTextNode* node : tools_test::AllNodes(*read.language->root))
                if (node->GetDepth() > 0)
                    lines += std::string(static_cast<std::size_t>(node->GetDepth() - 1) * 2, ' ') +
                             std::to_string(node->kindCode) + " " + std::to_string(node->width) + "x" +
                             std::to_string(node->height) + ": " + tools_test::Utf8(node->originalText) + "\n";
        }
        text += lines;
        return lines;
    };
    int cases = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(scripts)) {
        if (entry.path().extension() != ".rc")
            continue;
        ++cases;
        const fs::path expectedPath = fs::path(entry.path()).replace_extension(".expected");
        std::string actual;
        const std::string ours = tree(entry.path(), "ours.tra", actual);
        std::string expected = tools_test::ReadFile(expectedPath);
        const std::size_t windresLine = expected.rfind("windres: ");
        std::string windresExpected = windresLine == std::string::npos ? "" : expected.substr(windresLine);
        if (windres) {
            const ProcessRun run = bridge_test::Shell(
                folder, "cd " + Quoted(scripts.string()) + " && x86_64-w64-mingw32-windres --preprocessor=cpp "
                        "--preprocessor-arg=-DRC_INVOKED --preprocessor-arg=-D_WIN32 -i " +
                            Quoted(entry.path().filename().string()) + " -O rc -o " + Quoted((folder / "w.rc").string()));
            std::string unused;
            const std::string status = run.exitCode != 0                          ? "cannot read"
                                       : tree(folder / "w.rc", "w.tra", unused) == ours ? "same"
                                                                                   : "differs";
            windresExpected = "windres: " + status + "\n";
        }
        actual += windresExpected;
        if (update)
            tools_test::WriteFile(expectedPath, actual);
        EXPECT_EQ(actual, expected) << entry.path();
    }
    EXPECT_GE(cases, 12);
}

} // namespace
