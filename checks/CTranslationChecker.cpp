#include "CTranslationChecker.h"

#include "CTextNode.h"
#include "FormatGrammar.h"
#include "TextRules.h"

#include <unordered_map>

namespace checks {

namespace {

constexpr std::u16string_view kStringsTop = u"Stringtables";

// Accelerator letters clash between the items of one popup or the controls of
// one dialog; the texts of a string table are never shown side by side.
bool ChecksClashesBelow(const CTextNode& node, std::int32_t depth, bool clashBranch)
{
    return depth >= 2 && clashBranch && node.ChildCount() > 1;
}

// The top node above node (node itself at depth 1), or null for the root.
const CTextNode* TopNodeOf(const CTextNode& node, std::int32_t& depth)
{
    depth = 0;
    const CTextNode* top = nullptr;
    for (const CTextNode* n = &node; n->parent != nullptr; n = n->parent) {
        top = n;
        ++depth;
    }
    return top;
}

std::u16string FromCodePoint(char32_t c)
{
    if (c < 0x10000)
        return std::u16string(1, char16_t(c));
    c -= 0x10000;
    return {char16_t(0xD800 + (c >> 10)), char16_t(0xDC00 + (c & 0x3FF))};
}

} // namespace

CTranslationChecker::CTranslationChecker(SizeRule sizeRule) : m_sizeRule(std::move(sizeRule)) {}

std::u16string_view CTranslationChecker::TranslationRef(const CTextNode& node,
                                                         std::u16string& scratch) const
{
    if (!m_textSource)
        return node.translatedText;
    scratch = m_textSource(node);
    return scratch;
}

std::u16string CTranslationChecker::TranslationOf(const CTextNode& node) const
{
    return m_textSource ? m_textSource(node) : node.translatedText;
}

void CTranslationChecker::CheckOwn(const CTextNode& node, std::u16string_view translated,
                                   std::span<const TranslationProblem> clashes,
                                   std::vector<TranslationProblem>& out)
{
    ++m_nodesChecked;
    const std::u16string_view original = node.originalText;
    const bool changed = translated != original;
    const auto add = [&](CheckId check) -> TranslationProblem& {
        TranslationProblem& problem = out.emplace_back();
        problem.node = &node;
        problem.check = check;
        return problem;
    };
    if (changed && !format_grammar::TranslationAgrees(translated, original)) {
        TranslationProblem& problem = add(CheckId::Format);
        problem.originalDetail = format_grammar::ConversionList(original);
        problem.translatedDetail = format_grammar::ConversionList(translated);
    }
    if (changed) {
        const Accelerators own = FindAccelerators(original);
        const Accelerators theirs = FindAccelerators(translated);
        if ((own.count == 1 && theirs.count != 1) || (own.count == 0 && theirs.count > 0)) {
            TranslationProblem& problem = add(CheckId::Accelerator);
            problem.originalCount = own.count;
            problem.translatedCount = theirs.count;
        }
    }
    out.insert(out.end(), clashes.begin(), clashes.end());
    if (!changed)
        return;
    const std::int32_t ownBreaks = CountLineBreaks(original);
    const std::int32_t theirBreaks = CountLineBreaks(translated);
    if (ownBreaks != theirBreaks) {
        TranslationProblem& problem = add(CheckId::Lines);
        problem.originalCount = ownBreaks;
        problem.translatedCount = theirBreaks;
    }
    if (LeadingBlanks(original) != LeadingBlanks(translated) ||
        TrailingBlanks(original) != TrailingBlanks(translated))
        add(CheckId::Whitespace);
    if (!FitsSizeRule(m_sizeRule, node.kindCode, node.width, translated))
        add(CheckId::Width).originalCount = node.width;
    if (m_spellRule)
        AddSpellingProblems(node, translated, m_spellRule(translated), out);
}

void AddSpellingProblems(const CTextNode& node, std::u16string_view translated,
                         std::span<const TextRange> words, std::vector<TranslationProblem>& out)
{
    for (const TextRange& word : words) {
        TranslationProblem& problem = out.emplace_back();
        problem.node = &node;
        problem.check = CheckId::Spelling;
        // The word as read: without its accelerator mark ("&&" parts words).
        for (std::size_t i = word.begin; i < word.end; ++i) {
            if (translated[i] != u'&')
                problem.translatedDetail += translated[i];
        }
        problem.originalCount = std::int32_t(word.begin);
        problem.translatedCount = std::int32_t(word.end - word.begin);
    }
}

std::vector<std::vector<TranslationProblem>>
CTranslationChecker::CheckClashes(const CTextNode& parent)
{
    const std::int32_t count = parent.ChildCount();
    std::vector<std::vector<TranslationProblem>> clashes(std::size_t(count > 0 ? count : 0));
    struct Letters {
        char32_t translated = 0; // folded; 0: no marker
        char32_t original = 0;
        char32_t shown = 0;      // as written in the translation
    };
    std::vector<Letters> letters(clashes.size());
    std::unordered_map<char32_t, std::vector<std::int32_t>> earlier;
    std::u16string scratch;
    for (std::int32_t i = 0; i < count; ++i) {
        const CTextNode* child = parent.GetChild(i);
        if (child == nullptr)
            continue;
        Letters& mine = letters[std::size_t(i)];
        mine.shown = FindAccelerators(TranslationRef(*child, scratch)).firstLetter;
        mine.translated = FoldCase(mine.shown);
        mine.original = FoldCase(FindAccelerators(child->originalText).firstLetter);
        if (mine.translated == 0)
            continue;
        std::vector<std::int32_t>& before = earlier[mine.translated];
        for (const std::int32_t j : before) {
            const Letters& other = letters[std::size_t(j)];
            if (mine.original != 0 && mine.original == other.original)
                continue; // the original clashed already
            TranslationProblem& problem = clashes[std::size_t(i)].emplace_back();
            problem.node = child;
            problem.check = CheckId::AcceleratorClash;
            problem.translatedDetail = FromCodePoint(mine.shown);
            // Named as the user sees it: the other item's translated text.
            problem.originalDetail = TranslationOf(*parent.GetChild(j));
        }
        before.push_back(i);
    }
    return clashes;
}

void CTranslationChecker::CheckTree(
    const CTextNode& root,
    const std::function<void(const TranslationProblem&, const WalkPosition&)>& report)
{
    struct Frame {
        const CTextNode* node;
        std::int32_t depth;
        bool clashBranch;
        std::int32_t next = 0;
        std::vector<std::vector<TranslationProblem>> clashes;
    };
    std::vector<Frame> stack;
    stack.push_back({&root, 0, false, 0, {}});
    std::vector<std::int32_t> indices;
    std::vector<TranslationProblem> problems;
    std::u16string scratch;
    std::int64_t order = 0;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.node->ChildCount()) {
            if (frame.depth > 0)
                indices.pop_back();
            stack.pop_back();
            continue;
        }
        const std::int32_t index = frame.next++;
        const CTextNode* child = frame.node->GetChild(index);
        if (child == nullptr)
            continue;
        ++order;
        indices.push_back(index);
        const std::int32_t depth = frame.depth + 1;
        const bool clashBranch = depth == 1 ? child->originalText != kStringsTop : frame.clashBranch;
        if (depth >= 2) {
            std::span<const TranslationProblem> clashes;
            if (!frame.clashes.empty())
                clashes = frame.clashes[std::size_t(index)];
            problems.clear();
            CheckOwn(*child, TranslationRef(*child, scratch), clashes, problems);
            const WalkPosition position{indices, order};
            for (const TranslationProblem& problem : problems)
                report(problem, position);
        }
        Frame next{child, depth, clashBranch, 0, {}};
        if (ChecksClashesBelow(*child, depth, clashBranch))
            next.clashes = CheckClashes(*child);
        stack.push_back(std::move(next)); // frame is not used after this
    }
}

std::vector<TranslationProblem> CTranslationChecker::CheckTree(const CTextNode& root)
{
    std::vector<TranslationProblem> all;
    CheckTree(root, [&all](const TranslationProblem& problem, const WalkPosition&) {
        all.push_back(problem);
    });
    return all;
}

std::vector<NodeProblems> CTranslationChecker::Recheck(const CTextNode& node)
{
    std::int32_t depth = 0;
    const CTextNode* top = TopNodeOf(node, depth);
    if (depth < 2)
        return {{&node, {}}};
    const CTextNode& parent = *node.parent;
    const bool clashBranch = top->originalText != kStringsTop;
    std::vector<NodeProblems> result;
    if (!ChecksClashesBelow(parent, depth - 1, clashBranch)) {
        NodeProblems& mine = result.emplace_back();
        mine.node = &node;
        CheckOwn(node, TranslationOf(node), {}, mine.problems);
        return result;
    }
    const auto clashes = CheckClashes(parent);
    std::u16string scratch;
    for (std::int32_t i = 0; i < parent.ChildCount(); ++i) {
        const CTextNode* child = parent.GetChild(i);
        if (child == nullptr)
            continue;
        NodeProblems& entry = result.emplace_back();
        entry.node = child;
        CheckOwn(*child, TranslationRef(*child, scratch), clashes[std::size_t(i)], entry.problems);
    }
    return result;
}

bool FitsSizeRule(const SizeRule& rule, std::int32_t kindCode, std::int32_t width,
                  std::u16string_view translated)
{
    if (!rule.fits || !rule.isSizeLimited || !rule.isSizeLimited(kindCode))
        return true;
    // Each line of a multi-line control must fit; an empty line shows nothing.
    std::size_t start = 0;
    while (start <= translated.size()) {
        std::size_t stop = translated.find(u'\n', start);
        if (stop == std::u16string_view::npos)
            stop = translated.size();
        std::u16string_view line = translated.substr(start, stop - start);
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);
        if (!line.empty() && !rule.fits(line, width))
            return false;
        start = stop + 1;
    }
    return true;
}

} // namespace checks
