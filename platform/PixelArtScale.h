#pragma once

// The program's small pictures (toolbar buttons, the tree's boxes and icons,
// flags) are pixel art. On a screen with more device pixels per logical pixel
// they are drawn with that many pixels: each doubling follows the edges of the art (the Scale2x rule, so
// diagonals stay diagonal and nothing is blurred), and a ratio between two
// doublings is reached by a smooth step down from the next doubling.

#include <QImage>

// strip: pictures side by side, each cellWidth pixels wide; no picture takes
// colours from its neighbours. The result has devicePixelRatio ratio (rounded
// so that a picture is a whole number of pixels wide); ratio <= 1 gives strip.
QImage ScalePixelArt(const QImage& strip, int cellWidth, qreal ratio);
