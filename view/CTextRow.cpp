#include "CTextRow.h"

#include "CDc.h"
#include "CDocSpelling.h"
#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CPlaceholderPiece.h"
#include "CTextNode.h"
#include "CTextPiece.h"
#include "Pieces.h"
#include "SizeLimit.h"
#include "TextRange.h"

#include <algorithm>

namespace {

constexpr COLORREF Grey = RGB(192, 192, 192);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr int BlankIcon = 10;

std::int32_t CountLines(std::u16string_view text)
{
    return std::int32_t(std::count(text.begin(), text.end(), u'\n')) + 1;
}

// Lines of text that hold a placeholder; only a format text can have one.
std::int32_t CountPictureLines(const std::u16string& text)
{
    if (text.find(u'%') == std::u16string::npos)
        return 0;
    PieceList list;
    pieces::SplitText(text, false, true, nullptr, list);
    std::int32_t count = 0;
    int counted = -1;
    for (const auto& piece : list) {
        if (piece->IsFixed() && piece->line != counted) {
            counted = piece->line;
            ++count;
        }
    }
    return count;
}

// A line is as high as its tallest piece: text of the font, or a placeholder.
int LinesHeight(int lines, int pictureLines, int lineHeight)
{
    return (lines - pictureLines) * lineHeight +
           pictureLines * std::max(lineHeight, int(CPlaceholderPiece::Height));
}

// Black on every second pixel of a segment from its first one on; the end
// point itself is left out, as with any line.
void DottedLine(CDc& dc, int x1, int y1, int x2, int y2)
{
    if (x1 == x2) {
        for (int y = y1; y < y2; y += 2)
            dc.SetPixel(x1, y, Black);
    } else {
        for (int x = x1; x < x2; x += 2)
            dc.SetPixel(x, y1, Black);
    }
}

} // namespace

CTextRow::CTextRow(CTextNode* node_, CTextNode* foreignNode_, CMyEditView* view_, bool lastChild_,
                   std::int32_t level_)
    : lastChild(lastChild_), node(node_), foreignNode(foreignNode_),
      hasForeign(foreignNode_ != nullptr), freeSize(FreeSizeOf(node_->kindCode)), view(view_),
      level(level_)
{
    m_textLines = CountLines(node->translatedText);
    m_foreignLines = hasForeign ? CountLines(foreignNode->translatedText) : 0;
    m_textPictureLines = CountPictureLines(node->translatedText);
    m_foreignPictureLines = hasForeign ? CountPictureLines(foreignNode->translatedText) : 0;
    initialLineCount = m_textLines;
}

CTextRow::~CTextRow()
{
    // The pieces go before the lists; a piece under the editor lets it go.
    for (auto& piece : translatedPieces)
        piece.reset();
    for (auto& piece : foreignPieces)
        piece.reset();
}

int CTextRow::KindIcon(std::int32_t kindCode)
{
    switch (kindCode) {
    case 1: case 8: case 30:
        return 0;
    case 3: case 9:
        return 1;
    case 11:
        return 2;
    case 5:
        return 3;
    case 6: case 10:
        return 4;
    case 4:
        return 5;
    case 21:
        return 8;
    case 7: case 99:
        return 9;
    case 23:
        return 6;
    case 22:
        return 7;
    case 2: case 24: case 25:
        return 9;
    default:
        return BlankIcon;
    }
}

bool CTextRow::FreeSizeOf(std::int32_t kindCode)
{
    return !size_limit::IsSizeLimitedKind(kindCode);
}

void CTextRow::EnsurePieces()
{
    if (m_split)
        return;
    m_split = true;
    initialLineCount = SplitText(node->translatedText, false);
    if (hasForeign)
        SplitText(foreignNode->translatedText, true);
}

bool CTextRow::TextChanged()
{
    m_textLines = CountLines(node->translatedText);
    m_textPictureLines = CountPictureLines(node->translatedText);
    if (!m_split)
        return false;
    if (pieces::ComposeText(translatedPieces) == std::u16string_view(node->translatedText)) {
        m_laidOut = false;
        return false;
    }
    EndEdit();
    translatedPieces.clear();
    pieces::SplitText(node->translatedText, false, freeSize, this, translatedPieces);
    m_laidOut = false;
    return true;
}

std::int32_t CTextRow::SplitText(std::u16string_view text, bool foreign)
{
    PieceList& list = foreign ? foreignPieces : translatedPieces;
    pieces::SplitText(text, foreign, freeSize, this, list);
    return pieces::LineCount(translatedPieces);
}

std::u16string CTextRow::ComposeTranslated() const
{
    if (m_split)
        return pieces::ComposeText(translatedPieces);
    // Joining what splitting gives, so a row written back unseen comes back
    // exactly as one that was shown.
    PieceList list;
    pieces::SplitText(node->translatedText, false, freeSize, nullptr, list);
    return pieces::ComposeText(list);
}

void CTextRow::Layout(CDc& dc)
{
    EnsurePieces();
    int x = PieceX;
    int y = FirstLineY;
    int lineHeight = 0;
    int rightEdge = 0;
    int line = 0;
    auto place = [&](CPiece& piece) {
        if (piece.line != line) {
            ++line;
            x = PieceX;
            y += lineHeight;
            lineHeight = 0;
        }
        const CSize size = piece.Measure(dc, x, y);
        x += size.cx;
        lineHeight = std::max(lineHeight, size.cy);
        rightEdge = std::max(rightEdge, x);
    };
    if (hasForeign) {
        for (auto& piece : foreignPieces)
            place(*piece);
        x = PieceX;
        y += lineHeight + ForeignGap;
        lineHeight = 0;
    }
    line = 0;
    for (auto& piece : translatedPieces)
        place(*piece);
    const int bottom = ((y + lineHeight) / 2) * 2;
    rowRect = CRect(0, 0, RightMargin + rightEdge, FirstLineY + bottom);
    const int mid = rowRect.Height() / 2;
    boxRect = CRect(0, mid - BoxSize / 2, BoxSize, mid + BoxSize / 2);
    iconRect = CRect(IconX, mid - 7, IconX + IconWidth, mid + 8);
    m_laidOut = true;
}

int CTextRow::Height(int textLine, int foreignLine) const
{
    if (m_laidOut)
        return rowRect.Height();
    int y = FirstLineY + LinesHeight(m_textLines, m_textPictureLines, textLine);
    if (hasForeign)
        y += LinesHeight(m_foreignLines, m_foreignPictureLines, foreignLine) + ForeignGap;
    return FirstLineY + (y / 2) * 2;
}

bool CTextRow::HasChildren() const { return node->ChildCount() > 0; }

void CTextRow::Paint(CDc& dc, int sx, int sy, const CDc* boxStrip, const CDc* iconStrip)
{
    if (!m_laidOut)
        Layout(dc);
    const int h = rowRect.Height();
    const int midY = sy + h / 2;
    CRect band = rowRect;
    band.OffsetRect(sx, sy);
    dc.FillSolidRect(band, dc.GetNearestColor(Grey));

    const int cx = sx + 4;
    DottedLine(dc, cx, sy, cx, midY);
    if (!lastChild)
        DottedLine(dc, cx, midY, cx, sy + h);
    const bool children = HasChildren();
    if (children && expanded)
        DottedLine(dc, cx + Indent, midY, cx + Indent, sy + h);
    DottedLine(dc, cx, midY - 1, sx + 20, midY - 1);
    if (view) {
        int x = cx - Indent;
        for (int p = parentRow; p >= 0; x -= Indent) {
            const CTextRow* ancestor = view->GetRow(p);
            if (!ancestor)
                break;
            if (!ancestor->lastChild)
                DottedLine(dc, x, sy, x, sy + h);
            p = ancestor->parentRow;
        }
    }

    const int box = children ? (expanded ? 1 : 0) : (lastChild ? 3 : 2);
    if (boxStrip)
        dc.BitBlt(sx + boxRect.left, sy + boxRect.top, BoxSize, BoxSize, boxStrip, box * BoxSize, 0,
                  SRCCOPY);
    if (iconStrip) {
        dc.BitBlt(sx + iconRect.left, sy + iconRect.top, IconWidth, IconHeight, iconStrip,
                  KindIcon(node->kindCode) * IconWidth, 0, SRCCOPY);
        dc.BitBlt(sx + iconRect.left + StateIconOffset, sy + iconRect.top, IconWidth, IconHeight,
                  iconStrip, (FirstStateIcon + int(node->editState)) * IconWidth, 0, SRCCOPY);
    }

    for (auto& piece : translatedPieces)
        piece->Draw(dc, sx, sy);
    UnderlineMisspelt(dc, sx, sy);
    for (auto& piece : foreignPieces)
        piece->Draw(dc, sx, sy);
}

void CTextRow::UnderlineMisspelt(CDc& dc, int sx, int sy)
{
    CTransDoc* doc = view ? view->GetDocument() : nullptr;
    if (!doc)
        return;
    // Words lie within one text piece: placeholders and line breaks end them.
    std::vector<std::vector<TextRange>> words(translatedPieces.size());
    for (const TextRange& word : CDocSpelling::Of(*doc).Misspelt(*node)) {
        const pieces::PiecePlace place = pieces::PlaceOf(translatedPieces, std::int32_t(word.begin));
        if (place.piece < 0)
            continue;
        const std::size_t length = translatedPieces[std::size_t(place.piece)]->text.size();
        const std::size_t begin = std::min(std::size_t(place.caret), length);
        words[std::size_t(place.piece)].push_back(
            {begin, std::min(begin + (word.end - word.begin), length)});
    }
    for (std::size_t i = 0; i < translatedPieces.size(); ++i) {
        auto* piece = dynamic_cast<CTextPiece*>(translatedPieces[i].get());
        if (!piece)
            continue;
        if (piece->editor) {
            piece->editor->ShowMisspelt(words[i]);
            continue;
        }
        for (const TextRange& word : words[i])
            piece->DrawMisspelt(dc, sx, sy, int(word.begin), int(word.end));
    }
}

int CTextRow::HitPiece(int x, int y) const
{
    if (!rowRect.PtInRect({x, y}))
        return -1;
    for (std::size_t i = 0; i < translatedPieces.size(); ++i) {
        if (translatedPieces[i]->HitTest(x, y))
            return int(i);
    }
    return -1;
}

void CTextRow::EndEdit()
{
    if (currentPiece >= 0 && std::size_t(currentPiece) < translatedPieces.size()) {
        if (auto* piece = dynamic_cast<CTextPiece*>(translatedPieces[std::size_t(currentPiece)].get()))
            piece->EndEdit();
    }
    currentPiece = -1;
}

void CTextRow::OpenInRow(CInPlaceEdit* editor, int ox, int oy, bool atStart, bool caretAtStart)
{
    EndEdit();
    EnsurePieces();
    if (translatedPieces.empty())
        return;
    std::size_t target = 0;
    if (!atStart) {
        target = translatedPieces.size() - 1;
        if (caretAtStart) {
            const std::int32_t lastLine = translatedPieces.back()->line;
            for (std::size_t i = 0; i < translatedPieces.size(); ++i) {
                if (translatedPieces[i]->line == lastLine && !translatedPieces[i]->IsFixed()) {
                    target = i;
                    break;
                }
            }
        }
    }
    auto* piece = dynamic_cast<CTextPiece*>(translatedPieces[target].get());
    if (!piece)
        return;
    currentPiece = int(target);
    piece->BeginEdit(editor, ox, oy, caretAtStart ? 0 : -1);
    if (view)
        view->MakePieceVisible(this, piece->rect.top);
}
