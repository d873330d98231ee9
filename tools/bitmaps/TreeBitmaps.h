#pragma once

#include <QImage>

namespace bitmaps {

// All three strips lie on light grey, the colour the tree view fills its rows with.
QImage drawBoxStrip();          // bitmap 137: 4 images of 10 x 10
QImage drawIconStrip();         // bitmap 141: 18 images of 16 x 15
QImage drawPlaceholderStrip();  // bitmap 145: 5 images of 25 x 15

}  // namespace bitmaps
