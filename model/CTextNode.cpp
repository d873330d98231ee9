#include "CTextNode.h"

#include "CMatchIndex.h"
#include "CTextArena.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

constexpr std::int32_t kCapacityStep = 10;

// Below this many comparisons the nested loop beats building a hash set.
constexpr std::int64_t kPlainDifferenceLimit = 256;

// Above this many old siblings MergeTexts builds a CMatchIndex instead of
// scanning the siblings once per child.
constexpr std::int32_t kIndexThreshold = 8;

bool HasSomethingToEdit(std::uint32_t state) { return state >= 2 && state <= 5; }

bool AnyChildToEdit(const CTextNode& node)
{
    for (std::int32_t i = 0; i < node.ChildCount(); ++i)
        if (HasSomethingToEdit(node.GetChild(i)->editState))
            return true;
    return false;
}

// Gives an inner node in a known state the form that fits what is below it; true when
// it switched between having nothing and having something to be edited below.
bool Reform(CTextNode& node, bool somethingBelow)
{
    const std::uint32_t state = node.editState;
    const bool hadSomethingBelow = state == 2 || state == 5;
    node.editState = (state >= 3 ? 3 : 0) + (somethingBelow ? 2 : 1);
    return hadSomethingBelow != somethingBelow;
}

void MarkSubtree(CTextNode& top, std::uint32_t leafState, std::uint32_t innerState)
{
    std::vector<CTextNode*> pending{&top};
    while (!pending.empty()) {
        CTextNode* node = pending.back();
        pending.pop_back();
            const std::int32_t count = node->ChildCount();
        node->editState = count == 0 ? leafState : innerState;
        for (std::int32_t i = 0; i < count; ++i)
            pending.push_back(node->GetChild(i));
    }
}

std::int32_t CountOnlyIn(const CTextNode& a, const CTextNode& b)
{
    std::int32_t only = 0;
    for (std::int32_t i = 0; i < a.ChildCount(); ++i) {
        const std::u16string_view text = a.GetChild(i)->originalText;
        bool found = false;
        for (std::int32_t j = 0; j < b.ChildCount() && !found; ++j)
            found = b.GetChild(j)->originalText == text;
        if (!found)
            ++only;
    }
    return only;
}

std::int32_t CountOnlyInHashed(const CTextNode& a, const CTextNode& b)
{
    std::unordered_set<std::u16string_view> texts;
    texts.reserve(static_cast<std::size_t>(b.ChildCount()));
    for (std::int32_t j = 0; j < b.ChildCount(); ++j)
        texts.insert(b.GetChild(j)->originalText);
    std::int32_t only = 0;
    for (std::int32_t i = 0; i < a.ChildCount(); ++i)
        if (!texts.contains(a.GetChild(i)->originalText))
            ++only;
    return only;
}

} // namespace

CTextNode::CTextNode(CTextNode* parent) : parent(parent) {}

CTextNode* CTextNode::NewIn(CTextArena& arena, CTextNode* parent)
{
    void* memory = arena.Allocate(sizeof(CTextNode), alignof(CTextNode));
    auto* node = ::new (memory) CTextNode(parent);
    node->m_arena = &arena;
    arena.Retain();
    return node;
}

void CTextNode::operator delete(CTextNode* node, std::destroying_delete_t) noexcept
{
    CTextArena* arena = node->m_arena;
    node->~CTextNode();
    if (arena)
        arena->Release();
    else
        ::operator delete(node);
}

CTextNode::~CTextNode()
{
    if (childCount > 0) {
        // Depth first on an explicit stack: children go in index order, each after its
        // own children, and every destructor that runs finds its node already emptied.
        struct Frame {
            CTextNode* node;
            std::int32_t next;
        };
        std::vector<Frame> stack{{this, 0}};
        while (!stack.empty()) {
            Frame& frame = stack.back();
            CTextNode* node = frame.node;
            if (frame.next < node->childCount) {
                CTextNode* child = node->m_children[frame.next];
                if (child->childCount > 0) {
                    stack.push_back({child, 0});
                    continue;
                }
                delete child;
                ++frame.next;
                continue;
            }
            node->childCount = 0;
            stack.pop_back();
            if (!stack.empty()) {
                Frame& parentFrame = stack.back();
                delete parentFrame.node->m_children[parentFrame.next++];
            }
        }
    }
    if (!m_arena)
        ::operator delete(m_children);
}

void CTextNode::SetText(CNodeText& text, std::u16string_view value)
{
    if (m_arena)
        text.SetShared(m_arena->CopyText(value));
    else
        text = value;
}

std::int32_t CTextNode::AddChild(std::unique_ptr<CTextNode> node)
{
    // The capacity callers see grows in steps of ten; the array underneath doubles,
    // so a node that receives 100,000 children one by one is not copied 10,000 times.
    if (childCapacity <= childCount)
        childCapacity += kCapacityStep;
    if (m_slots <= childCount)
        Reserve(std::max(childCapacity, 2 * m_slots));
    m_children[childCount] = node.release();
    return ++childCount;
}

void CTextNode::Reserve(std::int32_t slots)
{
    if (slots <= m_slots)
        return;
    const std::size_t bytes = static_cast<std::size_t>(slots) * sizeof(CTextNode*);
    auto* grown = static_cast<CTextNode**>(m_arena ? m_arena->Allocate(bytes, alignof(CTextNode*))
                                                   : ::operator new(bytes));
    if (childCount > 0)
        std::memcpy(grown, m_children, static_cast<std::size_t>(childCount) * sizeof(CTextNode*));
    if (!m_arena)
        ::operator delete(m_children);
    m_children = grown;
    m_slots = slots;
}

void CTextNode::AdoptChildren(CTextNode* const* kids, std::int32_t count)
{
    if (count <= 0)
        return;
    const std::int32_t needed = childCount + count;
    if (needed > childCapacity)
        childCapacity = (needed + kCapacityStep - 1) / kCapacityStep * kCapacityStep;
    Reserve(needed);
    std::memcpy(m_children + childCount, kids, static_cast<std::size_t>(count) * sizeof(CTextNode*));
    childCount = needed;
}


CTextNode* CTextNode::FindByPath(const std::u16string* texts, std::int32_t n)
{
    CTextNode* node = this;
    for (std::int32_t level = 0; level < n; ++level) {
        CTextNode* next = nullptr;
        for (std::int32_t i = 0; i < node->childCount && !next; ++i)
            if (node->m_children[i]->originalText == texts[level])
                next = node->m_children[i];
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}

std::int32_t CTextNode::CountNodes() const
{
    std::int32_t count = 0;
    std::vector<const CTextNode*> pending{this};
    while (!pending.empty()) {
        const CTextNode* node = pending.back();
        pending.pop_back();
        ++count;
        for (std::int32_t i = 0; i < node->childCount; ++i)
            pending.push_back(node->m_children[i]);
    }
    return count;
}

std::int32_t CTextNode::GetDepth() const
{
    std::int32_t depth = 0;
    for (const CTextNode* node = parent; node; node = node->parent)
        ++depth;
    return depth;
}

std::unique_ptr<CTextNode> CTextNode::CopyTree(CTextNode* newParent) const
{
    CTextArena* arena = CTextArena::Create();
    auto copyFields = [arena](const CTextNode& source, CTextNode* parent) {
        CTextNode* node = NewIn(*arena, parent);
        node->SetText(node->originalText, source.originalText);
        node->SetText(node->translatedText, source.translatedText);
        node->kindCode = source.kindCode;
        node->width = source.width;
        node->height = source.height;
        node->editState = source.editState;
        node->childCapacity = source.childCapacity;
        node->Reserve(source.childCount);
        return node;
    };

    std::unique_ptr<CTextNode> top(copyFields(*this, newParent));
    std::vector<std::pair<const CTextNode*, CTextNode*>> pending{{this, top.get()}};
    while (!pending.empty()) {
        auto [source, copy] = pending.back();
        pending.pop_back();
        for (std::int32_t i = 0; i < source->childCount; ++i) {
            // Counted at once, so a failing allocation leaves a tree that frees cleanly.
            copy->m_children[i] = copyFields(*source->m_children[i], copy);
            copy->childCount = i + 1;
            pending.emplace_back(source->m_children[i], copy->m_children[i]);
        }
    }
    return top;
}

void CTextNode::MarkDone() { MarkSubtree(*this, 0, 1); }

void CTextNode::MarkToDo() { MarkSubtree(*this, 3, 5); }

bool CTextNode::UpdateStates()
{
    if (childCount == 0)
        return false;

    struct Frame {
        CTextNode* node;
        std::int32_t next;
        bool changedBelow;
    };
    std::vector<Frame> stack{{this, 0, false}};
    for (;;) {
        Frame& frame = stack.back();
        CTextNode* node = frame.node;
        if (frame.next < node->childCount) {
            CTextNode* child = node->m_children[frame.next++];
            // A leaf is never changed and reports false, so only inner nodes get a frame.
            if (child->childCount > 0)
                stack.push_back({child, 0, false});
            continue;
        }

        bool somethingBelow = false;
        for (std::int32_t i = 0; i < node->childCount && !somethingBelow; ++i)
            somethingBelow = HasSomethingToEdit(node->m_children[i]->editState);

        // The own-text part stays; the form follows what is below. The result reports a
        // switch between nothing and something below, here or further down.
        bool result = frame.changedBelow;
        const std::uint32_t state = node->editState;
        if (state <= 5) { // unknown states are carried unchanged
            const bool hadSomethingBelow = state == 2 || state == 5;
            node->editState = (state >= 3 ? 3 : 0) + (somethingBelow ? 2 : 1);
            result = result || hadSomethingBelow != somethingBelow;
        }

        stack.pop_back();
        if (stack.empty())
            return result;
        stack.back().changedBelow = stack.back().changedBelow || result;
    }
}

bool CTextNode::UpdateStatesAbove()
{
    bool result = false;
    if (childCount > 0 && editState <= 5) // unknown states are carried unchanged
        result = Reform(*this, AnyChildToEdit(*this));
    for (CTextNode* node = this; node->parent; node = node->parent) {
        CTextNode& above = *node->parent;
        const std::uint32_t before = above.editState;
        if (before > 5)
            break;
        // The siblings are looked at only when this node no longer has something to be
        // edited while the form above still says something is below.
        const bool claimsNothing = before == 1 || before == 4;
        const bool somethingBelow =
            HasSomethingToEdit(node->editState) || (!claimsNothing && AnyChildToEdit(above));
        if (Reform(above, somethingBelow))
            result = true;
        if (above.editState == before)
            break;
    }
    return result;
}

bool CTextNode::MergeTexts(const CTextNode& old) { return MergeTexts(old, nullptr); }

void CTextNode::TakeTranslation(const CTextNode& from, const CTextArena* sharedFrom)
{
    // Arena texts always lie in their own node's arena.
    if (sharedFrom && from.m_arena == sharedFrom && m_arena && from.translatedText.InArena())
        translatedText.SetShared(from.translatedText.view());
    else
        SetText(translatedText, from.translatedText);
}

bool CTextNode::MergeTexts(const CTextNode& old, const CTextArena* sharedFrom)
{
    struct Frame {
        CTextNode* node;
        const CTextNode* old;
        std::int32_t next;
        bool changed;
        std::unique_ptr<CMatchIndex> index;
    };

    auto open = [sharedFrom](CTextNode* node, const CTextNode* counterpart) {
        node->TakeTranslation(*counterpart, sharedFrom);
        Frame frame{node, counterpart, 0, false, nullptr};
        if (node->childCount > 1 && counterpart->childCount > kIndexThreshold)
            frame.index = std::make_unique<CMatchIndex>(*counterpart);
        return frame;
    };

    std::vector<Frame> stack;
    stack.push_back(open(this, &old));
    for (;;) {
        Frame& frame = stack.back();
        CTextNode* node = frame.node;
        if (frame.next < node->childCount) {
            CTextNode* child = node->m_children[frame.next++];
            const CTextNode* match =
                frame.index ? frame.index->Find(*child) : child->FindMatch(*frame.old);
            if (!match) {
                frame.changed = true;
                child->MarkToDo();
            } else if (child->childCount == 0) {
                child->TakeTranslation(*match, sharedFrom);
                child->editState = 0;
            } else {
                stack.push_back(open(child, match));
            }
            continue;
        }

        const bool changed = frame.changed;
        node->editState = node->childCount == 0 ? 0 : (changed ? 2 : 1);
        stack.pop_back();
        if (stack.empty())
            return changed;
        stack.back().changed = stack.back().changed || changed;
    }
}

const CTextNode* CTextNode::FindMatch(const CTextNode& oldParent) const
{
    std::int32_t exactCount = 0;
    std::int32_t lastExact = -1;
    for (std::int32_t i = 0; i < oldParent.childCount; ++i) {
        if (oldParent.m_children[i]->originalText == originalText) {
            ++exactCount;
            lastExact = i;
        }
    }
    if (exactCount == 1)
        return oldParent.m_children[lastExact];

    std::int64_t bestScore = 9999;
    const CTextNode* kept = nullptr;
    std::int32_t keptOnlyHere = 0;
    std::int32_t keptOnlyThere = 0;
    for (std::int32_t i = 0; i < oldParent.childCount; ++i) {
        const CTextNode& candidate = *oldParent.m_children[i];
        std::int32_t onlyHere = 0;
        std::int32_t onlyThere = 0;
        std::int64_t score = ChildDifference(candidate, onlyHere, onlyThere);
        if (candidate.originalText != originalText)
            score += 5;
        if (score <= bestScore) {
            bestScore = score;
            kept = &candidate;
            keptOnlyHere = onlyHere;
            keptOnlyThere = onlyThere;
        }
    }
    if (exactCount >= 2 || !kept)
        return kept;
    if (keptOnlyHere >= childCount || keptOnlyThere >= kept->childCount)
        return nullptr;
    return kept;
}

std::int32_t CTextNode::ChildDifference(const CTextNode& other, std::int32_t& onlyHere,
                                        std::int32_t& onlyThere) const
{
    const std::int64_t work = static_cast<std::int64_t>(childCount) * other.childCount;
    if (work <= kPlainDifferenceLimit) {
        onlyHere = CountOnlyIn(*this, other);
        onlyThere = CountOnlyIn(other, *this);
    } else {
        onlyHere = CountOnlyInHashed(*this, other);
        onlyThere = CountOnlyInHashed(other, *this);
    }
    return onlyHere + onlyThere;
}

void CTextNode::ReplaceTextsByTranslations(const CTextNode& other, std::int32_t depth)
{
    struct Item {
        CTextNode* node;
        const CTextNode* other;
        std::int32_t depth;
    };
    std::vector<Item> pending{{this, &other, depth}};
    while (!pending.empty()) {
        Item item = pending.back();
        pending.pop_back();
        if (item.depth > 1)
            item.node->SetText(item.node->originalText, item.other->translatedText);
        // Shapes agree after a structure merge; a shorter other simply ends the walk there.
        const std::int32_t count = std::min(item.node->childCount, item.other->childCount);
        for (std::int32_t i = 0; i < count; ++i)
            pending.push_back({item.node->m_children[i], item.other->m_children[i],
                               item.depth + 1});
    }
}
