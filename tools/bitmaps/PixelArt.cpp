#include "PixelArt.h"

#include "Palette.h"

#include <QtGlobal>

#include <cstring>

namespace bitmaps {
namespace {

QRgb letterColour(char letter)
{
    switch (letter) {
    case 'K': return vga::black;
    case 'm': return vga::maroon;
    case 'g': return vga::green;
    case 'o': return vga::olive;
    case 'n': return vga::navy;
    case 'p': return vga::purple;
    case 't': return vga::teal;
    case 's': return vga::silver;
    case 'd': return vga::grey;
    case 'R': return vga::red;
    case 'G': return vga::lime;
    case 'Y': return vga::yellow;
    case 'B': return vga::blue;
    case 'M': return vga::fuchsia;
    case 'C': return vga::aqua;
    case 'W': return vga::white;
    default: qFatal("unknown pixel letter '%c'", letter);
    }
}

}  // namespace

void drawSprite(QImage& image, int left, int top, std::initializer_list<const char*> rows)
{
    const std::size_t width = std::strlen(*rows.begin());
    int y = top;
    for (const char* row : rows) {
        if (std::strlen(row) != width)
            qFatal("sprite row \"%s\" is not %zu pixels wide", row, width);
        for (std::size_t i = 0; i < width; ++i) {
            const int x = left + static_cast<int>(i);
            if (row[i] == '.')
                continue;
            if (!image.valid(x, y))
                qFatal("sprite pixel (%d, %d) lies outside the picture", x, y);
            image.setPixel(x, y, letterColour(row[i]));
        }
        ++y;
    }
}

double luma(QRgb colour)
{
    return (0.299 * qRed(colour) + 0.587 * qGreen(colour) + 0.114 * qBlue(colour)) / 255.0;
}

}  // namespace bitmaps
