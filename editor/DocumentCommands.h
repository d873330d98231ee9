#pragma once

// The document's undoable commands: every change of the open language goes
// through one of them on the document's QUndoStack. Each command keeps what it
// needs to go back and forth exactly: the texts before and after, and the
// edit states that the change recomputed (only those that changed).

#include "CLanguageFile.h"

#include <QUndoCommand>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class CTextNode;
class CTransDoc;
struct CDocChange;

// The edit states of a set of nodes before and after a change; only the nodes
// whose state changed are kept.
class CStateRecord {
public:
    void Before(std::vector<CTextNode*> nodes);
    void After();
    void Restore(bool after) const;
    // What the recorded change did to the texts' own marks (going to the after
    // states, or back): the change's doneDelta, and with madeDone the texts
    // that became done.
    void Describe(bool after, CDocChange& change, bool madeDone = false) const;
    // Takes the later record of a merged step: its after states win.
    void Append(const CStateRecord& later);
    bool Empty() const { return m_entries.empty(); }

private:
    struct Entry {
        CTextNode* node;
        std::uint32_t before;
        std::uint32_t after;
    };
    std::vector<CTextNode*> m_pending;
    std::vector<Entry> m_entries;
};

// A command of the document; the string-table id of its step's name (in the
// Edit menu's "Undo ..." item).
class CDocCommand : public QUndoCommand {
public:
    CDocCommand(CTransDoc& doc, unsigned stepName) : m_doc(doc), m_stepName(stepName) {}
    unsigned StepName() const { return m_stepName; }

protected:
    CTransDoc& m_doc;
    unsigned m_stepName;
};

// New translated texts for one or more nodes: typing, a new line, joined
// lines, a paste, one replacement, replace all.
class CTextsCommand : public CDocCommand {
public:
    static constexpr int kTypingId = 1;
    // Typing in one text merges into one step unless it pauses this long.
    static constexpr std::chrono::milliseconds kTypingPause{1000};

    struct Edit {
        CTextNode* node;
        std::u16string before;
        std::u16string after;
    };
    // markDone: the texts become done (a typed change does, a new line does not).
    // caretBefore/caretAfter: offsets into the single text's translation.
    CTextsCommand(CTransDoc& doc, unsigned stepName, std::vector<Edit> edits, bool markDone,
                  bool typing, std::int32_t caretBefore, std::int32_t caretAfter);

    void redo() override;
    void undo() override;
    int id() const override { return m_typing ? kTypingId : -1; }
    bool mergeWith(const QUndoCommand* other) override;
    // A typing step that must not merge with the one before (another text was
    // visited in between).
    void StartsStep() { m_startsStep = true; }

private:
    void Apply(bool after);

    std::vector<Edit> m_edits;
    bool m_markDone;
    bool m_typing;
    bool m_startsStep = false;
    bool m_done = false; // redone once: the states are recorded
    std::int32_t m_caretBefore;
    std::int32_t m_caretAfter;
    std::chrono::steady_clock::time_point m_lastTyped;
    CStateRecord m_states;
};

// Marks a subtree done or to be edited.
class CMarkCommand : public CDocCommand {
public:
    CMarkCommand(CTransDoc& doc, CTextNode* top, bool done);
    void redo() override;
    void undo() override;

private:
    CTextNode* m_top;
    bool m_markDone;
    bool m_recorded = false;
    CStateRecord m_states;
};

// The language's name, as typed in the head view; typing merges.
class CLanguageNameCommand : public CDocCommand {
public:
    static constexpr int kNameId = 2;
    CLanguageNameCommand(CTransDoc& doc, std::u16string before, std::u16string after);
    void redo() override;
    void undo() override;
    int id() const override { return kNameId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    std::u16string m_before;
    std::u16string m_after;
    std::chrono::steady_clock::time_point m_lastTyped;
};

// The language's flag.
class CFlagCommand : public CDocCommand {
public:
    using Pixels = decltype(CLanguageFile::flagPixels);
    CFlagCommand(CTransDoc& doc, const Pixels& before, const Pixels& after);
    void redo() override;
    void undo() override;

private:
    Pixels m_before;
    Pixels m_after;
};
