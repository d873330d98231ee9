#pragma once

// An editable literal run of a row's text, between line breaks and
// placeholders. While the in-place editor is open on it, the editor's window
// covers it and it draws nothing.

#include "CPiece.h"

class CInPlaceEdit;
class CFont;

class CTextPiece : public CPiece {
public:
    CTextPiece(std::u16string text, std::int32_t line, bool foreign, bool freeSize,
               CTextRow* row, bool endsWithCR);
    ~CTextPiece() override;

    // The text with every "%" doubled in a format text, then the carriage
    // return the source had at the end of this run.
    std::u16string GetText() const override;
    CSize Measure(CDc& dc, int x, int y) override;
    void Draw(CDc& dc, int dx, int dy) override;
    bool HitTest(int x, int y) const override;
    // A red wavy line under text[begin, end), as Draw places the text.
    void DrawMisspelt(CDc& dc, int dx, int dy, int begin, int end);
    bool IsFixed() const override { return false; }

    // Editing (the piece's side of the in-place editor): BeginEdit moves the
    // editor over the piece, moved by the row origin (ox, oy), and attaches it
    // with the caret at caret (-1: end of text). EndEdit parks the editor.
    void BeginEdit(CInPlaceEdit* edit, int ox, int oy, int caret);
    void EndEdit();

    // Pixels between tab stops, as the row's view measured them; a default
    // of eight average character widths of font when there is no view.
    int TabWidth(const CDc& dc) const;

    // The font made from the program's text font (or foreign font), made
    // again only when that record has changed.
    static CFont& FontFor(bool foreign);

    bool doublePercent = false; // format text: "%" written back as "%%"
    CInPlaceEdit* editor = nullptr;
    bool foreign;
    bool freeSize;
    bool endsWithCR;
};
