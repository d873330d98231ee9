#include "MatchTokens.h"

#include "FormatGrammar.h"

#include <algorithm>
#include <cmath>

namespace memory {

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0xA0; }

// Letters and digits of any script; beyond ASCII everything but the general punctuation
// block counts as a letter, which keeps words of other scripts whole.
bool IsWordChar(char16_t c)
{
    if (c < 0x80) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    }
    return !(c >= 0x2000 && c <= 0x206F) && c != 0xA0 && !(c >= 0xA1 && c <= 0xBF && c != 0xAA && c != 0xBA);
}

// The length of the placeholder at text[pos] == '%', or 0 when there is none.
std::size_t PlaceholderLength(std::u16string_view text, std::size_t pos)
{
    if (pos + 1 >= text.size() || text[pos + 1] == u'%') {
        return 0;
    }
    const format_grammar::Conversion conversion = format_grammar::ReadConversion(text, pos);
    if (conversion.kind && conversion.end > pos + 1) {
        return conversion.end - pos;
    }
    std::size_t end = pos + 1;
    while (end < text.size() && format_grammar::IsDigit(text[end])) {
        ++end;
    }
    return end > pos + 1 ? end - pos : 0;
}

double Weight(const MatchToken& token)
{
    switch (token.type) {
    case MatchToken::Type::Word: return 1.0;
    case MatchToken::Type::Placeholder: return 1.0;
    case MatchToken::Type::Punctuation: return 0.5;
    case MatchToken::Type::Accelerator: return 0.2;
    }
    return 1.0;
}

double SubstitutionCost(const MatchToken& a, const MatchToken& b)
{
    if (a.type == MatchToken::Type::Placeholder && b.type == MatchToken::Type::Placeholder) {
        return a.text == b.text ? 0.0 : 0.1;
    }
    if (a.type == b.type && a.text == b.text) {
        return 0.0;
    }
    return std::max(Weight(a), Weight(b));
}

std::vector<std::u16string_view> Placeholders(std::u16string_view text)
{
    std::vector<std::u16string_view> found;
    for (const MatchToken& token : Tokenize(text)) {
        if (token.type == MatchToken::Type::Placeholder) {
            found.push_back(token.text);
        }
    }
    return found;
}

} // namespace

std::vector<MatchToken> Tokenize(std::u16string_view text)
{
    std::vector<MatchToken> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (IsSpace(c)) {
            ++i;
        } else if (c == u'%' && PlaceholderLength(text, i) > 0) {
            const std::size_t length = PlaceholderLength(text, i);
            tokens.push_back({MatchToken::Type::Placeholder, text.substr(i, length)});
            i += length;
        } else if ((c == u'%' || c == u'&') && i + 1 < text.size() && text[i + 1] == c) {
            tokens.push_back({MatchToken::Type::Punctuation, text.substr(i, 1)});
            i += 2;
        } else if (c == u'&' && i + 1 < text.size() && !IsSpace(text[i + 1])) {
            tokens.push_back({MatchToken::Type::Accelerator, text.substr(i, 1)});
            ++i;
        } else if (IsWordChar(c)) {
            const std::size_t start = i;
            while (i < text.size() && IsWordChar(text[i])) {
                ++i;
            }
            tokens.push_back({MatchToken::Type::Word, text.substr(start, i - start)});
        } else {
            tokens.push_back({MatchToken::Type::Punctuation, text.substr(i, 1)});
            ++i;
        }
    }
    return tokens;
}

int Similarity(std::u16string_view a, std::u16string_view b)
{
    if (a == b) {
        return 100;
    }
    const std::vector<MatchToken> left = Tokenize(a);
    const std::vector<MatchToken> right = Tokenize(b);
    double leftWeight = 0;
    double rightWeight = 0;
    for (const MatchToken& token : left) {
        leftWeight += Weight(token);
    }
    for (const MatchToken& token : right) {
        rightWeight += Weight(token);
    }
    const double longer = std::max(leftWeight, rightWeight);
    if (longer == 0) {
        return 99; // texts of white space only, different
    }
    // Weighted edit distance over the tokens, one row at a time.
    std::vector<double> previous(right.size() + 1);
    std::vector<double> current(right.size() + 1);
    for (std::size_t j = 1; j <= right.size(); ++j) {
        previous[j] = previous[j - 1] + Weight(right[j - 1]);
    }
    for (std::size_t i = 1; i <= left.size(); ++i) {
        current[0] = previous[0] + Weight(left[i - 1]);
        for (std::size_t j = 1; j <= right.size(); ++j) {
            current[j] = std::min({previous[j] + Weight(left[i - 1]), current[j - 1] + Weight(right[j - 1]),
                                   previous[j - 1] + SubstitutionCost(left[i - 1], right[j - 1])});
        }
        std::swap(previous, current);
    }
    const double score = std::floor(100.0 * (1.0 - previous[right.size()] / longer));
    return std::clamp(static_cast<int>(score), 0, 99);
}

std::u16string AdaptTranslation(std::u16string_view memoryOriginal, std::u16string_view translation,
                                std::u16string_view currentOriginal)
{
    const std::vector<std::u16string_view> from = Placeholders(memoryOriginal);
    const std::vector<std::u16string_view> to = Placeholders(currentOriginal);
    const bool keepAccelerator = std::ranges::any_of(
        Tokenize(currentOriginal), [](const MatchToken& t) { return t.type == MatchToken::Type::Accelerator; });
    std::vector<bool> used(from.size(), false);
    std::u16string adapted;
    adapted.reserve(translation.size());
    std::size_t copied = 0;
    for (const MatchToken& token : Tokenize(translation)) {
        const std::size_t at = static_cast<std::size_t>(token.text.data() - translation.data());
        std::u16string_view replacement = token.text;
        if (token.type == MatchToken::Type::Accelerator && !keepAccelerator) {
            replacement = {};
        } else if (token.type == MatchToken::Type::Placeholder && from.size() == to.size()) {
            // The first unused placeholder of the memory's original with the same text: a
            // translation may reorder placeholders ("%2 of %1").
            for (std::size_t k = 0; k < from.size(); ++k) {
                if (!used[k] && from[k] == token.text) {
                    used[k] = true;
                    replacement = to[k];
                    break;
                }
            }
        } else {
            continue;
        }
        adapted.append(translation.substr(copied, at - copied));
        adapted.append(replacement);
        copied = at + token.text.size();
    }
    adapted.append(translation.substr(copied));
    return adapted;
}

} // namespace memory
