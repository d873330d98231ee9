// The commit path recomputes only the edited node's ancestors; on every consistent
// tree that must give exactly what UpdateStates on the root gives.
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Random shapes: wide and narrow levels, leaves at every depth, now and then a state
// outside 0 to 5, which is carried.
std::unique_ptr<CTextNode> RandomTree(std::mt19937& random, CTextNode* parent, int depth)
{
    auto node = std::make_unique<CTextNode>(parent);
    const int maxChildren = depth == 0 ? 3 : (depth <= 2 && random() % 6 == 0 ? 40 : 4);
    const int children = depth >= 5 ? 0 : static_cast<int>(random() % (maxChildren + 1));
    const bool toDo = random() % 4 == 0;
    node->editState = toDo ? 3 : 0;
    if (random() % 50 == 0)
        node->editState = 6 + random() % 3;
    for (int i = 0; i < children; ++i)
        node->AddChild(RandomTree(random, node.get(), depth + 1));
    return node;
}

std::uint32_t RandomEdit(std::mt19937& random, const CTextNode& node)
{
    const std::uint32_t state = node.editState;
    switch (random() % 6) {
    case 0: return static_cast<std::uint32_t>(random() % 9); // anything, unknown states too
    case 1: return node.ChildCount() == 0 ? 3 : (state <= 2 ? state + 3 : state);
    default: // the commit: the own text becomes done
        return state >= 3 && state <= 5 ? state - 3 : (node.ChildCount() == 0 ? 0 : state);
    }
}

TEST(StatesAbove, EqualsUpdateStatesOnTheRootForRandomTreesAndEdits)
{
    std::mt19937 random(20261206);
    int switched = 0;
    for (int tree = 0; tree < 200; ++tree) {
        std::unique_ptr<CTextNode> root = RandomTree(random, nullptr, 0);
        root->UpdateStates(); // consistent before the first edit
        std::vector<CTextNode*> nodes = PreOrder(*root);
        for (int edit = 0; edit < 20; ++edit) {
            CTextNode* node = nodes[random() % nodes.size()];
            node->editState = RandomEdit(random, *node);

            std::unique_ptr<CTextNode> reference = root->CopyTree(nullptr);
            const bool expected = reference->UpdateStates();
            const bool result = node->UpdateStatesAbove();
            ASSERT_EQ(result, expected) << "tree " << tree << " edit " << edit;
            ASSERT_EQ(States(*root), States(*reference)) << "tree " << tree << " edit " << edit;
            switched += result ? 1 : 0;
        }
    }
    EXPECT_GT(switched, 200); // the edits do reach ancestors, not only leave them alone
}

TEST(StatesAbove, OnlyTheAncestorsAreTouched)
{
    // root > a > (a1, a2), b > (b1): b1 done while a1 is still to be edited.
    auto root = BuildTree({u"", {{u"a", {{u"a1", {}, u"", 3}, {u"a2"}}}, {u"b", {{u"b1", {}, u"", 3}}}}});
    root->UpdateStates();
    EXPECT_EQ(root->editState, 2u);
    CTextNode* b = root->GetChild(1);
    b->GetChild(0)->editState = 0;
    // An inconsistent state away from the path stays as it is: nothing else is visited.
    root->GetChild(0)->GetChild(1)->editState = 4;
    EXPECT_TRUE(b->GetChild(0)->UpdateStatesAbove());
    EXPECT_EQ(b->editState, 1u);
    EXPECT_EQ(root->editState, 2u); // a still has a1 to edit
    EXPECT_EQ(root->GetChild(0)->GetChild(1)->editState, 4u);

    // Typing on into a node that is already done changes nothing and reports nothing.
    EXPECT_FALSE(b->GetChild(0)->UpdateStatesAbove());
    root->GetChild(0)->GetChild(0)->editState = 0;
    root->GetChild(0)->GetChild(1)->editState = 0;
    EXPECT_TRUE(root->GetChild(0)->GetChild(0)->UpdateStatesAbove());
    EXPECT_EQ(root->GetChild(0)->editState, 1u);
    EXPECT_EQ(root->editState, 1u);
}

} // namespace
