#pragma once

#include "CRcScript.h"
#include "CRcToken.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads the statements of a resource script from preprocessed tokens:
// STRINGTABLE, MENU, ACCELERATORS, DIALOG and DIALOGEX, TOOLBAR and BITMAP.
// Resources of other types (ICON, VERSIONINFO, ...) are skipped with a
// warning, so that scripts of other programs can be read for their texts.
class CRcParser {
public:
    explicit CRcParser(std::vector<CRcToken> tokens);

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
    void SkipBlock();

    void StringTable();
    void Menu(std::uint32_t id, const RcPlace& place);
    void MenuItems(std::vector<RcMenuItem>& items, int depth);
    std::uint32_t MenuFlags();
    void Accelerators(std::uint32_t id, const RcPlace& place);
    void Dialog(std::uint32_t id, const RcPlace& place, bool extended);
    bool Control(RcDialog& dialog);
    void Toolbar(std::uint32_t id, const RcPlace& place);
    void Bitmap(std::uint32_t id, const RcPlace& place);
    void SkipResource(const CRcToken& type);

    RcPlace PlaceOf(const CRcToken& token) const { return {token.FileName(), token.line}; }
    // Checks that the id is new for its type and reads past the memory options.
    template <typename Resource>
    Resource Start(const std::vector<Resource>& list, std::uint32_t id, const RcPlace& place,
                   std::string_view kind);

    std::vector<CRcToken> tokens;
    std::size_t pos = 0;
    CRcScript script;
};
