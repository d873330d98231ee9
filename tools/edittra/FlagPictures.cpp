#include "FlagPictures.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr COLORREF Rgb(unsigned r, unsigned g, unsigned b)
{
    return r | (g << 8) | (b << 16);
}

constexpr int kSide = CLanguageFile::kFlagSide;

// Three equal bands, top to bottom, or left to right when vertical.
FlagPixels ThreeBands(const std::array<COLORREF, 3>& colours, bool vertical)
{
    FlagPixels pixels{};
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c)
            pixels[r * kSide + c] = colours[(vertical ? c : r) * 3 / kSide];
    return pixels;
}

} // namespace

FlagPixels GermanFlag()
{
    return ThreeBands({Rgb(0, 0, 0), Rgb(221, 0, 0), Rgb(255, 206, 0)}, false);
}

FlagPixels UnionFlag()
{
    constexpr COLORREF blue = Rgb(1, 33, 105);
    constexpr COLORREF white = Rgb(255, 255, 255);
    constexpr COLORREF red = Rgb(200, 16, 46);
    FlagPixels pixels{};
    for (int r = 0; r < kSide; ++r) {
        for (int c = 0; c < kSide; ++c) {
            // Twice the distance from the centre lines, so the square's middle is a whole number.
            const int dx = std::abs(2 * c - (kSide - 1));
            const int dy = std::abs(2 * r - (kSide - 1));
            const int diagonal = std::min(std::abs(2 * c - 2 * r), std::abs(2 * c + 2 * r - 2 * (kSide - 1)));
            COLORREF colour = blue;
            if (diagonal <= 6)
                colour = white;
            if (diagonal <= 2)
                colour = red;
            if (dx <= 9 || dy <= 9)
                colour = white;
            if (dx <= 5 || dy <= 5)
                colour = red;
            pixels[r * kSide + c] = colour;
        }
    }
    return pixels;
}

FlagPixels FrenchFlag()
{
    return ThreeBands({Rgb(0, 35, 149), Rgb(255, 255, 255), Rgb(237, 41, 57)}, true);
}
