#pragma once

// Language files with every kind of text, and running programs, for the bridge tests.

#include "CLanguageFile.h"
#include "TestTree.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace bridge_test {

// A node of a dialog-like size: a quarter as high as wide.
inline CTextNode& Add(CTextNode& parent, std::u16string original, std::u16string translated,
                      std::int32_t kind = 99, std::int32_t width = 0, std::uint32_t state = 0)
{
    CTextNode& node = test_tree::Add(parent, std::move(original), std::move(translated), kind, width, state);
    node.height = width / 4;
    return node;
}

// A translation whose texts hold tabs, line breaks (also at the ends and as CR LF), '&',
// '%' as conversion and as none, quotes and backslashes, XML's special characters,
// non-ASCII and non-BMP characters, empty texts and duplicate sibling texts, with own
// texts done and to be edited on leaves and inner nodes. Its states are consistent.
inline std::unique_ptr<CLanguageFile> EveryKindOfText()
{
    auto language = std::make_unique<CLanguageFile>(std::make_unique<CTextNode>(nullptr));
    language->programName = u"Pr\u00FCfprogramm \"PO\"";
    language->programVersion = u"1.2\n3";
    language->languageName = u"Fran\u00E7ais";
    language->SetOriginal(false);
    language->headerNumber3 = 77;
    language->flagPixels.fill(0x00336699);
    CTextNode& root = *language->root;
    CTextNode& dialogs = Add(root, u"Dialoge", u"Dialoge", 8);
    CTextNode& menus = Add(root, u"Menus", u"Menus", 9);
    CTextNode& strings = Add(root, u"Stringtables", u"Stringtables", 10);

    CTextNode& dialog = Add(dialogs, u"\u00D6ffnen", u"Ouvrir", 1, 200, 3);
    Add(dialog, u"&Datei:\t%s", u"&Fichier :\t%s", 21, 80);
    Add(dialog, u"OK", u"OK", 23, 50);
    Add(dialog, u"OK", u"D'accord", 23, 50, 3); // duplicate sibling text
    Add(dialog, u"", u"", 25, 40);
    Add(dialog, u"", u"", 25, 40, 3);
    Add(dialog, u"Gr\u00F6\u00DFe <b> & \"x\" ]]> 'y'", u"Taille <b> & \"x\" ]]> 'y'", 22, 120);
    CTextNode& inner = Add(dialogs, u"Leer\u00E9", u"Vide", 1, 100, 4);
    Add(inner, u"Kind", u"Enfant", 24, 60);

    CTextNode& menu = Add(menus, u"Men\u00FC 128", u"Menu 128", 3);
    CTextNode& popup = Add(menu, u"&Datei", u"&Fichier", 4);
    Add(popup, u"\u00D6&ffnen...\tStrg+O", u"&Ouvrir...\tCtrl+O", 5);
    Add(popup, u"Zu 100%.", u"Fini \u00E0 100%.", 5, 0, 3);
    Add(popup, u"%d von %s, 50%% erledigt", u"%d sur %s, 50%% fait", 5);

    Add(strings, u"Zeile 1\nZeile 2\n", u"Ligne 1\nLigne 2\n", 6);
    Add(strings, u"\nVorne und hinten\n", u"\nDevant et derri\u00E8re\n", 6);
    Add(strings, u"CR LF\r\nhier", u"CR LF\r\nici", 6);
    Add(strings, u"Backslash \\ und \\n w\u00F6rtlich", u"Barre \\ et \\n litt\u00E9ral", 6);
    Add(strings, u"Emoji \U0001F600 und \u4E2D\u6587", u"\u00C9moji \U0001F600 et \u4E2D\u6587", 6, 0, 3);
    Add(strings, u"Nur Original", u"", 6, 0, 3);
    Add(strings, u"%1$s hat %2$d Dateien", u"%2$d fichiers pour %1$s", 11);
    Add(strings, u"  Leerzeichen  ", u"  Espaces  ", 6);
    Add(strings, u"Nur Original", u"Seulement l'original", 6);
    root.UpdateStates();
    return language;
}

using tools_test::ProcessRun;
using tools_test::Quoted;
using tools_test::Shell;

// Counts the non-overlapping occurrences of what in text.
inline std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

// The texts below the top nodes, less those with an empty original when the format
// leaves them out (PO).
inline std::uint64_t UnitCount(const CLanguageFile& language, bool withEmptyOriginals)
{
    std::uint64_t count = 0;
    for (const CTextNode* node : PreOrder(*language.root)) {
        count += node->parent != nullptr && node->parent->parent != nullptr &&
                 (withEmptyOriginals || !node->originalText.empty());
    }
    return count;
}

// Imports language's own export into a copy of it: every unit is found unchanged and
// the copy stores the same bytes as language.
template <class Import>
void ExpectUnchangedRoundTrip(const CLanguageFile& language, const std::string& exported, Import import,
                              bool withEmptyOriginals)
{
    const std::string before = tools_test::StoredBytes(language);
    auto imported = language.Copy();
    const auto result = import(exported, *imported);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.counts.applied, 0u);
    EXPECT_EQ(result.counts.skipped, 0u);
    EXPECT_EQ(result.counts.unchanged, UnitCount(language, withEmptyOriginals));
    EXPECT_EQ(tools_test::StoredBytes(*imported), before);
}

} // namespace bridge_test
