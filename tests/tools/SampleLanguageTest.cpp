#include "SampleLanguage.h"

#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

using tools_test::AllNodes;
using tools_test::StoredBytes;

const CTextNode* Top(const CLanguageFile& language, const std::u16string& text)
{
    const std::u16string path[] = {text};
    return language.root->FindByPath(path, 1);
}

bool AnyText(const CLanguageFile& language, const std::u16string& part)
{
    for (const CTextNode* node : AllNodes(*language.root)) {
        if (node->originalText.find(part) != std::u16string::npos ||
            node->translatedText.find(part) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

TEST(SampleLanguage, HasTheTopNodesAndExactlyTheRequestedNumberOfTexts)
{
    for (int count : {0, 1, 2, 5, 12, 17, 40, 399, 5000}) {
        for (bool switchEntry : {false, true}) {
            SampleOptions options;
            options.switchEntry = switchEntry;
            const auto language = MakeSampleLanguage(count, 3, options);
            ASSERT_NE(language->root, nullptr);
            const CTextNode& root = *language->root;
            ASSERT_EQ(root.ChildCount(), 3);
            EXPECT_EQ(root.GetChild(0)->originalText, u"Dialoge");
            EXPECT_EQ(root.GetChild(1)->originalText, u"Menus");
            EXPECT_EQ(root.GetChild(2)->originalText, u"Stringtables");
            EXPECT_EQ(root.CountNodes(), count + 4) << count << " texts, switch " << switchEntry;
        }
    }
}

TEST(SampleLanguage, DialogsHoldEveryKindCodeAndSizesInDialogUnits)
{
    const auto language = MakeSampleLanguage(400, 11);
    const CTextNode* dialogs = Top(*language, u"Dialoge");
    std::set<int> controlKinds;
    for (std::int32_t d = 0; d < dialogs->ChildCount(); ++d) {
        const CTextNode* dialog = dialogs->GetChild(d);
        EXPECT_NE(dialog->kindCode, sample_kind::kSwitchEntry) << "only on request";
        EXPECT_GT(dialog->width, 0);
        EXPECT_GT(dialog->height, 0);
        for (std::int32_t c = 0; c < dialog->ChildCount(); ++c) {
            const CTextNode* control = dialog->GetChild(c);
            controlKinds.insert(control->kindCode);
            EXPECT_GT(control->width, 0) << tools_test::Utf8(control->originalText);
            EXPECT_GT(control->height, 0) << tools_test::Utf8(control->originalText);
        }
    }
    const std::set<int> expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 21, 22, 23, 24, 25, 99};
    EXPECT_EQ(controlKinds, expected);
}

TEST(SampleLanguage, SwitchEntryIsTheFirstDialogWithElevenChildren)
{
    SampleOptions options;
    options.switchEntry = true;
    const auto language = MakeSampleLanguage(300, 5, options);
    const CTextNode* entry = Top(*language, u"Dialoge")->GetChild(0);
    EXPECT_EQ(entry->kindCode, 30);
    EXPECT_EQ(entry->originalText, u"Sprache umschalten");
    ASSERT_EQ(entry->ChildCount(), 11);
    EXPECT_EQ(entry->GetChild(3)->translatedText, u"OK");
    EXPECT_NE(entry->GetChild(10)->translatedText.find(u'\n'), std::u16string::npos)
        << "child 10 is a prompt and a tooltip";
}

TEST(SampleLanguage, MenusAndStringTablesHaveTheirUsualShape)
{
    const auto language = MakeSampleLanguage(2000, 8);
    const CTextNode* menus = Top(*language, u"Menus");
    ASSERT_GT(menus->ChildCount(), 3);
    const CTextNode* main = menus->GetChild(0);
    ASSERT_GT(main->ChildCount(), 0);
    EXPECT_EQ(main->GetChild(0)->originalText, u"&Datei");
    EXPECT_EQ(main->GetChild(0)->GetChild(0)->originalText, u"&Neu\tStrg+N");
    EXPECT_EQ(main->GetChild(0)->GetChild(0)->translatedText, u"&New\tCtrl+N");
    // A context menu's entry holds exactly one popup.
    EXPECT_EQ(menus->GetChild(3)->ChildCount(), 1);
    bool nestedPopup = false;
    for (const CTextNode* node : AllNodes(*menus)) {
        nestedPopup = nestedPopup || node->GetDepth() >= 5;
    }
    EXPECT_TRUE(nestedPopup);

    const CTextNode* strings = Top(*language, u"Stringtables");
    for (std::int32_t b = 0; b < strings->ChildCount(); ++b) {
        const CTextNode* block = strings->GetChild(b);
        EXPECT_LE(block->ChildCount(), 16);
        for (std::int32_t s = 0; s < block->ChildCount(); ++s) {
            EXPECT_EQ(block->GetChild(s)->ChildCount(), 0);
        }
    }
}

TEST(SampleLanguage, TextsCarryFormatsAcceleratorsControlsAndNonAscii)
{
    const auto language = MakeSampleLanguage(400, 1);
    for (const std::u16string part :
         {u"%d", u"%s", u"%i", u"%02i", u"%-5.2f", u"%%", u"&", u"\t", u"\n", u"ä", u"ö", u"ü", u"ß",
          u"Русский", u"Ελληνικά", u"日本語", u"𝄞"}) {
        EXPECT_TRUE(AnyText(*language, part)) << tools_test::Utf8(part);
    }
    // The character outside the BMP is a surrogate pair in the tree.
    EXPECT_TRUE(AnyText(*language, std::u16string{char16_t(0xD834), char16_t(0xDD1E)}));
}

TEST(SampleLanguage, SomeSiblingsShareTheirText)
{
    const auto language = MakeSampleLanguage(3000, 2);
    int families = 0;
    for (const CTextNode* node : AllNodes(*language->root)) {
        std::map<std::u16string, int> seen;
        for (std::int32_t i = 0; i < node->ChildCount(); ++i) {
            if (++seen[node->GetChild(i)->originalText] == 2) {
                ++families;
            }
        }
    }
    EXPECT_GT(families, 5);
}

TEST(SampleLanguage, SameSeedSameFileOtherSeedOtherFile)
{
    SampleOptions options;
    options.switchEntry = true;
    const auto first = StoredBytes(*MakeSampleLanguage(1500, 42, options));
    EXPECT_EQ(first, StoredBytes(*MakeSampleLanguage(1500, 42, options)));
    EXPECT_NE(first, StoredBytes(*MakeSampleLanguage(1500, 43, options)));
}

TEST(SampleLanguage, EditStatesAreConsistent)
{
    const auto language = MakeSampleLanguage(5000, 9);
    std::vector<std::uint32_t> before;
    int leaves = 0;
    int leavesToDo = 0;
    for (const CTextNode* node : AllNodes(*language->root)) {
        before.push_back(node->editState);
        if (node->ChildCount() == 0) {
            ++leaves;
            ASSERT_TRUE(node->editState == 0 || node->editState == 3);
            if (node->editState == 3) {
                ++leavesToDo;
                EXPECT_EQ(node->translatedText, node->originalText) << "still untranslated";
            }
        } else {
            ASSERT_TRUE(node->editState == 1 || node->editState == 2 || node->editState == 4 ||
                        node->editState == 5);
        }
    }
    EXPECT_FALSE(language->root->UpdateStates());
    std::vector<std::uint32_t> after;
    for (const CTextNode* node : AllNodes(*language->root)) {
        after.push_back(node->editState);
    }
    EXPECT_EQ(before, after);
    // About the default share of 8 %.
    EXPECT_GT(leavesToDo, leaves * 3 / 100);
    EXPECT_LT(leavesToDo, leaves * 15 / 100);
    EXPECT_EQ(language->root->editState, 2u);
}

TEST(SampleLanguage, HeaderIsPlausible)
{
    const auto translation = MakeSampleLanguage(100, 4);
    EXPECT_EQ(translation->programName, u"Kestrow Kassenbuch");
    EXPECT_EQ(translation->programVersion, u"3.10");
    EXPECT_EQ(translation->languageName, u"English");
    EXPECT_FALSE(translation->IsOriginal());
    EXPECT_EQ(translation->headerNumber1, 10000u);
    const std::set<COLORREF> colours(translation->flagPixels.begin(), translation->flagPixels.end());
    EXPECT_EQ(colours.size(), 3u) << "blue, white and red";

    SampleOptions options;
    options.original = true;
    const auto original = MakeSampleLanguage(300, 4, options);
    EXPECT_TRUE(original->IsOriginal());
    EXPECT_EQ(original->languageName, u"Deutsch");
    for (const CTextNode* node : AllNodes(*original->root)) {
        EXPECT_EQ(node->translatedText, node->originalText);
        EXPECT_EQ(node->editState, node->ChildCount() == 0 ? 0u : 1u);
    }
}

TEST(SampleLanguage, TextsAverageAboutAHundredBytesInTheFile)
{
    const auto language = MakeSampleLanguage(20000, 6);
    const double perText = static_cast<double>(language->StoredSize()) / 20000.0;
    EXPECT_GT(perText, 80.0);
    EXPECT_LT(perText, 130.0);
}

TEST(SampleNewerVersion, UnchangedShareGivesTheOriginalFileOfTheSameTexts)
{
    const auto older = MakeSampleLanguage(1200, 21);
    const auto newer = MakeNewerVersion(*older, 0.0, 5);
    EXPECT_TRUE(newer->IsOriginal());
    EXPECT_EQ(newer->programName, older->programName);
    EXPECT_EQ(newer->programVersion, u"3.11");
    const auto oldNodes = AllNodes(*older->root);
    const auto newNodes = AllNodes(*newer->root);
    ASSERT_EQ(oldNodes.size(), newNodes.size());
    for (std::size_t i = 0; i < oldNodes.size(); ++i) {
        EXPECT_EQ(newNodes[i]->originalText, oldNodes[i]->originalText);
        EXPECT_EQ(newNodes[i]->translatedText, newNodes[i]->originalText);
        EXPECT_EQ(newNodes[i]->kindCode, oldNodes[i]->kindCode);
        EXPECT_EQ(newNodes[i]->width, oldNodes[i]->width);
        EXPECT_EQ(newNodes[i]->editState, newNodes[i]->ChildCount() == 0 ? 0u : 1u);
    }
    auto language = older->Copy();
    EXPECT_FALSE(language->TakeStructureFrom(*newer));
}

TEST(SampleNewerVersion, ChangedShareChangesAboutThatManyTexts)
{
    const auto older = MakeSampleLanguage(4000, 22);
    const auto newer = MakeNewerVersion(*older, 0.1, 6, u"4.0");
    EXPECT_EQ(newer->programVersion, u"4.0");
    EXPECT_EQ(StoredBytes(*newer), StoredBytes(*MakeNewerVersion(*older, 0.1, 6, u"4.0")));

    std::multiset<std::u16string> oldTexts;
    for (const CTextNode* node : AllNodes(*older->root)) {
        oldTexts.insert(node->originalText);
    }
    int fresh = 0;
    for (const CTextNode* node : AllNodes(*newer->root)) {
        const auto found = oldTexts.find(node->originalText);
        if (found == oldTexts.end()) {
            ++fresh;
        } else {
            oldTexts.erase(found);
        }
    }
    const int removed = static_cast<int>(oldTexts.size());
    EXPECT_GT(fresh + removed, 4000 * 5 / 100);
    EXPECT_LT(fresh + removed, 4000 * 20 / 100);
    // The top nodes stay.
    EXPECT_EQ(newer->root->ChildCount(), 3);

    auto language = older->Copy();
    EXPECT_TRUE(language->TakeStructureFrom(*newer));
}

TEST(SampleNewerVersion, NextVersionRaisesTheLastNumber)
{
    EXPECT_EQ(NextVersion(u"3.10"), u"3.11");
    EXPECT_EQ(NextVersion(u"2.9"), u"2.10");
    EXPECT_EQ(NextVersion(u"1.09"), u"1.10");
    EXPECT_EQ(NextVersion(u"1.99"), u"1.100");
    EXPECT_EQ(NextVersion(u"5.1 beta"), u"5.2 beta");
    EXPECT_EQ(NextVersion(u"Beta"), u"Beta 2");
}

} // namespace
