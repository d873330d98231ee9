#pragma once

// The translation checks: what in a translated text would break the program
// that loads the file (format conversions, accelerators, line breaks, blanks
// at the ends, widths of fixed-size controls). Every node below the three top
// nodes whose translation differs from its original is checked; the checker
// reads the tree and never changes it.
//
// The width of a text is decided by a rule given from outside (it needs
// fonts), so the walk itself needs nothing but the model. Without a size rule
// the width check is left out.

#include "TextRange.h"
#include "TranslationProblem.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CTextNode;

namespace checks {

// Which texts keep the size of their control, and whether a line of text fits
// a control of that width (in dialog units): the in-place editor's rule.
struct SizeRule {
    std::function<bool(std::int32_t kindCode)> isSizeLimited;
    std::function<bool(std::u16string_view line, std::int32_t width)> fits;
};

// Whether translated keeps the rule in a control of kindCode, width dialog
// units wide: every line of a size-limited text fits (true without a rule).
bool FitsSizeRule(const SizeRule& rule, std::int32_t kindCode, std::int32_t width,
                  std::u16string_view translated);

// The misspelt words of a translation; a speller stands behind it. Without
// one the spelling check is left out.
using SpellRule = std::function<std::vector<TextRange>(std::u16string_view translated)>;

// The spelling problems of node's translation, one per misspelt word, as the
// checker reports them (for a walk of its own off the user-interface thread).
void AddSpellingProblems(const CTextNode& node, std::u16string_view translated,
                         std::span<const TextRange> words, std::vector<TranslationProblem>& out);

// Where the walk found a node: its child indices from the root, and its
// number in depth-first order (the root is 0, so a view that leaves the root
// out shows the node as row order - 1).
struct WalkPosition {
    std::span<const std::int32_t> indices;
    std::int64_t order = 0;
};

// The problems of one node after a re-check (possibly none).
struct NodeProblems {
    const CTextNode* node = nullptr;
    std::vector<TranslationProblem> problems;
};

class CTranslationChecker {
public:
    // The translated text of a node; the editor passes texts that are still
    // being typed and not yet written into the tree.
    using TextSource = std::function<std::u16string(const CTextNode&)>;

    explicit CTranslationChecker(SizeRule sizeRule = {});

    void SetTextSource(TextSource source) { m_textSource = std::move(source); }
    void SetSpellRule(SpellRule rule) { m_spellRule = std::move(rule); }

    // Every problem of the tree, node by node in depth-first order (children
    // in order), each node's problems in the order of the checks.
    void CheckTree(const CTextNode& root,
                   const std::function<void(const TranslationProblem&, const WalkPosition&)>& report);
    std::vector<TranslationProblem> CheckTree(const CTextNode& root);

    // After node's translation changed: the problems of every node that can
    // have changed, which is node and, where accelerator clashes are checked,
    // its siblings. The cost depends on the number of siblings only.
    std::vector<NodeProblems> Recheck(const CTextNode& node);

    // Nodes looked at since construction (the editor's tests count them).
    std::int64_t NodesChecked() const { return m_nodesChecked; }

private:
    struct Group;

    // Checks of one node that need no sibling; clashes are added by the
    // caller after the accelerator check so that the order stays fixed.
    void CheckOwn(const CTextNode& node, std::u16string_view translated,
                  std::span<const TranslationProblem> clashes,
                  std::vector<TranslationProblem>& out);
    // The clashes of parent's children, per child (on the later child of each pair).
    std::vector<std::vector<TranslationProblem>> CheckClashes(const CTextNode& parent);
    std::u16string TranslationOf(const CTextNode& node) const;
    std::u16string_view TranslationRef(const CTextNode& node, std::u16string& scratch) const;

    SizeRule m_sizeRule;
    TextSource m_textSource;
    SpellRule m_spellRule;
    std::int64_t m_nodesChecked = 0;
};

} // namespace checks
