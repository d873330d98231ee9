// Macro expansion of the resource script preprocessor, as C does it: a macro's
// replacement is read again together with the rest of the text, and every token
// carries the macros it came out of, which it does not call again.
#include "CRcPreprocessor.h"

#include "CRcError.h"
#include "RcEncoding.h"
#include "Utf8.h"

#include <algorithm>

namespace {

constexpr int kMaxArgumentDepth = 64;
// Macros that use each other twice can double at every level; no script needs this many.
constexpr std::size_t kMaxTokensPerUse = 100000;

bool Hides(const std::shared_ptr<const std::vector<std::string>>& hide, const std::string& name)
{
    return hide && std::find(hide->begin(), hide->end(), name) != hide->end();
}

std::shared_ptr<const std::vector<std::string>> Union(const std::shared_ptr<const std::vector<std::string>>& a,
                                                      const std::shared_ptr<const std::vector<std::string>>& b)
{
    if (!a || a == b)
        return b;
    if (!b)
        return a;
    auto both = std::make_shared<std::vector<std::string>>(*b);
    for (const std::string& name : *a)
        if (!Hides(b, name))
            both->push_back(name);
    return both;
}

// #x: the argument's spelling as a string literal; its text is that spelling.
CRcToken Stringize(const std::vector<CRcToken>& argument, const CRcToken& at)
{
    std::string spelling;
    for (const CRcToken& token : argument) {
        if (!spelling.empty() && token.spaceBefore)
            spelling += ' ';
        spelling += token.text;
    }
    CRcToken token = at;
    token.kind = CRcToken::Kind::String;
    token.value = utf8::ToUtf16(spelling).value_or(u"");
    token.text = "\"";
    for (const char c : spelling) {
        if (c == '"' || c == '\\')
            token.text += '\\';
        token.text += c;
    }
    token.text += '"';
    return token;
}

} // namespace

void CRcPreprocessor::ExpandInto(std::vector<CRcToken> tokens, std::vector<CRcToken>& out)
{
    Tokens input;
    input.reserve(tokens.size());
    for (CRcToken& token : tokens)
        input.push_back({std::move(token), nullptr, false});
    Tokens expanded;
    Expand(std::move(input), expanded, 0);
    for (Pending& pending : expanded)
        out.push_back(std::move(pending.token));
}

void CRcPreprocessor::Expand(Tokens input, Tokens& out, int depth)
{
    std::deque<Pending> work(std::make_move_iterator(input.begin()), std::make_move_iterator(input.end()));
    std::size_t produced = 0; // tokens that the current macro use of the text gave so far
    std::string used;
    while (!work.empty()) {
        Pending current = std::move(work.front());
        work.pop_front();
        const CRcToken& token = current.token;
        const CRcSymbols::Macro* macro = nullptr;
        if (token.kind == CRcToken::Kind::Identifier && !Hides(current.hide, token.text))
            macro = symbols.Find(token.text);
        // A function-like macro's name without arguments is only a name.
        if (macro && macro->functionLike && (work.empty() || !work.front().token.IsPunct("(")))
            macro = nullptr;
        if (!macro) {
            out.push_back(std::move(current));
            continue;
        }
        if (!current.fromMacro) {
            produced = 0;
            used = token.text;
        }
        std::vector<Tokens> arguments;
        if (macro->functionLike)
            arguments = Arguments(work, token, *macro);
        Tokens replacement = Substitute(*macro, arguments, current, depth);
        produced += replacement.size();
        if (produced > kMaxTokensPerUse)
            throw CRcError(token.FileName(), token.line, "macro '" + used + "' expands to too many tokens");
        for (auto it = replacement.rbegin(); it != replacement.rend(); ++it)
            work.push_front(std::move(*it));
    }
}

std::vector<CRcPreprocessor::Tokens> CRcPreprocessor::Arguments(std::deque<Pending>& work, const CRcToken& use,
                                                                const CRcSymbols::Macro& macro)
{
    work.pop_front(); // '('
    std::vector<Tokens> arguments(1);
    int nesting = 1;
    while (!work.empty()) {
        Pending token = std::move(work.front());
        work.pop_front();
        if (token.token.IsPunct("(")) {
            ++nesting;
        } else if (token.token.IsPunct(")") && --nesting == 0) {
            if (macro.parameters.empty() && arguments.size() == 1 && arguments[0].empty())
                arguments.clear();
            const std::size_t named = macro.parameters.size() - (macro.variadic ? 1 : 0);
            if (macro.variadic && arguments.size() == named)
                arguments.emplace_back(); // no variable arguments at all
            if (arguments.size() != macro.parameters.size())
                throw CRcError(use.FileName(), use.line,
                               "macro '" + use.text + "' takes " + std::to_string(macro.parameters.size()) +
                                   (macro.parameters.size() == 1 ? " argument" : " arguments") + ", not " +
                                   std::to_string(arguments.size()));
            return arguments;
        } else if (token.token.IsPunct(",") && nesting == 1 &&
                   !(macro.variadic && arguments.size() == macro.parameters.size())) {
            arguments.emplace_back();
            continue;
        }
        arguments.back().push_back(std::move(token));
    }
    throw CRcError(use.FileName(), use.line, "the arguments of macro '" + use.text + "' are not closed with ')'");
}

CRcPreprocessor::Tokens CRcPreprocessor::Substitute(const CRcSymbols::Macro& macro, std::vector<Tokens>& arguments,
                                                    const Pending& use, int depth)
{
    const std::vector<CRcToken>& body = macro.replacement;
    const auto parameter = [&](std::size_t i) -> int {
        if (!macro.functionLike || i >= body.size() || body[i].kind != CRcToken::Kind::Identifier)
            return -1;
        const auto it = std::find(macro.parameters.begin(), macro.parameters.end(), body[i].text);
        return it == macro.parameters.end() ? -1 : static_cast<int>(it - macro.parameters.begin());
    };
    const auto plain = [](const Tokens& tokens) {
        std::vector<CRcToken> out;
        for (const Pending& pending : tokens)
            out.push_back(pending.token);
        return out;
    };
    // An empty argument next to ## stands as a placeholder that the pasting drops.
    CRcToken placeholder;
    placeholder.kind = CRcToken::Kind::End;
    Tokens result;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const CRcToken& token = body[i];
        if (token.IsPunct("#") && parameter(i + 1) >= 0) {
            result.push_back({Stringize(plain(arguments[static_cast<std::size_t>(parameter(++i))]), token), nullptr});
        } else if (token.IsPunct("##") && !result.empty() && i + 1 < body.size()) {
            const int p = parameter(++i);
            Tokens right = p >= 0 ? arguments[static_cast<std::size_t>(p)] : Tokens{{body[i], nullptr}};
            if (right.empty())
                continue;
            CRcToken& left = result.back().token;
            left = left.kind == CRcToken::Kind::End ? right.front().token : Paste(left, right.front().token);
            result.insert(result.end(), right.begin() + 1, right.end());
        } else if (const int p = parameter(i); p >= 0) {
            Tokens& argument = arguments[static_cast<std::size_t>(p)];
            if (i + 1 < body.size() && body[i + 1].IsPunct("##")) {
                if (argument.empty())
                    result.push_back({placeholder, nullptr});
                result.insert(result.end(), argument.begin(), argument.end());
                continue;
            }
            if (depth >= kMaxArgumentDepth)
                throw CRcError(use.token.FileName(), use.token.line,
                               "macro '" + use.token.text + "' is called in its arguments too deeply");
            Tokens expanded;
            Expand(argument, expanded, depth + 1);
            result.insert(result.end(), std::make_move_iterator(expanded.begin()),
                          std::make_move_iterator(expanded.end()));
        } else {
            result.push_back({token, nullptr});
        }
    }
    std::erase_if(result, [](const Pending& p) { return p.token.kind == CRcToken::Kind::End; });
    auto hide = std::make_shared<std::vector<std::string>>(use.hide ? *use.hide : std::vector<std::string>{});
    hide->push_back(use.token.text);
    const HideSet useHide = hide;
    for (std::size_t i = 0; i < result.size(); ++i) {
        Pending& pending = result[i];
        // Tokens out of a macro are placed where it was used, for messages.
        pending.token.file = use.token.file;
        pending.token.line = use.token.line;
        if (i == 0)
            pending.token.spaceBefore = use.token.spaceBefore;
        pending.hide = Union(pending.hide, useHide);
        pending.fromMacro = true;
    }
    return result;
}

CRcToken CRcPreprocessor::Paste(const CRcToken& left, const CRcToken& right)
{
    const std::string text = left.text + right.text;
    static const auto unnamed = std::make_shared<const std::string>("<input>");
    std::vector<CRcToken> tokens = Tokenize(left.file ? left.file : unnamed, left.line, text, rc_encoding::kUtf8);
    if (tokens.size() != 1)
        throw CRcError(left.FileName(), left.line,
                       "pasting '" + left.text + "' and '" + right.text + "' does not give one token");
    tokens[0].spaceBefore = left.spaceBefore;
    return tokens[0];
}
