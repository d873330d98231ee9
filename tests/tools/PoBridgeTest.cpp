// The PO bridge on its own: the entries it writes, the round trip, and the import rules.

#include "PoBridge.h"
#include "SampleLanguage.h"

#include "BridgeTestSupport.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using bridge_test::Add;
using bridge_test::EveryKindOfText;
using po_bridge::ClassifyFormat;
using po_bridge::FormatKind;
using tools_test::StoredBytes;

std::string Exported(const CLanguageFile& language)
{
    const po_bridge::ExportResult result = po_bridge::ExportPo(language);
    EXPECT_EQ(result.error, "");
    return result.text;
}

TEST(PoBridge, ExportThenImportOfAnUnchangedFileIsByteIdentical)
{
    SampleOptions withSwitch;
    withSwitch.switchEntry = true;
    withSwitch.toDoShare = 0.3;
    std::vector<std::unique_ptr<CLanguageFile>> files;
    files.push_back(EveryKindOfText());
    files.push_back(MakeSampleLanguage(3000, 5, withSwitch));
    files.push_back(MakeSampleLanguage(500, 9));
    for (const auto& language : files) {
        bridge_test::ExpectUnchangedRoundTrip(*language, Exported(*language), po_bridge::ImportPo, false);
    }
}

TEST(PoBridge, EachTextIsOneEntryWithPathFlagsAndComment)
{
    const std::string po = Exported(*EveryKindOfText());
    // The header: language, program and version (line breaks of a header value become blanks).
    EXPECT_NE(po.find("\"Project-Id-Version: Pr\xC3\xBC" "fprogramm \\\"PO\\\" 1.2 3\\n\"\n"), std::string::npos) << po;
    EXPECT_NE(po.find("\"Language-Team: Fran\xC3\xA7" "ais\\n\"\n\"Language: fr\\n\"\n"), std::string::npos);
    EXPECT_NE(po.find("\"Content-Type: text/plain; charset=UTF-8\\n\"\n"), std::string::npos);
    // A dialog control: path, kind and size in the comment, its conversion checked.
    EXPECT_NE(po.find("\n#. Dialoge > \xC3\x96" "ffnen | kind 21, size 80 x 20\n#, c-format\n"
                      "msgctxt \"0.0.0\"\nmsgid \"&Datei:\\t%s\"\nmsgstr \"&Fichier :\\t%s\"\n"),
              std::string::npos)
        << po;
    // A duplicate sibling text still to be edited.
    EXPECT_NE(po.find("#, fuzzy\nmsgctxt \"0.0.2\"\nmsgid \"OK\"\nmsgstr \"D'accord\"\n"), std::string::npos);
    // An inner node whose own text is to be edited; top nodes are no entries.
    EXPECT_NE(po.find("#. Dialoge | kind 1, size 100 x 25\n#, fuzzy\nmsgctxt \"0.1\"\n"), std::string::npos);
    EXPECT_EQ(po.find("msgctxt \"0\"\n"), std::string::npos);
    // A '%' that is no conversion, with the fuzzy flag.
    EXPECT_NE(po.find("#, fuzzy, no-c-format\nmsgctxt \"1.0.0.1\"\nmsgid \"Zu 100%.\"\n"), std::string::npos);
    // Inner line breaks: one line per line of the text, as gettext writes it.
    EXPECT_NE(po.find("msgid \"\"\n\"Zeile 1\\n\"\n\"Zeile 2\\n\"\nmsgstr \"\"\n\"Ligne 1\\n\"\n\"Ligne 2\\n\"\n"),
              std::string::npos);
    EXPECT_NE(po.find("msgid \"\"\n\"CR LF\\r\\n\"\n\"hier\"\n"), std::string::npos);
    EXPECT_NE(po.find("msgid \"Backslash \\\\ und \\\\n w\xC3\xB6rtlich\"\n"), std::string::npos);
    EXPECT_NE(po.find("msgid \"Emoji \xF0\x9F\x98\x80 und \xE4\xB8\xAD\xE6\x96\x87\"\n"), std::string::npos);
    // gettext reads an empty msgid as a header: texts with an empty original are left out.
    EXPECT_EQ(po.find("msgctxt \"0.0.3\""), std::string::npos);
    EXPECT_EQ(bridge_test::Count(po, "msgctxt "), 21u);
}

TEST(PoBridge, ConversionsAreClassifiedAsGettextReadsThem)
{
    EXPECT_EQ(ClassifyFormat(u"Keine Prozente"), FormatKind::None);
    EXPECT_EQ(ClassifyFormat(u"%d Dateien"), FormatKind::CFormat);
    EXPECT_EQ(ClassifyFormat(u"%-5.2f und %s"), FormatKind::CFormat);
    EXPECT_EQ(ClassifyFormat(u"Version %i.%i%02i"), FormatKind::CFormat);
    EXPECT_EQ(ClassifyFormat(u"%ld %lu %lld %hd %zu %c %x %X %p %e %g %o %ls %S"), FormatKind::CFormat);
    EXPECT_EQ(ClassifyFormat(u"%*d %.*f"), FormatKind::CFormat);
    EXPECT_EQ(ClassifyFormat(u"50%% fertig"), FormatKind::CFormat);
    EXPECT_EQ(ClassifyFormat(u"%1$s und %2$d"), FormatKind::CFormat);
    EXPECT_EQ(ClassifyFormat(u"100%"), FormatKind::NoCFormat);
    EXPECT_EQ(ClassifyFormat(u"%"), FormatKind::NoCFormat);
    EXPECT_EQ(ClassifyFormat(u"Rabatt %y"), FormatKind::NoCFormat);
    EXPECT_EQ(ClassifyFormat(u"%d und 100%"), FormatKind::NoCFormat);
    EXPECT_EQ(ClassifyFormat(u"%1$s und %d"), FormatKind::NoCFormat); // numbered and not
}

// A translation below "Stringtables" with three strings and one dialog with a control.
std::unique_ptr<CLanguageFile> Small()
{
    auto language = std::make_unique<CLanguageFile>(std::make_unique<CTextNode>(nullptr));
    language->SetOriginal(false);
    CTextNode& root = *language->root;
    CTextNode& dialogs = Add(root, u"Dialoge", u"Dialoge", 8);
    Add(root, u"Menus", u"Menus", 9);
    CTextNode& strings = Add(root, u"Stringtables", u"Stringtables", 10);
    CTextNode& dialog = Add(dialogs, u"Suchen", u"Search", 1, 0, 1);
    Add(dialog, u"Weiter", u"Next", 23, 50);
    Add(strings, u"Eins", u"One", 6);
    Add(strings, u"Zwei", u"", 6, 0, 3);
    Add(strings, u"Drei", u"Three", 6);
    root.UpdateStates();
    return language;
}

TEST(PoBridge, ImportAppliesMatchingEntriesAndCountsTheRest)
{
    auto language = Small();
    const std::string po = R"(# a translator's file
msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

#, fuzzy
msgctxt "0.0.0"
msgid "Weiter"
msgstr "Continue"

msgctxt "2.1"
msgid "Zwei"
msgstr "Two"

msgctxt "2.0"
msgid "Eins"
msgstr "One"

msgctxt "2.2"
msgid "Drei"
msgstr ""

# another version's text, a second entry for a path, a path that is not there, a top node, a broken path
msgctxt "0.0"
msgid "Uno"
msgstr "Un"

msgctxt "2.1"
msgid "Zwei"
msgstr "Deux"

msgctxt "2.7"
msgid "Eins"
msgstr "One"

msgctxt "1"
msgid "Menus"
msgstr "Menus"

msgctxt "2.x"
msgid "Eins"
msgstr "One"

#, fuzzy
#~ msgctxt "2.0"
#~ msgid "Eins"
#~ msgstr "Obsolete"

msgid "Eins"
msgstr "No context"

msgid "Eins"
msgid_plural "Einsen"
msgstr[0] "One"
msgstr[1] "Ones"
)";
    const po_bridge::ImportResult result = po_bridge::ImportPo(po, *language);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.counts.applied, 2u);
    EXPECT_EQ(result.counts.unchanged, 2u);
    EXPECT_EQ(result.counts.skipped, 7u);
    EXPECT_EQ(result.counts.skippedLines,
              (std::vector<std::string>{
                  "line 24: skipped: the msgid is not the original text at 0.0 (changed since the export?)",
                  "line 28: skipped: msgctxt \"2.1\" again (first at line 11); the first one wins",
                  "line 32: skipped: msgctxt \"2.7\" names no text of the language file",
                  "line 36: skipped: msgctxt \"1\" names no text of the language file",
                  "line 40: skipped: msgctxt \"2.x\" names no text of the language file",
                  "line 49: skipped: no msgctxt, so no text of the language file is named",
                  "line 52: skipped: a plural entry (msgid_plural); a language file has no plural forms"}));

    const CTextNode& root = *language->root;
    const CTextNode& control = *root.GetChild(0)->GetChild(0)->GetChild(0);
    EXPECT_EQ(control.translatedText, u"Continue");
    EXPECT_EQ(control.editState, 3u);
    // The dialog above it now has something to be edited below; the top node too.
    EXPECT_EQ(root.GetChild(0)->GetChild(0)->editState, 2u);
    EXPECT_EQ(root.GetChild(0)->editState, 2u);
    const CTextNode& strings = *root.GetChild(2);
    EXPECT_EQ(strings.GetChild(0)->translatedText, u"One");
    EXPECT_EQ(strings.GetChild(1)->translatedText, u"Two");
    EXPECT_EQ(strings.GetChild(1)->editState, 0u);
    EXPECT_EQ(strings.GetChild(2)->translatedText, u"Three");
    EXPECT_EQ(strings.editState, 1u);
    // Original texts and structure stay.
    EXPECT_EQ(strings.GetChild(0)->originalText, u"Eins");
    EXPECT_EQ(root.CountNodes(), 9);
}

TEST(PoBridge, EmptyOriginalsTakeTheirMarkFromAnEmptyTranslation)
{
    auto language = EveryKindOfText();
    CTextNode& empty = *language->root->GetChild(0)->GetChild(0)->GetChild(4);
    ASSERT_EQ(empty.originalText, u"");
    ASSERT_EQ(empty.editState, 3u);
    const po_bridge::ImportResult result =
        po_bridge::ImportPo("msgctxt \"0.0.4\"\nmsgid \"\"\nmsgstr \"\"\n", *language);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.counts.applied, 1u);
    EXPECT_EQ(empty.editState, 0u);
}

TEST(PoBridge, MalformedFilesNameTheLineAndChangeNothing)
{
    const struct {
        const char* po;
        const char* error;
    } cases[] = {
        {"msgctxt \"2.0\"\nmsgid \"Eins\"\nmsgstr \"One\n", "line 3: expected a string in double quotes"},
        {"msgid \"Eins\"\nmsgstr \"One\"\nmsgfoo \"x\"\n", "line 3: unknown keyword \"msgfoo\""},
        {"\n\n\"dangling\"\n", "line 3: a string without a keyword before it"},
        {"msgid \"a\"\nmsgstr \"b\\q\"\n", "line 2: unknown escape sequence \\q"},
        {"msgctxt \"2.0\"\nmsgid \"Eins\"\n\nmsgid \"Zwei\"\nmsgstr \"\"\n", "line 4: msgid without msgstr before this line"},
        {"msgstr \"x\"\n", "line 1: msgstr without msgid"},
        {"msgctxt \"2.0\"\nmsgid \"Eins\"\n", "line 2: msgid without msgstr"},
        {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n",
         "line 1: the header declares the character set \"iso-8859-1\""},
        {"msgctxt \"2.0\"\nmsgid \"Eins\"\nmsgstr \"\xC3\x28\"\n", "line 1: the entry is not valid UTF-8"},
        {"msgid \"a\" x\nmsgstr \"b\"\n", "line 1: "},
    };
    for (const auto& c : cases) {
        auto language = Small();
        const std::string before = StoredBytes(*language);
        const po_bridge::ImportResult result = po_bridge::ImportPo(c.po, *language);
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.po << "\n-> " << result.error;
        EXPECT_EQ(StoredBytes(*language), before) << c.po;
    }
}

TEST(PoBridge, ExportRefusesTextsThatAreNotValidUtf16AndNamesTheNode)
{
    auto language = Small();
    language->root->GetChild(2)->GetChild(1)->translatedText = {u'Z', char16_t(0xD800), u'x'};
    po_bridge::ExportResult result = po_bridge::ExportPo(*language);
    EXPECT_EQ(result.text, "");
    EXPECT_NE(result.error.find("translated text of the node 2.1 (Stringtables)"), std::string::npos)
        << result.error;

    language = Small();
    language->root->GetChild(0)->GetChild(0)->GetChild(0)->originalText = {char16_t(0xDC00)};
    result = po_bridge::ExportPo(*language);
    EXPECT_NE(result.error.find("original text of the node 0.0.0 (Dialoge > Suchen)"), std::string::npos)
        << result.error;

    // A surrogate pair is fine, and so are control characters (written as escapes).
    language = Small();
    language->root->GetChild(2)->GetChild(0)->translatedText = u"\U0001F600\a\x01";
    result = po_bridge::ExportPo(*language);
    EXPECT_EQ(result.error, "");
    EXPECT_NE(result.text.find("msgstr \"\xF0\x9F\x98\x80\\a\\001\"\n"), std::string::npos) << result.text;
    auto back = Small();
    ASSERT_EQ(po_bridge::ImportPo(result.text, *back).error, "");
    EXPECT_EQ(back->root->GetChild(2)->GetChild(0)->translatedText, u"\U0001F600\a\x01");
}

} // namespace
