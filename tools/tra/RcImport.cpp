#include "RcImport.h"

#include "CRcError.h"
#include "CRcParser.h"
#include "CRcPreprocessor.h"
#include "CRcResourceView.h"
#include "CResourceTreeBuilder.h"
#include "RcLanguages.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace rc_import {

namespace {

// A flag for a file that has none of its own: plain white.
constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr RcLanguageId kEnglish = 0x09;

template <class List>
List OfLanguage(const List& list, RcLanguageId language)
{
    List kept;
    std::copy_if(list.begin(), list.end(), std::back_inserter(kept), [language](const auto& item) {
        return item.language == language || item.language == 0;
    });
    return kept;
}

// The value of NAME=VALUE; a bare NAME is 1, as with a compiler's -D.
bool DefineValue(const std::string& define, std::string& name, std::int64_t& value)
{
    const std::size_t eq = define.find('=');
    name = define.substr(0, eq);
    value = 1;
    if (name.empty()) {
        return false;
    }
    if (eq == std::string::npos) {
        return true;
    }
    std::string_view text = std::string_view(define).substr(eq + 1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

// A string id given by name (a macro of the script) or as a number.
bool ResolveId(const CRcSymbols& symbols, const std::string& text, std::uint32_t& id)
{
    const char* end = text.data() + text.size();
    if (const auto [at, error] = std::from_chars(text.data(), end, id); error == std::errc() && at == end) {
        return true;
    }
    const CRcSymbols::Macro* macro = symbols.Find(text);
    if (macro == nullptr || macro->replacement.size() != 1 ||
        macro->replacement[0].kind != CRcToken::Kind::Number) {
        return false;
    }
    id = static_cast<std::uint32_t>(macro->replacement[0].number);
    return true;
}

// The first language that the script's texts are written in: a script often names
// LANG_NEUTRAL first for its icons and version, and its real language after that.
RcLanguageId FirstLanguageWithTexts(const CRcScript& script)
{
    for (const RcLanguageId id : script.languages) {
        const auto inLanguage = [id](const auto& list) {
            return std::any_of(list.begin(), list.end(), [id](const auto& item) { return item.language == id; });
        };
        if (id != 0 && (inLanguage(script.strings) || inLanguage(script.menus) || inLanguage(script.dialogs))) {
            return id;
        }
    }
    return 0;
}

std::string LanguageList(const CRcScript& script)
{
    std::string list;
    for (const RcLanguageId id : script.languages) {
        const RcLanguageName* name = FindRcLanguage(id);
        list += (list.empty() ? "" : ", ") + (name ? std::string(name->symbol) : std::to_string(id));
    }
    return list.empty() ? "none" : list;
}

// The primary language id that --language names (LANG_GERMAN), or nullopt.
std::optional<RcLanguageId> NamedLanguage(const CRcSymbols& symbols, const std::string& name)
{
    const CRcSymbols::Macro* macro = symbols.Find(name);
    if (macro == nullptr || macro->replacement.size() != 1 || macro->replacement[0].kind != CRcToken::Kind::Number) {
        return std::nullopt;
    }
    return static_cast<RcLanguageId>(macro->replacement[0].number);
}

// A text with a null character could not be carried out of the program again.
void RefuseNullCharacters(const CRcScript& script)
{
    const auto check = [](const std::u16string& text, const RcPlace& place) {
        if (text.find(u'\0') != std::u16string::npos) {
            throw CRcError(place.file, place.line, "the text holds a null character");
        }
    };
    for (const RcString& string : script.strings) {
        check(string.text, string.place);
    }
    for (const RcDialog& dialog : script.dialogs) {
        check(dialog.title, dialog.place);
        for (const RcDialogControl& control : dialog.controls) {
            check(control.text, control.place);
        }
    }
    std::vector<const RcMenuItem*> items;
    for (const RcMenu& menu : script.menus) {
        for (const RcMenuItem& item : menu.items) {
            items.push_back(&item);
        }
    }
    while (!items.empty()) {
        const RcMenuItem* item = items.back();
        items.pop_back();
        check(item->text, item->place);
        for (const RcMenuItem& child : item->items) {
            items.push_back(&child);
        }
    }
}

} // namespace

Result LanguageFromScript(const std::string& scriptPath, const Options& options)
{
    Result result;
    CRcSymbols symbols;
    // As the Windows resource compiler does.
    symbols.DefineNumber("_WIN32", 1);
    symbols.DefineNumber("RC_INVOKED", 1);
    CRcPreprocessor preprocessor(symbols, options.includeDirs);
    preprocessor.SetSkipMissingIncludes(true);
    try {
        for (const std::string& define : options.defines) {
            std::string name;
            std::int64_t value = 0;
            if (!DefineValue(define, name, value)) {
                result.error = "--define=" + define + ": expected NAME or NAME=NUMBER";
                return result;
            }
            symbols.DefineNumber(name, value);
        }
        // A script without LANGUAGE statements is in the language asked for, else in
        // English, as the Windows compiler assumes.
        CRcParser::Options parserOptions;
        parserOptions.lenient = true;
        parserOptions.defaultLanguage = kEnglish;
        if (!options.languageId.empty()) {
            const std::optional<RcLanguageId> named = NamedLanguage(symbols, options.languageId);
            if (!named) {
                result.error = "--language=" + options.languageId + ": no such language id (LANG_ENGLISH, "
                               "LANG_GERMAN, ...)";
                return result;
            }
            parserOptions.defaultLanguage = *named;
        }
        CRcParser parser(preprocessor.ProcessFile(scriptPath), parserOptions);
        const CRcScript script = parser.Parse();
        result.warnings = preprocessor.Warnings();
        result.warnings.insert(result.warnings.end(), script.warnings.begin(), script.warnings.end());

        RcLanguageId language = FirstLanguageWithTexts(script);
        if (!options.languageId.empty()) {
            language = parserOptions.defaultLanguage;
            if (std::find(script.languages.begin(), script.languages.end(), language) ==
                script.languages.end()) {
                result.error = scriptPath + ": the script has no resources in " + options.languageId +
                               " (its languages: " + LanguageList(script) + ")";
                return result;
            }
        }

        CRcScript chosen;
        chosen.strings = OfLanguage(script.strings, language);
        chosen.menus = OfLanguage(script.menus, language);
        chosen.accelerators = OfLanguage(script.accelerators, language);
        chosen.dialogs = OfLanguage(script.dialogs, language);
        chosen.toolbars = OfLanguage(script.toolbars, language);
        RefuseNullCharacters(chosen);
        const CRcResourceView view(chosen);
        CResourceTreeBuilder builder(view.Set());
        if (!options.switchEntry.empty()) {
            CResourceTreeBuilder::SwitchEntry entry;
            if (options.switchEntry.size() != 1 + entry.children.size()) {
                result.error = "--switch-entry needs 12 string ids: the title and its 11 children";
                return result;
            }
            for (std::size_t i = 0; i < options.switchEntry.size(); ++i) {
                std::uint32_t& id = i == 0 ? entry.title : entry.children[i - 1];
                if (!ResolveId(symbols, options.switchEntry[i], id)) {
                    result.error = "--switch-entry: \"" + options.switchEntry[i] + "\" is no string id of the script";
                    return result;
                }
            }
            builder.SetSwitchEntry(entry);
        }

        auto file = std::make_unique<CLanguageFile>(builder.Build());
        file->SetProgramName(options.programName);
        file->SetProgramVersion(options.programVersion);
        if (!options.languageName.empty()) {
            file->SetLanguageName(options.languageName);
        } else {
            const RcLanguageName* name = FindRcLanguage(language);
            const std::string_view words = name ? name->words : std::string_view("Neutral");
            file->SetLanguageName(std::u16string(words.begin(), words.end()));
        }
        file->flagPixels.fill(kWhite);
        file->SetOriginal(true);
        result.language = std::move(file);
    } catch (const CRcError& error) {
        result.error = error.what();
        result.warnings = preprocessor.Warnings(); // said before the failure they may explain
    } catch (const std::runtime_error& error) {
        result.error = scriptPath + ": " + error.what(); // a switch entry naming a missing string
    }
    return result;
}

} // namespace rc_import
