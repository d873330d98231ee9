#include "PixelArtScale.h"

#include <algorithm>
#include <cmath>

namespace {

// One doubling. A pixel's four quarters take the colour of two equal
// neighbours that meet at that corner, unless that would fill a straight edge.
QImage Scale2x(const QImage& source, int cellWidth)
{
    const int w = source.width();
    const int h = source.height();
    QImage result(w * 2, h * 2, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        const auto* above = reinterpret_cast<const QRgb*>(source.constScanLine(std::max(0, y - 1)));
        const auto* below = reinterpret_cast<const QRgb*>(source.constScanLine(std::min(h - 1, y + 1)));
        auto* top = reinterpret_cast<QRgb*>(result.scanLine(2 * y));
        auto* bottom = reinterpret_cast<QRgb*>(result.scanLine(2 * y + 1));
        for (int x = 0; x < w; ++x) {
            const int cellLeft = x - x % cellWidth;
            const QRgb p = line[x];
            const QRgb a = above[x];
            const QRgb d = below[x];
            const QRgb c = line[std::max(cellLeft, x - 1)];
            const QRgb b = line[std::min(cellLeft + cellWidth - 1, x + 1)];
            const bool round = c != b && a != d;
            top[2 * x] = round && c == a ? a : p;
            top[2 * x + 1] = round && a == b ? b : p;
            bottom[2 * x] = round && d == c ? c : p;
            bottom[2 * x + 1] = round && b == d ? d : p;
        }
    }
    return result;
}

} // namespace

QImage ScalePixelArt(const QImage& strip, int cellWidth, qreal ratio)
{
    if (ratio <= 1.0 || strip.isNull() || cellWidth <= 0)
        return strip;
    const int cells = std::max(1, strip.width() / cellWidth);
    const int cellPixels = int(std::lround(cellWidth * ratio));
    const qreal exact = qreal(cellPixels) / cellWidth;
    QImage image = strip.convertToFormat(QImage::Format_RGB32);
    int factor = 1;
    for (; factor < exact; factor *= 2)
        image = Scale2x(image, cellWidth * factor);
    if (cellPixels != cellWidth * factor)
        image = image.scaled(cells * cellPixels, int(std::lround(strip.height() * exact)),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(exact);
    return image;
}
