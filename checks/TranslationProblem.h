#pragma once

// One problem that a translation check found: which check, on which node, and
// the facts its message is made from. Reports only; nothing here changes a tree.

#include <cstdint>
#include <string>
#include <string_view>

class CTextNode;

namespace checks {

// The ids are part of the command line's interface.
enum class CheckId { Format, Accelerator, AcceleratorClash, Lines, Whitespace, Width, Spelling };
enum class Severity { Error, Warning };

std::string_view CheckName(CheckId check);
Severity SeverityOf(CheckId check);
std::string_view SeverityName(Severity severity);

struct TranslationProblem {
    const CTextNode* node = nullptr;
    CheckId check = CheckId::Format;
    // format: the conversions as written; clash: the shared letter (as in
    // the translation) and the translated text of the earlier child; spelling:
    // the word without its accelerator mark.
    std::u16string originalDetail;
    std::u16string translatedDetail;
    // accelerator: markers; lines: line breaks; width: the control's width;
    // spelling: where the word starts in the translation and its length.
    std::int32_t originalCount = 0;
    std::int32_t translatedCount = 0;

    Severity GetSeverity() const { return SeverityOf(check); }
    bool operator==(const TranslationProblem&) const = default;
};

// The problem's message in English (the command line's language).
std::u16string DescribeProblem(const TranslationProblem& problem);

} // namespace checks
