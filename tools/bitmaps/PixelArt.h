#pragma once

#include <QImage>

#include <initializer_list>

namespace bitmaps {

// Pixel art is written as rows of letters, one letter per pixel:
//   .  leave the pixel as it is (the picture's background)
//   K black   m maroon  g green   o olive   n navy  p purple  t teal   s light grey
//   d grey    R red     G lime    Y yellow  B blue  M fuchsia C aqua   W white
// Rows of unequal length or unknown letters stop the generator: a slip in the art must not
// reach a committed bitmap.
void drawSprite(QImage& image, int left, int top, std::initializer_list<const char*> rows);

// Luminance 0..1 of a colour, as the eye weighs red, green and blue.
double luma(QRgb colour);

}  // namespace bitmaps
