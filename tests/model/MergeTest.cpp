#include "CMatchIndex.h"
#include "Golden.h"
#include "ModelTestSupport.h"
#include "TreeText.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const CTextNode* At(const CLanguageFile& language, std::initializer_list<int> indexes)
{
    const CTextNode* node = language.GetRoot();
    for (int index : indexes)
        node = node->GetChild(index);
    return node;
}

// The translation side: a German program translated to English.
std::unique_ptr<CLanguageFile> Translated()
{
    auto language = std::make_unique<CLanguageFile>(BuildTree(
        {u"",
         {{u"Dialoge",
           {{u"Öffnen", {{u"OK", {}, u"OK"}, {u"Abbrechen", {}, u"Cancel"}, {u"Speichern", {}, u"Save"}}, u"Open", 5},
            {u"Suchen", {{u"", {}, u"first"}, {u"", {}, u"second", 3}, {u"Weiter", {}, u"Next"}}, u"Find"}},
           u"", 2},
          {u"Menus", {{u"&Datei", {{u"&Neu", {}, u"&New"}}, u"&File"}}, u"", 1},
          {u"Stringtables", {{u"%d Texte", {}, u"%d texts"}}, u"", 1}},
         u"", 2}));
    language->programName = u"Kasse";
    language->programVersion = u"1.0";
    language->languageName = u"English";
    language->headerText4 = u"four";
    language->headerNumber1 = 11;
    language->headerNumber2 = 12;
    language->headerNumber3 = 13;
    language->flags = 0x2u; // a translation
    return language;
}

// The same program as an original-language file: translated text = original text.
std::unique_ptr<CLanguageFile> OriginalOf(const CLanguageFile& language)
{
    auto original = language.Copy();
    for (CTextNode* node : PreOrder(*original->GetRoot()))
        node->translatedText = node->originalText;
    original->GetRoot()->MarkDone();
    original->programName = u"Kasse (Original)";
    original->programVersion = u"2.0";
    original->languageName = u"Deutsch";
    original->flags = 0x1u | 0x100u;
    original->headerNumber2 = 99;
    return original;
}

// Every node below the root as "original => translated  [state]", indented by depth.
std::string Listing(const CTextNode& node, const std::string& indent = "")
{
    std::string out;
    for (std::int32_t i = 0; i < node.ChildCount(); ++i) {
        const CTextNode& child = *node.GetChild(i);
        out += indent + utf8::FromUtf16(child.originalText) + " => " + utf8::FromUtf16(child.translatedText) +
               "  [" + std::to_string(child.editState) + "]\n" + Listing(child, indent + "  ");
    }
    return out;
}

// Each file of tests/golden/merge holds a translation's tree, a "----" line and
// the newer version's original-language tree (as TreeText.h reads them, the
// edit state fifth); beside it whether the update changed anything and the tree
// it made.
TEST(Merge, GoldenUpdates)
{
    const auto inputs = golden::Inputs(GLOSSMARK_GOLDEN_DIR "/merge", ".merge");
    ASSERT_GE(inputs.size(), 4u);
    for (const std::filesystem::path& input : inputs) {
        const auto [translation, original] = test_tree::TwoParts(golden::Read(input));
        CLanguageFile language(test_tree::ReadTree(translation));
        CLanguageFile newer(test_tree::ReadTree(original));
        newer.GetRoot()->MarkDone();
        const bool changed = language.TakeStructureFrom(newer);
        golden::Expect(input, std::string(changed ? "changed" : "unchanged") + ", the root  [" +
                                  std::to_string(language.GetRoot()->editState) + "]\n" + Listing(*language.GetRoot()));
    }
}

TEST(Merge, HeaderFieldsAndOriginalBit)
{
    auto language = Translated();
    auto newer = OriginalOf(*language);
    language->TakeStructureFrom(*newer);
    EXPECT_EQ(language->programVersion, u"2.0");
    EXPECT_EQ(language->flags, 0x100u); // other's flags with bit 0 cleared
    EXPECT_EQ(language->headerNumber2, 99u);
    EXPECT_EQ(language->programName, u"Kasse");
    EXPECT_EQ(language->languageName, u"English");
    EXPECT_EQ(language->headerText4, u"four");
    EXPECT_EQ(language->headerNumber1, 11u);
    EXPECT_EQ(language->headerNumber3, 13u);

    auto bothOriginal = OriginalOf(*Translated());
    bothOriginal->TakeStructureFrom(*newer);
    EXPECT_TRUE(bothOriginal->IsOriginal());

    auto translation = Translated();
    auto originalSide = OriginalOf(*translation);
    originalSide->TakeStructureFrom(*translation); // other is no original file
    EXPECT_EQ(originalSide->flags, 0x2u);

    CLanguageFile noTree;
    EXPECT_FALSE(noTree.TakeStructureFrom(*newer));
    EXPECT_EQ(noTree.GetRoot(), nullptr);
}

TEST(Merge, ReplaceTextsByTranslationsSparesRootAndTopNodes)
{
    auto previous = Translated();
    auto chosen = Translated();
    chosen->GetRoot()->originalText = u"root";
    chosen->TakeStructureFrom(*previous);
    auto mapping = chosen->Copy();
    mapping->GetRoot()->ReplaceTextsByTranslations(*previous->GetRoot(), 0);

    EXPECT_EQ(mapping->GetRoot()->originalText, u"");
    EXPECT_EQ(At(*mapping, {0})->originalText, u"Dialoge");
    EXPECT_EQ(At(*mapping, {1})->originalText, u"Menus");
    EXPECT_EQ(At(*mapping, {2})->originalText, u"Stringtables");
    EXPECT_EQ(At(*mapping, {0, 0})->originalText, u"Open");
    EXPECT_EQ(At(*mapping, {0, 0, 1})->originalText, u"Cancel");
    EXPECT_EQ(At(*mapping, {1, 0, 0})->originalText, u"&New");
    EXPECT_EQ(At(*mapping, {2, 0})->originalText, u"%d texts");
    EXPECT_EQ(At(*mapping, {2, 0})->translatedText, u"%d texts");

    // A shorter other side ends the walk instead of reading past it.
    CTextNode small(nullptr);
    mapping->GetRoot()->ReplaceTextsByTranslations(small, 0);
}

TEST(FindMatch, ScoringRules)
{
    // Two exact old leaves and a non-exact sibling sharing all six children: the
    // exact ones score 6, the other 0 + 5, so it wins although its text differs.
    NodeShape k{u"A"};
    NodeShape sharing{u"B"};
    for (char16_t c = u'1'; c <= u'6'; ++c) {
        k.children.push_back({std::u16string(1, c)});
        sharing.children.push_back({std::u16string(1, c)});
    }
    auto node = BuildTree(k);
    auto old = BuildTree({u"", {{u"A"}, {u"A"}, sharing}});
    EXPECT_EQ(node->FindMatch(*old), old->GetChild(2));
    EXPECT_EQ(CMatchIndex(*old).Find(*node), old->GetChild(2));

    // No exact text: a leaf never matches, an inner node only by shared children,
    // and only when the best-scoring sibling is one that shares them.
    auto leaf = BuildTree({u"Z"});
    EXPECT_EQ(leaf->FindMatch(*old), nullptr);
    EXPECT_EQ(leaf->FindMatch(CTextNode(nullptr)), nullptr);
    auto bAndLeaf = BuildTree({u"", {sharing, {u"D"}}});
    NodeShape renamed{u"C", sharing.children};
    renamed.children.push_back({u"7"});
    EXPECT_EQ(BuildTree(renamed)->FindMatch(*bAndLeaf), bAndLeaf->GetChild(0));
    auto oneShared = BuildTree({u"C", {{u"1"}}}); // the leaf D scores better than B
    EXPECT_EQ(oneShared->FindMatch(*bAndLeaf), nullptr);

    // Scores above the start value of 9999 are never kept.
    NodeShape wide{u"W"};
    for (int i = 0; i < 10000; ++i)
        wide.children.push_back({u"c" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10))});
    auto wideNode = BuildTree(wide);
    auto twoLeaves = BuildTree({u"", {{u"W"}, {u"W"}}});
    EXPECT_EQ(wideNode->FindMatch(*twoLeaves), nullptr);
    EXPECT_EQ(CMatchIndex(*twoLeaves).Find(*wideNode), nullptr);
    wide.children.pop_back(); // 9999 is still kept, and the later one wins
    EXPECT_EQ(BuildTree(wide)->FindMatch(*twoLeaves), twoLeaves->GetChild(1));
}

// Random siblings and grandchildren drawn from few texts, so that every branch of the
// indexed match (one, several or no exact texts; shared children; ties) occurs often.
class RandomTrees {
public:
    explicit RandomTrees(unsigned seed) : random(seed) {}

    std::unique_ptr<CTextNode> Node(int texts, int maxChildren, int childTexts)
    {
        auto node = std::make_unique<CTextNode>(nullptr);
        node->originalText = Text(texts);
        for (char digit : std::to_string(serial++))
            node->translatedText += static_cast<char16_t>(digit);
        const int count = Pick(maxChildren + 1);
        for (int i = 0; i < count; ++i) {
            auto child = std::make_unique<CTextNode>(node.get());
            child->originalText = Text(childTexts);
            node->AddChild(std::move(child));
        }
        return node;
    }

    std::unique_ptr<CTextNode> Parent(int siblings, int texts, int maxChildren, int childTexts)
    {
        auto parent = std::make_unique<CTextNode>(nullptr);
        for (int i = 0; i < siblings; ++i) {
            auto child = Node(texts, maxChildren, childTexts);
            child->parent = parent.get();
            parent->AddChild(std::move(child));
        }
        return parent;
    }

    int Pick(int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); }

private:
    std::u16string Text(int texts) { return std::u16string(1, static_cast<char16_t>(u'a' + Pick(texts))); }

    std::mt19937 random;
    int serial = 0;
};

TEST(FindMatch, IndexAgreesWithThePlainAlgorithm)
{
    RandomTrees trees(20240611);
    int decided = 0;
    for (int round = 0; round < 1500; ++round) {
        const int siblings = trees.Pick(round % 10 == 0 ? 300 : 40);
        const int texts = 1 + trees.Pick(8);
        const int maxChildren = trees.Pick(7);
        const int childTexts = 1 + trees.Pick(6);
        auto old = trees.Parent(siblings, texts, maxChildren, childTexts);
        CMatchIndex index(*old);
        for (int query = 0; query < 30; ++query) {
            auto node = trees.Node(texts + 1, maxChildren + 1, childTexts + 1);
            const CTextNode* plain = node->FindMatch(*old);
            ASSERT_EQ(index.Find(*node), plain) << "round " << round << " query " << query;
            decided += plain != nullptr;
        }
    }
    EXPECT_GT(decided, 30000); // the comparison is not vacuous
}

TEST(Merge, IndexedMergeAgreesWithTheReference)
{
    RandomTrees trees(7);
    for (int round = 0; round < 200; ++round) {
        auto newer = BuildTree({u"", {{u"Dialoge"}}});
        auto older = BuildTree({u"", {{u"Dialoge"}}});
        newer->GetChild(0)->AddChild(trees.Parent(30, 12, 5, 8));
        older->GetChild(0)->AddChild(trees.Parent(30, 12, 5, 8));
        newer->GetChild(0)->GetChild(0)->originalText = u"x";
        older->GetChild(0)->GetChild(0)->originalText = u"x";
        auto viaIndex = newer->CopyTree(nullptr);
        const bool changed = viaIndex->MergeTexts(*older);
        EXPECT_EQ(ReferenceMerge(*newer, *older), changed);
        CLanguageFile expected(std::move(newer));
        CLanguageFile actual(std::move(viaIndex));
        ASSERT_EQ(StoreToBytes(actual), StoreToBytes(expected)) << "round " << round;
    }
}

TEST(ChildDifference, LargeChildListsAgreeWithSmallOnes)
{
    RandomTrees trees(99);
    for (int round = 0; round < 50; ++round) {
        auto a = trees.Node(3, 400, 60);
        auto b = trees.Node(3, 400, 60);
        std::int32_t here = 0;
        std::int32_t there = 0;
        const std::int32_t sum = a->ChildDifference(*b, here, there);
        std::int32_t expectHere = 0;
        for (std::int32_t i = 0; i < a->ChildCount(); ++i) {
            bool found = false;
            for (std::int32_t j = 0; j < b->ChildCount(); ++j)
                found = found || a->GetChild(i)->originalText == b->GetChild(j)->originalText;
            expectHere += found ? 0 : 1;
        }
        std::int32_t swappedHere = 0;
        std::int32_t swappedThere = 0;
        b->ChildDifference(*a, swappedHere, swappedThere);
        EXPECT_EQ(here, expectHere);
        EXPECT_EQ(there, swappedHere);
        EXPECT_EQ(sum, here + there);
    }
}

} // namespace
