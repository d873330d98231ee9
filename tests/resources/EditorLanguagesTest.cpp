#include "CTextNode.h"
#include "CTranslationChecker.h"
#include "EditorLanguages.h"
#include "EditorResources.h"
#include "FlagPictures.h"
#include "KindCodes.h"
#include "LanguageFileIO.h"
#include "ModelTestSupport.h"
#include "Utf8.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

const EditorLanguages& Languages()
{
    static const CTranslationTable table =
        CTranslationTable::Load(GLOSSMARK_SOURCE_DIR "/resources/Edit.en.txt");
    static const EditorLanguages languages = MakeEditorLanguages(EditorResources(), table, u"2.002");
    return languages;
}

// The French file, made like the English one from its own table.
const CLanguageFile& French()
{
    static const CTranslationTable table =
        CTranslationTable::Load(GLOSSMARK_SOURCE_DIR "/resources/Edit.fr.txt");
    static std::vector<std::u16string> untranslated;
    static const std::unique_ptr<CLanguageFile> french = MakeEditorTranslation(
        *Languages().original, table, kFrenchLanguageName, FrenchFlag(), untranslated);
    EXPECT_TRUE(untranslated.empty()) << untranslated.size() << " French texts missing";
    return *french;
}

const CTextNode& Top(const CLanguageFile& file, const char16_t* text)
{
    const std::u16string path[] = {text};
    const CTextNode* node = file.GetRoot()->FindByPath(path, 1);
    if (!node)
        throw std::runtime_error("no top node");
    return *node;
}

std::vector<std::u16string> ChildTexts(const CTextNode& node)
{
    std::vector<std::u16string> texts;
    for (std::int32_t i = 0; i < node.ChildCount(); ++i)
        texts.push_back(node.GetChild(i)->originalText);
    return texts;
}

const CTextNode* ChildWithText(const CTextNode& node, std::u16string_view text)
{
    for (std::int32_t i = 0; i < node.ChildCount(); ++i)
        if (node.GetChild(i)->originalText == text)
            return node.GetChild(i);
    return nullptr;
}

TEST(EditorLanguages, EveryGermanTextHasAnEnglishOne)
{
    EXPECT_TRUE(Languages().untranslated.empty()) << Languages().untranslated.size() << " missing";
}

TEST(EditorLanguages, HeadersOfBothFiles)
{
    const CLanguageFile& german = *Languages().original;
    const CLanguageFile& english = *Languages().english;
    EXPECT_EQ(german.GetProgramName(), u"Glossmark Editor");
    EXPECT_EQ(english.GetProgramName(), u"Glossmark Editor");
    EXPECT_EQ(german.GetProgramVersion(), english.GetProgramVersion());
    EXPECT_EQ(german.GetLanguageName(), u"Deutsch");
    EXPECT_EQ(english.GetLanguageName(), u"English");
    EXPECT_TRUE(german.IsOriginal());
    EXPECT_FALSE(english.IsOriginal());
    EXPECT_EQ(german.flagPixels[0], 0x000000u);                // black stripe on top
    EXPECT_EQ(german.flagPixels[31 * 32], 0x0000CEFFu);        // gold at the bottom
    EXPECT_NE(english.flagPixels, german.flagPixels);
}

TEST(EditorLanguages, TopNodesAndEveryNodeDone)
{
    const CTextNode& root = *Languages().original->GetRoot();
    EXPECT_EQ(ChildTexts(root), (std::vector<std::u16string>{u"Dialoge", u"Menus", u"Stringtables"}));
    for (const CTextNode* node : PreOrder(root)) {
        EXPECT_EQ(node->editState, node->ChildCount() == 0 ? 0u : 1u) << node->ChildCount();
        EXPECT_EQ(node->originalText, node->translatedText);
    }
}

TEST(EditorLanguages, SwitchEntryCarriesTheSwitchDialogsTexts)
{
    const CTextNode& dialogs = Top(*Languages().original, u"Dialoge");
    const CTextNode* entry = nullptr;
    for (std::int32_t i = 0; i < dialogs.ChildCount() && !entry; ++i)
        if (dialogs.GetChild(i)->kindCode == kind::SwitchEntry)
            entry = dialogs.GetChild(i);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->translatedText, u"Sprache umschalten");
    ASSERT_EQ(entry->ChildCount(), 11);
    const char16_t* expected[] = {u"Sprachen dieser Programmversion", u"Sprachen älterer Programmversionen",
                                  u"OK", u"Abbrechen", u"Hilfe", u"Ver."};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(entry->GetChild(i + 1)->translatedText, expected[i]) << i;
    EXPECT_EQ(entry->GetChild(7)->translatedText.rfind(u"Warnung !", 0), 0u);
    EXPECT_EQ(entry->GetChild(8)->translatedText, u"Fehler bei der Sprachumschaltung");
    EXPECT_FALSE(entry->GetChild(9)->translatedText.empty());
    EXPECT_EQ(std::count(entry->GetChild(10)->translatedText.begin(), entry->GetChild(10)->translatedText.end(), u'\n'), 1); // prompt and tooltip

    // The English file has it too, translated.
    const CTextNode& englishDialogs = Top(*Languages().english, u"Dialoge");
    const CTextNode* englishEntry = ChildWithText(englishDialogs, u"Sprache umschalten");
    ASSERT_NE(englishEntry, nullptr);
    EXPECT_EQ(englishEntry->kindCode, kind::SwitchEntry);
    EXPECT_EQ(englishEntry->translatedText, u"Switch Language");
    EXPECT_EQ(englishEntry->GetChild(4)->translatedText, u"Cancel");
}

TEST(EditorLanguages, StringEntriesAreTheDistinctStringTexts)
{
    const CTextNode& strings = Top(*Languages().original, u"Stringtables");
    std::set<std::u16string> distinct;
    for (const res::StringEntry& entry : EditorResources().strings)
        distinct.insert(std::u16string(entry.text));
    EXPECT_EQ(static_cast<std::size_t>(strings.ChildCount()), distinct.size());
    const std::vector<std::u16string> texts = ChildTexts(strings);
    EXPECT_EQ(std::set<std::u16string>(texts.begin(), texts.end()), distinct);
    const CTextNode* open = ChildWithText(strings, u"Öffnet eine Sprache zum Editieren\nSprache öffnen");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->kindCode, kind::CommandString);
    EXPECT_EQ(ChildWithText(strings, u"%s")->kindCode, kind::String);
}

// The problems the translation checks find in a file (without the width rule,
// which needs fonts), one line each.
std::vector<std::string> Problems(const CLanguageFile& file)
{
    std::vector<std::string> lines;
    for (const checks::TranslationProblem& problem : checks::CTranslationChecker().CheckTree(*file.GetRoot()))
        lines.push_back(utf8::FromUtf16(problem.node->originalText + u": " + checks::DescribeProblem(problem)));
    return lines;
}

// Every shipped translation has the original's shape with most texts really
// translated, and passes the checks a translator's file must pass: the same
// conversions, accelerators and line breaks, and no letter marked twice among
// the items of a menu or the controls of a dialog (the German original's own
// clash, "&Symbolleiste" beside "&Schriftarten...", is forgiven).
TEST(EditorLanguages, ShippedTranslationsHaveTheOriginalsShapeAndPassTheChecks)
{
    const CTextNode& german = *Languages().original->GetRoot();
    for (const CLanguageFile* translation : {static_cast<const CLanguageFile*>(Languages().english.get()), &French()}) {
        SCOPED_TRACE(utf8::FromUtf16(translation->GetLanguageName()));
        const std::vector<const CTextNode*> g = PreOrder(german);
        const std::vector<const CTextNode*> e = PreOrder(std::as_const(*translation->GetRoot()));
        ASSERT_EQ(g.size(), e.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < g.size(); ++i) {
            SCOPED_TRACE(utf8::FromUtf16(g[i]->originalText));
            EXPECT_EQ(e[i]->originalText, g[i]->originalText);
            EXPECT_EQ(e[i]->ChildCount(), g[i]->ChildCount());
            EXPECT_EQ(e[i]->kindCode, g[i]->kindCode);
            EXPECT_EQ(e[i]->width, g[i]->width);
            EXPECT_EQ(e[i]->editState, g[i]->editState);
            differing += e[i]->translatedText != g[i]->originalText;
        }
        EXPECT_GT(differing, g.size() * 3 / 4); // most texts are really translated
    }
    EXPECT_EQ(French().GetLanguageName(), u"Français");
    EXPECT_EQ(French().flagPixels[0], 0x00952300u);       // blue at the left
    EXPECT_EQ(French().flagPixels[31], 0x003929EDu);      // red at the right

    for (const char* path : {GLOSSMARK_BINARY_DIR "/Edit.tra", GLOSSMARK_BINARY_DIR "/Francais.tra",
                             GLOSSMARK_BINARY_DIR "/Deutsch.tra"}) {
        SCOPED_TRACE(path);
        ReadOutcome read = ReadLanguageFile(path);
        ASSERT_NE(read.language, nullptr) << read.error.Describe(path);
        ASSERT_NE(read.language->GetRoot(), nullptr);
        EXPECT_EQ(Problems(*read.language), std::vector<std::string>{});
    }
    const CTextNode& menus = Top(*Languages().english, u"Menus");
    EXPECT_EQ(ChildWithText(*menus.GetChild(0), u"&Datei")->translatedText, u"&File");
}

} // namespace
