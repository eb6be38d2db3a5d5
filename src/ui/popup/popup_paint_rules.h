// The arithmetic of painting a popup: gradient colours, the rounding the
// layout uses, where the text label goes, and the tiles of a background image.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/popup/popup_geometry.h"

namespace kestrone::ui {

// A colour as 0x00BBGGRR (red in the low byte).
using TColor = std::uint32_t;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clBlue = 0xFF0000;

constexpr TColor RGBColor(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int MulDivRound(int a, int b, int c);
// x / 2 rounded to the nearest integer, halves to the even neighbour.
int HalfRoundEven(int x);

// Row (or column) i of n: c1 + (c2 - c1) * i / n per channel, kept to 8 bits.
// Row 0 is c1 and row n is c2; n of 0 gives c1.
TColor GetGradientColor(TColor c1, TColor c2, int i, int n);

// The text label inside the panel: 18 from the left, centred vertically + 5.
PopupBounds LayoutTextBounds(int panelWidth, int panelHeight, int textWidth, int textHeight);

// Top-left corners of a tiled image over a surface, columns outer, rows inner.
std::vector<PopupBounds> TileOrigins(int surfaceWidth, int surfaceHeight, int imageWidth,
                                     int imageHeight);

}  // namespace kestrone::ui
