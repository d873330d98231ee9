#pragma once

#include <QImage>

namespace bitmaps {

// All three strips lie on light grey, the colour the tree view fills its rows with.
QImage drawBoxStrip();          // bitmap 137: 4 images of 10 x 10
QImage drawIconStrip();         // bitmap 141: 18 images of 16 x 15
QImage drawPlaceholderStrip();  // bitmap 145: 5 images of 25 x 15

// One expand box of the tree (9 x 9), plus when collapsed, minus when expanded; the toolbar's
// tree buttons show the same boxes.
void drawTreeBox(QImage& image, int left, int top, bool plus);

}  // namespace bitmaps
