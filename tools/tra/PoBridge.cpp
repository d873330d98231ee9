#include "PoBridge.h"

#include "LanguageCodes.h"
#include "PoReader.h"
#include "TextEncoding.h"

#include <fmt/core.h>

#include <algorithm>

namespace po_bridge {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// One printf directive after its '%' as gettext's c-format checker reads it; returns the
// index after it, or npos when the text there is no directive. numbered/unnumbered
// record which argument style it used ("%1$s" or "%s").
std::size_t ScanDirective(std::u16string_view text, std::size_t i, bool& numbered, bool& unnumbered)
{
    const auto argumentNumber = [&](std::size_t& at) {
        std::size_t k = at;
        while (k < text.size() && IsDigit(text[k])) {
            ++k;
        }
        if (k > at && k < text.size() && text[k] == u'$' && text[at] != u'0') {
            at = k + 1;
            return true;
        }
        return false;
    };
    // A width or a precision: digits, or '*' taking it from an argument.
    const auto skipAmount = [&](std::size_t& at) {
        if (at < text.size() && text[at] == u'*') {
            ++at;
            (argumentNumber(at) ? numbered : unnumbered) = true;
        } else {
            while (at < text.size() && IsDigit(text[at])) {
                ++at;
            }
        }
    };
    if (i < text.size() && text[i] == u'%') {
        return i + 1;
    }
    const bool hasNumber = argumentNumber(i);
    while (i < text.size() && std::u16string_view(u" +-#0'I").find(text[i]) != std::u16string_view::npos) {
        ++i;
    }
    skipAmount(i);
    if (i < text.size() && text[i] == u'.') {
        ++i;
        skipAmount(i);
    }
    while (i < text.size() && std::u16string_view(u"hlLqjzZt").find(text[i]) != std::u16string_view::npos) {
        ++i;
    }
    if (i >= text.size() ||
        std::u16string_view(u"diouxXeEfFgGaAcsCSpn").find(text[i]) == std::u16string_view::npos) {
        return std::u16string_view::npos;
    }
    (hasNumber ? numbered : unnumbered) = true;
    return i + 1;
}

void AppendEscaped(std::string& out, std::string_view utf8)
{
    for (const char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\v': out += "\\v"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += fmt::format("\\{:03o}", static_cast<unsigned char>(c));
            } else {
                out += c;
            }
        }
    }
}

// keyword "text", or, for a text with inner line breaks, keyword "" and one line per
// line of the text, as gettext writes them.
void AppendPoString(std::string& out, std::string_view keyword, std::u16string_view text)
{
    const std::string utf8 = tra_text::ToUtf8(text);
    out += keyword;
    const std::size_t firstBreak = utf8.find('\n');
    if (firstBreak == std::string::npos || firstBreak + 1 == utf8.size()) {
        out += " \"";
        AppendEscaped(out, utf8);
        out += "\"\n";
        return;
    }
    out += " \"\"\n";
    std::size_t start = 0;
    while (start < utf8.size()) {
        const std::size_t end = std::min(utf8.find('\n', start), utf8.size() - 1) + 1;
        out += '"';
        AppendEscaped(out, std::string_view(utf8).substr(start, end - start));
        out += "\"\n";
        start = end;
    }
}

// Header values are one line each.
std::string HeaderValue(std::u16string_view text)
{
    std::string value = tra_text::ToUtf8(text);
    std::replace_if(value.begin(), value.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return value;
}

void AppendHeader(std::string& out, const CLanguageFile& language, std::string_view languageCode)
{
    const std::string program = HeaderValue(language.GetProgramName());
    const std::string version = HeaderValue(language.GetProgramVersion());
    const std::string name = HeaderValue(language.GetLanguageName());
    std::string fields;
    fields += fmt::format("Project-Id-Version: {} {}\n", program, version);
    fields += "PO-Revision-Date: \n";
    fields += "Last-Translator: \n";
    fields += fmt::format("Language-Team: {}\n", name);
    fields += fmt::format("Language: {}\n",
                          languageCode.empty() ? language_codes::CodeOrUndetermined(language.GetLanguageName())
                                               : std::string(languageCode));
    fields += "MIME-Version: 1.0\n";
    fields += "Content-Type: text/plain; charset=UTF-8\n";
    fields += "Content-Transfer-Encoding: 8bit\n";
    fields += fmt::format("X-Glossmark-Program: {}\n", program);
    fields += fmt::format("X-Glossmark-Version: {}\n", version);
    fields += fmt::format("X-Glossmark-Language: {}\n", name);
    fields += "X-Generator: glossmark-tra\n";
    out += fmt::format("# {} {}: {}\n", program, version, name);
    if (language.IsOriginal()) {
        out += "# Original-language file: the translations are the original texts.\n";
    }
    out += "msgid \"\"\nmsgstr \"\"\n";
    std::size_t start = 0;
    while (start < fields.size()) {
        const std::size_t end = fields.find('\n', start) + 1;
        out += '"';
        AppendEscaped(out, std::string_view(fields).substr(start, end - start));
        out += "\"\n";
        start = end;
    }
}

} // namespace

FormatKind ClassifyFormat(std::u16string_view text)
{
    bool any = false;
    bool numbered = false;
    bool unnumbered = false;
    for (std::size_t i = text.find(u'%'); i != std::u16string_view::npos; i = text.find(u'%', i)) {
        const std::size_t end = ScanDirective(text, i + 1, numbered, unnumbered);
        if (end == std::u16string_view::npos) {
            return FormatKind::NoCFormat;
        }
        any = true;
        i = end;
    }
    if (numbered && unnumbered) {
        return FormatKind::NoCFormat;
    }
    return any ? FormatKind::CFormat : FormatKind::None;
}

ExportResult ExportPo(const CLanguageFile& language, std::string_view languageCode)
{
    ExportResult result;
    std::string& out = result.text;
    AppendHeader(out, language, languageCode);
    if (language.GetRoot() == nullptr) {
        return result;
    }
    bridge::ForEachUnit(*language.GetRoot(), [&](const bridge::Unit& unit) {
        if (!result.error.empty()) {
            return;
        }
        result.error = bridge::UnwritableTextError(
            unit, false, "is not valid UTF-16 or holds a null character; a PO file cannot carry it");
        if (!result.error.empty()) {
            return;
        }
        const CTextNode& node = *unit.node;
        // gettext reads an empty msgid as a header; such a text can only have an empty
        // translation, so the file loses nothing without it.
        if (node.originalText.empty()) {
            return;
        }
        out += "\n#. ";
        out += bridge::UnitNote(unit);
        out += '\n';
        const bool fuzzy = bridge::OwnTextToBeEdited(node);
        const FormatKind format = ClassifyFormat(node.originalText);
        if (fuzzy || format != FormatKind::None) {
            out += "#,";
            out += fuzzy ? " fuzzy" : "";
            out += format == FormatKind::CFormat ? (fuzzy ? ", c-format" : " c-format")
                   : format == FormatKind::NoCFormat ? (fuzzy ? ", no-c-format" : " no-c-format")
                                                      : "";
            out += '\n';
        }
        out += "msgctxt \"";
        out += unit.path;
        out += "\"\n";
        AppendPoString(out, "msgid", node.originalText);
        AppendPoString(out, "msgstr", node.translatedText);
    });
    if (!result.error.empty()) {
        result.text.clear();
    }
    return result;
}

ImportResult ImportPo(std::string_view po, CLanguageFile& language)
{
    ImportResult result;
    std::vector<PoEntry> entries;
    result.error = ReadPoEntries(po, entries);
    if (!result.error.empty() || language.GetRoot() == nullptr) {
        return result;
    }
    bridge::UnitImporter importer(*language.GetRoot(), "msgctxt", "msgid");
    for (const PoEntry& entry : entries) {
        if (entry.obsolete || entry.isHeader) {
            continue;
        }
        if (entry.plural) {
            importer.Skip(entry.line, "a plural entry (msgid_plural); a language file has no plural forms");
        } else if (!entry.hasContext) {
            importer.Skip(entry.line, "no msgctxt, so no text of the language file is named");
        } else {
            importer.Apply(entry.line, entry.context, entry.id, entry.str, entry.fuzzy);
        }
    }
    result.counts = std::move(importer.counts);
    if (result.counts.applied > 0) {
        language.GetRoot()->UpdateStates();
    }
    return result;
}

} // namespace po_bridge
