#include "CRcPreprocessor.h"

#include "CRcError.h"
#include "CRcExpression.h"
#include "RcEncoding.h"
#include "Utf8.h"
#include "WholeFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <utility>

namespace fs = std::filesystem;
using rc_encoding::kUtf16;
using rc_encoding::kUtf8;

namespace {

constexpr int kMaxIncludeDepth = 32;

// Headers of the platform SDK and the framework that scripts include for the
// constants that CRcSymbols has built in, and the framework's own scripts.
constexpr std::string_view kSystemHeaders[] = {
    "windows.h", "winres.h",  "winresrc.h", "afxres.h",   "commctrl.h", "winuser.h",
    "richedit.h", "dlgs.h",   "afxres.rc",  "winver.h",   "ntdef.h",    "prsht.h",
    "verrsrc.h", "winnt.h",   "winbase.h",  "shellapi.h", "atlres.h",   "afxprint.rc",
    "afxolecl.rc", "afxolesv.rc", "afxdb.rc", "afxctl.rc", "winuser.rh", "commctrl.rh",
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

// The code page a "#pragma code_page(N)" line declares, else the one before it; a
// UTF-16 file keeps its encoding whatever it declares.
int DeclaredCodePage(std::string_view line, int codePage)
{
    line = Trim(line);
    if (codePage == kUtf16 || line.substr(0, 1) != "#")
        return codePage;
    line = Trim(line.substr(1));
    if (line.substr(0, 6) != "pragma")
        return codePage;
    line = Trim(line.substr(6));
    if (line.substr(0, 9) != "code_page")
        return codePage;
    line = Trim(line.substr(9));
    if (line.substr(0, 1) != "(")
        return codePage;
    int page = 0;
    std::size_t i = 1;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])) && page < 100000)
        page = page * 10 + (line[i++] - '0');
    return rc_encoding::IsSupported(page) ? page : codePage;
}

// Blanks out comments, keeping line breaks so that line numbers stay right. It runs
// before the directives, so it follows the #pragma code_page lines itself: in a
// double-byte code page a string's '\\' or '"' may be the second byte of a character.
std::string StripComments(const std::string& name, std::string_view text, int codePage)
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
        if (state == State::Normal && (i == 0 || out[i - 1] == '\n'))
            codePage = DeclaredCodePage(std::string_view(out).substr(i, out.find('\n', i) - i), codePage);
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
            if (rc_encoding::IsLeadByte(codePage, static_cast<unsigned char>(c)) && next != '\n')
                ++i; // the second byte of a character, even when it looks like '\\' or '"'
            else if (c == '\n')
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

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The file a script names, as Windows finds it: '\' separates folders, and a name in
// another letter case than on disk is found when the exact name is not there.
std::optional<fs::path> FindFile(const fs::path& folder, std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    std::error_code ec;
    const fs::path exact = folder / name;
    if (fs::is_regular_file(exact, ec))
        return exact;
    fs::path at = folder;
    for (const fs::path& part : fs::path(name)) {
        fs::path next = at / part;
        if (!fs::exists(next, ec)) {
            const std::string wanted = Lower(part.string());
            bool found = false;
            for (fs::directory_iterator it(at.empty() ? "." : at, ec), end; !ec && it != end; it.increment(ec)) {
                if (Lower(it->path().filename().string()) == wanted) {
                    next = at / it->path().filename();
                    found = true;
                    break;
                }
            }
            if (!found)
                return std::nullopt;
        }
        at = next;
    }
    return fs::is_regular_file(at, ec) ? std::optional<fs::path>(at) : std::nullopt;
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
    Process(path, bytes, 0, kUtf8, out);
    return out;
}

std::vector<CRcToken> CRcPreprocessor::ProcessText(const std::string& name, std::string_view text)
{
    std::vector<CRcToken> out;
    Process(name, text, 0, kUtf8, out);
    return out;
}

void CRcPreprocessor::Warn(const std::string& file, int line, const std::string& message)
{
    warnings.push_back(file + ":" + std::to_string(line) + ": warning: " + message);
}

void CRcPreprocessor::Process(const std::string& name, std::string_view bytes, int depth, int codePage,
                              std::vector<CRcToken>& out)
{
    filesRead.push_back(name);
    const rc_encoding::FileText decoded = rc_encoding::Normalise(bytes);
    FileState state{std::make_shared<const std::string>(name), decoded.utf16 ? kUtf16 : codePage, depth};
    const std::string text = StripComments(name, decoded.text, state.codePage);
    // Headers contribute only their directives, as with the Windows resource compiler.
    const std::string extension = Lower(fs::path(name).extension().string());
    const bool headerOnly = extension == ".h" || extension == ".hpp" || extension == ".c";

    std::vector<Conditional> conditionals;
    // Lines whose tokens wait for the next: a macro's arguments may go on over several.
    std::vector<CRcToken> lines;
    int openParentheses = 0;
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
            ExpandInto(std::exchange(lines, {}), out);
            openParentheses = 0;
            Directive(state, firstLine, line.substr(1), conditionals, out);
            continue;
        }
        const bool active = conditionals.empty() || conditionals.back().active;
        if (!active || headerOnly || line.empty())
            continue;
        for (CRcToken& token : Tokenize(state.file, firstLine, line, state.codePage)) {
            openParentheses += (token.IsPunct("(") ? 1 : 0) - (token.IsPunct(")") ? 1 : 0);
            lines.push_back(std::move(token));
        }
        const CRcSymbols::Macro* last = symbols.Find(lines.empty() ? std::string() : lines.back().text);
        if (openParentheses <= 0 && !(last && last->functionLike && lines.back().kind == CRcToken::Kind::Identifier)) {
            ExpandInto(std::exchange(lines, {}), out);
            openParentheses = 0;
        }
    }
    ExpandInto(std::move(lines), out);
    if (!conditionals.empty())
        throw CRcError(name, conditionals.back().line, "#if without #endif");
}

void CRcPreprocessor::Directive(FileState& state, int line, std::string_view text,
                                std::vector<Conditional>& conditionals, std::vector<CRcToken>& out)
{
    const std::string& file = *state.file;
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
                c.active = EvaluateCondition(state, line, rest);
            } else {
                std::size_t end = 0;
                while (end < rest.size() && IsIdentChar(rest[end]))
                    ++end;
                if (end == 0 || !IsIdentStart(rest[0]))
                    throw CRcError(file, line, "#" + name + " needs a macro name");
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
            throw CRcError(file, line, "#" + name + " without #if");
        Conditional& c = conditionals.back();
        if (name == "endif") {
            conditionals.pop_back();
            return;
        }
        if (c.elseSeen)
            throw CRcError(file, line, "#" + name + " after #else");
        if (name == "else") {
            c.elseSeen = true;
            c.active = c.parentActive && !c.taken;
        } else {
            c.active = c.parentActive && !c.taken && EvaluateCondition(state, line, rest);
        }
        c.taken = c.taken || c.active;
        return;
    }
    if (!active)
        return;
    if (name == "include") {
        Include(state, line, rest, out);
    } else if (name == "define") {
        Define(state, line, rest);
    } else if (name == "undef") {
        symbols.Undefine(std::string(rest.substr(0, rest.find_first_of(" \t"))));
    } else if (name == "pragma") {
        Pragma(state, line, rest);
    } else if (name == "error") {
        throw CRcError(file, line, "#error " + std::string(rest));
    } else if (name == "line" || name.empty()) {
        // Line markers and the null directive change nothing here.
    } else {
        throw CRcError(file, line, "unknown directive '#" + name + "'");
    }
}

void CRcPreprocessor::Pragma(FileState& state, int line, std::string_view rest)
{
    if (rest.substr(0, 9) != "code_page")
        return;
    const std::vector<CRcToken> tokens = Tokenize(state.file, line, rest.substr(9), state.codePage);
    if (tokens.size() == 3 && tokens[1].kind == CRcToken::Kind::Number) {
        const auto page = static_cast<int>(tokens[1].number);
        if (state.codePage == kUtf16)
            return; // the text is UTF-16 whatever it declares, as with the Windows compiler
        if (rc_encoding::IsSupported(page))
            state.codePage = page;
        else
            Warn(*state.file, line, "code page " + std::to_string(page) + " is not supported; reading UTF-8");
    } else if (!(tokens.size() == 3 && tokens[1].IsKeyword("DEFAULT"))) {
        throw CRcError(*state.file, line, "expected #pragma code_page(number)");
    }
}

void CRcPreprocessor::Include(const FileState& state, int line, std::string_view rest,
                              std::vector<CRcToken>& out)
{
    const std::string& file = *state.file;
    if (rest.size() < 2 || !((rest.front() == '"' && rest.find('"', 1) != std::string_view::npos) ||
                             (rest.front() == '<' && rest.find('>', 1) != std::string_view::npos)))
        throw CRcError(file, line, "expected #include \"file\" or #include <file>");
    const char close = rest.front() == '"' ? '"' : '>';
    const std::string name(rest.substr(1, rest.find(close, 1) - 1));
    if (state.depth >= kMaxIncludeDepth)
        throw CRcError(file, line, "#include nested too deeply (is '" + name + "' including itself?)");

    std::vector<fs::path> folders;
    if (close == '"')
        folders.push_back(fs::path(file).parent_path());
    for (const std::string& dir : includeDirs)
        folders.emplace_back(dir);
    for (const fs::path& folder : folders) {
        const std::optional<fs::path> found = FindFile(folder, name);
        if (!found)
            continue;
        std::string bytes;
        if (const FileError error = ReadWholeFile(found->string(), bytes))
            throw CRcError(file, line, "cannot read include file \"" + found->string() + "\": " + error.detail);
        // A file without its own #pragma code_page is in the code page of the one including it.
        Process(found->lexically_normal().string(), bytes, state.depth + 1,
                state.codePage == kUtf16 ? kUtf8 : state.codePage, out);
        return;
    }
    std::string base = name.substr(name.find_last_of("/\\") + 1);
    if (std::find(std::begin(kSystemHeaders), std::end(kSystemHeaders), Lower(base)) != std::end(kSystemHeaders))
        return; // its constants are built in
    if (skipMissingIncludes && close == '>') {
        Warn(file, line, "include file <" + name + "> not found; skipped");
        return;
    }
    throw CRcError(file, line, "cannot open include file '" + name + "'");
}

void CRcPreprocessor::Define(const FileState& state, int line, std::string_view rest)
{
    const std::string& file = *state.file;
    std::size_t end = 0;
    while (end < rest.size() && IsIdentChar(rest[end]))
        ++end;
    if (end == 0 || !IsIdentStart(rest[0]))
        throw CRcError(file, line, "#define needs a macro name");
    CRcSymbols::Macro macro;
    macro.file = file;
    macro.line = line;
    const std::string name(rest.substr(0, end));
    std::string_view body = rest.substr(end);
    if (!body.empty() && body.front() == '(') {
        macro.functionLike = true;
        const std::size_t close = body.find(')');
        if (close == std::string_view::npos)
            throw CRcError(file, line, "expected ')' after the parameters of macro '" + name + "'");
        std::string_view list = Trim(body.substr(1, close - 1));
        body = body.substr(close + 1);
        while (!list.empty()) {
            const std::size_t comma = std::min(list.find(','), list.size());
            std::string parameter(Trim(list.substr(0, comma)));
            list = comma < list.size() ? list.substr(comma + 1) : std::string_view();
            if (macro.variadic)
                throw CRcError(file, line, "'...' must be the last parameter of macro '" + name + "'");
            if (parameter.size() >= 3 && parameter.substr(parameter.size() - 3) == "...") {
                macro.variadic = true;
                parameter.resize(parameter.size() - 3);
                if (parameter.empty())
                    parameter = "__VA_ARGS__";
            }
            if (parameter.empty() || !IsIdentStart(parameter[0]) ||
                !std::all_of(parameter.begin(), parameter.end(), IsIdentChar))
                throw CRcError(file, line, "bad parameter list of macro '" + name + "'");
            macro.parameters.push_back(std::move(parameter));
        }
    }
    macro.replacement = Tokenize(state.file, line, body, state.codePage);
    symbols.Define(name, std::move(macro));
}

bool CRcPreprocessor::EvaluateCondition(const FileState& state, int line, std::string_view rest)
{
    const std::vector<CRcToken> raw = Tokenize(state.file, line, rest, state.codePage);
    if (raw.empty())
        throw CRcError(*state.file, line, "#if needs an expression");
    std::vector<CRcToken> tokens;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].IsKeyword("defined")) {
            const bool paren = i + 1 < raw.size() && raw[i + 1].IsPunct("(");
            const std::size_t at = i + (paren ? 2 : 1);
            if (at >= raw.size() || raw[at].kind != CRcToken::Kind::Identifier ||
                (paren && (at + 1 >= raw.size() || !raw[at + 1].IsPunct(")"))))
                throw CRcError(*state.file, line, "expected defined(NAME) or defined NAME");
            CRcToken value = raw[i];
            value.kind = CRcToken::Kind::Number;
            value.number = symbols.IsDefined(raw[at].text) ? 1 : 0;
            value.text = std::to_string(value.number);
            tokens.push_back(value);
            i = at + (paren ? 1 : 0);
            continue;
        }
        tokens.push_back(raw[i]);
    }
    std::vector<CRcToken> expanded;
    ExpandInto(std::move(tokens), expanded);
    std::size_t pos = 0;
    CRcExpression expression(expanded, pos, [](const CRcToken&) { return std::int64_t{0}; });
    const std::int64_t value = expression.Parse();
    if (pos != expanded.size())
        throw CRcError(*state.file, line, "unexpected '" + expanded[pos].text + "' in #if expression");
    return value != 0;
}

std::vector<CRcToken> CRcPreprocessor::Tokenize(const std::shared_ptr<const std::string>& file,
                                                int line, std::string_view text, int codePage)
{
    std::vector<CRcToken> tokens;
    std::size_t i = 0;
    bool space = false;
    auto fail = [&](const std::string& message) { throw CRcError(*file, line, message); };
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
            space = true;
            continue;
        }
        CRcToken token;
        token.file = file;
        token.line = line;
        token.spaceBefore = std::exchange(space, false);
        if (c == '"' || (c == 'L' && i + 1 < text.size() && text[i + 1] == '"')) {
            const std::size_t begin = i;
            i += (c == 'L') ? 2 : 1;
            token.kind = CRcToken::Kind::String;
            std::string raw; // undecoded bytes since the last escape
            auto flush = [&] {
                auto decoded = rc_encoding::Decode(raw, codePage);
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
                if (rc_encoding::IsLeadByte(codePage, static_cast<unsigned char>(s)) && i + 1 < text.size()) {
                    raw.append(text.substr(i, 2));
                    i += 2;
                    continue;
                }
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
                        // "Upload\Download": the Windows compiler keeps both characters.
                        Warn(*file, line, std::string("unknown escape sequence '\\") +
                                              (static_cast<unsigned char>(e) < 0x80 ? std::string(1, e) : "...") +
                                              "' in a string; kept as written");
                        raw.push_back('\\');
                        --i; // the character after it is read as it is
                    }
                }
            }
            if (!closed)
                fail("string is not closed on its line");
            flush();
            const auto spelling = rc_encoding::Decode(text.substr(begin, i - begin), codePage);
            token.text = spelling ? utf8::FromUtf16(*spelling) : std::string();
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
        static constexpr std::string_view kTwo[] = {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>", "##"};
        const std::string_view pair = text.substr(i, 2);
        if (std::find(std::begin(kTwo), std::end(kTwo), pair) != std::end(kTwo)) {
            token.kind = CRcToken::Kind::Punct;
            token.text = std::string(pair);
            i += 2;
            tokens.push_back(std::move(token));
            continue;
        }
        if (std::string_view(",|&()+-~!*/%^<>={}:;.?[]#").find(c) != std::string_view::npos) {
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
