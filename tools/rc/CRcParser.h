#pragma once

#include "CRcError.h"
#include "CRcScript.h"
#include "CRcToken.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// Reads the statements of a resource script from preprocessed tokens:
// STRINGTABLE, MENU, MENUEX, ACCELERATORS, DIALOG and DIALOGEX, TOOLBAR and
// BITMAP, each with the LANGUAGE it is written in. Resources of other types
// (ICON, VERSIONINFO, ...) are skipped, counted in one warning, so that scripts
// of other programs can be read for their texts.
class CRcParser {
public:
    struct Options {
        // For scripts of other programs, read for their texts: an identifier that no
        // header defined stands for an id of its own (0 in a style), and a statement
        // that cannot be read is skipped with a warning instead of ending the parse.
        bool lenient = false;
        // The language of the resources before the first LANGUAGE statement.
        RcLanguageId defaultLanguage = 0;
    };

    explicit CRcParser(std::vector<CRcToken> tokens) : CRcParser(std::move(tokens), Options{}) {}
    CRcParser(std::vector<CRcToken> tokens, Options options);

    // Throws CRcError at the first fault, with its file and line.
    CRcScript Parse();

private:
    const CRcToken& Peek(std::size_t ahead = 0) const;
    const CRcToken& Next();
    bool AcceptKeyword(std::string_view keyword);
    bool AcceptPunct(std::string_view punct);
    void ExpectPunct(std::string_view punct, std::string_view context);
    void ExpectComma(std::string_view context) { ExpectPunct(",", context); }
    [[noreturn]] void Fail(const CRcToken& at, const std::string& message) const;
    static std::string Describe(const CRcToken& token);

    std::int64_t Expression(std::string_view what);
    std::int64_t Ranged(std::string_view what, std::int64_t min, std::int64_t max);
    std::int16_t Coordinate(std::string_view what);
    std::uint32_t Style(std::uint32_t initial, std::string_view what);
    std::u16string String(std::string_view what);
    void Begin(std::string_view context);
    bool AtEnd();
    void SkipMemoryOptions();
    void SkipLanguage();
    // LANGUAGE primary, sub (the keyword already read): the primary id.
    RcLanguageId Language();
    void SkipBlock();
    // What an identifier left after macro expansion is worth (see Options::lenient).
    std::int64_t Undefined(const CRcToken& token, std::string_view what, bool inStyle);
    void Warn(const CRcToken& at, const std::string& message);
    // After a failed statement that began at start: past its block, or its line.
    void Recover(std::size_t start);
    void Statement();

    void StringTable();
    void Menu(std::uint32_t id, const RcPlace& place);
    void MenuItems(std::vector<RcMenuItem>& items, int depth);
    void MenuEx(std::uint32_t id, const RcPlace& place);
    void MenuExItems(std::vector<RcMenuItem>& items, int depth);
    std::uint32_t MenuFlags();
    void Accelerators(std::uint32_t id, const RcPlace& place);
    void Dialog(std::uint32_t id, const RcPlace& place, bool extended);
    bool Control(RcDialog& dialog);
    void Toolbar(std::uint32_t id, const RcPlace& place);
    void Bitmap(std::uint32_t id, const RcPlace& place);
    void SkipResource(const CRcToken& type);

    RcPlace PlaceOf(const CRcToken& token) const { return {token.FileName(), token.line}; }
    // Checks that the id is new for its type and language and reads past the memory
    // options (defined below the class: the resource parsers of every file use it).
    template <typename Resource>
    Resource Start(const std::vector<Resource>& list, std::uint32_t id, const RcPlace& place,
                   std::string_view kind);

    std::vector<CRcToken> tokens;
    std::size_t pos = 0;
    CRcScript script;
    Options options;
    RcLanguageId currentLanguage = 0;
    // (language << 32 | id) of each string read: its index in script.strings.
    std::unordered_map<std::uint64_t, std::size_t> stringIndex;
    // Resource types read past, with how many of each, in the order met.
    std::vector<std::pair<std::string, int>> skipped;
    // Lenient reading: the ids given to undefined identifiers, counting down from 65535.
    std::map<std::string, std::int64_t, std::less<>> undefinedIds;
};

template <typename Resource>
Resource CRcParser::Start(const std::vector<Resource>& list, std::uint32_t id, const RcPlace& place,
                          std::string_view kind)
{
    for (const Resource& entry : list) {
        if (entry.id == id && entry.language == currentLanguage)
            throw CRcError(place.file, place.line,
                           std::string(kind) + " " + std::to_string(id) + " is defined twice (first at " +
                               entry.place.file + ":" + std::to_string(entry.place.line) + ")");
    }
    SkipMemoryOptions();
    Resource resource;
    resource.id = id;
    resource.place = place;
    resource.language = currentLanguage;
    return resource;
}
