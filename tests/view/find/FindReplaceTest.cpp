// Find and replace through the view's commands and the dialog's
// notifications, delivered by the registered message to the owner window.
#include "FindTestSupport.h"

#include "CCmdUI.h"

#include <QCoreApplication>

namespace {

using Sel = std::pair<int, int>;

TEST(FindReplace, FindNextSelectsEachMatchInTurnAndWrapsAround)
{
    FindHarness f(*TextsLanguage({u"Neue Datei", u"Datei laden", u"Keine"}));
    CFindReplaceDialog* dialog = f.Open(false, u"datei");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsFindOnly());
    EXPECT_EQ(dialog->GetOwner(), &f.frame) << "no parent: the main window owns it";

    dialog->OnFindNext();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3);
    EXPECT_EQ(f.EditedText(), u"Neue Datei");
    EXPECT_EQ(f.Selection(), Sel(5, 10));
    EXPECT_EQ(f.h.Pane(), u"Text 3 von 6");

    dialog->OnFindNext();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 4);
    EXPECT_EQ(f.Selection(), Sel(0, 5));

    dialog->OnFindNext(); // past the last row and round to row 3
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3);
    EXPECT_EQ(f.Selection(), Sel(5, 10));
    EXPECT_TRUE(f.messages.empty());
}

TEST(FindReplace, WrapAroundDoesNotSearchTheStartRowAgain)
{
    FindHarness f(*TextsLanguage({u"Datei laden Datei", u"Anderes"}));
    f.h.Click(f.h.PiecePoint(3, 0));
    ASSERT_EQ(f.h.view.GetCurrentRow(), 3);
    CFindReplaceDialog* dialog = f.Open(false, u"laden");

    // Down from the caret at 7: "laden" began before it, and nothing else
    // in the file holds it.
    f.h.view.GetEditor()->SetSel(7, 7);
    dialog->OnFindNext();
    EXPECT_EQ(f.messages, std::vector<std::u16string>{kNotFound});
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3);
    EXPECT_EQ(f.Selection(), Sel(7, 7)) << "the selection stays";

    // Up from the caret at 1 only "" lies before position 0; the "Datei"s
    // behind the caret are not found after the wrap-around either.
    f.messages.clear();
    FindHarness::Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QStringLiteral("Datei"));
    FindHarness::Button(dialog, CFindReplaceDialog::kUp)->setChecked(true);
    f.h.view.GetEditor()->SetSel(1, 1);
    dialog->OnFindNext();
    EXPECT_FALSE(f.h.view.IsDirectionDown());
    EXPECT_EQ(f.messages, std::vector<std::u16string>{kNotFound});

    // Up from the caret at 13 the slice is "Datei laden " (before 12).
    f.messages.clear();
    f.h.view.GetEditor()->SetSel(13, 13);
    dialog->OnFindNext();
    EXPECT_TRUE(f.messages.empty());
    EXPECT_EQ(f.Selection(), Sel(0, 5));
}

TEST(FindReplace, UpwardsThePreviousRowsAreSearchedWholeFromTheirEnd)
{
    FindHarness f(*TextsLanguage({u"Datei Datei", u"zwei", u"drei"}));
    f.h.Click(f.h.PiecePoint(5, 0));
    CFindReplaceDialog* dialog = f.Open(false, u"Datei");
    FindHarness::Button(dialog, CFindReplaceDialog::kUp)->setChecked(true);
    dialog->OnFindNext();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3);
    EXPECT_EQ(f.Selection(), Sel(6, 11)) << "the last occurrence of the row";
    dialog->OnFindNext();
    EXPECT_EQ(f.Selection(), Sel(0, 5)) << "an occurrence at the first character";
}

TEST(FindReplace, UpwardsEveryPieceOfARowCountsFromItsLast)
{
    FindHarness f(*TextsLanguage({u"Datei %s Akte", u"Akte %s Datei"}));
    f.h.Click(f.h.PiecePoint(4, 0));
    f.h.view.GetEditor()->SetSel(0, 0);
    CFindReplaceDialog* dialog = f.Open(false, u"Akte");
    FindHarness::Button(dialog, CFindReplaceDialog::kUp)->setChecked(true);
    dialog->OnFindNext();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3) << "the row above, from its last piece";
    EXPECT_EQ(f.EditedText(), u" Akte");
    EXPECT_EQ(f.Selection(), Sel(1, 5));

    // A start row whose edit ended is searched from its last piece; the
    // pieces before that one wholly.
    f.h.Row(3).EndEdit();
    f.h.view.GetEditor()->SetSel(1, 1);
    FindHarness::Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QStringLiteral("Datei"));
    dialog->OnFindNext();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3);
    EXPECT_EQ(f.EditedText(), u"Datei ");
    EXPECT_EQ(f.Selection(), Sel(0, 5));
    EXPECT_TRUE(f.messages.empty());
}

TEST(FindReplace, F3WithoutADialogOnlyOpensTheFindDialog)
{
    FindHarness f(*TextsLanguage({u"Datei"}));
    for (const bool down : {true, false}) {
        f.h.view.OnFindNext(down);
        CFindReplaceDialog* dialog = f.h.view.GetFindDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->IsFindOnly());
        EXPECT_TRUE(dialog->SearchDown()) << "the downward direction is preset";
        EXPECT_EQ(dialog->GetFindString(), u"");
        EXPECT_EQ(f.h.view.GetSearchCursor(), nullptr) << "nothing was searched";
        EXPECT_EQ(f.h.view.GetCurrentRow(), -1);
        dialog->OnCancel();
        EXPECT_EQ(f.h.view.GetFindDialog(), nullptr);
    }
    EXPECT_TRUE(f.messages.empty());

    // With the dialog open F3 and Shift+F3 search with its text and set
    // the direction.
    f.Open(false, u"datei");
    f.h.view.OnCmdMsg(ID_FIND_NEXT_UP, CN_COMMAND, nullptr);
    EXPECT_FALSE(f.h.view.IsDirectionDown());
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3);
    f.h.view.OnCmdMsg(ID_FIND_NEXT_DOWN, CN_COMMAND, nullptr);
    EXPECT_TRUE(f.h.view.IsDirectionDown());
}

TEST(FindReplace, AHitOpensItsCollapsedAncestorsAndIsScrolledIntoView)
{
    FindHarness f(*SmallLanguage(), {600, 120});
    f.h.view.OnCollapseAll();
    ASSERT_FALSE(f.h.view.IsRowShown(7));
    CFindReplaceDialog* dialog = f.Open(false, u"PEICHERN");
    dialog->OnFindNext();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 7); // "S&peichern"
    EXPECT_TRUE(f.h.Row(4).expanded);
    EXPECT_TRUE(f.h.Row(5).expanded);
    EXPECT_TRUE(f.h.view.IsRowShown(7));
    EXPECT_FALSE(f.h.Row(0).expanded) << "other rows stay closed";
    const int y = f.h.view.RowDocumentY(7) - f.h.view.GetVerticalScroll();
    EXPECT_GE(y, 0);
    EXPECT_LE(y + f.h.Row(7).rowRect.Height(), f.h.view.viewport()->height());
    EXPECT_EQ(f.Selection(), Sel(2, 10));
}

TEST(FindReplace, PlaceholdersAreNeverSearched)
{
    FindHarness f(*TextsLanguage({u"%d", u"%s Texte", u"50%", u"Hallo %s!"}));
    CFindReplaceDialog* dialog = f.Open(false, u"d", {}, true);
    dialog->OnFindNext();
    EXPECT_EQ(f.messages, std::vector<std::u16string>{kNotFound});
    EXPECT_EQ(f.h.view.GetCurrentRow(), -1);

    f.messages.clear();
    FindHarness::Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QStringLiteral("%"));
    dialog->OnFindNext();
    EXPECT_TRUE(f.messages.empty());
    EXPECT_EQ(f.h.view.GetCurrentRow(), 5) << "only the literal percent of \"50%\"";
    EXPECT_EQ(f.Selection(), Sel(2, 3));
    FindHarness::Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QStringLiteral("s!"));
    dialog->OnFindNext();
    EXPECT_EQ(f.messages, std::vector<std::u16string>{kNotFound}) << "\"%s\" then \"!\"";
}

TEST(FindReplace, RowsTheWalkOnlyLooksAtAreNeitherSplitNorLaidOut)
{
    auto root = std::make_unique<CTextNode>(nullptr);
    AddNode(root.get(), u"Dialoge", 1);
    AddNode(root.get(), u"Menus", 8);
    CTextNode* strings = AddNode(root.get(), u"Stringtables", 11);
    for (int i = 0; i < 500; ++i)
        AddNode(strings, u"Eintrag %d von " + std::u16string(1, char16_t(u'A' + i % 26)), 99);
    AddNode(strings, u"Ziel", 99);
    auto language = std::make_unique<CLanguageFile>(std::move(root));
    language->SetProgramName(u"P");
    FindHarness f(*language, {600, 200});
    const int laidOut = f.h.view.CountLaidOutRows();
    f.Open(false, u"Ziel")->OnFindNext();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 503);
    int split = 0;
    for (int i = 0; i < f.h.view.GetRowCount(); ++i)
        split += f.h.Row(i).HasPieces() ? 1 : 0;
    // The first screen, then the screen around the hit.
    EXPECT_LT(f.h.view.CountLaidOutRows(), laidOut + 20);
    EXPECT_LT(split, 2 * laidOut + 20);
}

TEST(FindReplace, ReplaceWithAnotherSelectionReplacesNothingAndSelectsTheNextMatch)
{
    FindHarness f(*TextsLanguage({u"Datei eins", u"Datei zwei"}));
    CFindReplaceDialog* dialog = f.Open(true, u"Datei", u"File");
    ASSERT_FALSE(dialog->IsFindOnly());
    // No search yet: replace only searches.
    dialog->OnReplace();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3);
    EXPECT_EQ(f.EditedText(), u"Datei eins");

    f.h.view.GetEditor()->SetSel(6, 10); // "eins"
    dialog->OnReplace();
    EXPECT_EQ(f.h.view.GetCurrentRow(), 4);
    EXPECT_EQ(f.Selection(), Sel(0, 5));
    EXPECT_EQ(f.NodeText(3), u"Datei eins");
    EXPECT_FALSE(f.h.doc.IsLanguageModified());

    // A selection that equals the find text (by the case rule) is replaced.
    dialog->OnReplace();
    EXPECT_EQ(f.NodeText(4), u"File zwei");
    EXPECT_EQ(f.h.Row(4).node->editState, 0u) << "marked done as a typed change is";
    EXPECT_TRUE(f.h.doc.IsLanguageModified());
    EXPECT_EQ(f.h.view.GetCurrentRow(), 3) << "and the next match is selected";
    EXPECT_EQ(f.Selection(), Sel(0, 5));
    EXPECT_TRUE(f.messages.empty());
}

TEST(FindReplace, ReplaceTakesTheDialogsTextsWhenTheButtonIsPressed)
{
    FindHarness f(*TextsLanguage({u"File %s not found", u"File %s not found"}));
    CFindReplaceDialog* dialog = f.Open(true, u"found");
    dialog->OnFindNext();
    FindHarness::Edit(dialog, CFindReplaceDialog::kReplaceWith)->setText(QStringLiteral("gefunden"));
    dialog->OnReplace();
    EXPECT_EQ(f.NodeText(3), u"File %s not gefunden");
    ASSERT_EQ(f.h.view.GetCurrentRow(), 4);
    // The selected "found" is no longer what the dialog searches for.
    FindHarness::Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QStringLiteral("File"));
    dialog->OnReplace();
    EXPECT_EQ(f.NodeText(4), u"File %s not found");
}

TEST(FindReplace, ReplacingUpwardsSearchesOnBeforeTheReplacement)
{
    FindHarness f(*TextsLanguage({u"aqz", u"xyz"}));
    f.h.Click(f.h.PiecePoint(3, 0));
    f.h.view.GetEditor()->SetSel(3, 3);
    CFindReplaceDialog* dialog = f.Open(true, u"q", u"qq");
    // The replace dialog has no direction: Shift+F3 searches upwards.
    f.h.view.OnCmdMsg(ID_FIND_NEXT_UP, CN_COMMAND, nullptr);
    ASSERT_EQ(f.Selection(), Sel(1, 2));
    dialog->OnReplace();
    EXPECT_EQ(f.NodeText(3), u"aqqz");
    // Only "a" lies before the inserted text: the replacement is not matched again.
    EXPECT_EQ(f.messages, std::vector<std::u16string>{kNotFound});
}

TEST(FindReplace, ReplaceAllReplacesEveryMatchOfEveryRowOnce)
{
    FindHarness f(*TextsLanguage({u"Dialoge", u"DateiDatei", u"aaaa", u"Datei und Datei"}));
    // The caret between the two matches of the last row.
    f.h.Click(f.h.PiecePoint(6, 0));
    f.h.view.GetEditor()->SetSel(8, 8);
    CFindReplaceDialog* dialog = f.Open(true, u"datei", u"Akte");
    const int paints = f.h.view.CountPaintPasses();
    dialog->OnReplaceAll();
    EXPECT_EQ(f.h.view.CountPaintPasses(), paints + 1) << "one repaint at the end";
    EXPECT_TRUE(f.messages.empty()) << "no message box";
    EXPECT_EQ(f.h.status.GetPaneText(0),
              u"Alle ersetzen: 2 Texte geändert, 0 Texte wegen beschränkter Länge unverändert");
    EXPECT_EQ(f.NodeText(4), u"AkteAkte");
    EXPECT_EQ(f.NodeText(6), u"Akte und Akte");
    EXPECT_EQ(f.EditedText(), u"Akte und Akte") << "the editor is back in its row";
    EXPECT_EQ(f.h.Row(5).node->editState, 3u);
    EXPECT_EQ(f.h.Row(2).node->editState, 2u) << "states recomputed: one text still to do";
    EXPECT_EQ(f.titleChanges, 1) << "the document is marked modified once";

    FindHarness::Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QStringLiteral("a"));
    FindHarness::Edit(dialog, CFindReplaceDialog::kReplaceWith)->setText(QStringLiteral("ba"));
    FindHarness::Button(dialog, CFindReplaceDialog::kMatchCase)->setChecked(true);
    dialog->OnReplaceAll();
    EXPECT_EQ(f.NodeText(5), u"babababa");
    EXPECT_EQ(f.NodeText(3), u"Dibaloge");
}

TEST(FindReplace, ReplaceAllEndsWhenTheWidthRuleRefusesAReplacementHoldingTheFindText)
{
    // Row 5 is a static text 40 dialog units wide, just before the current row.
    FindHarness f(*TextsLanguage({u"OK", u"OK", u"OK", u"OK"}, {99, 99, 2, 99}));
    f.h.Click(f.h.PiecePoint(6, 0));
    const std::u16string wide = u"OK, ein viel zu langer Text für das Feld";
    f.Open(true, u"OK", wide);
    const CMyEditView::ReplaceAllResult result = f.h.view.ReplaceAll(2 * f.h.view.GetRowCount());
    EXPECT_TRUE(result.ended);
    EXPECT_EQ(result.changed, 3);
    EXPECT_EQ(result.refused, 1);
    for (const int row : {3, 4, 6})
        EXPECT_EQ(f.NodeText(row), wide) << "replaced once, row " << row;
    EXPECT_EQ(f.NodeText(5), u"OK");
    EXPECT_EQ(f.h.Row(5).node->editState, 3u);
}

TEST(FindReplace, AReplacementNeverBreaksAPlaceholder)
{
    FindHarness f(*TextsLanguage({u"Datei %s geladen (%d%%)"}));
    CFindReplaceDialog* dialog = f.Open(true, u"Datei", u"100% Datei");
    dialog->OnReplaceAll();
    // The percent typed into a format text is written back doubled.
    EXPECT_EQ(f.NodeText(3), u"100%% Datei %s geladen (%d%%)");
    FindHarness::Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QStringLiteral("%s"));
    dialog->OnReplaceAll();
    EXPECT_EQ(f.NodeText(3), u"100%% Datei %s geladen (%d%%)");
}

TEST(FindReplace, AReplacementTooWideForASizeLimitedTextIsRefused)
{
    // Row 3 is a static text (kind 2) 40 dialog units wide.
    FindHarness f(*TextsLanguage({u"OK", u"OK"}, {2, 99}));
    const std::u16string wide = u"Ein viel zu langer Text für das Feld";
    CFindReplaceDialog* dialog = f.Open(true, u"OK", wide);
    dialog->OnFindNext();
    ASSERT_EQ(f.h.view.GetCurrentRow(), 3);
    dialog->OnReplace();
    EXPECT_EQ(f.messages, std::vector<std::u16string>{kTooLong});
    EXPECT_EQ(f.NodeText(3), u"OK");
    EXPECT_EQ(f.h.Row(3).node->editState, 3u);
    EXPECT_EQ(f.h.view.GetCurrentRow(), 4) << "the search goes on from the next row";
    EXPECT_EQ(f.Selection(), Sel(0, 2));

}

TEST(FindReplace, AnOriginalLanguageFileAsksInsteadOfOpeningTheReplaceDialog)
{
    FindHarness f(*TextsLanguage({u"Datei"}, {}, true));
    f.answer = IDNO;
    f.h.view.OnCmdMsg(ID_REPLACE, CN_COMMAND, nullptr);
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_NE(f.messages[0].find(u"Original-Sprachdatei"), std::u16string::npos);
    EXPECT_EQ(f.h.view.GetFindDialog(), nullptr);
    // Finding is allowed.
    f.h.view.OnCmdMsg(ID_FIND, CN_COMMAND, nullptr);
    EXPECT_NE(f.h.view.GetFindDialog(), nullptr);
}

TEST(FindReplace, TheCommandsAreDisabledWhileADialogIsOpen)
{
    FindHarness f(*TextsLanguage({u"Datei"}));
    auto enabled = [&](UINT id) {
        CCmdUI ui(id);
        return f.h.view.UpdateCommandUI(ui);
    };
    EXPECT_TRUE(enabled(ID_FIND));
    EXPECT_TRUE(enabled(ID_REPLACE));
    f.h.view.OnCmdMsg(ID_REPLACE, CN_COMMAND, nullptr);
    QPointer<CFindReplaceDialog> dialog = f.h.view.GetFindDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->parent()) << "created without a parent";
    EXPECT_FALSE(enabled(ID_FIND));
    EXPECT_FALSE(enabled(ID_REPLACE));

    // Closing notifies the owner, then the dialog goes by itself.
    dialog->close();
    EXPECT_TRUE(enabled(ID_FIND));
    EXPECT_TRUE(enabled(ID_REPLACE));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dialog);
}

} // namespace
