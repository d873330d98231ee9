#pragma once

// The logical-font record: the fields of the platform's font description.
// The program keeps its text font and foreign font in this form; Qt fonts are
// made from it on demand with MakeQFont, and the font chooser's result comes
// back through MakeLogFont.

#include "CSize.h"

#include <QFont>

#include <cstdint>
#include <string>

struct LOGFONT {
    std::int32_t height = 0;       // < 0: character height (em) in pixels; > 0: cell height; 0: default
    std::int32_t width = 0;        // average character width, 0 = natural
    std::int32_t escapement = 0;   // tenths of a degree; kept, not drawn
    std::int32_t orientation = 0;
    std::int32_t weight = 0;       // 0 don't care, 400 normal, 700 bold
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::u16string faceName;       // at most 31 characters are meaningful

    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

// Pitch and family bits.
constexpr std::uint8_t DEFAULT_PITCH = 0;
constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;
constexpr std::uint8_t FF_DONTCARE = 0x00;
constexpr std::uint8_t FF_ROMAN = 0x10;
constexpr std::uint8_t FF_SWISS = 0x20;
constexpr std::uint8_t FF_MODERN = 0x30;
constexpr std::uint8_t FF_SCRIPT = 0x40;
constexpr std::uint8_t FF_DECORATIVE = 0x50;
constexpr std::int32_t FW_NORMAL = 400;
constexpr std::int32_t FW_BOLD = 700;
constexpr std::uint8_t NONANTIALIASED_QUALITY = 3;
constexpr std::uint8_t ANTIALIASED_QUALITY = 4;

// Makes the Qt font for a record. Sizes are pixel sizes, so layouts do not
// depend on the screen's DPI. A face that is not installed ("MS Sans Serif")
// is replaced by an installed face of the same family kind (sans-serif unless
// the record asks for roman or fixed pitch); the record keeps its own name.
QFont MakeQFont(const LOGFONT& lf);

// The record for a Qt font (the font chooser's answer): height = -pixel size,
// weight, italic, underline, strike-out, pitch and family from the font's
// style hint and fixed pitch, face = family; the precision fields get the
// values the platform's chooser fills in (out 3, clip 2, quality 1).
LOGFONT MakeLogFont(const QFont& font);

// The Windows way of a font's average character width and height (the dialog
// base units of a dialog in that font).
CSize DialogBaseUnits(const QFont& font);

// The installed family MakeQFont uses for a face name and pitch/family byte.
QString InstalledFaceFor(const QString& face, std::uint8_t pitchAndFamily);
