#include "BridgeUnits.h"

#include "TextEncoding.h"

#include <fmt/core.h>

#include <charconv>

namespace bridge {

namespace {

void AppendVisible(std::string& out, std::u16string_view text)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\n' && text[i] != u'\t' && text[i] != u'\r') {
            continue;
        }
        out += tra_text::ToUtf8(text.substr(start, i - start));
        if (i < text.size()) {
            out += text[i] == u'\n' ? "\\n" : text[i] == u'\t' ? "\\t" : "\\r";
        }
        start = i + 1;
    }
}

// Sets or clears the own-text part of a node's state and keeps its form; the caller
// recomputes the forms of the inner nodes afterwards.
void SetOwnMark(CTextNode& node, bool toBeEdited)
{
    if (node.ChildCount() == 0) {
        toBeEdited ? node.MarkToDo() : node.MarkDone();
        return;
    }
    const std::uint32_t form = node.editState <= 5 ? node.editState % 3 : 1;
    node.editState = (toBeEdited ? 3 : 0) + (form == 0 ? 1 : form);
}

} // namespace

void ForEachUnit(const CTextNode& root, const std::function<void(const Unit&)>& visit)
{
    struct Frame {
        const CTextNode* node;
        std::int32_t next;
        std::size_t pathLength;
    };
    Unit unit;
    std::vector<Frame> stack;
    for (std::int32_t t = 0; t < root.ChildCount(); ++t) {
        const CTextNode* top = root.GetChild(t);
        unit.path = std::to_string(t);
        unit.ancestors.assign(1, std::u16string_view(top->originalText));
        stack.assign(1, Frame{top, 0, unit.path.size()});
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.next >= frame.node->ChildCount()) {
                stack.pop_back();
                if (!stack.empty()) {
                    unit.ancestors.pop_back();
                }
                continue;
            }
            const std::int32_t index = frame.next++;
            const CTextNode* child = frame.node->GetChild(index);
            unit.path.resize(frame.pathLength);
            unit.path += '.';
            unit.path += std::to_string(index);
            unit.node = child;
            visit(unit);
            if (child->ChildCount() > 0) {
                const std::size_t length = unit.path.size();
                unit.ancestors.push_back(std::u16string_view(child->originalText));
                stack.push_back(Frame{child, 0, length});
            }
        }
    }
}

std::string AncestorPath(const Unit& unit)
{
    std::string out;
    for (const std::u16string_view text : unit.ancestors) {
        if (!out.empty()) {
            out += " > ";
        }
        AppendVisible(out, text);
    }
    return out;
}

std::string UnitNote(const Unit& unit)
{
    const CTextNode& node = *unit.node;
    return fmt::format("{} | kind {}, size {} x {}", AncestorPath(unit), node.kindCode, node.width,
                       node.height);
}

CTextNode* NodeAtPath(CTextNode& root, std::string_view path)
{
    CTextNode* node = &root;
    int depth = 0;
    while (!path.empty()) {
        const std::size_t dot = path.find('.');
        const std::string_view part = path.substr(0, dot);
        std::int32_t index = -1;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), index);
        if (part.empty() || error != std::errc() || end != part.data() + part.size() || index < 0) {
            return nullptr;
        }
        node = node->GetChild(index);
        if (node == nullptr) {
            return nullptr;
        }
        ++depth;
        if (dot == std::string_view::npos) {
            break;
        }
        path.remove_prefix(dot + 1);
        if (path.empty()) {
            return nullptr; // "0.1."
        }
    }
    return depth >= 2 ? node : nullptr;
}

std::ptrdiff_t FirstUnwritable(std::u16string_view text, bool forXml)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                ++i;
                continue;
            }
            return static_cast<std::ptrdiff_t>(i);
        }
        if ((c >= 0xDC00 && c <= 0xDFFF) || c == 0) {
            return static_cast<std::ptrdiff_t>(i);
        }
        if (forXml && ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE ||
                       c == 0xFFFF)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

std::string UnwritableTextError(const Unit& unit, bool forXml, std::string_view problem)
{
    const std::u16string_view texts[] = {unit.node->originalText, unit.node->translatedText};
    for (const std::u16string_view& text : texts) {
        if (FirstUnwritable(text, forXml) >= 0) {
            return fmt::format("the {} text of the node {} ({}) {}",
                               &text == &texts[0] ? "original" : "translated", unit.path,
                               AncestorPath(unit), problem);
        }
    }
    return {};
}

ApplyResult ApplyUnit(CTextNode& root, std::string_view path, std::u16string_view source,
                      std::u16string_view target, bool toBeEdited)
{
    CTextNode* node = NodeAtPath(root, path);
    if (node == nullptr) {
        return ApplyResult::NoSuchText;
    }
    if (node->originalText != source) {
        return ApplyResult::OtherOriginal;
    }
    // An empty target means "not translated", except for an empty original, whose
    // translation can only be empty.
    if (target.empty() && !source.empty()) {
        return ApplyResult::Unchanged;
    }
    bool changed = false;
    if (node->translatedText != target) {
        node->translatedText = std::u16string(target);
        changed = true;
    }
    if (OwnTextToBeEdited(*node) != toBeEdited) {
        SetOwnMark(*node, toBeEdited);
        changed = true;
    }
    return changed ? ApplyResult::Applied : ApplyResult::Unchanged;
}

UnitImporter::UnitImporter(CTextNode& root, std::string keyName, std::string sourceName)
    : root(root), keyName(std::move(keyName)), sourceName(std::move(sourceName))
{
}

void UnitImporter::Skip(int line, const std::string& why)
{
    ++counts.skipped;
    counts.skippedLines.push_back(fmt::format("line {}: skipped: {}", line, why));
}

void UnitImporter::Apply(int line, const std::string& path, std::u16string_view source,
                         std::u16string_view target, bool toBeEdited)
{
    const std::string shownPath = tra_text::Printable(path, 40);
    const auto [first, isNew] = firstLines.emplace(path, line);
    if (!isNew) {
        Skip(line, fmt::format("{} \"{}\" again (first at line {}); the first one wins", keyName, shownPath,
                               first->second));
        return;
    }
    switch (ApplyUnit(root, path, source, target, toBeEdited)) {
    case ApplyResult::Applied: ++counts.applied; break;
    case ApplyResult::Unchanged: ++counts.unchanged; break;
    case ApplyResult::NoSuchText:
        Skip(line, fmt::format("{} \"{}\" names no text of the language file", keyName, shownPath));
        break;
    case ApplyResult::OtherOriginal:
        Skip(line, fmt::format("the {} is not the original text at {} (changed since the export?)", sourceName,
                               shownPath));
        break;
    }
}

} // namespace bridge
