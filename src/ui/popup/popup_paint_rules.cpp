#include "ui/popup/popup_paint_rules.h"

#include <cstdint>
#include <cstdlib>

namespace kestrone::ui {

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) * 2 + std::llabs(c)) / (2 * std::llabs(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int HalfRoundEven(int x) {
    const int floorHalf = (x >= 0) ? x / 2 : -((-x + 1) / 2);
    if (x % 2 == 0) return floorHalf;
    // Exactly halfway between floorHalf and floorHalf + 1: take the even one.
    return (floorHalf % 2 == 0) ? floorHalf : floorHalf + 1;
}

TColor GetGradientColor(TColor c1, TColor c2, int i, int n) {
    if (n == 0) return c1;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int from = static_cast<int>((c1 >> shift) & 0xFF);
        const int to = static_cast<int>((c2 >> shift) & 0xFF);
        const int channel = (from + MulDivRound(i, to - from, n)) & 0xFF;
        result |= static_cast<TColor>(channel) << shift;
    }
    return result;
}

PopupBounds LayoutTextBounds(int panelWidth, int panelHeight, int textWidth, int textHeight) {
    const int labelWidth = panelWidth - 15;
    PopupBounds b;
    b.left = HalfRoundEven(panelWidth - labelWidth) + 10;
    b.top = HalfRoundEven(panelHeight - textHeight) + 5;
    b.width = textWidth;  // the label sizes itself to its text
    b.height = textHeight;
    return b;
}

std::vector<PopupBounds> TileOrigins(int surfaceWidth, int surfaceHeight, int imageWidth,
                                     int imageHeight) {
    std::vector<PopupBounds> tiles;
    if (imageWidth <= 0 || imageHeight <= 0) return tiles;
    for (int x = 0; x < surfaceWidth; x += imageWidth) {
        for (int y = 0; y < surfaceHeight; y += imageHeight) {
            tiles.push_back({x, y, imageWidth, imageHeight});
        }
    }
    return tiles;
}

}  // namespace kestrone::ui
