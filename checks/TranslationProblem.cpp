#include "TranslationProblem.h"

#include <fmt/format.h>

namespace checks {

namespace {

std::u16string Widen(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

std::u16string ConversionsOrNone(const std::u16string& list)
{
    return list.empty() ? std::u16string(u"none") : Quoted(list);
}

} // namespace

std::string_view CheckName(CheckId check)
{
    switch (check) {
    case CheckId::Format: return "format";
    case CheckId::Accelerator: return "accelerator";
    case CheckId::AcceleratorClash: return "accelerator-clash";
    case CheckId::Lines: return "lines";
    case CheckId::Whitespace: return "whitespace";
    case CheckId::Width: return "width";
    case CheckId::Spelling: return "spelling";
    }
    return "";
}

Severity SeverityOf(CheckId check)
{
    return check == CheckId::Format || check == CheckId::Width ? Severity::Error
                                                                : Severity::Warning;
}

std::string_view SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

std::u16string DescribeProblem(const TranslationProblem& problem)
{
    switch (problem.check) {
    case CheckId::Format:
        return u"the conversions " + ConversionsOrNone(problem.translatedDetail) +
               u" differ from the original's " + ConversionsOrNone(problem.originalDetail);
    case CheckId::Accelerator:
        return Widen(fmt::format("the translation has {} accelerator markers, the original {}",
                                 problem.translatedCount, problem.originalCount));
    case CheckId::AcceleratorClash:
        return u"the accelerator letter " + problem.translatedDetail + u" is also used by " +
               Quoted(problem.originalDetail);
    case CheckId::Lines:
        return Widen(fmt::format("the translation has {} line breaks, the original {}",
                                 problem.translatedCount, problem.originalCount));
    case CheckId::Whitespace:
        return u"the spaces and tabs at the start or end differ from the original's";
    case CheckId::Width:
        return Widen(fmt::format("too wide for its control of {} dialog units",
                                 problem.originalCount));
    case CheckId::Spelling:
        return Quoted(problem.translatedDetail) + u" is not in the dictionary";
    }
    return {};
}

} // namespace checks
