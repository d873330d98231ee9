#pragma once

#include <QImage>

namespace bitmaps {

// The four looks of the toolbar's 15 button images (20 x 20 each, in button order).
struct ToolbarStrips {
    QImage hot;       // bitmap 146: full colour on the face grey, also used pressed
    QImage normal;    // bitmap 147: the same drawn in greys, plain until the mouse comes
    QImage disabled;  // bitmap 149: embossed grey shape with a white shadow
    QImage checked;   // bitmap 148: full colour on the lighter grey of a checked button
};

ToolbarStrips drawToolbarStrips();

}  // namespace bitmaps
