#include "DocumentCommands.h"

#include "CDocChange.h"
#include "CTextNode.h"
#include "CTransDoc.h"
#include "resource.h"

#include <algorithm>

namespace {

// Every node of the tree below and including root, depth-first.
std::vector<CTextNode*> WholeTree(CTextNode* root)
{
    std::vector<CTextNode*> nodes;
    if (!root)
        return nodes;
    std::vector<CTextNode*> stack{root};
    while (!stack.empty()) {
        CTextNode* node = stack.back();
        stack.pop_back();
        nodes.push_back(node);
        for (int i = node->ChildCount() - 1; i >= 0; --i)
            stack.push_back(node->GetChild(i));
    }
    return nodes;
}

// A node and its ancestors: all that a change of its own state can reach.
std::vector<CTextNode*> PathUp(CTextNode* node)
{
    std::vector<CTextNode*> nodes;
    for (; node; node = node->parent)
        nodes.push_back(node);
    return nodes;
}

bool OwnTextDone(std::uint32_t editState) { return editState < 3; }

void MarkTextDone(CTextNode& node)
{
    if (node.editState >= 3 && node.editState <= 5)
        node.editState -= 3;
}

} // namespace

// --- CStateRecord -------------------------------------------------------------

void CStateRecord::Before(std::vector<CTextNode*> nodes)
{
    m_pending = std::move(nodes);
    m_entries.clear();
    m_entries.reserve(m_pending.size());
    for (CTextNode* node : m_pending)
        m_entries.push_back({node, node->editState, node->editState});
}

void CStateRecord::After()
{
    std::size_t kept = 0;
    for (Entry& entry : m_entries) {
        entry.after = entry.node->editState;
        if (entry.after != entry.before)
            m_entries[kept++] = entry;
    }
    m_entries.resize(kept);
    m_entries.shrink_to_fit();
    m_pending.clear();
    m_pending.shrink_to_fit();
}

void CStateRecord::Restore(bool after) const
{
    for (const Entry& entry : m_entries)
        entry.node->editState = after ? entry.after : entry.before;
}

void CStateRecord::Describe(bool after, CDocChange& change, bool madeDone) const
{
    for (const Entry& entry : m_entries) {
        // The root and the top nodes are no texts of their own.
        if (!entry.node->parent || !entry.node->parent->parent)
            continue;
        const bool doneBefore = OwnTextDone(after ? entry.before : entry.after);
        const bool doneAfter = OwnTextDone(after ? entry.after : entry.before);
        change.doneDelta += int(doneAfter) - int(doneBefore);
        if (madeDone && doneAfter && !doneBefore)
            change.markedDone.push_back(entry.node);
    }
}

void CStateRecord::Append(const CStateRecord& later)
{
    for (const Entry& next : later.m_entries) {
        auto it = std::find_if(m_entries.begin(), m_entries.end(),
                               [&](const Entry& e) { return e.node == next.node; });
        if (it == m_entries.end())
            m_entries.push_back(next);
        else
            it->after = next.after;
    }
}

// --- CTextsCommand --------------------------------------------------------------

CTextsCommand::CTextsCommand(CTransDoc& doc, unsigned stepName, std::vector<Edit> edits,
                             bool markDone, bool typing, std::int32_t caretBefore,
                             std::int32_t caretAfter)
    : CDocCommand(doc, stepName), m_edits(std::move(edits)), m_markDone(markDone),
      m_typing(typing && m_edits.size() == 1), m_caretBefore(caretBefore),
      m_caretAfter(caretAfter), m_lastTyped(std::chrono::steady_clock::now())
{
}

void CTextsCommand::redo()
{
    if (m_done) {
        Apply(true);
        return;
    }
    m_done = true;
    // One text: only its ancestors can change state, at the cost of the depth;
    // many texts (or a tree whose states were never brought into line) are
    // recomputed as a whole.
    const bool one = m_edits.size() == 1 && m_doc.StatesInLine();
    m_states.Before(one ? PathUp(m_edits.front().node) : WholeTree(m_doc.GetRoot()));
    for (Edit& edit : m_edits) {
        edit.node->translatedText = edit.after;
        if (m_markDone)
            MarkTextDone(*edit.node);
    }
    if (one)
        m_edits.front().node->UpdateStatesAbove();
    else if (CTextNode* root = m_doc.GetRoot())
        root->UpdateStates();
    m_doc.SetStatesInLine();
    m_states.After();
    Apply(true);
}

void CTextsCommand::undo() { Apply(false); }

void CTextsCommand::Apply(bool after)
{
    CDocChange change;
    change.what = CDocChange::Texts | (m_states.Empty() ? 0u : unsigned(CDocChange::States));
    change.texts.reserve(m_edits.size());
    for (const Edit& edit : m_edits) {
        edit.node->translatedText = after ? edit.after : edit.before;
        change.texts.push_back(edit.node);
    }
    m_states.Restore(after);
    m_states.Describe(after, change);
    if (m_edits.size() == 1) {
        change.caretNode = m_edits.front().node;
        change.caretOffset = after ? m_caretAfter : m_caretBefore;
    }
    m_doc.Announce(change);
}

bool CTextsCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const CTextsCommand*>(other);
    if (!next || !m_typing || !next->m_typing || next->m_startsStep ||
        next->m_edits.front().node != m_edits.front().node ||
        next->m_lastTyped - m_lastTyped > kTypingPause)
        return false;
    m_edits.front().after = next->m_edits.front().after;
    m_caretAfter = next->m_caretAfter;
    m_lastTyped = next->m_lastTyped;
    m_states.Append(next->m_states);
    return true;
}

// --- CMarkCommand ---------------------------------------------------------------

CMarkCommand::CMarkCommand(CTransDoc& doc, CTextNode* top, bool done)
    : CDocCommand(doc, IDS_STEP_MARK), m_top(top), m_markDone(done)
{
}

void CMarkCommand::redo()
{
    if (!m_recorded) {
        m_recorded = true;
        m_states.Before(WholeTree(m_doc.GetRoot()));
        if (m_markDone)
            m_top->MarkDone();
        else
            m_top->MarkToDo();
        if (CTextNode* root = m_doc.GetRoot())
            root->UpdateStates();
        m_doc.SetStatesInLine();
        m_states.After();
        // Marks that change no state change nothing: no step, no star.
        if (m_states.Empty()) {
            setObsolete(true);
            return;
        }
    } else {
        m_states.Restore(true);
    }
    CDocChange change(CDocChange::States);
    m_states.Describe(true, change, m_markDone);
    m_doc.Announce(change);
}

void CMarkCommand::undo()
{
    m_states.Restore(false);
    CDocChange change(CDocChange::States);
    m_states.Describe(false, change);
    m_doc.Announce(change);
}

// --- CLanguageNameCommand ---------------------------------------------------------

CLanguageNameCommand::CLanguageNameCommand(CTransDoc& doc, std::u16string before,
                                           std::u16string after)
    : CDocCommand(doc, IDS_STEP_LANGUAGE_NAME), m_before(std::move(before)), m_after(std::move(after)),
      m_lastTyped(std::chrono::steady_clock::now())
{
}

void CLanguageNameCommand::redo()
{
    if (CLanguageFile* language = m_doc.GetLanguage())
        language->SetLanguageName(m_after);
    m_doc.Announce({CDocChange::Header});
}

void CLanguageNameCommand::undo()
{
    if (CLanguageFile* language = m_doc.GetLanguage())
        language->SetLanguageName(m_before);
    m_doc.Announce({CDocChange::Header});
}

bool CLanguageNameCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const CLanguageNameCommand*>(other);
    if (!next || next->m_lastTyped - m_lastTyped > CTextsCommand::kTypingPause)
        return false;
    m_after = next->m_after;
    m_lastTyped = next->m_lastTyped;
    return true;
}

// --- CFlagCommand -----------------------------------------------------------------

CFlagCommand::CFlagCommand(CTransDoc& doc, const Pixels& before, const Pixels& after)
    : CDocCommand(doc, IDS_STEP_FLAG), m_before(before), m_after(after)
{
}

void CFlagCommand::redo()
{
    if (CLanguageFile* language = m_doc.GetLanguage())
        language->flagPixels = m_after;
    m_doc.Announce({CDocChange::Header});
}

void CFlagCommand::undo()
{
    if (CLanguageFile* language = m_doc.GetLanguage())
        language->flagPixels = m_before;
    m_doc.Announce({CDocChange::Header});
}
