#pragma once

#include <QPoint>

// A point in pixels, as the design's GDI code writes it.
struct CPoint {
    int x = 0;
    int y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int x_, int y_) : x(x_), y(y_) {}
    explicit CPoint(const QPoint& p) : x(p.x()), y(p.y()) {}

    QPoint ToQPoint() const { return {x, y}; }
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};
