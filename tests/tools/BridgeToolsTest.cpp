// glossmark-tra's PO and XLIFF commands against the tools on the other side: gettext,
// the Translate Toolkit and Qt's lconvert read what we write, and what they write
// comes back in. The tools are installed by scripts/install-deps.sh; a missing one
// fails the test rather than passing it unseen.

#include "BridgeUnits.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include "BridgeTestSupport.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

namespace fs = std::filesystem;
using bridge_test::Count;
using bridge_test::ProcessRun;
using tools_test::WriteFile;

constexpr char kLconvert[] = "/usr/lib/qt6/bin/lconvert";

// Enough texts for every kind of text and conversion, few enough for the
// Translate Toolkit to read quickly.
constexpr std::uint64_t kSampleUnits = 400;

class BridgeTools : public tools_test::ToolTest {
protected:
    void SetUp() override
    {
        for (const char* tool : {"msgfmt", "msgmerge", "msgcat", "msgattrib", "po2xliff", "xliff2po", "xmllint"}) {
            ASSERT_EQ(Shell(std::string("command -v ") + tool).exitCode, 0)
                << tool << " is missing: run scripts/install-deps.sh";
        }
        ASSERT_TRUE(fs::exists(kLconvert)) << "lconvert is missing: run scripts/install-deps.sh";
    }

    std::string Read(const std::string& name) const { return golden::Read(folder / name); }

    // A translation with every kind of text and a switch entry, a fifth still to be edited.
    static std::unique_ptr<CLanguageFile> SampleLanguage()
    {
        SampleOptions options;
        options.switchEntry = true;
        options.toDoShare = 0.2;
        return MakeSampleLanguage(int(kSampleUnits), 21, options);
    }
    std::string Sample(const std::string& name) const { return Save(*SampleLanguage(), name); }

    // The sample's texts in a PO file: those with an empty original are left out.
    const std::uint64_t poUnits = bridge_test::UnitCount(*SampleLanguage(), false);
};

// Entries of a PO with the fuzzy flag and a translation.
std::size_t TranslatedFuzzyEntries(const std::string& po)
{
    std::size_t count = 0;
    for (std::size_t start = 0; start < po.size();) {
        const std::size_t end = std::min(po.find("\n\n", start), po.size());
        const std::string entry = po.substr(start, end - start);
        const std::string untranslated = "\nmsgstr \"\"";
        const bool translated = entry.size() < untranslated.size() ||
                                entry.compare(entry.size() - untranslated.size(), untranslated.size(), untranslated) != 0;
        if (entry.find("#, fuzzy") != std::string::npos && translated) {
            ++count;
        }
        start = end + 2;
    }
    return count;
}

// Through files and the commands; larger files round-trip in BridgeTest.
TEST_F(BridgeTools, RoundTripsThroughTheCommandsAreByteIdentical)
{
    const auto language = bridge_test::EveryKindOfText();
    const std::string tra = Save(*language, "in.tra");
    for (const auto& [exportCommand, importCommand, file, withEmptyOriginals] :
         {std::tuple{"export-po", "import-po", "out.po", false},
          std::tuple{"export-xliff", "import-xliff", "out.xlf", true}}) {
        const ProcessRun out = Tra({exportCommand, tra, file});
        ASSERT_EQ(out.exitCode, 0) << out.err;
        const ProcessRun in = Tra({importCommand, tra, file, "back.tra"});
        ASSERT_EQ(in.exitCode, 0) << in.err;
        const std::string units = std::to_string(bridge_test::UnitCount(*language, withEmptyOriginals));
        EXPECT_EQ(in.out, "applied: 0\nunchanged: " + units + "\nskipped: 0\n");
        EXPECT_EQ(Read("back.tra"), Read("in.tra")) << exportCommand;
    }
}

TEST_F(BridgeTools, MsgfmtChecksTheConversionsOfOurPo)
{
    ASSERT_EQ(Tra({"export-po", Sample("in.tra"), "ok.po"}).exitCode, 0);
    const ProcessRun good = Shell("msgfmt -c --check-format -o ok.mo ok.po");
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.err, "") << "no warning either (the Language header is there)";

    // A translator changes one conversion of a finished text: msgfmt refuses the file.
    std::string po = Read("ok.po");
    const std::regex entry("\n#, c-format\nmsgctxt \"[0-9.]+\"\nmsgid \"[^\"\n]*%s[^\"\n]*\"\nmsgstr \"[^\"\n]*(%s)");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(po, match, entry)) << "the sample has a finished text with %s";
    po.replace(static_cast<std::size_t>(match.position(1)), 2, "%d");
    WriteFile(folder / "bad.po", po);
    const ProcessRun bad = Shell("msgfmt -c --check-format -o bad.mo bad.po");
    EXPECT_NE(bad.exitCode, 0);
    // msgfmt names the mismatch: "... in 'msgid' and 'msgstr' for argument 1 are not the same".
    EXPECT_NE(bad.err.find("'msgid' and 'msgstr' for argument"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("are not the same"), std::string::npos) << bad.err;
}

TEST_F(BridgeTools, GettextAndTranslateToolkitReadOurPoAndXliff)
{
    const std::string tra = Sample("in.tra");
    ASSERT_EQ(Tra({"export-po", tra, "in.po"}).exitCode, 0);
    ASSERT_EQ(Tra({"export-xliff", tra, "in.xlf", "--source-language=de"}).exitCode, 0);

    const ProcessRun cat = Shell("msgcat -o cat.po in.po");
    ASSERT_EQ(cat.exitCode, 0) << cat.err;
    EXPECT_EQ(Count(Read("cat.po"), "\nmsgctxt "), poUnits);
    const ProcessRun merge = Shell("msgmerge -q -o merged.po in.po in.po");
    ASSERT_EQ(merge.exitCode, 0) << merge.err;
    EXPECT_EQ(Count(Read("merged.po"), "\nmsgctxt "), poUnits);

    const ProcessRun lint = Shell("xmllint --noout in.xlf");
    EXPECT_EQ(lint.exitCode, 0) << lint.err;

    // po2xliff adds one unit for the PO header.
    const ProcessRun toXliff = Shell("po2xliff --progress=none in.po from-po.xlf");
    ASSERT_EQ(toXliff.exitCode, 0) << toXliff.err;
    const std::string fromPo = Read("from-po.xlf");
    EXPECT_EQ(Count(fromPo, "<trans-unit "), poUnits + 1);
    EXPECT_EQ(Count(fromPo, "restype=\"x-gettext-domain-header\""), 1u);

    const ProcessRun toPo = Shell("xliff2po --progress=none in.xlf from-xliff.po");
    ASSERT_EQ(toPo.exitCode, 0) << toPo.err;
    const std::string fromXliff = Read("from-xliff.po");
    EXPECT_EQ(Count(fromXliff, "\nmsgid "), kSampleUnits + 1);
    // Our approval marks become its fuzzy flags (on the translated ones, and on its header).
    EXPECT_EQ(Count(fromXliff, "#, fuzzy\n"), TranslatedFuzzyEntries(Read("in.po")) + 1);
}

TEST_F(BridgeTools, LconvertTurnsOurXliffAndPoIntoTs)
{
    const std::string tra = Sample("in.tra");
    ASSERT_EQ(Tra({"export-po", tra, "in.po"}).exitCode, 0);
    ASSERT_EQ(Tra({"export-xliff", tra, "in.xlf"}).exitCode, 0);
    const ProcessRun fromXliff = Shell(std::string(kLconvert) + " -i in.xlf -o from-xliff.ts");
    ASSERT_EQ(fromXliff.exitCode, 0) << fromXliff.err;
    EXPECT_EQ(Count(Read("from-xliff.ts"), "<message"), kSampleUnits);
    EXPECT_EQ(Count(Read("from-xliff.ts"), "type=\"unfinished\""), Count(Read("in.xlf"), "approved=\"no\""));

    // From PO to .ts and back keeps every entry: none has the empty msgid of a header.
    const ProcessRun fromPo = Shell(std::string(kLconvert) + " -i in.po -o from-po.ts && " + kLconvert +
                                    " -i from-po.ts -o back.po");
    ASSERT_EQ(fromPo.exitCode, 0) << fromPo.err;
    EXPECT_EQ(Count(Read("from-po.ts"), "<message"), poUnits);
    EXPECT_EQ(Count(Read("back.po"), "\nmsgctxt "), poUnits);
}

TEST_F(BridgeTools, ClearingTheFuzzyFlagsWithMsgattribMarksEveryTextDone)
{
    const std::string tra = Sample("in.tra");
    ASSERT_EQ(Tra({"export-po", tra, "in.po"}).exitCode, 0);
    ASSERT_GT(Count(Read("in.po"), "#, fuzzy"), kSampleUnits / 10);
    const ProcessRun cleared = Shell("msgattrib --clear-fuzzy -o cleared.po in.po");
    ASSERT_EQ(cleared.exitCode, 0) << cleared.err;
    const ProcessRun imported = Tra({"import-po", tra, "cleared.po", "done.tra"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_NE(imported.out.find("skipped: 0\n"), std::string::npos);
    const ProcessRun stats = Tra({"stats", (folder / "done.tra").string()});
    // Only the texts with an empty original, which the PO does not carry, keep their mark.
    const auto sample = SampleLanguage();
    const auto nodes = PreOrder(*sample->root);
    const auto emptyToDo = std::count_if(nodes.begin(), nodes.end(), [](const CTextNode* node) {
        return node->originalText.empty() && node->editState >= 3;
    });
    EXPECT_NE(stats.out.find("texts to be edited: " + std::to_string(emptyToDo) + " of " + std::to_string(kSampleUnits)), std::string::npos)
        << stats.out;
}

TEST_F(BridgeTools, ImportRefusesOriginalsAndExportRefusesWhatItCannotCarry)
{
    SampleOptions options;
    options.original = true;
    const std::string original = Save(*MakeSampleLanguage(50, 2, options), "original.tra");
    ASSERT_EQ(Tra({"export-po", original, "original.po"}).exitCode, 0) << "an original can be exported";
    ASSERT_EQ(Tra({"export-xliff", original, "original.xlf"}).exitCode, 0);
    // Languages are BCP 47 codes, never names: from the language name, or as given.
    EXPECT_NE(Read("original.xlf").find("source-language=\"de\" target-language=\"de\""), std::string::npos);
    ASSERT_EQ(Tra({"export-xliff", Sample("translation.tra"), "translation.xlf"}).exitCode, 0);
    EXPECT_NE(Read("translation.xlf").find("source-language=\"und\" target-language=\"en\""), std::string::npos);
    ASSERT_EQ(Tra({"export-xliff", original, "ca.xlf", "--source-language=English", "--target-language=fr-CA"}).exitCode, 0);
    EXPECT_NE(Read("ca.xlf").find("source-language=\"en\" target-language=\"fr-CA\""), std::string::npos);
    EXPECT_EQ(Tra({"export-po", original, "x.po", "--target-language=Klingonisch"}).exitCode, 2);
    const ProcessRun refused = Tra({"import-po", original, "original.po", "out.tra"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("this is an original-language file; it cannot be changed"), std::string::npos)
        << refused.err;
    EXPECT_FALSE(fs::exists(folder / "out.tra"));
    // The way out, as in the editor: a new translation of the original takes the PO.
    ASSERT_EQ(Tra({"new-translation", original, "fr.tra", "--language-name=Fran\xC3\xA7" "ais (Suisse)"}).exitCode, 0);
    const auto french = ReadLanguageFile((folder / "fr.tra").string()).language;
    ASSERT_TRUE(french && french->root);
    EXPECT_FALSE(french->IsOriginal());
    EXPECT_EQ(french->languageName, u"Fran\u00E7ais (Suisse)");
    for (const CTextNode* node : PreOrder(*french->root->GetChild(2)))
        EXPECT_TRUE(bridge::OwnTextToBeEdited(*node)) << tools_test::Utf8(node->originalText);
    ASSERT_EQ(Tra({"export-po", "fr.tra", "fr.po"}).exitCode, 0);
    EXPECT_NE(Read("fr.po").find("\"Language: fr\\n\""), std::string::npos);
    EXPECT_EQ(Tra({"import-po", "fr.tra", "original.po", "fr2.tra"}).exitCode, 0);

    // A text that UTF-8 cannot carry: export refuses and names the node.
    auto language = MakeSampleLanguage(50, 2);
    language->root->GetChild(2)->GetChild(0)->translatedText += char16_t(0xDFFF);
    const ProcessRun lone = Tra({"export-po", Save(*language, "lone.tra"), "lone.po"});
    EXPECT_EQ(lone.exitCode, 1);
    EXPECT_NE(lone.err.find("node 2.0 "), std::string::npos) << lone.err;
    EXPECT_FALSE(fs::exists(folder / "lone.po"));
}

} // namespace
