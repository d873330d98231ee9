#include "PoReader.h"

#include "TextEncoding.h"
#include "Utf8.h"

#include <fmt/core.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace po_bridge {

namespace {

enum class Field { None, Context, Id, IdPlural, Str, StrOther };

struct Draft {
    std::string context;
    std::string id;
    std::string str;
    bool hasContext = false;
    bool hasId = false;
    bool hasStr = false;
    bool plural = false;
    int line = 0;
    int idLine = 0;
};

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

int OctalValue(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One quoted string, the whole of text; appends its bytes. Returns an error or "".
std::string AppendQuoted(std::string_view text, std::string& out)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return "expected a string in double quotes";
    }
    text = text.substr(1, text.size() - 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            return "a double quote inside a string must be written \\\"";
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= text.size()) {
            return "the string ends in a lone backslash";
        }
        const char e = text[i];
        switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'a': out += '\a'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'v': out += '\v'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case '\'': out += '\''; break;
        case '?': out += '?'; break;
        case 'x': {
            int value = 0;
            int digits = 0;
            while (i + 1 < text.size() && HexValue(text[i + 1]) >= 0 && digits < 2) {
                value = value * 16 + HexValue(text[++i]);
                ++digits;
            }
            if (digits == 0) {
                return "\\x needs hexadecimal digits";
            }
            out += static_cast<char>(value);
            break;
        }
        default:
            if (OctalValue(e) < 0) {
                return fmt::format("unknown escape sequence \\{}", tra_text::Printable(std::string_view(&e, 1)));
            }
            int value = OctalValue(e);
            for (int digits = 1; digits < 3 && i + 1 < text.size() && OctalValue(text[i + 1]) >= 0; ++digits) {
                value = value * 8 + OctalValue(text[++i]);
            }
            out += static_cast<char>(value & 0xFF);
        }
    }
    return {};
}

std::optional<std::string> HeaderCharset(std::string_view header)
{
    std::string lower(header);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t at = lower.find("charset=");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t start = at + 8;
    const std::size_t end = std::min(lower.find_first_of(" ;\n", start), lower.size());
    return lower.substr(start, end - start);
}

class Reader {
public:
    explicit Reader(std::vector<PoEntry>& entries) : entries(entries) {}

    std::string Read(std::string_view po)
    {
        // UTF-16 puts a zero byte beside every ASCII character.
        if (po.substr(0, 2) == "\xFF\xFE" || po.substr(0, 2) == "\xFE\xFF" ||
            (po.size() >= 2 && (po[0] == '\0') != (po[1] == '\0'))) {
            return "line 1: the file is UTF-16; only UTF-8 is read (convert it with "
                   "iconv -f UTF-16 -t UTF-8 or msgconv --to-code=UTF-8)";
        }
        if (po.substr(0, 3) == "\xEF\xBB\xBF") {
            po.remove_prefix(3);
        }
        std::size_t start = 0;
        while (start < po.size()) {
            const std::size_t end = std::min(po.find('\n', start), po.size());
            ++lineNo;
            if (std::string error = Line(TrimRight(po.substr(start, end - start))); !error.empty()) {
                return fmt::format("line {}: {}", errorLine != 0 ? errorLine : lineNo, error);
            }
            start = end + 1;
        }
        if (draft.hasId && !draft.hasStr) {
            return fmt::format("line {}: msgid without msgstr", draft.idLine);
        }
        std::string error = Finish();
        return error.empty() ? error : fmt::format("line {}: {}", errorLine, error);
    }

private:
    std::string Line(std::string_view line)
    {
        const std::string_view trimmed = TrimLeft(line);
        if (trimmed.empty()) {
            return draft.hasStr ? Finish() : std::string();
        }
        if (trimmed.front() == '#') {
            std::string error = draft.hasStr ? Finish() : std::string();
            if (!error.empty()) {
                return error;
            }
            if (trimmed.substr(0, 2) == "#~") {
                // An obsolete entry: its flags belong to it, not to the next entry.
                pendingFuzzy = false;
                return {};
            }
            if (trimmed.substr(0, 2) == "#,") {
                std::string_view flags = trimmed.substr(2);
                while (!flags.empty()) {
                    const std::size_t comma = std::min(flags.find(','), flags.size());
                    if (TrimRight(TrimLeft(flags.substr(0, comma))) == "fuzzy") {
                        pendingFuzzy = true;
                    }
                    flags.remove_prefix(std::min(comma + 1, flags.size()));
                }
            }
            return {};
        }
        if (trimmed.front() == '"') {
            std::string* target = Target();
            if (target == nullptr) {
                return "a string without a keyword before it";
            }
            return AppendQuoted(trimmed, *target);
        }
        std::size_t keywordEnd = 0;
        while (keywordEnd < trimmed.size() && trimmed[keywordEnd] != ' ' && trimmed[keywordEnd] != '\t' &&
               trimmed[keywordEnd] != '"') {
            ++keywordEnd;
        }
        const std::string_view keyword = trimmed.substr(0, keywordEnd);
        const std::string_view rest = TrimLeft(trimmed.substr(keywordEnd));
        if (std::string error = Keyword(keyword); !error.empty()) {
            return error;
        }
        return AppendQuoted(rest, *Target());
    }

    std::string Keyword(std::string_view keyword)
    {
        if (keyword == "msgctxt" || keyword == "msgid") {
            if (draft.hasStr) {
                if (std::string error = Finish(); !error.empty()) {
                    return error;
                }
            } else if (draft.hasId) {
                return "msgid without msgstr before this line";
            }
            if (keyword == "msgctxt") {
                if (draft.hasContext) {
                    return "a second msgctxt in one entry";
                }
                draft.hasContext = true;
                draft.line = lineNo;
                field = Field::Context;
            } else {
                draft.hasId = true;
                draft.idLine = lineNo;
                if (draft.line == 0) {
                    draft.line = lineNo;
                }
                field = Field::Id;
            }
            return {};
        }
        if (keyword == "msgid_plural") {
            if (!draft.hasId || draft.hasStr || draft.plural) {
                return "msgid_plural must follow msgid";
            }
            draft.plural = true;
            field = Field::IdPlural;
            return {};
        }
        if (keyword == "msgstr" || keyword.substr(0, 7) == "msgstr[") {
            if (!draft.hasId) {
                return "msgstr without msgid";
            }
            const bool indexed = keyword != "msgstr";
            if (indexed != draft.plural) {
                return draft.plural ? "an entry with msgid_plural needs msgstr[0], msgstr[1], ..."
                                    : "msgstr[N] needs msgid_plural";
            }
            if (!indexed && draft.hasStr) {
                return "a second msgstr in one entry";
            }
            field = (!indexed || keyword == "msgstr[0]") ? Field::Str : Field::StrOther;
            draft.hasStr = true;
            return {};
        }
        if (keyword.empty()) {
            return "a keyword (msgctxt, msgid, msgstr) or a string was expected";
        }
        return fmt::format("unknown keyword \"{}\"", tra_text::Printable(keyword, 40));
    }

    std::string* Target()
    {
        switch (field) {
        case Field::Context: return &draft.context;
        case Field::Id: return &draft.id;
        case Field::Str: return &draft.str;
        case Field::IdPlural:
        case Field::StrOther: return &scratch;
        case Field::None: return nullptr;
        }
        return nullptr;
    }

    // An error here is the finished entry's: errorLine says where it starts.
    std::string Finish()
    {
        errorLine = draft.line;
        if (!draft.hasId) {
            return draft.hasContext ? "msgctxt without msgid" : std::string();
        }
        PoEntry entry;
        entry.line = draft.line;
        entry.hasContext = draft.hasContext;
        entry.context = std::move(draft.context);
        entry.plural = draft.plural;
        entry.fuzzy = pendingFuzzy;
        entry.isHeader = !draft.hasContext && draft.id.empty();
        const auto id = utf8::ToUtf16(draft.id);
        const auto str = utf8::ToUtf16(draft.str);
        if (!id || !str) {
            return "the entry is not valid UTF-8";
        }
        // A language file's texts cannot carry one out of the program again.
        if (draft.context.find('\0') != std::string::npos || id->find(u'\0') != std::u16string::npos ||
            str->find(u'\0') != std::u16string::npos) {
            return "the entry holds a null character";
        }
        if (entry.isHeader) {
            const auto charset = HeaderCharset(draft.str);
            if (charset && *charset != "utf-8" && *charset != "utf8" && *charset != "charset" &&
                *charset != "ascii" && *charset != "us-ascii") {
                return fmt::format("the header declares the character set \"{}\"; only UTF-8 is read "
                                   "(convert it with msgconv --to-code=UTF-8)",
                                   tra_text::Printable(*charset, 40));
            }
        }
        entry.id = *id;
        entry.str = *str;
        entries.push_back(std::move(entry));
        draft = Draft();
        field = Field::None;
        pendingFuzzy = false;
        errorLine = 0;
        return {};
    }

    std::vector<PoEntry>& entries;
    Draft draft;
    Field field = Field::None;
    std::string scratch;
    bool pendingFuzzy = false;
    int lineNo = 0;
    int errorLine = 0; // the line an error belongs to, when not the current one
};

} // namespace

std::string ReadPoEntries(std::string_view po, std::vector<PoEntry>& entries)
{
    return Reader(entries).Read(po);
}

} // namespace po_bridge
