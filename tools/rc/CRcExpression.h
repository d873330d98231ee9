#pragma once

#include "CRcToken.h"

#include <cstdint>
#include <functional>
#include <vector>

// Integer expressions of resource scripts and of #if lines, with C's
// operators and precedence, computed in unsigned 32 bits as the Windows
// compiler does (so no value can overflow). Reads from tokens[pos] on and leaves pos after
// the expression, so the caller goes on with the rest of the statement.
class CRcExpression {
public:
    // What an identifier that is left after macro expansion is worth: the
    // script rejects it, #if takes it as 0.
    using IdentifierValue = std::function<std::int64_t(const CRcToken&)>;

    CRcExpression(const std::vector<CRcToken>& tokens, std::size_t& pos,
                  IdentifierValue identifierValue);

    // The value's 32 bits read as a signed number, so that -1 stays -1 for ranges.
    std::int64_t Parse();
    // One operand of a '|' chain: the operators that bind tighter than '|'.
    std::int64_t ParseAboveOr();

private:
    std::uint32_t Binary(int level);
    std::uint32_t Unary();
    const CRcToken& Peek() const;
    bool AcceptPunct(std::string_view text);

    const std::vector<CRcToken>& tokens;
    std::size_t& pos;
    IdentifierValue identifierValue;
    int depth = 0;
};
