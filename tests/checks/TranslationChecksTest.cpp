// Rechecking one text and its siblings, and trees too deep for recursion; the
// rules themselves are walked as golden trees (ChecksGoldenTest).

#include "CTranslationChecker.h"

#include "TestTree.h"

#include <gtest/gtest.h>


namespace {

using test_tree::Add;
using checks::CheckId;
using checks::CTranslationChecker;
using checks::TranslationProblem;

TEST(Recheck, OnlyTheNodeAndItsSiblingsAreChecked)
{
    test_tree::Tree tree;
    for (int d = 0; d < 50; ++d) {
        CTextNode* dialog = tree.Dialog();
        for (int c = 0; c < 5; ++c)
            Add(dialog, u"&" + std::u16string(1, char16_t(u'K' + c)), u"&Button", 23);
    }
    for (int s = 0; s < 100; ++s)
        tree.String(u"Text", u"text");
    CTranslationChecker checker;
    checker.CheckTree(*tree.root);
    const std::int64_t afterFullCheck = checker.NodesChecked();
    EXPECT_EQ(afterFullCheck, 50 + 250 + 1 + 100);

    CTextNode* control = tree.dialogs->GetChild(7)->GetChild(2);
    const auto rechecked = checker.Recheck(*control);
    EXPECT_EQ(checker.NodesChecked() - afterFullCheck, 5);
    ASSERT_EQ(rechecked.size(), 5u);
    // Every later child clashes with every earlier one: 0 + 1 + 2 + 3 + 4.
    std::size_t clashes = 0;
    for (const auto& entry : rechecked)
        clashes += entry.problems.size();
    EXPECT_EQ(clashes, 10u);

    CTextNode* string = tree.strings->GetChild(0)->GetChild(40);
    string->translatedText = u"%s";
    const auto alone = checker.Recheck(*string);
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_EQ(alone[0].node, string);
    ASSERT_EQ(alone[0].problems.size(), 1u);
    EXPECT_EQ(alone[0].problems[0].check, CheckId::Format);
    EXPECT_EQ(checker.NodesChecked() - afterFullCheck, 6);
}

TEST(Recheck, TextsStillBeingTypedComeFromTheTextSource)
{
    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    CTextNode* first = Add(dialog, u"&Ja", u"&Yes");
    CTextNode* second = Add(dialog, u"&Nein", u"&No");
    CTranslationChecker checker;
    checker.SetTextSource([&](const CTextNode& node) {
        return &node == first ? std::u16string(u"&Nope") : node.translatedText;
    });
    const auto rechecked = checker.Recheck(*first);
    ASSERT_EQ(rechecked.size(), 2u);
    EXPECT_TRUE(rechecked[0].problems.empty());
    ASSERT_EQ(rechecked[1].problems.size(), 1u);
    EXPECT_EQ(rechecked[1].node, second);
    EXPECT_EQ(rechecked[1].problems[0].check, CheckId::AcceleratorClash);
}

TEST(Checks, DeepTreesAndPositions)
{
    test_tree::Tree tree;
    CTextNode* node = tree.Dialog();
    for (int i = 0; i < 100000; ++i)
        node = Add(node, u"a", u"b");
    node->translatedText = u"%d";
    std::vector<std::int32_t> indices;
    std::int64_t order = 0;
    std::size_t count = 0;
    CTranslationChecker().CheckTree(
        *tree.root, [&](const TranslationProblem&, const checks::WalkPosition& position) {
            ++count;
            indices.assign(position.indices.begin(), position.indices.end());
            order = position.order;
        });
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(indices.size(), 100002u);
    EXPECT_EQ(indices[0], 0);
    EXPECT_EQ(order, 100002);
}

} // namespace
