#pragma once

// The device context: GDI drawing over QPainter.
//
// Three kinds:
// - memory DC (CDc(), CreateCompatibleDC): draws into the CImageBitmap selected
//   into it; without one it has nowhere to draw and drawing is dropped, while
//   measuring works. Pixels can be read and written.
// - painter DC (CDc(QPainter&)): draws through a painter the caller began, for
//   example in a widget's paintEvent; the window DC of OnDraw. No GetPixel.
// - window DC (CDc(QWidget*)): measuring with the window's font and making
//   compatible DCs and bitmaps; drawing is dropped (Qt paints only in
//   paintEvent: ask the widget to update instead).
//
// Coordinates are pixels; the viewport origin shifts every drawing call.
// Colours are COLORREF 0x00BBGGRR. Text is drawn at its top-left corner.

#include "CFont.h"
#include "CImageBitmap.h"
#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"
#include "DeviceContext.h"
#include "WinTypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QPointer>

#include <memory>
#include <optional>
#include <span>
#include <string_view>

class QPainter;
class QWidget;

struct TEXTMETRIC {
    int tmHeight = 0;           // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

class CDc : public CDeviceContext {
public:
    CDc();                                // memory DC
    explicit CDc(QPainter& painter);      // painter DC (not owned)
    explicit CDc(QWidget* window);        // window DC: measuring only
    ~CDc() override;
    CDc(const CDc&) = delete;
    CDc& operator=(const CDc&) = delete;

    // CDeviceContext
    std::unique_ptr<CDeviceContext> CreateCompatibleDC() const override;
    std::unique_ptr<CBitmap> CreateCompatibleBitmap(std::int32_t width,
                                                    std::int32_t height) const override;
    // Only CImageBitmap can be selected; another CBitmap selects nothing.
    CBitmap* SelectObject(CBitmap* bmp) override;
    // CLR_INVALID outside the bitmap or without one.
    COLORREF GetPixel(std::int32_t x, std::int32_t y) const override;
    void SetPixel(std::int32_t x, std::int32_t y, COLORREF color) override;

    // A memory DC of the concrete type (same as CreateCompatibleDC).
    std::unique_ptr<CDc> CreateCompatibleCDc() const;
    CImageBitmap* GetSelectedBitmap() const { return m_bitmap; }

    // Fonts: selecting nullptr or an uncreated font selects the default font
    // (the window's font, else the application font). Returns the previous
    // selection, which may be nullptr.
    CFont* SelectObject(CFont* font);
    const QFont& GetCurrentFont() const { return m_font; }

    COLORREF SetTextColor(COLORREF color);   // default black; returns previous
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF SetBkColor(COLORREF color);     // default white; returns previous
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetBkMode(int mode);                 // OPAQUE (default) or TRANSPARENT
    int GetBkMode() const { return m_bkMode; }
    COLORREF GetNearestColor(COLORREF color) const; // every RGB colour exists: unchanged
    CPoint SetViewportOrg(int x, int y);     // returns previous
    CPoint GetViewportOrg() const { return m_viewportOrg; }

    // BitBlt: combines a w x h block of src at (sx, sy) into this DC at (x, y).
    // src must be a memory DC with a bitmap (BLACKNESS and WHITENESS need none);
    // only the part of the block inside the source bitmap is drawn, the rest of
    // the destination stays. Known operations: SRCCOPY, SRCAND, SRCPAINT,
    // SRCINVERT, BLACKNESS, WHITENESS; others fail. False when nothing was drawn.
    bool BitBlt(int x, int y, int w, int h, const CDc* src, int sx, int sy, DWORD rop);

    // Draws a Qt image at (x, y), blending by its alpha (image lists, icons).
    void DrawImage(int x, int y, const QImage& image);

    void FillSolidRect(const CRect& rect, COLORREF color); // background colour unchanged
    void FillSolidRect(int x, int y, int w, int h, COLORREF color);
    // Outline one pixel wide along the inside of rect: top and left in
    // topLeft, bottom and right in bottomRight.
    void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);

    // Lines with a solid pen of one pixel; LineTo does not draw its end point.
    COLORREF SetPenColor(COLORREF color);    // default black; returns previous
    CPoint MoveTo(int x, int y);             // returns previous position
    void LineTo(int x, int y);

    // Text in the selected font, text colour, and background colour when OPAQUE.
    void TextOut(int x, int y, std::u16string_view text);
    CSize GetTextExtent(std::u16string_view text) const; // GetTextExtentPoint32; cy = tmHeight
    void GetTextMetrics(TEXTMETRIC& tm) const;

    // Tabbed text (TabbedTextOut / GetTabbedTextExtent). Tab stops:
    // - no positions: every 8 average character widths;
    // - one position p: every |p| pixels;
    // - several: at the given pixel positions (ascending), after the last one
    //   every 8 average character widths again.
    // Positions count from tabOrigin (x for TabbedTextOut called with x as
    // origin); a tab moves to the first stop strictly right of the current
    // position. The extent is measured from the text's start; cy = tmHeight.
    CSize TabbedTextOut(int x, int y, std::u16string_view text,
                        std::span<const int> tabPositions, int tabOrigin);
    CSize GetTabbedTextExtent(std::u16string_view text,
                              std::span<const int> tabPositions) const;

    // Ends any drawing in progress on the selected bitmap, so the image can be
    // read or copied elsewhere by Qt code (a copy of a QImage that is being
    // painted on would otherwise still change). A bitmap that is destroyed
    // while selected is deselected first.
    void Flush();

private:
    enum class Kind { Memory, Painter, Window };
    QPainter* Painter();     // nullptr when drawing is dropped
    void EndPainting();
    const QFontMetrics& Metrics() const;
    void SetFontInternal(const QFont& font);
    void BitmapGone(CImageBitmap* bitmap);
    friend class CImageBitmap;
    QPoint Org(int x, int y) const { return {x + m_viewportOrg.x, y + m_viewportOrg.y}; }
    // Walks text segment by segment from x, moving to the tab stops; draws
    // each segment when painter is given. Returns the end position.
    int TabbedLayout(std::u16string_view text, std::span<const int> tabs, int x, int origin,
                     QPainter* painter, int y) const;

    Kind m_kind;
    QPainter* m_external = nullptr;              // painter DC
    QPointer<QWidget> m_window;                  // window DC
    std::unique_ptr<QPainter> m_own;             // begun lazily on m_bitmap
    CImageBitmap* m_bitmap = nullptr;
    CFont* m_fontObject = nullptr;
    QFont m_font;
    QFont m_defaultFont;
    mutable std::optional<QFontMetrics> m_metrics;
    COLORREF m_textColor = 0x000000;
    COLORREF m_bkColor = 0xFFFFFF;
    COLORREF m_penColor = 0x000000;
    int m_bkMode = OPAQUE;
    CPoint m_viewportOrg;
    CPoint m_position;
};
