#include "CRcParser.h"
#include "CRcPreprocessor.h"
#include "CRcResourceView.h"
#include "EditorResources.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::u16string Text(std::uint32_t id)
{
    for (const res::StringEntry& entry : EditorResources().strings) {
        if (entry.id == id)
            return std::u16string(entry.text);
    }
    return u"<missing string>";
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
