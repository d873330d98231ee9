#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace {

// root > a > (a1, a2 > (a21)), b
NodeShape SmallTree(std::uint32_t inner, std::uint32_t leaf)
{
    return {u"", {{u"a", {{u"a1", {}, u"", leaf}, {u"a2", {{u"a21", {}, u"", leaf}}, u"", inner}},
                   u"", inner},
                  {u"b", {}, u"", leaf}},
            u"", inner};
}

TEST(TextNode, GetChildOutsideTheCountIsNull)
{
    auto root = BuildTree(SmallTree(1, 0));
    EXPECT_NE(root->GetChild(1), nullptr);
    EXPECT_EQ(root->GetChild(2), nullptr); // index == count
    EXPECT_EQ(root->GetChild(-1), nullptr);
}

TEST(TextNode, FindByPathFollowsTheFirstMatchOnly)
{
    auto root = BuildTree({u"", {{u"Menus", {{u"Datei"}}}, {u"Menus", {{u"Datei", {{u"Neu"}}}}}}});
    EXPECT_EQ(root->FindByPath(nullptr, 0), root.get());

    const std::u16string top[] = {u"Menus"};
    EXPECT_EQ(root->FindByPath(top, 1), root->GetChild(0));

    // The path exists below the second "Menus" only: it is not tried.
    const std::u16string path[] = {u"Menus", u"Datei", u"Neu"};
    EXPECT_EQ(root->FindByPath(path, 3), nullptr);
    const std::u16string wrongCase[] = {u"menus"};
    EXPECT_EQ(root->FindByPath(wrongCase, 1), nullptr);
}

TEST(TextNode, MarkToDoAndMarkDoneCoverTheSubtree)
{
    auto root = BuildTree(SmallTree(2, 0));
    root->GetChild(1)->MarkToDo();
    EXPECT_EQ(root->GetChild(1)->editState, 3u); // a leaf

    root->MarkToDo();
    EXPECT_EQ(States(*root), (std::vector<std::uint32_t>{5, 5, 3, 5, 3, 3}));
    root->MarkDone();
    EXPECT_EQ(States(*root), (std::vector<std::uint32_t>{1, 1, 0, 1, 0, 0}));
}

TEST(TextNode, UpdateStatesFromAllZeroThenOneLeafToDo)
{
    auto root = BuildTree(SmallTree(0, 0));
    EXPECT_FALSE(root->UpdateStates()); // 0 -> 1 is not a change of "something below"
    EXPECT_EQ(States(*root), (std::vector<std::uint32_t>{1, 1, 0, 1, 0, 0}));

    CTextNode* a = root->GetChild(0);
    a->editState = 4; // own text to be edited
    a->GetChild(1)->GetChild(0)->editState = 3;
    EXPECT_TRUE(root->UpdateStates());
    EXPECT_EQ(States(*root), (std::vector<std::uint32_t>{2, 5, 0, 2, 3, 0}));
}

TEST(TextNode, UpdateStatesTable)
{
    struct Row {
        std::uint32_t old;
        bool somethingBelow;
        std::uint32_t expected;
        bool result;
    };
    const Row rows[] = {
        {0, true, 2, true},  {1, true, 2, true},   {2, true, 2, false},  {3, true, 5, true},
        {4, true, 5, true},  {5, true, 5, false},  {0, false, 1, false}, {1, false, 1, false},
        {2, false, 1, true}, {3, false, 4, false}, {4, false, 4, false}, {5, false, 4, true},
        {6, true, 6, false}, {77, false, 77, false},
    };
    for (const Row& row : rows) {
        auto node = BuildTree({u"p", {{u"leaf", {}, u"", row.somethingBelow ? 3u : 0u}}, u"", row.old});
        EXPECT_EQ(node->UpdateStates(), row.result) << "old state " << row.old;
        EXPECT_EQ(node->editState, row.expected) << "old state " << row.old;
        EXPECT_EQ(node->GetChild(0)->editState, row.somethingBelow ? 3u : 0u);
    }
}

TEST(TextNode, UpdateStatesReportsChangesBelowAndLeavesLeavesAlone)
{
    // The top stays 2, but the inner node below switches from 2 to 1 and back.
    auto root = BuildTree({u"", {{u"x", {{u"leaf", {}, u"", 0}}, u"", 2}, {u"y", {}, u"", 3}}, u"", 2});
    EXPECT_TRUE(root->UpdateStates());
    EXPECT_EQ(root->GetChild(0)->editState, 1u);
    EXPECT_EQ(root->editState, 2u);
    EXPECT_FALSE(root->UpdateStates());

    CTextNode leaf(nullptr);
    leaf.editState = 4;
    EXPECT_FALSE(leaf.UpdateStates());
    EXPECT_EQ(leaf.editState, 4u);
}

// A chain far deeper than the native stack could follow recursively.
TEST(TextNode, VeryDeepChainIsHandledWithoutRecursion)
{
    constexpr int kDepth = 200000;
    CTextNode* tip = nullptr;
    auto root = Chain(kDepth, &tip);
    EXPECT_EQ(tip->GetDepth(), kDepth);
    EXPECT_EQ(root->CountNodes(), kDepth + 1);

    root->MarkToDo();
    EXPECT_EQ(tip->editState, 3u);
    root->MarkDone();
    tip->editState = 3;
    EXPECT_TRUE(root->UpdateStates());
    EXPECT_EQ(root->editState, 2u);

    auto copy = root->CopyTree(nullptr);
    EXPECT_EQ(copy->CountNodes(), kDepth + 1);
    copy->GetChild(0)->translatedText = u"t";
    EXPECT_FALSE(copy->MergeTexts(*root));
    copy->ReplaceTextsByTranslations(*root, 0);

    std::vector<std::u16string> path(static_cast<std::size_t>(kDepth), u"n");
    EXPECT_EQ(root->FindByPath(path.data(), kDepth), tip);

    CLanguageFile language(std::move(root));
    EXPECT_EQ(StoreToBytes(language).size(), language.StoredSize());
    // Destruction of language and copy ends the test.
}

} // namespace
