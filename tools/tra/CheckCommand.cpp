#include "CheckCommand.h"

#include "CSpeller.h"
#include "CTextNode.h"
#include "CommandSupport.h"
#include "CTranslationChecker.h"
#include "LanguageFileIO.h"
#include "TextEncoding.h"
#include "WidthRule.h"

#include <fmt/core.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

namespace {

using namespace tra_command;

// A text on one output line: line breaks and tabs written as \n, \r and \t.
std::string OneLine(std::u16string_view text)
{
    std::string line;
    for (const char ch : tra_text::ToUtf8(text)) {
        switch (ch) {
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        case '\t': line += "\\t"; break;
        default: line += ch; break;
        }
    }
    return line;
}

// The original texts from the top node down to the node.
std::vector<const CTextNode*> PathOf(const CTextNode& node)
{
    std::vector<const CTextNode*> path;
    for (const CTextNode* n = &node; n->parent != nullptr; n = n->parent)
        path.push_back(n);
    return {path.rbegin(), path.rend()};
}

std::string PlainLine(const checks::TranslationProblem& problem)
{
    std::string line;
    for (const CTextNode* node : PathOf(*problem.node)) {
        if (!line.empty())
            line += " > ";
        line += OneLine(node->originalText);
    }
    return fmt::format("{}: {}: {}: {}\n", line, checks::SeverityName(problem.GetSeverity()),
                       checks::CheckName(problem.check), OneLine(checks::DescribeProblem(problem)));
}

std::string JsonLine(const checks::TranslationProblem& problem, const checks::WalkPosition& position)
{
    std::string line = "{\"path\": [";
    bool first = true;
    for (const CTextNode* node : PathOf(*problem.node)) {
        if (!first)
            line += ", ";
        first = false;
        tra_text::AppendJsonString(line, node->originalText);
    }
    line += "], \"index\": [";
    for (std::size_t i = 0; i < position.indices.size(); ++i)
        line += fmt::format("{}{}", i == 0 ? "" : ", ", position.indices[i]);
    line += fmt::format("], \"check\": \"{}\", \"severity\": \"{}\", \"message\": ",
                        checks::CheckName(problem.check),
                        checks::SeverityName(problem.GetSeverity()));
    tra_text::AppendJsonString(line, checks::DescribeProblem(problem));
    return line + "}\n";
}

// --spelling=CODE: misspelt words as warnings, with the dictionary that fits
// CODE (a dictionary or language code, or a language name). Without one the
// file is checked as without the option, and stderr says so.
void UseSpeller(checks::CTranslationChecker& checker, const spelling::CSpeller& speller,
                const std::string& language)
{
    if (!speller.IsActive()) {
        fmt::print(stderr, "glossmark-tra: no dictionary for \"{}\"; spelling not checked\n", language);
        return;
    }
    checker.SetSpellRule([&speller](std::u16string_view text) { return speller.Misspelt(text); });
}

} // namespace

int RunCheckCommand(const std::vector<std::string>& args)
{
    std::string path;
    bool json = false;
    bool widths = true;
    std::optional<std::string> spellingLanguage;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg == "--no-widths") {
            widths = false;
        } else if (arg.starts_with("--spelling=")) {
            spellingLanguage = arg.substr(std::string_view("--spelling=").size());
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Usage(fmt::format("unknown option \"{}\"", arg));
        } else if (path.empty()) {
            path = arg;
        } else {
            return Usage("usage: glossmark-tra check FILE [--json] [--no-widths] [--spelling=CODE]");
        }
    }
    if (path.empty())
        return Usage("usage: glossmark-tra check FILE [--json] [--no-widths] [--spelling=CODE]");

    const auto language = Load(path);
    if (!language) {
        return kFailure;
    }
    std::optional<WidthRule> widthRule;
    if (widths)
        widthRule.emplace();
    checks::CTranslationChecker checker(widthRule ? widthRule->Rule() : checks::SizeRule{});
    std::unique_ptr<spelling::CSpeller> speller;
    if (spellingLanguage) {
        speller = std::make_unique<spelling::CSpeller>(tra_text::FromUtf8(*spellingLanguage));
        UseSpeller(checker, *speller, *spellingLanguage);
    }
    std::size_t errors = 0;
    std::size_t warnings = 0;
    if (language->root) {
        std::string out;
        checker.CheckTree(*language->root,
                          [&](const checks::TranslationProblem& problem,
                              const checks::WalkPosition& position) {
                              (problem.GetSeverity() == checks::Severity::Error ? errors : warnings)++;
                              out += json ? JsonLine(problem, position) : PlainLine(problem);
                              if (out.size() > 65536) {
                                  std::fwrite(out.data(), 1, out.size(), stdout);
                                  out.clear();
                              }
                          });
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    if (!json)
        fmt::print("{} problems: {} errors, {} warnings\n", errors + warnings, errors, warnings);
    std::fflush(stdout);
    return errors > 0 ? kFailure : 0;
}
