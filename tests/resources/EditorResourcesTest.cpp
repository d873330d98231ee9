#include "CRcParser.h"
#include "CRcPreprocessor.h"
#include "CRcResourceView.h"
#include "EditorResources.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const res::StringEntry* FindString(std::uint32_t id)
{
    for (const res::StringEntry& s : EditorResources().strings)
        if (s.id == id)
            return &s;
    return nullptr;
}

std::u16string Text(std::uint32_t id)
{
    const res::StringEntry* s = FindString(id);
    return s ? std::u16string(s->text) : u"<missing " + std::u16string(u"string>");
}

// Every string-table text the editor's design names, with its id.
struct Quoted {
    std::uint32_t id;
    const char16_t* text;
};
constexpr Quoted kQuotedStrings[] = {
    {128, u"Glossmark Editor\n\nNew\nGlossmark file (*.tra)\n.tra\nGlossmarkEditor\nGlossmark Document"},
    {200, u"Version %i.%i%02i"},
    {57344, u"Edit"},
    {57345, u"Drücken Sie F1, um Hilfe zu erhalten."},
    {59137, u"UF"},
    {59138, u"NUM"},
    {59139, u"RF"},
    {61204, u"Sprache umschalten"},
    {61205, u"Sprachen dieser Programmversion"},
    {61206, u"Sprachen älterer Programmversionen"},
    {61207, u"OK"},
    {61208, u"Abbrechen"},
    {61209, u"Hilfe"},
    {61210, u"Ver."},
    {61211, u"Warnung ! Sie haben eine Sprache einer älteren Programmversion gewählt. Evtl. werden "
            u"nicht alle Texte in der richtigen Sprache dargestellt."},
    {61212, u"Fehler bei der Sprachumschaltung"},
    {61447, u"Öffnen einer Fremdsprachen-Einblendung"},
    {61448, u"Öffnen einer Sprache"},
    {61449, u"%s"},
    {61450, u"Speichern einer Sprache"},
    {61451, u"Die aktuelle Sprache wurde noch nicht gespeichert.\nSoll sie jetzt gespeichert werden ?"},
    {61452, u"Fremdsprache neuerer Version wählen"},
    {61453, u"Die gewählte Sprache ist leider für ein anderes Programm und kann deswegen nicht "
            u"geöffnet werden."},
    {61454, u"Die einzublendende Sprache entspricht offenbar nicht der gleichen Programmversion.\n"
            u"Deshalb werden bei einigen Texten evtl. nicht die fremdsprachigen Einblendungen erscheinen."},
    {61455, u"Neue_Sprache_%i"},
    {61456, u"Die von Ihnen gewählte Sprachdatei ist ungültig. Sie kann deshalb nicht geöffnet werden."},
    {61457, u"(Originalsprache)"},
    {61458, u"Der Text, in dem die Ersetzung durchgeführt werden sollte, hat eine beschränkte Länge.\n"
            u"Die Ersetzung kann nicht durchgeführt werden."},
    {61459, u"Der Text wurde nicht in dem Dokument gefunden."},
    {61460, u"Zeile 2000 von 2000"},
    {61461, u"Text %i von %i"},
    {61462, u"%i Texte"},
    {61464, u" Dies ist eine Original-Sprachdatei. Sie kann nicht geändert werden.\n Wollen Sie eine "
            u"neue Sprache, basierend auf dieser Originalsprache, beginnen ?"},
    {32797, u"Markiert alle Texte als bereits bearbeitet.\nAlle als bearbeitet markeiren"},
    {32798, u"Markiert alle Texte als zu bearbeitende Texte\nAlle als zu bearbeiten markieren"},
    {32804, u"Expandiert den gesamten Baum\nAlle expandieren"},
    {32805, u"Zeigt die noch zu bearbeitenden Texte\nZeige zu bearbeitende Texte"},
    {32806, u"Klappt die gesamte Baumstruktur ein\nAlle einklappen"},
    {32807, u"Blendet eine Fremdsprache als Übersetzungshilfe ein\nFremdsprache einblenden"},
    {32808, u"Blendet die Fremdsprache aus\nFremdsprache ausblenden"},
    {32809, u"Öffnet eine Sprache zum Editieren\nSprache öffnen"},
    {32810, u"Führt ein Versions-Update der aktuellen Sprache durch.\nVersions-Update"},
    {32811, u"Speichert eine Sprache\nSprache speichern"},
    {32814, u"Speichert eine Sprache unter einem neuen Namen\nSpeichern unter..."},
    {32815, u"Erstellt eine neue Sprache ausgehend von der aktuellen.\nNeue Übersetzung"},
    {33002, u"Erlaubt es, zur aktuellen Sprache eine Flagge zu wählen\nFlagge auswählen"},
    {33009, u"Sucht nach Texten in der aktuellen Sprache\nSuchen"},
    {33010, u"Erlaubt das Suchen und Ersetzen von Texten\nErsetzen"},
    {33011, u"Durchsucht die Sprachdatei nach einem Text\nText suchen"},
};

TEST(EditorResources, EveryNamedStringHasItsExactText)
{
    for (const Quoted& quoted : kQuotedStrings)
        EXPECT_EQ(Text(quoted.id), quoted.text) << "string " << quoted.id;
}

TEST(EditorResources, StringsAreSortedAndCommandsWithoutStringsHaveNone)
{
    const auto strings = EditorResources().strings;
    EXPECT_TRUE(std::is_sorted(strings.begin(), strings.end(),
                               [](const auto& a, const auto& b) { return a.id < b.id; }));
    for (std::uint32_t id : {33007u, 33008u, 33012u})
        EXPECT_EQ(FindString(id), nullptr) << id;
}

TEST(EditorResources, ToolbarTooltipsAreTheSecondPartOfTheCommandStrings)
{
    const std::pair<std::uint32_t, const char16_t*> tooltips[] = {
        {32815, u"Neue Übersetzung"}, {32809, u"Sprache öffnen"}, {32811, u"Sprache speichern"},
        {32814, u"Speichern unter..."}, {33009, u"Suchen"}, {33010, u"Ersetzen"},
        {33002, u"Flagge auswählen"}, {32810, u"Versions-Update"}, {32807, u"Fremdsprache einblenden"},
        {32808, u"Fremdsprache ausblenden"}, {32806, u"Alle einklappen"}, {32804, u"Alle expandieren"},
        {32805, u"Zeige zu bearbeitende Texte"}, {57664, u"Info"}, {57669, u"Hilfe"},
    };
    ASSERT_EQ(EditorResources().toolbars.size(), 1u);
    const res::Toolbar& toolbar = EditorResources().toolbars[0];
    EXPECT_EQ(toolbar.id, 146u);
    std::vector<std::uint32_t> buttons;
    for (std::uint32_t command : toolbar.commands)
        if (command != 0)
            buttons.push_back(command);
    ASSERT_EQ(buttons.size(), std::size(tooltips));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i], tooltips[i].first) << "button " << i;
        const std::u16string text = Text(buttons[i]);
        const auto newline = text.find(u'\n');
        ASSERT_NE(newline, std::u16string::npos) << buttons[i];
        EXPECT_EQ(text.substr(newline + 1), tooltips[i].second) << buttons[i];
    }
    EXPECT_EQ(toolbar.commands.size(), 15u + 6u); // six separators
}

// Flattened "popup > item (id)" lines of menu 128.
std::vector<std::u16string> MenuLines(std::span<const res::MenuItem> items, const std::u16string& prefix)
{
    std::vector<std::u16string> lines;
    for (const res::MenuItem& item : items) {
        if (item.kind == res::MenuItemKind::Separator) {
            lines.push_back(prefix + u"-");
        } else if (item.kind == res::MenuItemKind::Popup) {
            lines.push_back(prefix + std::u16string(item.text));
            for (const std::u16string& line : MenuLines(item.items, prefix + u"  "))
                lines.push_back(line);
        } else {
            std::string id = std::to_string(item.id);
            lines.push_back(prefix + std::u16string(item.text) + u" " + std::u16string(id.begin(), id.end()) +
                            ((item.flags & res::MenuGrayed) ? u" grayed" : u""));
        }
    }
    return lines;
}

TEST(EditorResources, MainMenuHasItsItemsInOrder)
{
    ASSERT_EQ(EditorResources().menus.size(), 1u);
    EXPECT_EQ(EditorResources().menus[0].id, 128u);
    const std::vector<std::u16string> expected = {
        u"&Datei",
        u"  &Neue Übersetzung... 32815", u"  Ö&ffnen... 32809", u"  S&peichern 32811",
        u"  Speichern &unter... 32814", u"  -", u"  &Versions-Update 32810", u"  -",
        u"  &Drucken...\tStrg+P 57607", u"  Seitenansic&ht 57609", u"  Seite ein&richten... 57606", u"  -",
        u"  Letzte Datei 57616 grayed", u"  Letzte Datei 57617 grayed", u"  Letzte Datei 57618 grayed",
        u"  Letzte Datei 57619 grayed", u"  -", u"  &Beenden 57665",
        u"&Bearbeiten",
        u"  &Rückgängig\tStrg+Z 57643", u"  &Wiederholen\tStrg+Y 57644", u"  -",
        u"  &Ausschneiden\tStrg+X 57635 grayed", u"  &Kopieren\tStrg+C 57634 grayed",
        u"  E&infügen\tStrg+V 57637 grayed", u"  -", u"  &Suchen... 33009", u"  Ersetzen... 33010", u"  -",
        u"  Alle als zu bearbeiten markieren 32798", u"  Alle als bearbeitet markeiren 32797",
        u"&Ansicht",
        u"  &Symbolleiste 59392", u"  S&tatusleiste 59393", u"  -", u"  Baum &einklappen 32806",
        u"  Baum &ausklappen 32804", u"  Zeige zu bearbeitende Texte 32805", u"  -",
        u"  &Probleme 33020", u"  &Nächstes Problem\tF8 33021",
        u"  &Vorheriges Problem\tUmschalt+F8 33022", u"  -",
        u"  Sprache von Glossmark Editor... 33007", u"  &Schriftarten... 33008",
        u"&Flagge",
        u"  &Flagge wählen... 33002",
        u"Fremdsprache",
        u"  Fremdsprache &einblenden 32807", u"  Fremdsprache &ausblenden 32808",
        u"&?",
        u"  &Hilfethemen 57667", u"  -", u"  Inf&o über Glossmark Editor... 57664",
    };
    EXPECT_EQ(MenuLines(EditorResources().menus[0].items, u""), expected);
}

TEST(EditorResources, AcceleratorTable128)
{
    ASSERT_EQ(EditorResources().accelerators.size(), 1u);
    const res::AcceleratorTable& table = EditorResources().accelerators[0];
    EXPECT_EQ(table.id, 128u);
    constexpr std::uint32_t V = res::AccelVirtKey, C = res::AccelControl, S = res::AccelShift, A = res::AccelAlt;
    const res::Accelerator expected[] = {
        {'C', V | C, 57634}, {0x2D, V | C, 57634}, {'X', V | C, 57635}, {0x2E, V | S, 57635},
        {'V', V | C, 57637}, {0x2D, V | S, 57637}, {'Z', V | C, 57643}, {0x08, V | A, 57643},
        {'Y', V | C, 57644}, {'Z', V | S | C, 57644},
        {'N', V | C, 57600}, {'O', V | C, 57601}, {'S', V | C, 57603}, {'P', V | C, 57607},
        {0x70, V, 57670},    {0x70, V | S, 57669}, {'F', V | C, 33009}, {'H', V | C, 33010},
        {0x72, V, 33011},    {0x72, V | S, 33012},
        {0x75, V, 57680},    {0x75, V | S, 57681}, {0x77, V, 33021},    {0x77, V | S, 33022},
    };
    ASSERT_EQ(table.entries.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(table.entries[i].key, expected[i].key) << i;
        EXPECT_EQ(table.entries[i].flags, expected[i].flags) << i;
        EXPECT_EQ(table.entries[i].command, expected[i].command) << i;
    }
}

const res::DialogTemplate& Dialog(std::uint32_t id)
{
    for (const res::DialogTemplate& dialog : EditorResources().dialogs)
        if (dialog.id == id)
            return dialog;
    static const res::DialogTemplate none{};
    ADD_FAILURE() << "no dialog " << id;
    return none;
}

struct ExpectedControl {
    std::int32_t id;
    const char16_t* text;
    std::int16_t x, y, cx, cy;
};

void ExpectControls(const res::DialogTemplate& dialog, std::initializer_list<ExpectedControl> expected)
{
    ASSERT_EQ(dialog.controls.size(), expected.size()) << "dialog " << dialog.id;
    std::size_t i = 0;
    for (const ExpectedControl& e : expected) {
        const res::DialogControl& c = dialog.controls[i++];
        EXPECT_EQ(c.id, e.id) << dialog.id << "/" << i;
        EXPECT_EQ(c.text, e.text) << dialog.id << "/" << i;
        EXPECT_EQ(c.x, e.x) << dialog.id << "/" << i;
        EXPECT_EQ(c.y, e.y) << dialog.id << "/" << i;
        EXPECT_EQ(c.cx, e.cx) << dialog.id << "/" << i;
        EXPECT_EQ(c.cy, e.cy) << dialog.id << "/" << i;
    }
}

TEST(EditorResources, HeadViewTemplate)
{
    const res::DialogTemplate& d = Dialog(IDD_HEADVIEW);
    EXPECT_EQ(d.cx, 332);
    EXPECT_EQ(d.cy, 71);
    EXPECT_EQ(d.fontName, u"MS Sans Serif");
    EXPECT_NE(d.style & 0x40000000u, 0u); // a child
    EXPECT_EQ(d.style & 0x00800000u, 0u); // without border
    ExpectControls(d, {{-1, u"Programm:", 5, 5, 44, 8},    {1003, u"", 55, 5, 111, 12},
                       {-1, u"Version:", 184, 4, 35, 8},   {1001, u"", 219, 4, 62, 12},
                       {1005, u"Fremdsprache:", 33, 20, 179, 8}, {1004, u"", 33, 30, 292, 12},
                       {1007, u"", 4, 21, 23, 21},         {-1, u"Sprache:", 31, 45, 203, 8},
                       {1002, u"", 33, 55, 292, 12},       {1008, u"", 4, 46, 22, 21}});
    constexpr std::uint32_t readOnly = 0x800, visible = 0x10000000;
    EXPECT_NE(d.controls[1].style & readOnly, 0u);
    EXPECT_NE(d.controls[3].style & readOnly, 0u);
    EXPECT_NE(d.controls[5].style & readOnly, 0u);
    EXPECT_EQ(d.controls[8].style & readOnly, 0u);
    EXPECT_EQ(d.controls[6].style & visible, 0u);
    EXPECT_EQ(d.controls[9].style & visible, 0u);
}

TEST(EditorResources, FlagAndFontsDialogs)
{
    const res::DialogTemplate& flag = Dialog(IDD_FLAGDIALOG);
    EXPECT_EQ(flag.title, u"Flagge der Sprache wählen");
    EXPECT_EQ(flag.cx, 319);
    EXPECT_EQ(flag.cy, 250);
    ExpectControls(flag, {{1, u"&OK", 79, 229, 63, 14}, {2, u"&Abbrechen", 157, 229, 59, 14},
                          {1006, u"List1", 7, 7, 305, 216}});
    EXPECT_EQ(flag.controls[0].style & 0xFu, 1u); // the default button
    EXPECT_EQ(flag.controls[2].controlClass, res::ControlClass::ListView);

    const res::DialogTemplate& fonts = Dialog(IDD_FONTSDIALOG);
    EXPECT_EQ(fonts.title, u"Schriftarten...");
    EXPECT_EQ(fonts.cx, 225);
    EXPECT_EQ(fonts.cy, 130);
    ExpectControls(fonts, {{1, u"OK", 52, 109, 50, 14},
                           {2, u"&Abbrechen", 112, 109, 50, 14},
                           {-1, u"Schriftart für Fremdsprache:", 7, 7, 125, 8},
                           {1014, u"", 7, 22, 211, 26},
                           {1012, u"Ändern...", 168, 7, 50, 14},
                           {-1, u"Schriftart für Texte:", 7, 54, 123, 8},
                           {1013, u"Ändern...", 168, 53, 50, 14},
                           {1015, u"", 7, 68, 211, 30}});
}

TEST(EditorResources, AboutBoxAndBitmaps)
{
    const res::DialogTemplate& about = Dialog(IDD_ABOUTBOX);
    EXPECT_EQ(about.title, u"Info über Glossmark Editor");
    auto has = [&](std::int32_t id, std::u16string_view text) {
        return std::any_of(about.controls.begin(), about.controls.end(),
                           [&](const res::DialogControl& c) { return c.id == id && c.text == text; });
    };
    EXPECT_TRUE(has(IDOK, u"OK"));
    EXPECT_TRUE(has(IDC_ABOUT_VERSION, u"(Version)"));
    EXPECT_TRUE(has(-1, u"Glossmark Editor"));
    EXPECT_TRUE(has(-1, u"#165")); // the picture

    std::vector<std::uint32_t> ids;
    for (const res::Bitmap& bitmap : EditorResources().bitmaps) {
        ids.push_back(bitmap.id);
        EXPECT_EQ(bitmap.path, ":/bitmaps/" + std::to_string(bitmap.id) + ".png");
    }
    EXPECT_EQ(ids, (std::vector<std::uint32_t>{137, 141, 145, 146, 147, 148, 149, 159, 165}));
}

// The compiled tables must say what the script says: parse Edit.rc here and compare.
TEST(EditorResources, CompiledTablesEqualTheScript)
{
    CRcSymbols symbols;
    CRcPreprocessor preprocessor(symbols);
    CRcParser parser(preprocessor.ProcessFile(GLOSSMARK_SOURCE_DIR "/resources/Edit.rc"));
    const CRcScript script = parser.Parse();
    const CRcResourceView view(script);
    const res::ResourceSet& parsed = view.Set();
    const res::ResourceSet& compiled = EditorResources();

    ASSERT_EQ(parsed.strings.size(), compiled.strings.size());
    for (std::size_t i = 0; i < parsed.strings.size(); ++i) {
        EXPECT_EQ(parsed.strings[i].id, compiled.strings[i].id);
        EXPECT_EQ(parsed.strings[i].text, compiled.strings[i].text);
    }
    ASSERT_EQ(parsed.dialogs.size(), compiled.dialogs.size());
    for (std::size_t i = 0; i < parsed.dialogs.size(); ++i) {
        const auto& p = parsed.dialogs[i];
        const auto& c = compiled.dialogs[i];
        EXPECT_EQ(p.id, c.id);
        EXPECT_EQ(p.title, c.title);
        EXPECT_EQ(p.style, c.style);
        EXPECT_EQ(p.fontPointSize, c.fontPointSize);
        ASSERT_EQ(p.controls.size(), c.controls.size());
        for (std::size_t k = 0; k < p.controls.size(); ++k) {
            EXPECT_EQ(p.controls[k].text, c.controls[k].text);
            EXPECT_EQ(p.controls[k].className, c.controls[k].className);
            EXPECT_EQ(p.controls[k].style, c.controls[k].style);
            EXPECT_EQ(p.controls[k].exStyle, c.controls[k].exStyle);
            EXPECT_EQ(p.controls[k].controlClass, c.controls[k].controlClass);
        }
    }
    EXPECT_EQ(MenuLines(parsed.menus[0].items, u""), MenuLines(compiled.menus[0].items, u""));
    EXPECT_TRUE(std::equal(parsed.toolbars[0].commands.begin(), parsed.toolbars[0].commands.end(),
                           compiled.toolbars[0].commands.begin(), compiled.toolbars[0].commands.end()));
}

} // namespace
