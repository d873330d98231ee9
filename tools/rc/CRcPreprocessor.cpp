#include "CRcPreprocessor.h"

#include "CRcError.h"
#include "CRcExpression.h"
#include "RcText.h"
#include "WholeFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <iconv.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxIncludeDepth = 32;
constexpr int kMaxExpansionDepth = 64;
// Macros that use each other twice can double at every level; no script needs this many.
constexpr std::size_t kMaxTokensPerLine = 100000;
constexpr int kUtf8 = 65001;
constexpr int kWindows1252 = 1252;

// Headers of the platform SDK that scripts include for the constants that
// CRcSymbols has built in.
constexpr std::string_view kSystemHeaders[] = {
    "windows.h", "winres.h", "winresrc.h", "afxres.h", "commctrl.h", "winuser.h",
    "richedit.h", "dlgs.h", "afxres.rc", "winver.h", "ntdef.h", "prsht.h",
};

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The bytes 0x80 to 0x9F of Windows-1252; the others equal their code point.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Turns a UTF-16LE file (as some resource editors save scripts) into UTF-8,
// and drops a UTF-8 byte-order mark.
std::string NormaliseEncoding(std::string_view bytes)
{
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return std::string(bytes.substr(3));
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") {
        std::u16string units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return Utf16ToUtf8(units);
    }
    return std::string(bytes);
}

// Blanks out comments, keeping line breaks so that line numbers stay right.
std::string StripComments(const std::string& name, std::string_view text)
{
    std::string out(text);
    enum class State { Normal, String, Block, Line } state = State::Normal;
    int line = 1;
    int blockStart = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        const char next = i + 1 < out.size() ? out[i + 1] : '\0';
        if (c == '\n')
            ++line;
        switch (state) {
        case State::Normal:
            if (c == '"') {
                state = State::String;
            } else if (c == '/' && next == '/') {
                state = State::Line;
                out[i] = out[i + 1] = ' ';
                ++i;
            } else if (c == '/' && next == '*') {
                state = State::Block;
                blockStart = line;
                out[i] = out[i + 1] = ' ';
                ++i;
            }
            break;
        case State::String:
            if (c == '\n')
                state = State::Normal; // the tokenizer reports the open string
            else if (c == '\\' && next != '\n' && next != '\0')
                ++i;
            else if (c == '"' && next == '"')
                ++i;
            else if (c == '"')
                state = State::Normal;
            break;
        case State::Line:
            if (c == '\n')
                state = State::Normal;
            else if (c == '\\' && (next == '\n' || (next == '\r' && i + 2 < out.size() && out[i + 2] == '\n')))
                out[i] = ' '; // a continued line comment goes on; the break stays
            else
                out[i] = ' ';
            break;
        case State::Block:
            if (c == '*' && next == '/') {
                state = State::Normal;
                out[i] = out[i + 1] = ' ';
                ++i;
            } else if (c != '\n') {
                out[i] = ' ';
            }
            break;
        }
    }
    if (state == State::Block)
        throw CRcError(name, blockStart, "comment started here is not closed");
    return out;
}

bool IsWindowsCodePage(int page) { return page >= 1250 && page <= 1258; }

// The Windows code pages other than 1252 through the C library's converter.
std::optional<std::u16string> DecodeWithIconv(std::string_view bytes, int codePage)
{
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t converter = iconv_open("UTF-16LE", name.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string in(bytes);
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1))
        return std::nullopt;
    std::u16string text;
    const std::size_t written = out.size() - outLeft;
    for (std::size_t i = 0; i + 1 < written; i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(out[i]) |
                                             (static_cast<unsigned char>(out[i + 1]) << 8)));
    return text;
}

std::optional<std::u16string> DecodeBytes(std::string_view bytes, int codePage)
{
    if (IsWindowsCodePage(codePage) && codePage != kWindows1252)
        return DecodeWithIconv(bytes, codePage);
    if (codePage == kWindows1252) {
        std::u16string out;
        for (const char b : bytes) {
            const auto u = static_cast<unsigned char>(b);
            out.push_back(u >= 0x80 && u < 0xA0 ? kWindows1252High[u - 0x80] : char16_t(u));
        }
        return out;
    }
    return Utf8ToUtf16(bytes);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

CRcPreprocessor::CRcPreprocessor(CRcSymbols& symbols, std::vector<std::string> includeDirs)
    : symbols(symbols), includeDirs(std::move(includeDirs))
{
}

std::vector<CRcToken> CRcPreprocessor::ProcessFile(const std::string& path)
{
    std::string bytes;
    if (const FileError error = ReadWholeFile(path, bytes))
        throw CRcError(path, 0, "cannot read \"" + path + "\": " + error.detail);
    if (bytes.empty())
        throw CRcError(path, 0, "the file is empty");
    std::vector<CRcToken> out;
    Process(path, bytes, 0, out);
    return out;
}

std::vector<CRcToken> CRcPreprocessor::ProcessText(const std::string& name, std::string_view text)
{
    std::vector<CRcToken> out;
    Process(name, text, 0, out);
    return out;
}

void CRcPreprocessor::Process(const std::string& name, std::string_view bytes, int depth,
                              std::vector<CRcToken>& out)
{
    filesRead.push_back(name);
    auto file = std::make_shared<const std::string>(name);
    const std::string text = StripComments(name, NormaliseEncoding(bytes));
    // Headers contribute only their directives, as with the Windows resource compiler.
    const std::string extension = Lower(fs::path(name).extension().string());
    const bool headerOnly = extension == ".h" || extension == ".hpp" || extension == ".c";

    std::vector<Conditional> conditionals;
    int codePage = kUtf8;
    std::size_t start = 0;
    int lineNo = 0;
    while (start <= text.size()) {
        // One logical line: physical lines joined where one ends with a backslash.
        std::string logical;
        const int firstLine = lineNo + 1;
        for (;;) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            std::string_view physical(text.data() + start, end - start);
            if (!physical.empty() && physical.back() == '\r')
                physical.remove_suffix(1);
            ++lineNo;
            start = end + 1;
            // Spliced as C does it, so a string continued on the next line has no blank added.
            if (!physical.empty() && physical.back() == '\\' && start <= text.size()) {
                logical.append(physical.substr(0, physical.size() - 1));
                continue;
            }
            logical.append(physical);
            break;
        }
        const std::string_view line = Trim(logical);
        if (!line.empty() && line.front() == '#') {
            Directive(file, firstLine, line.substr(1), depth, conditionals, codePage, out);
            continue;
        }
        const bool active = conditionals.empty() || conditionals.back().active;
        if (!active || headerOnly || line.empty())
            continue;
        std::vector<std::string> expanding;
        const std::size_t lineStart = out.size();
        for (const CRcToken& token : Tokenize(file, firstLine, line, codePage))
            Expand(token, out, expanding, firstLine, file, lineStart);
    }
    if (!conditionals.empty())
        throw CRcError(name, conditionals.back().line, "#if without #endif");
}

void CRcPreprocessor::Directive(const std::shared_ptr<const std::string>& file, int line,
                                std::string_view text, int depth,
                                std::vector<Conditional>& conditionals, int& codePage,
                                std::vector<CRcToken>& out)
{
    text = Trim(text);
    std::size_t nameEnd = 0;
    while (nameEnd < text.size() && IsIdentChar(text[nameEnd]))
        ++nameEnd;
    const std::string name(text.substr(0, nameEnd));
    const std::string_view rest = Trim(text.substr(nameEnd));
    const bool active = conditionals.empty() || conditionals.back().active;

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        Conditional c{active, false, false, false, line};
        if (active) {
            if (name == "if") {
                c.active = EvaluateCondition(file, line, rest, codePage);
            } else {
                std::size_t end = 0;
                while (end < rest.size() && IsIdentChar(rest[end]))
                    ++end;
                if (end == 0 || !IsIdentStart(rest[0]))
                    throw CRcError(*file, line, "#" + name + " needs a macro name");
                const bool defined = symbols.IsDefined(std::string(rest.substr(0, end)));
                c.active = (name == "ifdef") == defined;
            }
            c.taken = c.active;
        }
        conditionals.push_back(c);
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (conditionals.empty())
            throw CRcError(*file, line, "#" + name + " without #if");
        Conditional& c = conditionals.back();
        if (name == "endif") {
            conditionals.pop_back();
            return;
        }
        if (c.elseSeen)
            throw CRcError(*file, line, "#" + name + " after #else");
        if (name == "else") {
            c.elseSeen = true;
            c.active = c.parentActive && !c.taken;
        } else {
            c.active = c.parentActive && !c.taken && EvaluateCondition(file, line, rest, codePage);
        }
        c.taken = c.taken || c.active;
        return;
    }
    if (!active)
        return;
    if (name == "include") {
        Include(file, line, rest, depth, out);
    } else if (name == "define") {
        Define(file, line, rest, codePage);
    } else if (name == "undef") {
        symbols.Undefine(std::string(rest.substr(0, rest.find_first_of(" \t"))));
    } else if (name == "pragma") {
        if (rest.substr(0, 9) == "code_page") {
            const std::vector<CRcToken> tokens = Tokenize(file, line, rest.substr(9), codePage);
            if (tokens.size() == 3 && tokens[1].kind == CRcToken::Kind::Number) {
                const auto page = static_cast<int>(tokens[1].number);
                if (page == kUtf8 || IsWindowsCodePage(page))
                    codePage = page;
                else
                    warnings.push_back(*file + ":" + std::to_string(line) + ": warning: code page " +
                                       std::to_string(page) + " is not supported; reading UTF-8");
            } else if (!(tokens.size() == 3 && tokens[1].IsKeyword("DEFAULT"))) {
                throw CRcError(*file, line, "expected #pragma code_page(number)");
            }
        }
    } else if (name == "error") {
        throw CRcError(*file, line, "#error " + std::string(rest));
    } else if (name == "line" || name.empty()) {
        // Line markers and the null directive change nothing here.
    } else {
        throw CRcError(*file, line, "unknown directive '#" + name + "'");
    }
}

void CRcPreprocessor::Include(const std::shared_ptr<const std::string>& file, int line,
                              std::string_view rest, int depth, std::vector<CRcToken>& out)
{
    if (rest.size() < 2 || !((rest.front() == '"' && rest.find('"', 1) != std::string_view::npos) ||
                             (rest.front() == '<' && rest.find('>', 1) != std::string_view::npos)))
        throw CRcError(*file, line, "expected #include \"file\" or #include <file>");
    const char close = rest.front() == '"' ? '"' : '>';
    const std::string name(rest.substr(1, rest.find(close, 1) - 1));
    if (depth >= kMaxIncludeDepth)
        throw CRcError(*file, line, "#include nested too deeply (is '" + name + "' including itself?)");

    std::vector<fs::path> candidates;
    if (close == '"')
        candidates.push_back(fs::path(*file).parent_path() / name);
    for (const std::string& dir : includeDirs)
        candidates.push_back(fs::path(dir) / name);
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        if (!fs::is_regular_file(candidate, ec))
            continue;
        std::string bytes;
        if (const FileError error = ReadWholeFile(candidate.string(), bytes))
            throw CRcError(*file, line, "cannot read include file \"" + candidate.string() + "\": " + error.detail);
        Process(candidate.lexically_normal().string(), bytes, depth + 1, out);
        return;
    }
    const std::string base = Lower(fs::path(name).filename().string());
    if (std::find(std::begin(kSystemHeaders), std::end(kSystemHeaders), base) != std::end(kSystemHeaders))
        return; // its constants are built in
    if (skipMissingIncludes) {
        warnings.push_back(*file + ":" + std::to_string(line) + ": warning: include file '" + name +
                           "' not found; skipped");
        return;
    }
    throw CRcError(*file, line, "cannot open include file '" + name + "'");
}

void CRcPreprocessor::Define(const std::shared_ptr<const std::string>& file, int line,
                             std::string_view rest, int codePage)
{
    std::size_t end = 0;
    while (end < rest.size() && IsIdentChar(rest[end]))
        ++end;
    if (end == 0 || !IsIdentStart(rest[0]))
        throw CRcError(*file, line, "#define needs a macro name");
    CRcSymbols::Macro macro;
    macro.file = *file;
    macro.line = line;
    const std::string name(rest.substr(0, end));
    if (end < rest.size() && rest[end] == '(') {
        // Kept so that #ifdef sees it; using it in a statement is an error.
        macro.functionLike = true;
    } else {
        macro.replacement = Tokenize(file, line, rest.substr(end), codePage);
    }
    symbols.Define(name, std::move(macro));
}

bool CRcPreprocessor::EvaluateCondition(const std::shared_ptr<const std::string>& file, int line,
                                        std::string_view rest, int codePage)
{
    const std::vector<CRcToken> raw = Tokenize(file, line, rest, codePage);
    if (raw.empty())
        throw CRcError(*file, line, "#if needs an expression");
    std::vector<CRcToken> tokens;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].IsKeyword("defined")) {
            const bool paren = i + 1 < raw.size() && raw[i + 1].IsPunct("(");
            const std::size_t at = i + (paren ? 2 : 1);
            if (at >= raw.size() || raw[at].kind != CRcToken::Kind::Identifier ||
                (paren && (at + 1 >= raw.size() || !raw[at + 1].IsPunct(")"))))
                throw CRcError(*file, line, "expected defined(NAME) or defined NAME");
            CRcToken value = raw[i];
            value.kind = CRcToken::Kind::Number;
            value.number = symbols.IsDefined(raw[at].text) ? 1 : 0;
            value.text = std::to_string(value.number);
            tokens.push_back(value);
            i = at + (paren ? 1 : 0);
            continue;
        }
        std::vector<std::string> expanding;
        Expand(raw[i], tokens, expanding, line, file, 0);
    }
    std::size_t pos = 0;
    CRcExpression expression(tokens, pos, [](const CRcToken&) { return std::int64_t{0}; });
    const std::int64_t value = expression.Parse();
    if (pos != tokens.size())
        throw CRcError(*file, line, "unexpected '" + tokens[pos].text + "' in #if expression");
    return value != 0;
}

std::vector<CRcToken> CRcPreprocessor::Tokenize(const std::shared_ptr<const std::string>& file,
                                                int line, std::string_view text,
                                                int codePage) const
{
    std::vector<CRcToken> tokens;
    std::size_t i = 0;
    auto fail = [&](const std::string& message) { throw CRcError(*file, line, message); };
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
            continue;
        }
        CRcToken token;
        token.file = file;
        token.line = line;
        if (c == '"' || (c == 'L' && i + 1 < text.size() && text[i + 1] == '"')) {
            i += (c == 'L') ? 2 : 1;
            token.kind = CRcToken::Kind::String;
            std::string raw; // undecoded bytes since the last escape
            auto flush = [&] {
                auto decoded = DecodeBytes(raw, codePage);
                if (!decoded)
                    fail(codePage == kUtf8 ? "string holds bytes that are not UTF-8 (save the file as "
                                             "UTF-8, or declare its #pragma code_page)"
                                           : "string holds bytes that are not in code page " +
                                                 std::to_string(codePage));
                token.value += *decoded;
                raw.clear();
            };
            bool closed = false;
            while (i < text.size()) {
                const char s = text[i];
                if (s == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        raw.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (s != '\\') {
                    raw.push_back(s);
                    ++i;
                    continue;
                }
                if (i + 1 >= text.size())
                    break;
                flush();
                const char e = text[i + 1];
                i += 2;
                switch (e) {
                case 'n': token.value.push_back(u'\n'); break;
                case 't': token.value.push_back(u'\t'); break;
                case 'r': token.value.push_back(u'\r'); break;
                case 'a': token.value.push_back(u'\a'); break;
                case 'b': token.value.push_back(u'\b'); break;
                case 'f': token.value.push_back(u'\f'); break;
                case 'v': token.value.push_back(u'\v'); break;
                case '\\': token.value.push_back(u'\\'); break;
                case '"': token.value.push_back(u'"'); break;
                case '\'': token.value.push_back(u'\''); break;
                case '?': token.value.push_back(u'?'); break;
                case 'x':
                case 'X': {
                    unsigned value = 0;
                    int digits = 0;
                    while (digits < 4 && i < text.size() && HexValue(text[i]) >= 0) {
                        value = value * 16 + static_cast<unsigned>(HexValue(text[i]));
                        ++i;
                        ++digits;
                    }
                    if (digits == 0)
                        fail("\\x needs hexadecimal digits");
                    token.value.push_back(static_cast<char16_t>(value));
                    break;
                }
                default:
                    if (e >= '0' && e <= '7') {
                        unsigned value = static_cast<unsigned>(e - '0');
                        int digits = 1;
                        while (digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7') {
                            value = value * 8 + static_cast<unsigned>(text[i] - '0');
                            ++i;
                            ++digits;
                        }
                        token.value.push_back(static_cast<char16_t>(value));
                    } else {
                        fail(std::string("unknown escape sequence '\\") + e + "' in string");
                    }
                }
            }
            if (!closed)
                fail("string is not closed on its line");
            flush();
            tokens.push_back(std::move(token));
            continue;
        }
        if (IsIdentStart(c)) {
            const std::size_t begin = i;
            while (i < text.size() && IsIdentChar(text[i]))
                ++i;
            token.kind = CRcToken::Kind::Identifier;
            token.text = std::string(text.substr(begin, i - begin));
            tokens.push_back(std::move(token));
            continue;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            const std::size_t begin = i;
            std::uint64_t value = 0;
            int base = 10;
            if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
                base = 16;
                i += 2;
            } else if (c == '0') {
                base = 8;
            }
            const std::size_t digitsBegin = i;
            while (i < text.size() && HexValue(text[i]) >= 0 && HexValue(text[i]) < base) {
                value = value * static_cast<unsigned>(base) + static_cast<unsigned>(HexValue(text[i]));
                if (value > 0xFFFFFFFFull)
                    fail("number " + std::string(text.substr(begin, i + 1 - begin)) +
                         "... does not fit in 32 bits");
                ++i;
            }
            while (i < text.size() && (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u'))
                ++i;
            if ((base == 16 && i == digitsBegin) || (i < text.size() && IsIdentChar(text[i]))) {
                std::size_t end = i;
                while (end < text.size() && IsIdentChar(text[end]))
                    ++end;
                fail("bad number '" + std::string(text.substr(begin, end - begin)) + "'");
            }
            token.kind = CRcToken::Kind::Number;
            token.number = static_cast<std::int64_t>(value);
            token.text = std::string(text.substr(begin, i - begin));
            tokens.push_back(std::move(token));
            continue;
        }
        static constexpr std::string_view kTwo[] = {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>"};
        const std::string_view pair = text.substr(i, 2);
        if (std::find(std::begin(kTwo), std::end(kTwo), pair) != std::end(kTwo)) {
            token.kind = CRcToken::Kind::Punct;
            token.text = std::string(pair);
            i += 2;
            tokens.push_back(std::move(token));
            continue;
        }
        if (std::string_view(",|&()+-~!*/%^<>={}:;.?[]").find(c) != std::string_view::npos) {
            token.kind = CRcToken::Kind::Punct;
            token.text = std::string(1, c);
            ++i;
            tokens.push_back(std::move(token));
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x80)
            fail("unexpected non-ASCII character outside a string");
        fail(std::string("unexpected character '") + c + "'");
    }
    return tokens;
}

void CRcPreprocessor::Expand(const CRcToken& token, std::vector<CRcToken>& out,
                             std::vector<std::string>& expanding, int line,
                             const std::shared_ptr<const std::string>& file,
                             std::size_t lineStart) const
{
    if (token.kind != CRcToken::Kind::Identifier ||
        std::find(expanding.begin(), expanding.end(), token.text) != expanding.end()) {
        CRcToken copy = token;
        copy.file = file;
        copy.line = line;
        out.push_back(std::move(copy));
        return;
    }
    const CRcSymbols::Macro* macro = symbols.Find(token.text);
    if (!macro) {
        out.push_back(token);
        return;
    }
    if (macro->functionLike)
        throw CRcError(*file, line, "function-like macro '" + token.text + "' cannot be used here");
    if (static_cast<int>(expanding.size()) >= kMaxExpansionDepth)
        throw CRcError(*file, line, "macro '" + token.text + "' expands too deeply");
    expanding.push_back(token.text);
    for (const CRcToken& inner : macro->replacement) {
        if (out.size() - lineStart > kMaxTokensPerLine)
            throw CRcError(*file, line, "macro '" + token.text + "' expands to too many tokens");
        Expand(inner, out, expanding, line, file, lineStart);
    }
    expanding.pop_back();
}
