#pragma once

#include <QRgb>

#include <array>

namespace bitmaps {

// The sixteen colours every display of the time could show; the tree, placeholder and flag
// bitmaps use nothing else.
namespace vga {
inline constexpr QRgb black = 0xFF000000;
inline constexpr QRgb maroon = 0xFF800000;
inline constexpr QRgb green = 0xFF008000;
inline constexpr QRgb olive = 0xFF808000;
inline constexpr QRgb navy = 0xFF000080;
inline constexpr QRgb purple = 0xFF800080;
inline constexpr QRgb teal = 0xFF008080;
inline constexpr QRgb silver = 0xFFC0C0C0;
inline constexpr QRgb grey = 0xFF808080;
inline constexpr QRgb red = 0xFFFF0000;
inline constexpr QRgb lime = 0xFF00FF00;
inline constexpr QRgb yellow = 0xFFFFFF00;
inline constexpr QRgb blue = 0xFF0000FF;
inline constexpr QRgb fuchsia = 0xFFFF00FF;
inline constexpr QRgb aqua = 0xFF00FFFF;
inline constexpr QRgb white = 0xFFFFFFFF;

inline constexpr std::array<QRgb, 16> all = {black, maroon, green, olive, navy, purple,
                                             teal,  silver, grey,  red,   lime, yellow,
                                             blue,  fuchsia, aqua, white};
}  // namespace vga

// Light grey is the transparent colour of the tree strips, the placeholders and the flags.
inline constexpr QRgb kMaskGrey = vga::silver;

}  // namespace bitmaps
