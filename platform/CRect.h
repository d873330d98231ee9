#pragma once

#include "CPoint.h"
#include "CSize.h"

#include <QRect>

// A rectangle as Win32 writes it: right and bottom are exclusive, so
// (0, 0, 10, 10) is ten pixels wide. QRect's right() is inclusive; convert only
// through ToQRect / the QRect constructor.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    explicit CRect(const QRect& r)
        : left(r.x()), top(r.y()), right(r.x() + r.width()), bottom(r.y() + r.height()) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(CPoint p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void InflateRect(int dx, int dy)
    {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }

    QRect ToQRect() const { return {left, top, Width(), Height()}; }
    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};
