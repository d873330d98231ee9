// String lookup by text: which entry wins, the switch mapping, the switch
// command's prompt, and the index against the plain depth-first walk.

#include "TranslationTest.h"

#include "CResources.h"
#include "CStringIndex.h"
#include "CTranslationState.h"
#include "Golden.h"
#include "ModelTestSupport.h"
#include "SampleLanguage.h"
#include "TranslatedStrings.h"
#include "TreeText.h"
#include "UiLanguage.h"
#include "Utf8.h"

#include <filesystem>
#include <sstream>

namespace {

class StringLookupTest : public TranslationTest {};

// Each file of tests/golden/strings holds a language's tree (as TreeText.h reads
// it), a "----" line and texts to look up, one a line; beside it each text with
// its translation or "not found".
TEST_F(StringLookupTest, GoldenLookups)
{
    const auto inputs = golden::Inputs(GLOSSMARK_GOLDEN_DIR "/strings", ".strings");
    ASSERT_GE(inputs.size(), 3u);
    for (const std::filesystem::path& input : inputs) {
        const std::string texts = InstallGolden(input);
        std::string actual;
        std::istringstream lines(texts);
        for (std::string line; std::getline(lines, line);) {
            std::u16string lookedUp = test_tree::Text(line);
            const bool found = TranslateString(lookedUp);
            actual += "\"" + line + "\" -> " + (found ? "\"" + utf8::FromUtf16(lookedUp) + "\"" : "not found") + "\n";
        }
        golden::Expect(input, actual);
        UnloadTranslation();
    }
}

TEST_F(StringLookupTest, IndexFollowsTextsChangedInPlace)
{
    auto language = MakeLanguage();
    Add(Top(*language, u"Stringtables"), u"Datei", u"File");
    Install(*language);
    std::u16string text = u"Datei";
    EXPECT_TRUE(TranslateString(text));
    Top(*GetCurrentTranslation(), u"Stringtables")->GetChild(0)->originalText = u"Neu";
    InvalidateStringIndex();
    text = u"Datei";
    EXPECT_FALSE(TranslateString(text));
    text = u"Neu";
    EXPECT_TRUE(TranslateString(text));
}

TEST_F(StringLookupTest, SwitchCommandGivesTheSwitchEntrysPromptOrLeavesTheText)
{
    constexpr unsigned switchId = 19987;
    auto childless = MakeLanguage();
    Add(Top(*childless, u"Dialoge"), u"Sprache umschalten", u"Switch language", 30); // no child 10
    Install(*childless);
    std::u16string text = u"unchanged";
    EXPECT_FALSE(LoadTranslatedString(text, switchId));
    EXPECT_EQ(text, u"unchanged");
    UnloadTranslation();

    auto language = MakeLanguage();
    CTextNode* dialogs = Top(*language, u"Dialoge");
    Add(dialogs, u"Sonst", u"Other", 1);
    CTextNode* entry = Add(dialogs, u"Sprache umschalten", u"Switch language", 30);
    for (int i = 0; i < 11; ++i)
        Add(entry, u"Kind " + std::u16string(1, char16_t(u'0' + i)), u"Child " + std::u16string(1, char16_t(u'A' + i)));
    Add(dialogs, u"Zweiter", u"Second", 30);
    Install(*language);

    EXPECT_TRUE(LoadTranslatedString(text, switchId));
    EXPECT_EQ(text, u"Child K");
    EXPECT_EQ(FindSwitchEntry(), GetCurrentTranslation()->GetRoot()->GetChild(0)->GetChild(1));
}

TEST_F(StringLookupTest, LoadTranslatedStringReportsTheTranslationNotTheResource)
{
    auto language = MakeLanguage();
    Add(Top(*language, u"Stringtables"), u"%s", u"[%s]");
    Add(Top(*language, u"Stringtables"), u"", u"was empty");
    Install(*language);
    std::u16string text;
    EXPECT_TRUE(LoadTranslatedString(text, 61449)); // "%s", looked up like any string
    EXPECT_EQ(text, u"[%s]");
    EXPECT_FALSE(LoadTranslatedString(text, 200));
    EXPECT_EQ(text, u"Version %i.%i%02i");
    // A missing resource is the empty string, which is then looked up too.
    EXPECT_TRUE(LoadTranslatedString(text, 4321));
    EXPECT_EQ(text, u"was empty");
    // A string made from id 0 is made from nothing and is not looked up.
    EXPECT_EQ(TranslatedString(0), u"");
    EXPECT_EQ(TranslatedString(4321), u"was empty");
}

// The index points into the tree it was built from; whoever replaces the tree
// goes through the state, which drops the index with it.
TEST_F(StringLookupTest, ReplacingATreeThroughItsOwnerNeverLeavesAStaleIndex)
{
    CTranslationState& state = CTranslationState::Get();
    auto first = MakeLanguage();
    Add(Top(*first, u"Stringtables"), u"Datei", u"File");
    Install(*first);
    std::u16string text = u"Datei";
    ASSERT_TRUE(TranslateString(text));

    auto second = MakeLanguage();
    Add(Top(*second, u"Stringtables"), u"Datei", u"Fichier");
    state.SetCurrent(std::move(second)); // frees the tree the index was built on
    text = u"Datei";
    EXPECT_TRUE(TranslateString(text));
    EXPECT_EQ(text, u"Fichier");

    auto mapping = MakeLanguage();
    Add(Top(*mapping, u"Stringtables"), u"Fichier", u"Datei");
    state.SetSwitchMapping(std::move(mapping));
    text = u"Fichier";
    EXPECT_TRUE(TranslateString(text));
    EXPECT_EQ(text, u"Datei");
    text = u"Datei"; // the current language is not asked while the mapping exists
    EXPECT_FALSE(TranslateString(text));
    state.TakeSwitchMapping().reset();
    text = u"Fichier";
    EXPECT_FALSE(TranslateString(text));

    state.SetCurrent(nullptr);
    text = u"Datei";
    EXPECT_FALSE(TranslateString(text));
}

TEST_F(StringLookupTest, IndexAnswersLikeTheLinearWalk)
{
    const auto language = MakeSampleLanguage(4000, 7);
    const std::u16string name = u"Stringtables";
    const CTextNode* strings = language->GetRoot()->FindByPath(&name, 1);
    ASSERT_NE(strings, nullptr);
    CStringIndex index;
    index.Build(strings);

    int checked = 0;
    for (const CTextNode* node : PreOrder(*strings)) {
        for (const CNodeText* key : {&node->originalText, &node->translatedText}) {
            ASSERT_EQ(index.Find(*key), CStringIndex::FindLinear(strings, *key));
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
    EXPECT_EQ(index.Find(u"no such text"), nullptr);
    EXPECT_EQ(CStringIndex::FindLinear(strings, u"no such text"), nullptr);
    EXPECT_EQ(index.Find(name), strings);
}

TEST_F(StringLookupTest, TranslatedMessageBoxShowsTheTranslatedText)
{
    auto language = MakeLanguage();
    Add(Top(*language, u"Stringtables"), u"Version %i.%i%02i", u"Release %i.%i%02i");
    Install(*language);
    EXPECT_EQ(TranslatedMessageBox(200), IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], u"Release %i.%i%02i");
}

} // namespace
