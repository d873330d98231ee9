#pragma once

#include <QSize>

// A width and height in pixels (cx, cy), as GDI measuring returns them.
struct CSize {
    int cx = 0;
    int cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int cx_, int cy_) : cx(cx_), cy(cy_) {}
    explicit CSize(const QSize& s) : cx(s.width()), cy(s.height()) {}

    QSize ToQSize() const { return {cx, cy}; }
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};
