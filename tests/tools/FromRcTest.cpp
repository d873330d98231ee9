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

const fs::path kScripts = GLOSSMARK_GOLDEN_DIR "/rc";

// The header and every node below the root as "kind width x height: text",
// indented by depth.
std::string Listing(const CLanguageFile& language)
{
    std::string out = "program \"" + tools_test::Utf8(language.programName) + "\", version \"" +
                      tools_test::Utf8(language.programVersion) + "\", language \"" +
                      tools_test::Utf8(language.languageName) + "\", flags " +
                      std::to_string(language.flags) + "\n";
    for (const CTextNode* node : PreOrder(*language.root)) {
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

// What from-rc makes of script with the options args[1..] (the transcript names
// it args[0]): the command, its messages and exit status, and the tree.
std::string FromRc(const fs::path& folder, const std::vector<std::string>& args, const std::string& script)
{
    const fs::path out = folder / "out.tra";
    fs::remove(out);
    std::string command = Quoted(GLOSSMARK_TRA) + " from-rc " + Quoted(script) + " " + Quoted(out.string());
    std::string shown = "$ glossmark-tra from-rc " + args.at(0) + " out.tra";
    for (std::size_t i = 1; i < args.size(); ++i) {
        command += " " + Quoted(args[i]);
        shown += " " + args[i];
    }
    // Run in the scripts' folder, so that their includes are found as written.
    const ProcessRun run = bridge_test::Shell(folder, "cd " + Quoted(kScripts.string()) + " && " + command);
    std::string err = run.err;
    for (std::size_t at; (at = err.find(folder.string() + "/")) != std::string::npos;)
        err.erase(at, folder.string().size() + 1);
    std::string transcript = shown + "\n" + err + "exit " + std::to_string(run.exitCode) + "\n";
    if (fs::exists(out)) {
        ReadOutcome read = ReadLanguageFile(out.string());
        EXPECT_TRUE(read.language && read.language->root) << read.error.Describe(out.string());
        if (read.language && read.language->root)
            transcript += Listing(*read.language);
    }
    return transcript;
}

// Every script with its options beside what from-rc makes of it, and whether GNU
// windres reads it alike: when windres is there, from-rc must give the same tree
// for windres's own rendering of the script ("same"), or windres must still fail
// ("cannot read") or misread it ("differs") as recorded; without windres the
// recorded verdict stands.
TEST(FromRc, GoldenScripts)
{
    const fs::path folder = tools_test::TestFolder();
    const bool windres = bridge_test::Shell(folder, "command -v x86_64-w64-mingw32-windres").exitCode == 0;
    const auto inputs = golden::Inputs(kScripts, ".args");
    EXPECT_GE(inputs.size(), 25u);
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        std::istringstream lines(golden::Read(input));
        std::vector<std::string> args;
        for (std::string line; std::getline(lines, line);)
            args.push_back(line);
        const std::string ours = FromRc(folder, args, args.at(0));
        std::string verdict = golden::Read(input.string() + ".expected");
        verdict = verdict.substr(std::min(verdict.size(), verdict.rfind("windres: ")));
        if (windres) {
            const ProcessRun run = bridge_test::Shell(
                folder, "cd " + Quoted(kScripts.string()) + " && x86_64-w64-mingw32-windres --preprocessor=cpp "
                        "--preprocessor-arg=-DRC_INVOKED --preprocessor-arg=-D_WIN32 -i " + Quoted(args[0]) +
                            " -O rc -o " + Quoted((folder / "w.rc").string()));
            const auto tree = [](const std::string& transcript) { return transcript.substr(transcript.find("\nexit ")); };
            verdict = run.exitCode != 0 ? "cannot read"
                      : tree(FromRc(folder, args, (folder / "w.rc").string())) == tree(ours) ? "same"
                                                                                            : "differs";
            verdict = "windres: " + verdict + "\n";
        }
        golden::Expect(input, ours + verdict);
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

} // namespace
