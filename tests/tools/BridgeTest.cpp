// The PO and XLIFF bridges on their own, one suite for both: the export of a
// file with every kind of text and the imports into it are golden files
// (tests/golden/bridges); the round trip and what export refuses are checked
// here, damaged files by the fuzz corpus test.

#include "PoBridge.h"
#include "SampleLanguage.h"
#include "XliffBridge.h"

#include "BridgeTestSupport.h"
#include "Golden.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using bridge_test::EveryKindOfText;
using tools_test::StoredBytes;

struct Po {
    static constexpr const char* kExtension = ".po";
    // gettext reads an empty msgid as a header: texts with an empty original are not exported.
    static constexpr bool kWithEmptyOriginals = false;
    static std::string Export(const CLanguageFile& language)
    {
        const po_bridge::ExportResult result = po_bridge::ExportPo(language);
        EXPECT_EQ(result.error, "");
        return result.text;
    }
    static po_bridge::ExportResult TryExport(const CLanguageFile& language)
    {
        return po_bridge::ExportPo(language);
    }
    static po_bridge::ImportResult Import(std::string_view text, CLanguageFile& language)
    {
        return po_bridge::ImportPo(text, language);
    }
};

struct Xliff {
    static constexpr const char* kExtension = ".xlf";
    static constexpr bool kWithEmptyOriginals = true;
    static std::string Export(const CLanguageFile& language)
    {
        const xliff_bridge::ExportResult result = TryExport(language);
        EXPECT_EQ(result.error, "");
        return result.text;
    }
    static xliff_bridge::ExportResult TryExport(const CLanguageFile& language)
    {
        return xliff_bridge::ExportXliff(language, u"de");
    }
    static xliff_bridge::ImportResult Import(std::string_view text, CLanguageFile& language)
    {
        return xliff_bridge::ImportXliff(text, language);
    }
};

template <class Bridge>
class BridgeTest : public ::testing::Test {};
using Bridges = ::testing::Types<Po, Xliff>;
TYPED_TEST_SUITE(BridgeTest, Bridges);

const std::filesystem::path kFolder = GLOSSMARK_GOLDEN_DIR "/bridges";

// Every node whose translation or state an import changed, as "path state text".
std::string Changes(const CTextNode& before, const CTextNode& after, const std::string& path)
{
    std::string out;
    if (before.translatedText != after.translatedText || before.editState != after.editState) {
        std::string text = tools_test::Utf8(after.translatedText);
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
            text.replace(at, 1, "\\n");
        out += path + " " + std::to_string(after.editState) + " \"" + text + "\"\n";
    }
    for (std::int32_t i = 0; i < after.ChildCount(); ++i)
        out += Changes(*before.GetChild(i), *after.GetChild(i),
                       (path.empty() ? "" : path + ".") + std::to_string(i));
    return out;
}

TYPED_TEST(BridgeTest, ExportOfEveryKindOfTextIsTheGoldenFile)
{
    golden::Expect(kFolder / (std::string("every-kind-of-text") + TypeParam::kExtension),
                   TypeParam::Export(*EveryKindOfText()));
}

// Each import-*.po / import-*.xlf goes into the file with every kind of text:
// the counts, the skipped entries with their lines and what changed, or the error,
// which names the line and changes nothing.
TYPED_TEST(BridgeTest, ImportsGiveTheirGoldenResult)
{
    const auto inputs = golden::Inputs(kFolder, TypeParam::kExtension);
    EXPECT_GE(inputs.size(), 3u);
    for (const auto& input : inputs) {
        if (input.filename().string().rfind("import-", 0) != 0)
            continue;
        SCOPED_TRACE(input.filename().string());
        const auto base = EveryKindOfText();
        auto language = base->Copy();
        const auto result = TypeParam::Import(golden::Read(input), *language);
        std::string actual;
        if (!result.error.empty()) {
            EXPECT_EQ(result.error.rfind("line ", 0), 0u) << result.error;
            EXPECT_EQ(StoredBytes(*language), StoredBytes(*base));
            actual = "error: " + result.error + "\n";
        } else {
            actual = "applied " + std::to_string(result.counts.applied) + ", unchanged " +
                     std::to_string(result.counts.unchanged) + ", skipped " +
                     std::to_string(result.counts.skipped) + "\n";
            for (const std::string& skipped : result.counts.skippedLines)
                actual += skipped + "\n";
            actual += Changes(*base->root, *language->root, "");
            EXPECT_EQ(language->root->CountNodes(), base->root->CountNodes());
            EXPECT_FALSE(language->root->UpdateStates()) << "the states are consistent";
        }
        golden::Expect(input, actual);
    }
}

TYPED_TEST(BridgeTest, ExportThenImportOfAnUnchangedFileIsByteIdentical)
{
    SampleOptions options;
    options.switchEntry = true;
    options.toDoShare = 0.3;
    std::vector<std::unique_ptr<CLanguageFile>> files;
    files.push_back(EveryKindOfText());
    files.push_back(MakeSampleLanguage(3000, 5, options));
    for (const auto& language : files) {
        bridge_test::ExpectUnchangedRoundTrip(*language, TypeParam::Export(*language),
                                              TypeParam::Import, TypeParam::kWithEmptyOriginals);
    }
}

TYPED_TEST(BridgeTest, ExportRefusesTextsThatAreNotValidUtf16AndNamesTheNode)
{
    auto language = EveryKindOfText();
    language->root->GetChild(2)->GetChild(3)->translatedText = {u'a', char16_t(0xD800)};
    auto result = TypeParam::TryExport(*language);
    EXPECT_EQ(result.text, "");
    EXPECT_NE(result.error.find("translated text of the node 2.3 (Stringtables)"), std::string::npos)
        << result.error;

    language = EveryKindOfText();
    language->root->GetChild(0)->GetChild(0)->GetChild(0)->originalText = {char16_t(0xDC00)};
    result = TypeParam::TryExport(*language);
    EXPECT_NE(result.error.find("original text of the node 0.0.0 (Dialoge > \xC3\x96"
                                "ffnen)"),
              std::string::npos)
        << result.error;
}

// What only one of the formats can or cannot carry.
TEST(BridgeFormats, PoWritesControlCharactersAsEscapesXliffRefusesThem)
{
    auto language = EveryKindOfText();
    language->root->GetChild(2)->GetChild(3)->translatedText = u"\U0001F600\a\x01";
    const po_bridge::ExportResult po = po_bridge::ExportPo(*language);
    EXPECT_EQ(po.error, "");
    EXPECT_NE(po.text.find("msgstr \"\xF0\x9F\x98\x80\\a\\001\"\n"), std::string::npos) << po.text;
    auto back = EveryKindOfText();
    ASSERT_EQ(po_bridge::ImportPo(po.text, *back).error, "");
    EXPECT_EQ(back->root->GetChild(2)->GetChild(3)->translatedText, u"\U0001F600\a\x01");

    for (const std::u16string& text : {std::u16string(u"bell\a"), std::u16string{u'x', char16_t(0xFFFE)}}) {
        language->root->GetChild(2)->GetChild(3)->translatedText = text;
        const xliff_bridge::ExportResult xliff = xliff_bridge::ExportXliff(*language, u"de");
        EXPECT_EQ(xliff.text, "");
        EXPECT_NE(xliff.error.find("translated text of the node 2.3 (Stringtables)"), std::string::npos)
            << xliff.error;
    }
}

TEST(BridgeFormats, PoConversionsAreClassifiedAsGettextReadsThem)
{
    using po_bridge::ClassifyFormat;
    using po_bridge::FormatKind;
    for (const char16_t* text : {u"%d Dateien", u"%-5.2f und %s", u"Version %i.%i%02i",
                                 u"%ld %lu %lld %hd %zu %c %x %X %p %e %g %o %ls %S", u"%*d %.*f",
                                 u"50%% fertig", u"%1$s und %2$d"})
        EXPECT_EQ(ClassifyFormat(text), FormatKind::CFormat) << tools_test::Utf8(text);
    for (const char16_t* text : {u"100%", u"%", u"Rabatt %y", u"%d und 100%", u"%1$s und %d"})
        EXPECT_EQ(ClassifyFormat(text), FormatKind::NoCFormat) << tools_test::Utf8(text);
    EXPECT_EQ(ClassifyFormat(u"Keine Prozente"), FormatKind::None);
}

} // namespace
