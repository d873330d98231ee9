#include "CRcExpression.h"

#include "CRcError.h"

#include <array>
#include <string_view>

namespace {

// Binary operators from the loosest to the tightest binding level.
constexpr std::array<std::array<std::string_view, 4>, 10> kLevels = {{
    {"||"},
    {"&&"},
    {"|"},
    {"^"},
    {"&"},
    {"==", "!="},
    {"<", ">", "<=", ">="},
    {"<<", ">>"},
    {"+", "-"},
    {"*", "/", "%"},
}};
constexpr int kOrLevel = 2;
constexpr int kMaxDepth = 200;

std::string Describe(const CRcToken& token)
{
    switch (token.kind) {
    case CRcToken::Kind::End: return "the end of the file";
    case CRcToken::Kind::String: return "a string";
    default: return "'" + token.text + "'";
    }
}

} // namespace

CRcExpression::CRcExpression(const std::vector<CRcToken>& tokens, std::size_t& pos,
                             IdentifierValue identifierValue)
    : tokens(tokens), pos(pos), identifierValue(std::move(identifierValue))
{
}

const CRcToken& CRcExpression::Peek() const
{
    static const CRcToken end;
    return pos < tokens.size() ? tokens[pos] : (tokens.empty() ? end : tokens.back());
}

bool CRcExpression::AcceptPunct(std::string_view text)
{
    if (pos < tokens.size() && tokens[pos].IsPunct(text)) {
        ++pos;
        return true;
    }
    return false;
}

std::int64_t CRcExpression::Parse()
{
    return static_cast<std::int32_t>(Binary(0));
}

std::int64_t CRcExpression::ParseAboveOr()
{
    return static_cast<std::int32_t>(Binary(kOrLevel + 1));
}

std::uint32_t CRcExpression::Binary(int level)
{
    if (level >= static_cast<int>(kLevels.size()))
        return Unary();
    std::uint32_t left = Binary(level + 1);
    for (;;) {
        if (pos >= tokens.size() || tokens[pos].kind != CRcToken::Kind::Punct)
            return left;
        const CRcToken& op = tokens[pos];
        bool matched = false;
        for (std::string_view candidate : kLevels[level])
            matched = matched || (!candidate.empty() && op.text == candidate);
        if (!matched)
            return left;
        ++pos;
        const std::uint32_t right = Binary(level + 1);
        const std::string& o = op.text;
        if (o == "||") left = (left || right) ? 1 : 0;
        else if (o == "&&") left = (left && right) ? 1 : 0;
        else if (o == "|") left |= right;
        else if (o == "^") left ^= right;
        else if (o == "&") left &= right;
        else if (o == "==") left = left == right;
        else if (o == "!=") left = left != right;
        else if (o == "<") left = left < right;
        else if (o == ">") left = left > right;
        else if (o == "<=") left = left <= right;
        else if (o == ">=") left = left >= right;
        else if (o == "<<") left = right > 31 ? 0 : left << right;
        else if (o == ">>") left = right > 31 ? 0 : left >> right;
        else if (o == "+") left += right;
        else if (o == "-") left -= right;
        else if (o == "*") left *= right;
        else {
            if (right == 0)
                throw CRcError(op.FileName(), op.line, "division by zero");
            left = (o == "/") ? left / right : left % right;
        }
    }
}

std::uint32_t CRcExpression::Unary()
{
    const CRcToken& token = Peek();
    if (pos >= tokens.size())
        throw CRcError(token.FileName(), token.line, "expected a number, found the end of the file");
    if (++depth > kMaxDepth)
        throw CRcError(token.FileName(), token.line, "expression nested too deeply");
    std::uint32_t value = 0;
    if (AcceptPunct("-")) {
        value = 0u - Unary();
    } else if (AcceptPunct("+")) {
        value = Unary();
    } else if (AcceptPunct("~")) {
        value = ~Unary();
    } else if (AcceptPunct("!")) {
        value = Unary() == 0 ? 1 : 0;
    } else if (AcceptPunct("(")) {
        value = Binary(0);
        if (!AcceptPunct(")")) {
            const CRcToken& at = Peek();
            throw CRcError(at.FileName(), at.line, "expected ')', found " + Describe(at));
        }
    } else if (token.kind == CRcToken::Kind::Number) {
        value = static_cast<std::uint32_t>(token.number);
        ++pos;
    } else if (token.kind == CRcToken::Kind::Identifier) {
        value = static_cast<std::uint32_t>(identifierValue(token));
        ++pos;
    } else {
        throw CRcError(token.FileName(), token.line, "expected a number, found " + Describe(token));
    }
    --depth;
    return value;
}
