#pragma once

// The two fonts of the whole program: the text font (texts of the tree and the
// in-place editor) and the foreign font (foreign-language texts shown as an
// aid). Set to their defaults once at start; only the fonts dialog changes
// them; they are never stored.

#include "LOGFONT.h"

LOGFONT& TextFont();
LOGFONT& ForeignFont();
// Both fonts back to their defaults.
void SetDefaultFonts();

LOGFONT DefaultTextFont();
LOGFONT DefaultForeignFont();
