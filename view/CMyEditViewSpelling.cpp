#include "CMyEditView.h"

#include "CDocSpelling.h"
#include "CInPlaceEdit.h"
#include "CTextNode.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "Pieces.h"
#include "QtStrings.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QMenu>

// Spelling in the view: the menu on a misspelt word, in the in-place editor
// and on a painted row alike (a right click there opens the editor at the
// click first, as a left click does).

std::optional<TextRange> CMyEditView::MisspeltAtCaret() const
{
    CTextRow* row = GetRow(m_currentRow);
    CTransDoc* doc = GetDocument();
    if (!row || !doc || !m_editor || !m_editor->GetPiece() || m_editor->GetPiece()->row != row)
        return std::nullopt;
    int start = 0;
    int end = 0;
    m_editor->GetSel(start, end);
    const std::size_t caret =
        std::size_t(pieces::TextOffset(row->translatedPieces, {row->currentPiece, start}));
    for (const TextRange& word : CDocSpelling::Of(*doc).Misspelt(*row->node)) {
        if (word.begin <= caret && caret <= word.end)
            return word;
    }
    return std::nullopt;
}

std::unique_ptr<QMenu> CMyEditView::MakeSpellingMenu()
{
    const std::optional<TextRange> word = MisspeltAtCaret();
    if (!word)
        return nullptr;
    CDocSpelling& spelling = CDocSpelling::Of(*GetDocument());
    std::u16string asRead; // as the dictionary reads it: without the accelerator mark
    for (const char16_t c : GetRow(m_currentRow)->node->translatedText.substr(
             word->begin, word->end - word->begin)) {
        if (c != u'&')
            asRead += c;
    }
    auto menu = std::make_unique<QMenu>(this);
    for (const std::u16string& suggestion : spelling.Suggest(asRead)) {
        menu->addAction(ToQString(suggestion),
                        [this, range = *word, suggestion] { ReplaceMisspelt(range, suggestion); });
    }
    if (menu->actions().isEmpty())
        menu->addAction(ToQString(TranslatedString(IDS_SPELLING_NO_SUGGESTIONS)))->setEnabled(false);
    menu->addSeparator();
    menu->addAction(ToQString(TranslatedString(IDS_SPELLING_ADD)),
                    [&spelling, asRead] { spelling.AddToDictionary(asRead); });
    menu->addAction(ToQString(TranslatedString(IDS_SPELLING_IGNORE)),
                    [&spelling, asRead] { spelling.IgnoreInFile(asRead); });
    return menu;
}

void CMyEditView::ShowSpellingMenu(const QPoint& globalPos)
{
    if (std::unique_ptr<QMenu> menu = MakeSpellingMenu())
        menu->exec(globalPos);
}

void CMyEditView::OnEditorContextMenu(const QPoint& at)
{
    if (!m_editor || !m_editor->GetPiece())
        return;
    // The word under the pointer, not the one where the caret was.
    const int position = m_editor->cursorForPosition(at).position();
    m_editor->SetSel(position, position);
    ShowSpellingMenu(m_editor->mapToGlobal(at));
}

void CMyEditView::ReplaceMisspelt(TextRange word, const std::u16string& suggestion)
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row || !m_editor)
        return;
    const pieces::PiecePlace place =
        pieces::PlaceOf(row->translatedPieces, std::int32_t(word.begin));
    if (place.piece != row->currentPiece)
        return;
    // The accelerator mark keeps its place in the word, so that the control
    // keeps its key ("Ö&fnen" becomes "Ö&ffnen").
    std::u16string replacement = suggestion;
    const std::u16string_view written =
        std::u16string_view(row->node->translatedText).substr(word.begin, word.end - word.begin);
    if (const std::size_t mark = written.find(u'&'); mark != std::u16string_view::npos)
        replacement.insert(std::min(mark, replacement.size()), 1, u'&');
    // The editor's replacement: one step, refused with its feedback when the
    // text would no longer fit its control.
    m_editor->SetSel(place.caret, place.caret + int(word.end - word.begin));
    m_editor->ReplaceSelection(replacement, [](const std::u16string&) { return true; });
}
