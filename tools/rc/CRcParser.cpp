#include "CRcParser.h"

#include "CRcError.h"
#include "CRcExpression.h"
#include "Utf8.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kWsGroup = 0x00020000;
constexpr std::uint32_t kDsSetFont = 0x40;

struct ControlKind {
    std::string_view keyword;
    res::ControlClass controlClass;
    std::u16string_view className;
    std::uint32_t style; // besides WS_CHILD | WS_VISIBLE
    enum Form { TextFirst, IdFirst, Icon } form;
};

// The control statements and the styles the Windows resource compiler gives them.
constexpr ControlKind kControlKinds[] = {
    {"LTEXT", res::ControlClass::Static, u"Static", 0x0 | kWsGroup, ControlKind::TextFirst},
    {"CTEXT", res::ControlClass::Static, u"Static", 0x1 | kWsGroup, ControlKind::TextFirst},
    {"RTEXT", res::ControlClass::Static, u"Static", 0x2 | kWsGroup, ControlKind::TextFirst},
    {"PUSHBUTTON", res::ControlClass::Button, u"Button", 0x0 | kWsTabStop, ControlKind::TextFirst},
    {"DEFPUSHBUTTON", res::ControlClass::Button, u"Button", 0x1 | kWsTabStop, ControlKind::TextFirst},
    {"CHECKBOX", res::ControlClass::Button, u"Button", 0x2 | kWsTabStop, ControlKind::TextFirst},
    {"AUTOCHECKBOX", res::ControlClass::Button, u"Button", 0x3 | kWsTabStop, ControlKind::TextFirst},
    {"RADIOBUTTON", res::ControlClass::Button, u"Button", 0x4, ControlKind::TextFirst},
    {"STATE3", res::ControlClass::Button, u"Button", 0x5 | kWsTabStop, ControlKind::TextFirst},
    {"AUTO3STATE", res::ControlClass::Button, u"Button", 0x6 | kWsTabStop, ControlKind::TextFirst},
    {"GROUPBOX", res::ControlClass::Button, u"Button", 0x7, ControlKind::TextFirst},
    {"AUTORADIOBUTTON", res::ControlClass::Button, u"Button", 0x9, ControlKind::TextFirst},
    {"PUSHBOX", res::ControlClass::Button, u"Button", 0xA | kWsTabStop, ControlKind::TextFirst},
    {"EDITTEXT", res::ControlClass::Edit, u"Edit", kWsBorder | kWsTabStop, ControlKind::IdFirst},
    {"COMBOBOX", res::ControlClass::ComboBox, u"ComboBox", 0x1 | kWsTabStop, ControlKind::IdFirst},
    {"LISTBOX", res::ControlClass::ListBox, u"ListBox", 0x1 | kWsBorder, ControlKind::IdFirst},
    {"SCROLLBAR", res::ControlClass::ScrollBar, u"ScrollBar", 0x0, ControlKind::IdFirst},
    {"ICON", res::ControlClass::Static, u"Static", 0x3, ControlKind::Icon},
};

std::string Upper(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text)
        out.push_back(c < 0x80 ? static_cast<char>(std::toupper(static_cast<int>(c))) : '?');
    return out;
}

res::ControlClass ClassOf(std::u16string_view name)
{
    const std::string upper = Upper(name);
    if (upper == "BUTTON") return res::ControlClass::Button;
    if (upper == "EDIT") return res::ControlClass::Edit;
    if (upper == "STATIC") return res::ControlClass::Static;
    if (upper == "LISTBOX") return res::ControlClass::ListBox;
    if (upper == "COMBOBOX") return res::ControlClass::ComboBox;
    if (upper == "SCROLLBAR") return res::ControlClass::ScrollBar;
    if (upper == "SYSLISTVIEW32") return res::ControlClass::ListView;
    if (upper == "SYSTREEVIEW32") return res::ControlClass::TreeView;
    if (upper == "SYSTABCONTROL32") return res::ControlClass::TabControl;
    return res::ControlClass::Custom;
}

// Resource types that are read past: their data is nothing the translation needs.
constexpr std::string_view kSkippedTypes[] = {
    "ICON", "CURSOR", "FONT", "VERSIONINFO", "RCDATA", "HTML", "DLGINIT", "AFX_DIALOG_LAYOUT",
    "TEXTINCLUDE", "DESIGNINFO", "MESSAGETABLE", "MANIFEST", "PLUGPLAY", "VXD",
    "ANICURSOR", "ANIICON", "REGISTRY", "TYPELIB",
};

// The resource types the parser reads.
constexpr std::string_view kReadTypes[] = {
    "MENU", "MENUEX", "ACCELERATORS", "DIALOG", "DIALOGEX", "TOOLBAR", "BITMAP",
};

bool IsResourceType(const CRcToken& token)
{
    if (token.kind != CRcToken::Kind::Identifier)
        return false;
    const auto in = [&](const auto& list) {
        return std::find(std::begin(list), std::end(list), token.text) != std::end(list);
    };
    return in(kReadTypes) || in(kSkippedTypes);
}

constexpr std::string_view kMemoryOptions[] = {
    "PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE", "PURE", "IMPURE", "SHARED", "NONSHARED",
};

} // namespace

CRcParser::CRcParser(std::vector<CRcToken> tokens, Options options)
    : tokens(std::move(tokens)), options(options), currentLanguage(options.defaultLanguage)
{
    CRcToken end;
    end.kind = CRcToken::Kind::End;
    if (!this->tokens.empty()) {
        end.file = this->tokens.back().file;
        end.line = this->tokens.back().line;
    }
    this->tokens.push_back(end);
}

const CRcToken& CRcParser::Peek(std::size_t ahead) const
{
    return tokens[std::min(pos + ahead, tokens.size() - 1)];
}

const CRcToken& CRcParser::Next()
{
    const CRcToken& token = Peek();
    if (pos < tokens.size() - 1)
        ++pos;
    return token;
}

bool CRcParser::AcceptKeyword(std::string_view keyword)
{
    if (Peek().IsKeyword(keyword)) {
        Next();
        return true;
    }
    return false;
}

bool CRcParser::AcceptPunct(std::string_view punct)
{
    if (Peek().IsPunct(punct)) {
        Next();
        return true;
    }
    return false;
}

void CRcParser::ExpectPunct(std::string_view punct, std::string_view context)
{
    if (!AcceptPunct(punct))
        Fail(Peek(), "expected '" + std::string(punct) + "' " + std::string(context) + ", found " +
                         Describe(Peek()));
}

void CRcParser::Fail(const CRcToken& at, const std::string& message) const
{
    throw CRcError(at.FileName(), at.line, message);
}

std::string CRcParser::Describe(const CRcToken& token)
{
    switch (token.kind) {
    case CRcToken::Kind::End: return "the end of the file";
    case CRcToken::Kind::String: return "the string \"" + utf8::FromUtf16(token.value) + "\"";
    default: return "'" + token.text + "'";
    }
}

std::int64_t CRcParser::Expression(std::string_view what)
{
    const CRcToken& start = Peek();
    if (start.kind == CRcToken::Kind::End || start.kind == CRcToken::Kind::String ||
        (start.kind == CRcToken::Kind::Punct && !start.IsPunct("(") && !start.IsPunct("-") &&
         !start.IsPunct("~") && !start.IsPunct("+") && !start.IsPunct("!")))
        Fail(start, "expected " + std::string(what) + ", found " + Describe(start));
    CRcExpression expression(tokens, pos, [this, what](const CRcToken& token) {
        return Undefined(token, what, false);
    });
    return expression.Parse();
}

std::int64_t CRcParser::Ranged(std::string_view what, std::int64_t min, std::int64_t max)
{
    const CRcToken& at = Peek();
    const std::int64_t value = Expression(what);
    if (value < min || value > max)
        Fail(at, std::string(what) + " " + std::to_string(value) + " is out of range (" +
                     std::to_string(min) + " to " + std::to_string(max) + ")");
    return value;
}

std::int16_t CRcParser::Coordinate(std::string_view what)
{
    return static_cast<std::int16_t>(Ranged(what, -32768, 32767));
}

std::uint32_t CRcParser::Style(std::uint32_t initial, std::string_view what)
{
    // A chain of terms joined by '|'; "NOT term" clears the term's bits from
    // what the chain (and the statement's default style) has so far.
    std::uint32_t style = initial;
    do {
        const bool clear = AcceptKeyword("NOT");
        const CRcToken& at = Peek();
        if ((at.kind != CRcToken::Kind::Number && at.kind != CRcToken::Kind::Identifier &&
             !at.IsPunct("(") && !at.IsPunct("~") && !at.IsPunct("-")) ||
            at.IsKeyword("BEGIN") || at.IsKeyword("END"))
            Fail(at, "expected " + std::string(what) + ", found " + Describe(at));
        CRcExpression expression(tokens, pos, [this, what](const CRcToken& token) {
            return Undefined(token, what, true);
        });
        const auto bits = static_cast<std::uint32_t>(expression.ParseAboveOr());
        style = clear ? (style & ~bits) : (style | bits);
    } while (AcceptPunct("|"));
    return style;
}

std::u16string CRcParser::String(std::string_view what)
{
    if (Peek().kind != CRcToken::Kind::String)
        Fail(Peek(), "expected " + std::string(what) + " in quotes, found " + Describe(Peek()));
    std::u16string text = Next().value;
    while (Peek().kind == CRcToken::Kind::String) // "a" "b" is one text
        text += Next().value;
    return text;
}

void CRcParser::Begin(std::string_view context)
{
    if (!AcceptKeyword("BEGIN") && !AcceptPunct("{"))
        Fail(Peek(), "expected BEGIN " + std::string(context) + ", found " + Describe(Peek()));
}

bool CRcParser::AtEnd()
{
    if (AcceptKeyword("END") || AcceptPunct("}"))
        return true;
    return false;
}

void CRcParser::SkipMemoryOptions()
{
    while (Peek().kind == CRcToken::Kind::Identifier &&
           std::find(std::begin(kMemoryOptions), std::end(kMemoryOptions), Peek().text) !=
               std::end(kMemoryOptions))
        Next();
}

void CRcParser::SkipLanguage()
{
    // LANGUAGE primary, sub: the language of the resources, nothing to keep.
    const int line = Peek().line;
    const auto file = Peek().file;
    while (Peek().kind != CRcToken::Kind::End && Peek().line == line && Peek().file == file &&
           !Peek().IsKeyword("BEGIN"))
        Next();
}

std::int64_t CRcParser::Undefined(const CRcToken& token, std::string_view what, bool inStyle)
{
    if (!options.lenient) {
        Fail(token, "'" + token.text + "' is not defined (expected " + std::string(what) +
                        (inStyle ? ")" : "; is the header that defines it included?)"));
    }
    if (inStyle) {
        Warn(token, "'" + token.text + "' is not defined; taken as no style bits");
        return 0;
    }
    const std::string key = token.kind == CRcToken::Kind::String ? "\"" + utf8::FromUtf16(token.value) + "\"" : token.text;
    auto it = undefinedIds.find(key);
    if (it == undefinedIds.end()) {
        Warn(token, key + " is not defined; it gets an id of its own");
        it = undefinedIds.emplace(key, 65535 - static_cast<std::int64_t>(undefinedIds.size())).first;
    }
    return it->second;
}

void CRcParser::Warn(const CRcToken& at, const std::string& message)
{
    script.warnings.push_back(at.FileName() + ":" + std::to_string(at.line) + ": warning: " + message);
}

RcLanguageId CRcParser::Language()
{
    const CRcToken& at = Peek();
    const auto primary = static_cast<RcLanguageId>(Expression("a primary language id"));
    if (at.kind == CRcToken::Kind::Identifier && undefinedIds.count(at.text) != 0)
        Warn(at, "unknown language " + at.text);
    SkipLanguage();
    return primary;
}

void CRcParser::Recover(std::size_t start)
{
    pos = start;
    int line = Next().line;
    while (Peek().kind != CRcToken::Kind::End) {
        const CRcToken& token = Peek();
        if (token.IsKeyword("BEGIN") || token.IsPunct("{")) {
            try {
                SkipBlock();
            } catch (const CRcError&) {
                pos = tokens.size() - 1;
            }
            return;
        }
        // A later line that starts a statement of its own ends the broken one.
        if (token.line != line && (token.IsKeyword("STRINGTABLE") || token.IsKeyword("LANGUAGE") ||
                                   IsResourceType(Peek(1))))
            return;
        line = token.line;
        Next();
    }
}

void CRcParser::SkipBlock()
{
    const CRcToken& start = Peek();
    Begin("to open the block");
    int depth = 1;
    while (depth > 0) {
        const CRcToken& token = Next();
        if (token.kind == CRcToken::Kind::End)
            Fail(start, "BEGIN without END");
        if (token.IsKeyword("BEGIN") || token.IsPunct("{"))
            ++depth;
        else if (token.IsKeyword("END") || token.IsPunct("}"))
            --depth;
    }
}


CRcScript CRcParser::Parse()
{
    while (Peek().kind != CRcToken::Kind::End) {
        const std::size_t start = pos;
        if (!options.lenient) {
            Statement();
            continue;
        }
        try {
            Statement();
        } catch (const CRcError& error) {
            script.warnings.push_back(error.file + ":" + std::to_string(error.line) + ": warning: " +
                                      error.message + "; statement skipped");
            Recover(start);
        }
    }
    std::stable_sort(script.strings.begin(), script.strings.end(),
                     [](const RcString& a, const RcString& b) { return a.id < b.id; });
    if (!skipped.empty()) {
        std::string list;
        for (const auto& [type, count] : skipped)
            list += (list.empty() ? "" : ", ") + std::to_string(count) + " " + type;
        script.warnings.push_back(tokens.front().FileName() + ": warning: skipped: " + list);
    }
    // Resources before any LANGUAGE statement are in the default language.
    const auto inDefault = [this](const auto& list) {
        return std::any_of(list.begin(), list.end(),
                           [this](const auto& item) { return item.language == options.defaultLanguage; });
    };
    if (options.defaultLanguage != 0 &&
        std::find(script.languages.begin(), script.languages.end(), options.defaultLanguage) ==
            script.languages.end() &&
        (inDefault(script.strings) || inDefault(script.menus) || inDefault(script.dialogs) ||
         inDefault(script.accelerators) || inDefault(script.toolbars) || inDefault(script.bitmaps)))
        script.languages.insert(script.languages.begin(), options.defaultLanguage);
    return std::move(script);
}

void CRcParser::Statement()
{
    {
        const CRcToken& first = Peek();
        if (AcceptKeyword("STRINGTABLE")) {
            StringTable();
            return;
        }
        if (AcceptKeyword("LANGUAGE")) {
            currentLanguage = Language();
            if (std::find(script.languages.begin(), script.languages.end(), currentLanguage) ==
                script.languages.end())
                script.languages.push_back(currentLanguage);
            return;
        }
        if (AcceptKeyword("VERSION") || AcceptKeyword("CHARACTERISTICS")) {
            SkipLanguage();
            return;
        }
        const bool expressionStart = first.IsPunct("(") || first.IsPunct("-");
        if (first.IsKeyword("END") || first.IsKeyword("BEGIN") ||
            (first.kind == CRcToken::Kind::Punct && !expressionStart))
            Fail(first, "unexpected " + Describe(first) + " where a resource should start");
        // name TYPE ...: a numeric id, or a name of a resource type that is skipped.
        std::int64_t id = -1;
        if (first.kind == CRcToken::Kind::Identifier || first.kind == CRcToken::Kind::String) {
            Next();
        } else {
            id = Expression("a resource id");
        }
        const CRcToken& type = Peek();
        if (type.kind == CRcToken::Kind::End)
            Fail(type, "expected a resource type after the resource id, found the end of the file");
        if (type.kind == CRcToken::Kind::Punct)
            Fail(type, "expected a resource type after the resource id, found " + Describe(type));
        Next();
        const bool known = type.kind == CRcToken::Kind::Identifier &&
                           std::find(std::begin(kReadTypes), std::end(kReadTypes), type.text) !=
                               std::end(kReadTypes);
        if (!known) {
            if (!options.lenient && type.kind == CRcToken::Kind::Identifier &&
                std::find(std::begin(kSkippedTypes), std::end(kSkippedTypes), type.text) ==
                    std::end(kSkippedTypes) &&
                first.kind == CRcToken::Kind::Identifier)
                Fail(first, "'" + first.text + "' is not defined, and '" + type.text +
                                "' is no resource type (is the header that defines it included?)");
            SkipResource(type);
            return;
        }
        if (id < 0 && options.lenient)
            id = Undefined(first, "a resource id", false);
        if (id < 0) {
            if (first.kind == CRcToken::Kind::Identifier)
                Fail(first, "'" + first.text + "' is not defined: resource ids must be numbers "
                            "(is the header that defines it included?)");
            Fail(first, "resources named by a string are not supported; give it a numeric id");
        }
        if (id < 1 || id > 65535)
            Fail(first, "resource id " + std::to_string(id) + " is out of range (1 to 65535)");
        const auto resourceId = static_cast<std::uint32_t>(id);
        const RcPlace place = PlaceOf(first);
        if (type.IsKeyword("MENU"))
            Menu(resourceId, place);
        else if (type.IsKeyword("MENUEX"))
            MenuEx(resourceId, place);
        else if (type.IsKeyword("ACCELERATORS"))
            Accelerators(resourceId, place);
        else if (type.IsKeyword("DIALOG") || type.IsKeyword("DIALOGEX"))
            Dialog(resourceId, place, type.IsKeyword("DIALOGEX"));
        else if (type.IsKeyword("TOOLBAR"))
            Toolbar(resourceId, place);
        else
            Bitmap(resourceId, place);
    }
}

void CRcParser::StringTable()
{
    const CRcToken& start = Peek();
    SkipMemoryOptions();
    RcLanguageId language = currentLanguage;
    while (Peek().IsKeyword("LANGUAGE") || Peek().IsKeyword("VERSION") ||
           Peek().IsKeyword("CHARACTERISTICS")) {
        if (Next().IsKeyword("LANGUAGE"))
            language = Language();
        else
            SkipLanguage();
    }
    Begin("after STRINGTABLE");
    while (!AtEnd()) {
        const CRcToken& at = Peek();
        if (at.kind == CRcToken::Kind::End)
            Fail(start, "STRINGTABLE without END");
        const auto id = static_cast<std::uint32_t>(Ranged("a string id", 0, 65535));
        AcceptPunct(",");
        std::u16string text = String("the string's text");
        const auto key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(language)) << 32) | id;
        const auto [entry, added] = stringIndex.emplace(key, script.strings.size());
        if (!added) {
            const RcString& existing = script.strings[entry->second];
            Fail(at, "string " + std::to_string(id) + " is defined twice (first at " + existing.place.file +
                         ":" + std::to_string(existing.place.line) + ")");
        }
        script.strings.push_back({id, std::move(text), PlaceOf(at), language});
    }
}

void CRcParser::Dialog(std::uint32_t id, const RcPlace& place, bool extended)
{
    RcDialog dialog = Start(script.dialogs, id, place, "dialog");
    dialog.x = Coordinate("the dialog's x");
    ExpectComma("after the dialog's x");
    dialog.y = Coordinate("the dialog's y");
    ExpectComma("after the dialog's y");
    dialog.cx = Coordinate("the dialog's width");
    ExpectComma("after the dialog's width");
    dialog.cy = Coordinate("the dialog's height");
    if (extended && AcceptPunct(","))
        Expression("the dialog's help id");
    bool styleGiven = false;
    bool captionGiven = false;
    for (;;) {
        const CRcToken& option = Peek();
        if (AcceptKeyword("STYLE")) {
            dialog.style = Style(0, "a dialog style");
            styleGiven = true;
        } else if (AcceptKeyword("EXSTYLE")) {
            dialog.exStyle = Style(0, "an extended dialog style");
        } else if (AcceptKeyword("CAPTION")) {
            dialog.title = String("the dialog's caption");
            captionGiven = true;
        } else if (AcceptKeyword("FONT")) {
            dialog.fontPointSize = static_cast<std::uint16_t>(Ranged("a point size", 1, 1000));
            ExpectComma("between the font's size and its name");
            dialog.fontName = String("the font's name");
            while (AcceptPunct(","))
                Expression("a font weight, italic flag or character set");
        } else if (AcceptKeyword("MENU") || AcceptKeyword("CLASS")) {
            if (Peek().kind == CRcToken::Kind::String)
                Next();
            else
                Expression("a menu or class id");
        } else if (AcceptKeyword("LANGUAGE")) {
            dialog.language = Language();
        } else if (AcceptKeyword("VERSION") || AcceptKeyword("CHARACTERISTICS")) {
            SkipLanguage();
        } else if (option.IsKeyword("BEGIN") || option.IsPunct("{")) {
            break;
        } else {
            Fail(option, "expected a dialog option (STYLE, EXSTYLE, CAPTION, FONT, MENU, CLASS) "
                         "or BEGIN, found " + Describe(option));
        }
    }
    if (!styleGiven)
        dialog.style = kWsPopup | kWsBorder | kWsSysMenu;
    if (captionGiven)
        dialog.style |= kWsCaption;
    if (!dialog.fontName.empty())
        dialog.style |= kDsSetFont;
    const CRcToken& start = Peek();
    Begin("to open the dialog's controls");
    for (;;) {
        const std::size_t controlStart = pos;
        try {
            if (Control(dialog))
                break;
        } catch (const CRcError& error) {
            if (!options.lenient)
                throw;
            // One control that cannot be read costs that control, not the dialog.
            script.warnings.push_back(error.file + ":" + std::to_string(error.line) + ": warning: " +
                                      error.message + "; control skipped");
            pos = controlStart;
            const CRcToken& first = Next();
            while (Peek().kind != CRcToken::Kind::End && Peek().line == first.line &&
                   Peek().file == first.file && !Peek().IsKeyword("END") && !Peek().IsPunct("}"))
                Next();
        }
        if (Peek().kind == CRcToken::Kind::End)
            Fail(start, "BEGIN of the dialog without END");
    }
    script.dialogs.push_back(std::move(dialog));
}

bool CRcParser::Control(RcDialog& dialog)
{
    if (AtEnd())
        return true;
    const CRcToken& at = Peek();
    if (at.kind == CRcToken::Kind::End)
        return false;
    RcDialogControl control;
    control.place = PlaceOf(at);
    auto text = [&](bool ordinalAllowed) {
        if (ordinalAllowed && Peek().kind != CRcToken::Kind::String) {
            const std::string ordinal = "#" + std::to_string(Ranged("a text or an image id", 0, 65535));
            control.text.assign(ordinal.begin(), ordinal.end());
            return;
        }
        control.text = String("the control's text");
    };
    auto rectangle = [&] {
        control.x = Coordinate("the control's x");
        ExpectComma("after the control's x");
        control.y = Coordinate("the control's y");
        ExpectComma("after the control's y");
        control.cx = Coordinate("the control's width");
        ExpectComma("after the control's width");
        control.cy = Coordinate("the control's height");
    };
    auto id = [&] {
        control.id = static_cast<std::int32_t>(Ranged("a control id", -1, 65535));
    };
    auto styles = [&](std::uint32_t initial) {
        control.style = initial;
        if (AcceptPunct(",")) {
            control.style = Style(initial, "a control style");
            if (AcceptPunct(",")) {
                control.exStyle = Style(0, "an extended control style");
                if (AcceptPunct(","))
                    Expression("the control's help id");
            }
        }
    };

    if (AcceptKeyword("CONTROL")) {
        text(true);
        ExpectComma("after the control's text");
        id();
        ExpectComma("after the control id");
        const CRcToken& classToken = Peek();
        if (classToken.kind == CRcToken::Kind::String)
            control.className = String("the control's class");
        else if (classToken.kind == CRcToken::Kind::Identifier) {
            const std::string name = Next().text; // BUTTON, EDIT, ... written bare
            control.className.assign(name.begin(), name.end());
        }
        else
            Fail(classToken, "expected the control's class, found " + Describe(classToken));
        control.controlClass = ClassOf(control.className);
        ExpectComma("after the control's class");
        control.style = Style(kWsChild | kWsVisible, "a control style");
        ExpectComma("after the control's style");
        rectangle();
        if (AcceptPunct(",")) {
            control.exStyle = Style(0, "an extended control style");
            if (AcceptPunct(","))
                Expression("the control's help id");
        }
    } else {
        const ControlKind* kind = nullptr;
        for (const ControlKind& candidate : kControlKinds) {
            if (at.IsKeyword(candidate.keyword))
                kind = &candidate;
        }
        if (!kind)
            Fail(at, "expected a control statement (LTEXT, PUSHBUTTON, EDITTEXT, CONTROL, ...) "
                     "or END, found " + Describe(at));
        Next();
        control.controlClass = kind->controlClass;
        control.className = kind->className;
        const std::uint32_t initial = kWsChild | kWsVisible | kind->style;
        if (kind->form == ControlKind::IdFirst) {
            id();
            ExpectComma("after the control id");
            rectangle();
            styles(initial);
        } else if (kind->form == ControlKind::TextFirst) {
            text(false);
            ExpectComma("after the control's text");
            id();
            ExpectComma("after the control id");
            rectangle();
            styles(initial);
        } else {
            text(true);
            ExpectComma("after the icon");
            id();
            ExpectComma("after the control id");
            control.x = Coordinate("the control's x");
            ExpectComma("after the control's x");
            control.y = Coordinate("the control's y");
            control.style = initial;
            if (AcceptPunct(",")) {
                control.cx = Coordinate("the control's width");
                ExpectComma("after the control's width");
                control.cy = Coordinate("the control's height");
                styles(initial);
            }
        }
    }
    // DIALOGEX controls may carry a data block; it holds nothing to translate.
    if (Peek().IsKeyword("BEGIN") || Peek().IsPunct("{"))
        SkipBlock();
    dialog.controls.push_back(std::move(control));
    return false;
}

void CRcParser::Bitmap(std::uint32_t id, const RcPlace& place)
{
    RcBitmap bitmap = Start(script.bitmaps, id, place, "bitmap");
    const CRcToken& at = Peek();
    std::string file = utf8::FromUtf16(String("the bitmap's file name"));
    std::replace(file.begin(), file.end(), '\\', '/');
    if (file.empty())
        Fail(at, "the bitmap's file name is empty");
    bitmap.file = file;
    const std::filesystem::path base = std::filesystem::path(at.FileName()).parent_path();
    bitmap.path = (base / file).lexically_normal().string();
    script.bitmaps.push_back(std::move(bitmap));
}

void CRcParser::SkipResource(const CRcToken& type)
{
    const std::string name = type.kind == CRcToken::Kind::String ? utf8::FromUtf16(type.value) : type.text;
    const auto counted = std::find_if(skipped.begin(), skipped.end(), [&](const auto& s) { return s.first == name; });
    if (counted == skipped.end())
        skipped.emplace_back(name, 1);
    else
        ++counted->second;
    SkipMemoryOptions();
    if (Peek().kind == CRcToken::Kind::String) {
        String("a file name");
        return;
    }
    // Header lines (as VERSIONINFO has) up to the data block.
    while (!Peek().IsKeyword("BEGIN") && !Peek().IsPunct("{")) {
        if (Peek().kind == CRcToken::Kind::End)
            Fail(type, "resource of type " + name + " has neither a file name nor a BEGIN ... END block");
        Next();
    }
    SkipBlock();
}
