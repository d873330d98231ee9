#pragma once

// The 32 x 32 flags of the editor's own language files, painted in code
// so that the files need no picture to be built.

#include "CLanguageFile.h"

#include <array>

using FlagPixels = std::array<COLORREF, CLanguageFile::kFlagPixelCount>;

// Black, red and gold stripes.
FlagPixels GermanFlag();
// The Union Flag on a square: blue field, white and red saltires, white and red cross.
FlagPixels UnionFlag();
// Blue, white and red bands, side by side.
FlagPixels FrenchFlag();
