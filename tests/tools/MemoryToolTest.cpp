// glossmark-tra tm: the translation memory from the command line, against the tools on
// the other side (the Translate Toolkit, xmllint) and against hostile files.
#include "LanguageFileIO.h"

#include "BridgeTestSupport.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>


namespace {

namespace fs = std::filesystem;
using bridge_test::Count;
using bridge_test::ProcessRun;
using tools_test::WriteFile;

class MemoryTool : public tools_test::ToolTest {
protected:
    std::string db = "--db=" + (folder / "memory.sqlite").string();

    ProcessRun Tm(const std::vector<std::string>& args) const
    {
        std::vector<std::string> all{"tm"};
        all.insert(all.end(), args.begin(), args.end());
        all.push_back(db);
        return Tra(all);
    }
};

// The Translate Toolkit's own count of the units of a TMX file.
constexpr char kCountTmxUnits[] =
    "/usr/bin/python3 -c \"import sys; from translate.storage import tmx; "
    "print(len(tmx.tmxfile(open(sys.argv[1], 'rb')).units))\" ";

TEST_F(MemoryTool, ImportLookupFillAndExportTmx)
{
    const auto done = bridge_test::EveryKindOfText(); // Français: the target language is fr
    const ProcessRun first = Tm({"import", Save(*done, "done.tra")});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::size_t pairs = std::stoul(first.out.substr(first.out.find(' ') + 1));
    EXPECT_GT(pairs, 10u);
    EXPECT_EQ(first.out, "added: " + std::to_string(pairs) + "\nalready there: 0\n");
    EXPECT_EQ(Tm({"import", "done.tra"}).out, "added: 0\nalready there: " + std::to_string(pairs) + "\n");

    const ProcessRun exact = Tm({"lookup", "%d von %s, 50%% erledigt", "--target-language=fr"});
    EXPECT_EQ(exact.exitCode, 0) << exact.err;
    EXPECT_EQ(exact.out.substr(0, exact.out.find('\n')), "100\t%d von %s, 50%% erledigt\t%d sur %s, 50%% fait");
    // Fuzzy, with the placeholders of the text looked up.
    const ProcessRun fuzzy = Tm({"lookup", "%u von %ls, 50%% erledigt", "--target-language=Französisch", "--json"});
    EXPECT_EQ(fuzzy.exitCode, 0) << fuzzy.err;
    EXPECT_NE(fuzzy.out.find("\",\"translation\":\"%u sur %ls, 50%% fait\",\"file\":\"" + (folder / "done.tra").string()),
              std::string::npos) << fuzzy.out;
    const ProcessRun none = Tm({"lookup", "Zzzz", "--target-language=fr"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");

    // Fill: a text to be edited with an exact match takes it and stays to be edited.
    auto emptied = done->Copy();
    CTextNode* menu = emptied->root->GetChild(1)->GetChild(0)->GetChild(0)->GetChild(2);
    ASSERT_EQ(menu->originalText, u"%d von %s, 50%% erledigt");
    menu->translatedText.clear();
    menu->editState = 3;
    const ProcessRun fill = Tm({"fill", Save(*emptied, "empty.tra"), "filled.tra"});
    ASSERT_EQ(fill.exitCode, 0) << fill.err;
    EXPECT_EQ(fill.out.rfind("filled: ", 0), 0u) << fill.out;
    const ReadOutcome filled = ReadLanguageFile((folder / "filled.tra").string());
    ASSERT_TRUE(filled.language);
    menu = filled.language->root->GetChild(1)->GetChild(0)->GetChild(0)->GetChild(2);
    EXPECT_EQ(menu->translatedText, u"%d sur %s, 50%% fait");
    EXPECT_GE(menu->editState, 3u);

    ASSERT_EQ(Tm({"export", "out.tmx"}).exitCode, 0);
    const ProcessRun lint = Shell("xmllint --noout out.tmx");
    EXPECT_EQ(lint.exitCode, 0) << lint.err;
    const ProcessRun units = Shell(kCountTmxUnits + std::string("out.tmx"));
    EXPECT_EQ(units.out, std::to_string(pairs) + "\n") << units.err;
}

TEST_F(MemoryTool, TmxOfTheTranslateToolkitImportsEveryPair)
{
    const std::string tra = Save(*bridge_test::EveryKindOfText(), "in.tra");
    ASSERT_EQ(Tra({"export-po", tra, "in.po"}).exitCode, 0);
    const ProcessRun convert = Shell("po2tmx -l fr in.po theirs.tmx");
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    const std::size_t units = Count(golden::Read(folder / "theirs.tmx"), "<tu>");
    const ProcessRun imported = Tm({"import", "theirs.tmx"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const std::size_t added = std::stoul(imported.out.substr(imported.out.find(' ') + 1));
    const std::size_t present = std::stoul(imported.out.substr(imported.out.rfind(' ') + 1));
    EXPECT_GT(units, 10u);
    EXPECT_EQ(added + present, units) << imported.out;
}

TEST_F(MemoryTool, HostileFilesImportNothing)
{
    WriteFile(folder / "good.po", "msgid \"\"\nmsgstr \"Language: de\\n\"\n\nmsgid \"Open\"\nmsgstr \"Öffnen\"\n");
    const std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\">"
                               "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                               "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>";
    const std::vector<std::pair<std::string, std::string>> hostile = {
        {"cut.tra", golden::Read(Save(*bridge_test::EveryKindOfText(), "whole.tra")).substr(0, 2000)},
        {"open.tmx", "<tmx version=\"1.4\"><body><tu><tuv xml:lang=\"en\"><seg>a</seg></tuv>"},
        {"laughs.tmx", laughs + "<tmx><body><tu><tuv xml:lang=\"en\"><seg>&e;&e;&e;</seg></tuv></tu></body></tmx>"},
        {"laughs.xlf", laughs + "<xliff><file target-language=\"de\"><body><trans-unit id=\"1\"><source>&e;</source>"
                                "<target>&e;</target></trans-unit></body></file></xliff>"},
        {"quote.po", "msgid \"Open\nmsgstr \"x\"\n"},
        {"nolanguage.po", "msgid \"Open\"\nmsgstr \"Öffnen\"\n"},
        {"notes.txt", "Open = Öffnen\n"},
    };
    for (const auto& [name, bytes] : hostile) {
        WriteFile(folder / name, bytes);
        const ProcessRun run = Tm({"import", "good.po", name});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("nothing imported"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(folder / "memory.sqlite")) << name;
    }
}

} // namespace
