#include "FlagStrip.h"

#include "FlagList.h"
#include "Palette.h"
#include "PixelArt.h"

#include <QColor>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <array>

namespace bitmaps {
namespace {

// Each flag pixel is decided by a vote over an 8 x 8 block of a large rendering: edges stay
// sharp and no blended colour appears that the flag does not have.
constexpr int kOversample = 8;

// Orange has no place among the sixteen colours; like the painters of the time the strip
// shows it as a red and yellow checkerboard.
constexpr QRgb kOrange = 0x00FF8000;  // no alpha: never a real strip colour
// Votes for "outside the flag's shape" (flags that are not rectangles).
constexpr QRgb kOutside = 0x00000000;

QRgb quantiseChromatic(double hue, double saturation, double value)
{
    if (hue >= 18 && hue < 40 && saturation >= 0.6 && value >= 0.75)
        return kOrange;
    if (hue < 22 || hue >= 335)
        return value >= 0.64 ? vga::red : vga::maroon;
    if (hue < 70)
        return value >= 0.6 ? vga::yellow : vga::olive;
    if (hue < 170)
        return value >= 0.9 && saturation >= 0.8 ? vga::lime : vga::green;
    if (hue < 200)
        return value >= 0.6 ? vga::aqua : vga::teal;
    if (hue < 265) {
        if (saturation < 0.6 && value >= 0.7)
            return vga::aqua;  // sky blue
        return value >= 0.55 ? vga::blue : vga::navy;
    }
    return value >= 0.6 ? vga::fuchsia : vga::purple;
}

// Nearest colour of the sixteen as a flag designer would pick it: by hue first, so that a
// flag blue stays blue. Never light grey, which would punch a hole into the flag.
QRgb quantiseFlagColour(QRgb colour)
{
    const QColor c = QColor::fromRgb(colour);
    const double r = c.redF();
    const double g = c.greenF();
    const double b = c.blueF();
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    if (high < 0.22)
        return vga::black;
    if (high - low < 0.1 || (high - low) / high < 0.2) {
        const double brightness = luma(colour);
        if (brightness >= 0.70)
            return vga::white;
        return brightness >= 0.33 ? vga::grey : vga::black;
    }
    return quantiseChromatic(c.hsvHueF() * 360.0, c.hsvSaturationF(), high);
}

// The flag's classes at the flag's own size, each the majority of its block.
QImage voteFlag(QSvgRenderer& renderer, int width, int height)
{
    QImage large(width * kOversample, height * kOversample, QImage::Format_ARGB32);
    large.fill(Qt::transparent);
    {
        QPainter painter(&large);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, large.width(), large.height()));
    }
    QImage classes(width, height, QImage::Format_ARGB32);
    std::array<QRgb, vga::all.size() + 2> kinds{};
    std::copy(vga::all.begin(), vga::all.end(), kinds.begin());
    kinds[vga::all.size()] = kOrange;
    kinds[vga::all.size() + 1] = kOutside;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::array<int, kinds.size()> votes{};
            for (int dy = 0; dy < kOversample; ++dy) {
                for (int dx = 0; dx < kOversample; ++dx) {
                    const QRgb pixel = large.pixel(x * kOversample + dx, y * kOversample + dy);
                    const QRgb kind =
                        qAlpha(pixel) < 128 ? kOutside : quantiseFlagColour(pixel);
                    const auto* slot = std::find(kinds.begin(), kinds.end(), kind);
                    ++votes[static_cast<std::size_t>(slot - kinds.begin())];
                }
            }
            const auto winner = std::max_element(votes.begin(), votes.end()) - votes.begin();
            classes.setPixel(x, y, kinds[static_cast<std::size_t>(winner)]);
        }
    }
    return classes;
}

// A rectangular flag gets a dark grey frame, so that white flags do not melt into a white
// list; a flag of another shape (Nepal) keeps its outline against the mask.
QImage renderFlag(QSvgRenderer& renderer)
{
    QImage flag(kFlagSize, kFlagSize, QImage::Format_RGB32);
    flag.fill(kMaskGrey);
    QImage classes = voteFlag(renderer, kFlagSize - 2, kFlagHeight - 2);
    int left = 1;
    int top = kFlagTop + 1;
    const bool rectangular = std::none_of(
        reinterpret_cast<const QRgb*>(classes.constBits()),
        reinterpret_cast<const QRgb*>(classes.constBits()) + classes.width() * classes.height(),
        [](QRgb kind) { return kind == kOutside; });
    if (rectangular) {
        for (int x = 0; x < kFlagSize; ++x) {
            flag.setPixel(x, kFlagTop, vga::grey);
            flag.setPixel(x, kFlagTop + kFlagHeight - 1, vga::grey);
        }
        for (int y = kFlagTop; y < kFlagTop + kFlagHeight; ++y) {
            flag.setPixel(0, y, vga::grey);
            flag.setPixel(kFlagSize - 1, y, vga::grey);
        }
    } else {
        classes = voteFlag(renderer, kFlagSize, kFlagHeight);
        left = 0;
        top = kFlagTop;
    }
    for (int y = 0; y < classes.height(); ++y) {
        for (int x = 0; x < classes.width(); ++x) {
            QRgb kind = classes.pixel(x, y);
            if (kind == kOutside)
                continue;
            if (kind == kOrange)
                kind = (x + y) % 2 == 0 ? vga::red : vga::yellow;
            flag.setPixel(left + x, top + y, kind);
        }
    }
    return flag;
}

}  // namespace

FlagStrip renderFlagStrip(const QString& flagDir)
{
    FlagStrip result;
    result.image = QImage(kFlagSize * static_cast<int>(kFlagCount), kFlagSize,
                          QImage::Format_RGB32);
    result.image.fill(kMaskGrey);
    QPainter strip(&result.image);
    for (std::size_t k = 0; k < kFlags.size(); ++k) {
        const QString code = QString::fromLatin1(kFlags[k].code);
        result.index += QStringLiteral("%1 %2 %3\n")
                            .arg(k)
                            .arg(code.toUpper(), QString::fromUtf8(kFlags[k].name));
        QSvgRenderer renderer(flagDir + QLatin1Char('/') + code + QStringLiteral(".svg"));
        if (!renderer.isValid()) {
            result.problems << code;
            continue;
        }
        strip.drawImage(static_cast<int>(k) * kFlagSize, 0, renderFlag(renderer));
    }
    return result;
}

}  // namespace bitmaps
