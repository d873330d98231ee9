#pragma once

#include <QImage>

namespace bitmaps {

// Bitmap 165, the picture of the about box (250 x 115): the product name beside a fan of
// language pages, each with a flag taken from the flag strip.
QImage drawAboutBitmap(const QImage& flagStrip);

}  // namespace bitmaps
