// A skin bitmap held as 32-bit pixels, top row first, each pixel 0x00RRGGBB
// (the byte order of a 32-bit top-down DIB, so window code can blit it as is).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrone {

// A Windows colour value: 0x00BBGGRR.
using TColor = int32_t;
inline constexpr TColor kNoColour = -1;
inline constexpr uint32_t kMagentaPixel = 0x00FF00FF;  // the transparent colour

constexpr TColor RGBColour(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr uint32_t PixelOf(TColor c) {
    return static_cast<uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c));
}
constexpr TColor ColourOf(uint32_t pixel) {
    return RGBColour((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

struct SkinBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height

    SkinBitmap() = default;
    SkinBitmap(int w, int h, uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const SkinBitmap&) const = default;
};

// Where frame k (from 1) of a bitmap lies: frames side by side, or stacked.
struct FrameRect {
    int x = 0, y = 0, width = 0, height = 0;
};
FrameRect FrameOf(const SkinBitmap& bitmap, int frameCount, int frame, bool stacked);

// A copy of one rectangle of a bitmap (clipped to the bitmap).
SkinBitmap CropBitmap(const SkinBitmap& source, int x, int y, int width, int height);

}  // namespace kestrone
