// Tree memory: node texts that behave like strings, trees read and copied into an
// arena, and child arrays that grow without a copy per ten children.
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Counts the heap allocations made while counting is on (this test binary only).
std::atomic<bool> g_counting{false};
std::atomic<std::size_t> g_allocations{0};

struct CountAllocations {
    CountAllocations()
    {
        g_allocations = 0;
        g_counting = true;
    }
    ~CountAllocations() { g_counting = false; }
    std::size_t Count() const { return g_allocations; }
};

} // namespace

// A replacement operator new over malloc must free with free; GCC's optimiser
// cannot see that the pair is ours and calls it a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    if (g_counting)
        ++g_allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace {

// A leaf text and a translation per node, numbered, under the three top nodes.
NodeShape WideTree(int leaves)
{
    NodeShape strings{u"Stringtables"};
    for (int i = 0; i < leaves; ++i) {
        const std::u16string number(std::u16string(u"Text number ") + char16_t(u'A' + i % 26) +
                                    char16_t(u'a' + i / 26 % 26) + char16_t(u'a' + i / 676 % 26));
        strings.children.push_back({number, {}, u"Übersetzung " + number, 3});
    }
    return {u"", {{u"Dialoge", {{u"Dialog", {{u"OK", {}, u"OK"}}, u"Dialog"}}}, {u"Menus"}, strings}};
}

std::unique_ptr<CLanguageFile> ReadBack(const CLanguageFile& language)
{
    auto read = std::make_unique<CLanguageFile>();
    EXPECT_EQ(LoadFromBytes(StoreToBytes(language), *read), SerializeResult::Ok);
    return read;
}

TEST(NodeText, ReadsAndComparesLikeAString)
{
    CNodeText text;
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text.c_str()[0], u'\0');
    text = u"Datei öffnen";
    const std::u16string same = u"Datei öffnen";
    EXPECT_EQ(text, same);
    EXPECT_NE(text, u"Datei");
    EXPECT_LT(text, u"Datei ü");
    EXPECT_EQ(text.size(), 12u);
    EXPECT_EQ(text.find(u"öff"), 6u);
    EXPECT_EQ(text.find(u'x'), CNodeText::npos);
    EXPECT_EQ(text.rfind(u'e'), 10u);
    EXPECT_EQ(text.substr(6), u"öffnen");
    EXPECT_TRUE(text.starts_with(u"Datei"));

    const std::u16string converted = text;
    const std::u16string_view viewed = text;
    EXPECT_EQ(converted, same);
    EXPECT_EQ(viewed.data(), text.data());
    EXPECT_EQ(text + u"!", u"Datei öffnen!");
    EXPECT_EQ(u"» " + text, u"» Datei öffnen");

    text += u'…';
    text += u" jetzt";
    EXPECT_EQ(text, u"Datei öffnen… jetzt");
    EXPECT_EQ(text.c_str()[text.size()], u'\0');
    text = {u'x', char16_t(0xD83D)};
    EXPECT_EQ(text.size(), 2u);
    text.clear();
    EXPECT_TRUE(text.empty());
}

TEST(NodeText, AssigningAPieceOfItselfKeepsTheCharacters)
{
    CNodeText text;
    text = u"abcdefgh";
    text = std::u16string_view(text).substr(2, 4);
    EXPECT_EQ(text, u"cdef");
    text += std::u16string_view(text);
    EXPECT_EQ(text, u"cdefcdef");
    CNodeText copy = text;
    text = u"other";
    EXPECT_EQ(copy, u"cdefcdef");
    CNodeText moved = std::move(copy);
    EXPECT_EQ(moved, u"cdefcdef");
}

TEST(TreeMemory, ReadingPutsTextsInTheArenaAndEditsGetTheirOwnBuffer)
{
    CLanguageFile language(BuildTree(WideTree(30)));
    const auto read = ReadBack(language);
    CTextNode* leaf = read->GetRoot()->GetChild(2)->GetChild(0);
    EXPECT_TRUE(leaf->originalText.InArena());
    EXPECT_TRUE(leaf->translatedText.InArena());

    leaf->translatedText = u"Getippt";
    EXPECT_FALSE(leaf->translatedText.InArena());
    leaf->translatedText += u"!";
    EXPECT_EQ(leaf->translatedText, u"Getippt!");

    // A text taken out of the tree stays valid when the tree goes.
    CNodeText kept = std::move(read->GetRoot()->GetChild(2)->GetChild(1)->originalText);
    CNodeText copied = read->GetRoot()->GetChild(2)->GetChild(2)->translatedText;
    read->SetRoot(nullptr);
    EXPECT_EQ(kept, u"Text number Baa");
    EXPECT_EQ(copied, u"Übersetzung Text number Caa");
}

TEST(TreeMemory, HeapAndArenaNodesMixInOneTree)
{
    CLanguageFile language(BuildTree(WideTree(3)));
    auto read = ReadBack(language);
    CTextNode* strings = read->GetRoot()->GetChild(2);
    // A heap node under an arena node, and an arena subtree (a copy) under a heap node.
    auto added = std::make_unique<CTextNode>(strings);
    added->originalText = u"added";
    strings->AddChild(std::move(added));
    auto holder = std::make_unique<CTextNode>(nullptr);
    holder->AddChild(read->GetRoot()->GetChild(0)->CopyTree(holder.get()));
    read.reset(); // the copy lives in an arena of its own
    EXPECT_EQ(holder->GetChild(0)->GetChild(0)->GetChild(0)->originalText, u"OK");
    EXPECT_EQ(holder->CountNodes(), 4);
}

TEST(TreeMemory, ReadingAndCopyingCostAHandfulOfAllocations)
{
    CLanguageFile language(BuildTree(WideTree(5000)));
    const Bytes stored = StoreToBytes(language);
    auto read = std::make_unique<CLanguageFile>();
    {
        CountAllocations count;
        ASSERT_EQ(LoadFromBytes(stored, *read), SerializeResult::Ok);
        // Per node or per text there would be 5,000 and more.
        EXPECT_LT(count.Count(), 100u);
    }
    {
        CountAllocations count;
        auto copy = read->GetRoot()->CopyTree(nullptr);
        EXPECT_LT(count.Count(), 100u);
        EXPECT_EQ(copy->CountNodes(), read->GetRoot()->CountNodes());
    }
    {
        // The merge copies the old translations into the new tree's arena.
        auto newer = read->Copy();
        CountAllocations count;
        EXPECT_FALSE(read->TakeStructureFrom(*newer));
        EXPECT_LT(count.Count(), 200u);
    }
}

TEST(TreeMemory, TakingTheStructureOverGivesWhatTheCopyGives)
{
    NodeShape newerShape = WideTree(300);
    for (std::size_t i = 0; i < newerShape.children[2].children.size(); i += 7)
        newerShape.children[2].children[i].text += u" (neu)";
    newerShape.children[2].children.push_back({u"Ganz neu"});
    CLanguageFile newerSource(BuildTree(newerShape));
    newerSource.programVersion = u"2.0";
    newerSource.flags = 3;
    const auto language = ReadBack(CLanguageFile(BuildTree(WideTree(300))));
    const auto copying = language->Copy();
    const auto taking = language->Copy();
    const auto newer = ReadBack(newerSource);

    EXPECT_TRUE(copying->TakeStructureFrom(*newer));
    ASSERT_NE(newer->GetRoot(), nullptr);
    EXPECT_TRUE(taking->TakeStructureFrom(std::move(*newer)));
    EXPECT_EQ(newer->GetRoot(), nullptr);
    EXPECT_EQ(newer->programVersion, u"2.0"); // the header stays with other
    EXPECT_EQ(StoreToBytes(*taking), StoreToBytes(*copying));
    EXPECT_EQ(taking->programVersion, u"2.0");
    EXPECT_EQ(taking->GetRoot()->GetChild(2)->GetChild(0)->editState, 3u);
    EXPECT_EQ(taking->GetRoot()->GetChild(2)->GetChild(1)->translatedText, u"Übersetzung Text number Baa");
}

TEST(TreeMemory, ManyChildrenKeepTheTenStepCapacity)
{
    constexpr int kChildren = 100'000;
    auto parent = std::make_unique<CTextNode>(nullptr);
    {
        CountAllocations count;
        for (int i = 0; i < kChildren; ++i)
            parent->AddChild(std::make_unique<CTextNode>(parent.get()));
        // One per node and a doubling array, not one array per ten children.
        EXPECT_LT(count.Count(), static_cast<std::size_t>(kChildren) + 40);
    }
    EXPECT_EQ(parent->ChildCount(), kChildren);
    EXPECT_EQ(parent->ChildCapacity(), kChildren);
    parent->AddChild(std::make_unique<CTextNode>(parent.get()));
    EXPECT_EQ(parent->ChildCapacity(), kChildren + 10);
    EXPECT_EQ(parent->GetChild(kChildren)->parent, parent.get());

    const auto copy = parent->CopyTree(nullptr);
    EXPECT_EQ(copy->ChildCapacity(), kChildren + 10);
    EXPECT_EQ(copy->ChildCount(), kChildren + 1);

    // Read back: the capacity is where ten-step growth ends for the count.
    CLanguageFile language(BuildTree(WideTree(1234)));
    const auto read = ReadBack(language);
    EXPECT_EQ(read->GetRoot()->GetChild(2)->ChildCapacity(), 1240);
    EXPECT_EQ(read->GetRoot()->GetChild(1)->ChildCapacity(), 0);
}

} // namespace
