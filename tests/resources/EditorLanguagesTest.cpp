#include "CTextNode.h"
#include "EditorLanguages.h"
#include "EditorResources.h"
#include "FlagPictures.h"
#include "KindCodes.h"
#include "LanguageFileIO.h"
#include "RcText.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

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

template <typename Visit>
void Walk(const CTextNode& node, Visit visit)
{
    for (std::int32_t i = 0; i < node.ChildCount(); ++i) {
        visit(*node.GetChild(i));
        Walk(*node.GetChild(i), visit);
    }
}

// The printf and strftime specifiers of a text, in order; "%%" is a literal.
std::vector<std::u16string> Specifiers(const std::u16string& text)
{
    std::vector<std::u16string> specs;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        if (i + 1 < text.size() && text[i + 1] == u'%') {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        if (end < text.size() && std::u16string_view(u"-+# 0").find(text[end]) != std::u16string_view::npos)
            ++end;
        while (end < text.size() && (std::isdigit(text[end] < 128 ? text[end] : 0) || text[end] == u'.'))
            ++end;
        if (end < text.size() && (text[end] == u'h' || text[end] == u'l' || text[end] == u'L'))
            ++end;
        if (end < text.size() && std::isalpha(text[end] < 128 ? text[end] : 0))
            ++end;
        specs.push_back(text.substr(i, end - i));
        i = end - 1;
    }
    return specs;
}

std::size_t Count(const std::u16string& text, char16_t c)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

// The mnemonic letter of a text ('&' before it), 0 when it has none.
char16_t Mnemonic(const std::u16string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'&' && text[i + 1] != u'&')
            return static_cast<char16_t>(text[i + 1] < 128 ? std::toupper(text[i + 1]) : text[i + 1]);
    return 0;
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
    Walk(root, [](const CTextNode& node) {
        EXPECT_EQ(node.editState, node.ChildCount() == 0 ? 0u : 1u) << node.ChildCount();
        EXPECT_EQ(node.originalText, node.translatedText);
    });
}

TEST(EditorLanguages, DialogEntriesHoldTheTextsOfTheirControls)
{
    const CTextNode& dialogs = Top(*Languages().original, u"Dialoge");
    const CTextNode* flag = ChildWithText(dialogs, u"Flagge der Sprache wählen");
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(flag->kindCode, kind::Dialog);
    EXPECT_EQ(flag->width, 319);
    EXPECT_EQ(flag->height, 250);
    EXPECT_EQ(ChildTexts(*flag), (std::vector<std::u16string>{u"&OK", u"&Abbrechen", u"List1"}));
    EXPECT_EQ(flag->GetChild(0)->kindCode, kind::PushButton);
    EXPECT_EQ(flag->GetChild(0)->width, 63);
    EXPECT_EQ(flag->GetChild(0)->height, 14);
    EXPECT_EQ(flag->GetChild(2)->kindCode, kind::OtherControl);
    EXPECT_EQ(flag->GetChild(2)->width, 305);

    const CTextNode* fonts = ChildWithText(dialogs, u"Schriftarten...");
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(ChildTexts(*fonts), (std::vector<std::u16string>{u"OK", u"&Abbrechen", u"Schriftart für Fremdsprache:",
                                                               u"Ändern...", u"Schriftart für Texte:", u"Ändern..."}));
    EXPECT_EQ(fonts->GetChild(2)->kindCode, kind::Label);

    // The head view is a form without a title.
    const CTextNode* head = ChildWithText(dialogs, u"");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(ChildTexts(*head), (std::vector<std::u16string>{u"Programm:", u"Version:", u"Fremdsprache:", u"Sprache:"}));

    const CTextNode* about = ChildWithText(dialogs, u"Info über Glossmark Editor");
    ASSERT_NE(about, nullptr);
    const std::vector<std::u16string> aboutTexts = ChildTexts(*about);
    EXPECT_NE(std::find(aboutTexts.begin(), aboutTexts.end(), u"(Version)"), aboutTexts.end());
    for (const std::u16string& text : aboutTexts)
        EXPECT_NE(text.rfind(u"#", 0), 0u) << "the picture is no text";
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
    EXPECT_EQ(Count(entry->GetChild(10)->translatedText, u'\n'), 1u); // prompt and tooltip

    // The English file has it too, translated.
    const CTextNode& englishDialogs = Top(*Languages().english, u"Dialoge");
    const CTextNode* englishEntry = ChildWithText(englishDialogs, u"Sprache umschalten");
    ASSERT_NE(englishEntry, nullptr);
    EXPECT_EQ(englishEntry->kindCode, kind::SwitchEntry);
    EXPECT_EQ(englishEntry->translatedText, u"Switch Language");
    EXPECT_EQ(englishEntry->GetChild(4)->translatedText, u"Cancel");
}

TEST(EditorLanguages, MenuEntryFollowsTheMenuWithoutSeparators)
{
    const CTextNode& menus = Top(*Languages().original, u"Menus");
    ASSERT_EQ(menus.ChildCount(), 1);
    const CTextNode& menu = *menus.GetChild(0);
    EXPECT_EQ(menu.kindCode, kind::Menu);
    EXPECT_EQ(ChildTexts(menu), (std::vector<std::u16string>{u"&Datei", u"&Bearbeiten", u"&Ansicht", u"&Flagge",
                                                             u"Fremdsprache", u"&?"}));
    const CTextNode& file = *menu.GetChild(0);
    EXPECT_EQ(file.kindCode, kind::Popup);
    EXPECT_EQ(ChildTexts(file),
              (std::vector<std::u16string>{u"&Neue Übersetzung...", u"Ö&ffnen...", u"S&peichern",
                                           u"Speichern &unter...", u"&Versions-Update", u"&Drucken...\tStrg+P",
                                           u"Seitenansic&ht", u"Seite ein&richten...", u"Letzte Datei",
                                           u"Letzte Datei", u"Letzte Datei", u"Letzte Datei", u"&Beenden"}));
    EXPECT_EQ(file.GetChild(0)->kindCode, kind::MenuItem);
    EXPECT_EQ(menu.GetChild(1)->GetChild(0)->originalText, u"&Rückgängig\tStrg+Z");
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

TEST(EditorLanguages, TranslationsHaveTheSameShapeAndEveryTextTranslatedFaithfully)
{
    const CTextNode& german = *Languages().original->GetRoot();
    for (const CLanguageFile* translation : {static_cast<const CLanguageFile*>(Languages().english.get()), &French()}) {
        const std::u16string& name = translation->GetLanguageName();
        SCOPED_TRACE(Utf16ToUtf8(name));
        std::vector<const CTextNode*> g, e;
        Walk(german, [&](const CTextNode& node) { g.push_back(&node); });
        Walk(*translation->GetRoot(), [&](const CTextNode& node) { e.push_back(&node); });
        ASSERT_EQ(g.size(), e.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < g.size(); ++i) {
            const std::u16string& source = g[i]->originalText;
            const std::u16string& target = e[i]->translatedText;
            SCOPED_TRACE(Utf16ToUtf8(source));
            EXPECT_EQ(e[i]->originalText, source);
            EXPECT_EQ(e[i]->ChildCount(), g[i]->ChildCount());
            EXPECT_EQ(e[i]->kindCode, g[i]->kindCode);
            EXPECT_EQ(e[i]->width, g[i]->width);
            EXPECT_EQ(e[i]->height, g[i]->height);
            EXPECT_EQ(e[i]->editState, g[i]->editState);
            EXPECT_EQ(target.empty(), source.empty());
            EXPECT_EQ(Count(target, u'&'), Count(source, u'&'));
            EXPECT_EQ(Count(target, u'\n'), Count(source, u'\n'));
            EXPECT_EQ(Count(target, u'\t'), Count(source, u'\t'));
            EXPECT_EQ(Specifiers(target), Specifiers(source));
            differing += target != source;
        }
        EXPECT_GT(differing, g.size() * 3 / 4); // most texts are really translated
    }
    EXPECT_EQ(French().GetLanguageName(), u"Français");
    EXPECT_FALSE(French().IsOriginal());
    EXPECT_EQ(French().flagPixels[0], 0x00952300u);       // blue at the left
    EXPECT_EQ(French().flagPixels[31], 0x003929EDu);      // red at the right
}

// Letters marked twice among the siblings of every menu and dialog of a
// language file: "menu text: letter".
std::vector<std::string> RepeatedMnemonics(const CLanguageFile& file)
{
    std::vector<std::string> repeated;
    auto checkSiblings = [&repeated](const CTextNode& parent) {
        std::set<char16_t> used;
        for (std::int32_t i = 0; i < parent.ChildCount(); ++i) {
            const char16_t letter = Mnemonic(parent.GetChild(i)->translatedText);
            if (letter != 0 && !used.insert(letter).second)
                repeated.push_back(Utf16ToUtf8(parent.translatedText) + ": " +
                                   Utf16ToUtf8(std::u16string(1, letter)));
        }
    };
    const CTextNode& menus = Top(file, u"Menus");
    Walk(menus, [&](const CTextNode& node) {
        if (node.ChildCount() > 0)
            checkSiblings(node);
    });
    const CTextNode& dialogs = Top(file, u"Dialoge");
    for (std::int32_t i = 0; i < dialogs.ChildCount(); ++i)
        checkSiblings(*dialogs.GetChild(i));
    return repeated;
}

TEST(EditorLanguages, MnemonicsAreUniqueWithinEachMenuAndDialogOfEveryShippedFile)
{
    for (const char* path : {GLOSSMARK_BINARY_DIR "/Edit.tra", GLOSSMARK_BINARY_DIR "/Francais.tra",
                             GLOSSMARK_BINARY_DIR "/Deutsch.tra"}) {
        SCOPED_TRACE(path);
        ReadOutcome read = ReadLanguageFile(path);
        ASSERT_NE(read.language, nullptr) << read.error.Describe(path);
        ASSERT_NE(read.language->GetRoot(), nullptr);
        const std::vector<std::string> repeated = RepeatedMnemonics(*read.language);
        // The program's own German menu has "&Symbolleiste" and "&Schriftarten..."
        // side by side; those texts are the original's and stay as they are.
        if (read.language->IsOriginal())
            EXPECT_EQ(repeated, std::vector<std::string>{"&Ansicht: S"});
        else
            EXPECT_TRUE(repeated.empty()) << ::testing::PrintToString(repeated);
    }
    const CTextNode& menus = Top(*Languages().english, u"Menus");
    EXPECT_EQ(ChildWithText(*menus.GetChild(0), u"&Datei")->translatedText, u"&File");
    EXPECT_EQ(ChildWithText(*ChildWithText(*menus.GetChild(0), u"&Bearbeiten"), u"&Kopieren\tStrg+C")->translatedText,
              u"&Copy\tCtrl+C");
}

TEST(EditorLanguages, BuiltFilesReadBackAsMade)
{
    for (const auto& [path, made] :
         {std::pair<const char*, const CLanguageFile*>{GLOSSMARK_BINARY_DIR "/Edit.tra", Languages().english.get()},
          std::pair<const char*, const CLanguageFile*>{GLOSSMARK_BINARY_DIR "/Deutsch.tra", Languages().original.get()},
          std::pair<const char*, const CLanguageFile*>{GLOSSMARK_BINARY_DIR "/Francais.tra", &French()}}) {
        SCOPED_TRACE(path);
        ReadOutcome read = ReadLanguageFile(path);
        ASSERT_FALSE(read.error) << read.error.Describe(path);
        ASSERT_NE(read.language, nullptr);
        ASSERT_NE(read.language->GetRoot(), nullptr);
        EXPECT_EQ(read.language->GetLanguageName(), made->GetLanguageName());
        EXPECT_EQ(read.language->IsOriginal(), made->IsOriginal());
        EXPECT_EQ(read.language->flagPixels, made->flagPixels);
        std::vector<std::pair<std::u16string, std::u16string>> a, b;
        Walk(*read.language->GetRoot(), [&](const CTextNode& n) { a.emplace_back(n.originalText, n.translatedText); });
        Walk(*made->GetRoot(), [&](const CTextNode& n) { b.emplace_back(n.originalText, n.translatedText); });
        EXPECT_EQ(a, b);
    }
}

} // namespace
