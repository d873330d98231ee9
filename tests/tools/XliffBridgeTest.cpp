// The XLIFF bridge on its own: what it writes, the round trip, and the import rules.

#include "SampleLanguage.h"
#include "XliffBridge.h"

#include "BridgeTestSupport.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using bridge_test::EveryKindOfText;
using tools_test::StoredBytes;

std::string Exported(const CLanguageFile& language)
{
    const xliff_bridge::ExportResult result = xliff_bridge::ExportXliff(language, u"de");
    EXPECT_EQ(result.error, "");
    return result.text;
}

TEST(XliffBridge, ExportThenImportOfAnUnchangedFileIsByteIdentical)
{
    SampleOptions options;
    options.switchEntry = true;
    options.toDoShare = 0.3;
    std::vector<std::unique_ptr<CLanguageFile>> files;
    files.push_back(EveryKindOfText());
    files.push_back(MakeSampleLanguage(3000, 6, options));
    for (const auto& language : files) {
        bridge_test::ExpectUnchangedRoundTrip(*language, Exported(*language), xliff_bridge::ImportXliff, true);
    }
}

TEST(XliffBridge, UnitsCarryPathStateNoteAndWidthEscapedAsXmlNeeds)
{
    const std::string xliff = Exported(*EveryKindOfText());
    EXPECT_NE(xliff.find("<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\" version=\"1.2\">"),
              std::string::npos);
    EXPECT_NE(xliff.find("source-language=\"de\" target-language=\"fr\""), std::string::npos);
    EXPECT_EQ(bridge_test::Count(xliff, "<trans-unit "), 23u);
    EXPECT_EQ(bridge_test::Count(xliff, "<file "), 1u);
    // A push button keeps to its control: 50 dialog units, 77.5 % of 100 pixels.
    EXPECT_NE(xliff.find("<trans-unit id=\"0.0.1\" resname=\"Dialoge &gt; \xC3\x96" "ffnen\" xml:space=\"preserve\" "
                         "approved=\"yes\" maxwidth=\"77\" size-unit=\"pixel\">"),
              std::string::npos)
        << xliff;
    // A label has no width limit.
    EXPECT_NE(xliff.find("<trans-unit id=\"0.0.0\" resname=\"Dialoge &gt; \xC3\x96" "ffnen\" xml:space=\"preserve\" "
                         "approved=\"yes\">"),
              std::string::npos);
    EXPECT_NE(xliff.find("<target state=\"needs-translation\">D'accord</target>"), std::string::npos);
    EXPECT_NE(xliff.find("<note>Dialoge &gt; \xC3\x96" "ffnen | kind 23, size 50 x 12</note>"), std::string::npos);
    EXPECT_NE(xliff.find("<source>Gr\xC3\xB6\xC3\x9F" "e &lt;b&gt; &amp; &quot;x&quot; ]]&gt; 'y'</source>"), std::string::npos);
    EXPECT_NE(xliff.find("<source>&amp;Datei:\t%s</source>"), std::string::npos);
    EXPECT_NE(xliff.find("<source>CR LF&#13;\nhier</source>"), std::string::npos);
    EXPECT_NE(xliff.find("<source>Emoji \xF0\x9F\x98\x80 und"), std::string::npos);
}

TEST(XliffBridge, ImportAppliesStatesAndSkipsWhatDoesNotFit)
{
    auto language = EveryKindOfText();
    const std::string xliff = R"(<?xml version="1.0" encoding="UTF-8"?>
<xliff xmlns="urn:oasis:names:tc:xliff:document:1.2" version="1.2">
 <file original="x" source-language="de" target-language="fr" datatype="plaintext">
  <body>
   <trans-unit id="0.0.2"><source>OK</source><target state="translated">Valider</target></trans-unit>
   <trans-unit id="0.0.1"><source>OK</source><target state="needs-review-translation">Bon</target></trans-unit>
   <trans-unit id="2.0"><source>Zeile 1
Zeile 2
</source><target state="final">L1
L2
</target><note>ignored</note></trans-unit>
   <trans-unit id="2.5" approved="yes"><source>Nur Original</source><target>Seulement</target></trans-unit>
   <trans-unit id="2.3"><source>Backslash \ und \n w&#246;rtlich</source></trans-unit>
   <trans-unit id="2.1"><source>Vorne</source><target>x</target></trans-unit>
   <trans-unit id="9.9"><source>OK</source><target>x</target></trans-unit>
   <group><trans-unit id="1.0.0.2"><source>%d von %s, 50%% erledigt</source><target><g id="1">%d sur %s</g></target></trans-unit></group>
   <trans-unit id="0.0.2"><source>OK</source><target>Autre</target></trans-unit>
  </body>
 </file>
</xliff>
)";
    const xliff_bridge::ImportResult result = xliff_bridge::ImportXliff(xliff, *language);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.counts.applied, 5u);
    EXPECT_EQ(result.counts.unchanged, 1u);
    EXPECT_EQ(result.counts.skipped, 3u);
    EXPECT_EQ(result.counts.skippedLines.back(), "line 17: skipped: id \"0.0.2\" again (first at line 5); the first one wins");
    const CTextNode& root = *language->root;
    const CTextNode& dialog = *root.GetChild(0)->GetChild(0);
    EXPECT_EQ(dialog.GetChild(2)->translatedText, u"Valider");
    EXPECT_EQ(dialog.GetChild(2)->editState, 0u);
    EXPECT_EQ(dialog.GetChild(1)->translatedText, u"Bon");
    EXPECT_EQ(dialog.GetChild(1)->editState, 3u);
    EXPECT_EQ(root.GetChild(2)->GetChild(0)->translatedText, u"L1\nL2\n");
    EXPECT_EQ(root.GetChild(2)->GetChild(5)->translatedText, u"Seulement");
    EXPECT_EQ(root.GetChild(2)->GetChild(5)->editState, 0u);
    EXPECT_EQ(root.GetChild(1)->GetChild(0)->GetChild(0)->GetChild(2)->translatedText, u"%d sur %s");
}

TEST(XliffBridge, MalformedDocumentsNameTheLineAndChangeNothing)
{
    const struct {
        const char* xliff;
        const char* error;
    } cases[] = {
        {"<xliff version=\"1.2\">\n<file>\n<body>\n<trans-unit id=\"2.0\"><source>a</target>\n", "line 4: "},
        {"<xliff>\n<file>\n</xliff>\n", "line 3: "},
        {"<html><body/></html>", "line 1: expected an <xliff> document, found <html>"},
        {"", "line 1: "},
        {"<xliff><file><body><trans-unit id=\"2.0\"><trans-unit id=\"2.1\"/></trans-unit></body></file></xliff>",
         "line 1: a <trans-unit> inside another"},
    };
    for (const auto& c : cases) {
        auto language = EveryKindOfText();
        const std::string before = StoredBytes(*language);
        const xliff_bridge::ImportResult result = xliff_bridge::ImportXliff(c.xliff, *language);
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.xliff << "\n-> " << result.error;
        EXPECT_EQ(StoredBytes(*language), before) << c.xliff;
    }
}

TEST(XliffBridge, ExportRefusesCharactersXmlCannotCarry)
{
    for (const std::u16string& text : {std::u16string{u'a', char16_t(0xD800)}, std::u16string(u"bell\a"),
                                       std::u16string{u'x', char16_t(0xFFFE)}}) {
        auto language = EveryKindOfText();
        language->root->GetChild(2)->GetChild(3)->translatedText = text;
        const xliff_bridge::ExportResult result = xliff_bridge::ExportXliff(*language, u"de");
        EXPECT_EQ(result.text, "");
        EXPECT_NE(result.error.find("translated text of the node 2.3 (Stringtables)"), std::string::npos)
            << result.error;
    }
}

} // namespace
