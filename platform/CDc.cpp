#include "CDc.h"

#include "QtStrings.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Floor division, so tab stops left of the origin are found too.
int FloorDiv(int a, int b)
{
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

QFont ApplicationFont()
{
    return QGuiApplication::instance() ? QGuiApplication::font() : QFont();
}

} // namespace

CDc::CDc() : m_kind(Kind::Memory), m_font(ApplicationFont()), m_defaultFont(m_font) {}

CDc::CDc(QPainter& painter)
    : m_kind(Kind::Painter), m_external(&painter), m_font(painter.font()), m_defaultFont(m_font)
{
}

CDc::CDc(QWidget* window)
    : m_kind(Kind::Window), m_window(window),
      m_font(window ? window->font() : ApplicationFont()), m_defaultFont(m_font)
{
}

CDc::~CDc()
{
    EndPainting();
    if (m_bitmap)
        m_bitmap->m_selectedInto = nullptr;
}

std::unique_ptr<CDeviceContext> CDc::CreateCompatibleDC() const { return CreateCompatibleCDc(); }

std::unique_ptr<CDc> CDc::CreateCompatibleCDc() const
{
    auto dc = std::make_unique<CDc>();
    dc->m_defaultFont = m_defaultFont;
    dc->SetFontInternal(m_defaultFont);
    return dc;
}

std::unique_ptr<CBitmap> CDc::CreateCompatibleBitmap(std::int32_t width, std::int32_t height) const
{
    return std::make_unique<CImageBitmap>(width, height);
}

CBitmap* CDc::SelectObject(CBitmap* bmp)
{
    CImageBitmap* previous = m_bitmap;
    if (m_kind != Kind::Memory)
        return nullptr;
    EndPainting();
    auto* next = dynamic_cast<CImageBitmap*>(bmp);
    if (next && next->m_selectedInto && next->m_selectedInto != this)
        next->m_selectedInto->SelectObject(static_cast<CBitmap*>(nullptr)); // one DC at a time
    if (m_bitmap)
        m_bitmap->m_selectedInto = nullptr;
    m_bitmap = next;
    if (m_bitmap)
        m_bitmap->m_selectedInto = this;
    return previous;
}

void CDc::BitmapGone(CImageBitmap* bitmap)
{
    if (m_bitmap == bitmap) {
        EndPainting();
        m_bitmap = nullptr;
    }
}

CFont* CDc::SelectObject(CFont* font)
{
    CFont* previous = m_fontObject;
    m_fontObject = font;
    SetFontInternal(font && font->IsCreated() ? font->GetQFont() : m_defaultFont);
    return previous;
}

void CDc::SetFontInternal(const QFont& font)
{
    m_font = font;
    m_metrics.reset();
}

const QFontMetrics& CDc::Metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(m_font);
    return *m_metrics;
}

QPainter* CDc::Painter()
{
    switch (m_kind) {
    case Kind::Painter:
        return m_external;
    case Kind::Window:
        return nullptr;
    case Kind::Memory:
        break;
    }
    if (!m_bitmap || m_bitmap->m_image.isNull())
        return nullptr;
    if (!m_own)
        m_own = std::make_unique<QPainter>(&m_bitmap->m_image);
    return m_own.get();
}

void CDc::EndPainting()
{
    if (m_own) {
        m_own->end();
        m_own.reset();
    }
}

void CDc::Flush() { EndPainting(); }

COLORREF CDc::GetPixel(std::int32_t x, std::int32_t y) const
{
    if (m_kind != Kind::Memory || !m_bitmap)
        return CLR_INVALID;
    const QImage& image = m_bitmap->m_image;
    const QPoint p = Org(x, y);
    if (!image.valid(p))
        return CLR_INVALID;
    // Reading through the const image never detaches it, also while painting.
    return CImageBitmap::ToColorRef(image.pixel(p));
}

void CDc::SetPixel(std::int32_t x, std::int32_t y, COLORREF color)
{
    const QPoint p = Org(x, y);
    if (m_kind == Kind::Memory) {
        if (!m_bitmap || !m_bitmap->m_image.valid(p))
            return;
        if (!m_own) {
            m_bitmap->m_image.setPixel(p, CImageBitmap::ToQRgb(color));
            return;
        }
    }
    if (QPainter* painter = Painter())
        painter->fillRect(QRect(p, QSize(1, 1)), ToQColor(color));
}

COLORREF CDc::SetTextColor(COLORREF color) { return std::exchange(m_textColor, color); }

COLORREF CDc::SetBkColor(COLORREF color) { return std::exchange(m_bkColor, color); }

int CDc::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(m_bkMode, mode);
}

COLORREF CDc::GetNearestColor(COLORREF color) const { return color & 0x00FFFFFFu; }

CPoint CDc::SetViewportOrg(int x, int y) { return std::exchange(m_viewportOrg, CPoint(x, y)); }

bool CDc::BitBlt(int x, int y, int w, int h, const CDc* src, int sx, int sy, DWORD rop)
{
    if (w <= 0 || h <= 0)
        return false;
    QPainter* painter = Painter();
    if (!painter)
        return false;
    const QPoint dest = Org(x, y);
    if (rop == BLACKNESS || rop == WHITENESS) {
        painter->fillRect(QRect(dest, QSize(w, h)), rop == BLACKNESS ? Qt::black : Qt::white);
        return true;
    }
    QPainter::CompositionMode mode;
    switch (rop) {
    case SRCCOPY:
        mode = QPainter::CompositionMode_Source;
        break;
    case SRCAND:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case SRCPAINT:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case SRCINVERT:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    default:
        return false;
    }
    if (!src || src->m_kind != Kind::Memory || !src->m_bitmap || src->m_bitmap->m_image.isNull())
        return false;
    const QImage& image = src->m_bitmap->m_image;
    // Coordinates are logical pixels; a bitmap made for a high-density screen
    // holds ratio device pixels for each of them.
    const qreal ratio = image.devicePixelRatio();
    const QPoint from = src->Org(sx, sy);
    const QRect wanted(from, QSize(w, h));
    const QRect part = wanted.intersected(QRect(QPoint(), (QSizeF(image.size()) / ratio).toSize()));
    if (part.isEmpty())
        return false;
    const QPoint target = dest + (part.topLeft() - from);
    const QRect pixels(QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio).toRect());
    const QPainter::CompositionMode before = painter->compositionMode();
    painter->setCompositionMode(mode);
    if (src == this)
        painter->drawImage(QRect(target, part.size()), image.copy(pixels)); // overlapping copy within one bitmap
    else
        painter->drawImage(QRect(target, part.size()), image, pixels);
    painter->setCompositionMode(before);
    return true;
}

void CDc::DrawImage(int x, int y, const QImage& image)
{
    if (image.isNull())
        return;
    if (QPainter* painter = Painter())
        painter->drawImage(Org(x, y), image);
}

void CDc::FillSolidRect(int x, int y, int w, int h, COLORREF color)
{
    // Negative sizes reach back from (x, y), as the original's rectangle does.
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    if (w == 0 || h == 0)
        return;
    if (QPainter* painter = Painter())
        painter->fillRect(QRect(Org(x, y), QSize(w, h)), ToQColor(color));
}

void CDc::FillSolidRect(const CRect& rect, COLORREF color)
{
    FillSolidRect(rect.left, rect.top, rect.Width(), rect.Height(), color);
}

void CDc::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int x = rect.left;
    const int y = rect.top;
    const int cx = rect.Width();
    const int cy = rect.Height();
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

COLORREF CDc::SetPenColor(COLORREF color) { return std::exchange(m_penColor, color); }

CPoint CDc::MoveTo(int x, int y) { return std::exchange(m_position, CPoint(x, y)); }

void CDc::LineTo(int x, int y)
{
    const CPoint from = m_position;
    m_position = CPoint(x, y);
    QPainter* painter = Painter();
    if (!painter)
        return;
    const QColor color = ToQColor(m_penColor);
    if (from.y == y || from.x == x) {
        // Straight lines as one rectangle, the end point left out.
        if (from.y == y && from.x != x) {
            const int start = x > from.x ? from.x : x + 1;
            painter->fillRect(QRect(Org(start, y), QSize(std::abs(x - from.x), 1)), color);
        } else if (from.x == x && from.y != y) {
            const int start = y > from.y ? from.y : y + 1;
            painter->fillRect(QRect(Org(x, start), QSize(1, std::abs(y - from.y))), color);
        }
        return;
    }
    // Bresenham, every pixel but the last.
    int px = from.x;
    int py = from.y;
    const int dx = std::abs(x - px);
    const int dy = -std::abs(y - py);
    const int stepX = px < x ? 1 : -1;
    const int stepY = py < y ? 1 : -1;
    int err = dx + dy;
    while (px != x || py != y) {
        painter->fillRect(QRect(Org(px, py), QSize(1, 1)), color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            py += stepY;
        }
    }
}

void CDc::TextOut(int x, int y, std::u16string_view text)
{
    QPainter* painter = Painter();
    if (!painter)
        return;
    const QString s = ToQString(text);
    const QFontMetrics& fm = Metrics();
    if (m_bkMode == OPAQUE)
        painter->fillRect(QRect(Org(x, y), QSize(fm.horizontalAdvance(s), fm.height())),
                          ToQColor(m_bkColor));
    painter->setFont(m_font);
    painter->setPen(ToQColor(m_textColor));
    painter->drawText(Org(x, y + fm.ascent()), s);
}

CSize CDc::GetTextExtent(std::u16string_view text) const
{
    const QFontMetrics& fm = Metrics();
    return {fm.horizontalAdvance(ToQString(text)), fm.height()};
}

void CDc::GetTextMetrics(TEXTMETRIC& tm) const
{
    const QFontMetrics& fm = Metrics();
    tm.tmHeight = fm.height();
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    const int em = m_font.pixelSize() > 0 ? m_font.pixelSize() : fm.height();
    tm.tmInternalLeading = std::max(0, fm.height() - em);
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
}

int CDc::TabbedLayout(std::u16string_view text, std::span<const int> tabs, int x, int origin,
                      QPainter* painter, int y) const
{
    const QFontMetrics& fm = Metrics();
    const int defaultStep = std::max(1, 8 * fm.averageCharWidth());
    int step = defaultStep;
    std::span<const int> stops;
    if (tabs.size() == 1) {
        step = std::abs(tabs[0]) > 0 ? std::abs(tabs[0]) : defaultStep;
    } else if (tabs.size() > 1) {
        stops = tabs;
    }
    int pos = x;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = text.find(u'\t', start);
        const std::u16string_view segment =
            text.substr(start, tab == std::u16string_view::npos ? std::u16string_view::npos
                                                                : tab - start);
        const QString s = ToQString(segment);
        const int width = s.isEmpty() ? 0 : fm.horizontalAdvance(s);
        if (painter && width > 0)
            painter->drawText(Org(pos, y + fm.ascent()), s);
        pos += width;
        if (tab == std::u16string_view::npos)
            break;
        // Next stop strictly right of pos: first an explicit one, then the grid.
        bool found = false;
        for (int stop : stops) {
            if (origin + std::abs(stop) > pos) {
                pos = origin + std::abs(stop);
                found = true;
                break;
            }
        }
        if (!found)
            pos = origin + (FloorDiv(pos - origin, step) + 1) * step;
        start = tab + 1;
    }
    return pos;
}

CSize CDc::TabbedTextOut(int x, int y, std::u16string_view text, std::span<const int> tabPositions,
                         int tabOrigin)
{
    const int height = Metrics().height();
    const int end = TabbedLayout(text, tabPositions, x, tabOrigin, nullptr, y);
    QPainter* painter = Painter();
    if (painter) {
        if (m_bkMode == OPAQUE && end > x)
            painter->fillRect(QRect(Org(x, y), QSize(end - x, height)), ToQColor(m_bkColor));
        painter->setFont(m_font);
        painter->setPen(ToQColor(m_textColor));
        TabbedLayout(text, tabPositions, x, tabOrigin, painter, y);
    }
    return {end - x, height};
}

CSize CDc::GetTabbedTextExtent(std::u16string_view text, std::span<const int> tabPositions) const
{
    return {TabbedLayout(text, tabPositions, 0, 0, nullptr, 0), Metrics().height()};
}
