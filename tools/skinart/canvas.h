// A small drawing surface for the skin art: fills, gradients, outlines and
// anti-aliased shapes (rounded rectangles, circles, strokes) over SkinBitmap.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/skin/skin_bitmap.h"

namespace kestrone::skinart {

// An RGB colour as the art works with it.
struct Rgb {
    int r = 0, g = 0, b = 0;
    uint32_t Pixel() const { return static_cast<uint32_t>(r << 16 | g << 8 | b); }
};
Rgb FromHex(uint32_t hex);                       // 0xRRGGBB
Rgb Mix(Rgb a, Rgb b, double t);                 // t = 0 gives a, 1 gives b
inline const Rgb kMagenta{255, 0, 255};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill);
    explicit Canvas(SkinBitmap bitmap) : bitmap_(std::move(bitmap)) {}

    int Width() const { return bitmap_.width; }
    int Height() const { return bitmap_.height; }
    const SkinBitmap& Bitmap() const { return bitmap_; }
    SkinBitmap& Bitmap() { return bitmap_; }

    void Set(int x, int y, Rgb c);
    // Blends `c` over the pixel with coverage 0..1.
    void Blend(int x, int y, Rgb c, double coverage);
    void FillRect(int x, int y, int w, int h, Rgb c);
    void HLine(int x, int y, int w, Rgb c) { FillRect(x, y, w, 1, c); }
    void VLine(int x, int y, int h, Rgb c) { FillRect(x, y, 1, h, c); }
    void Outline(int x, int y, int w, int h, Rgb c);
    // Top-to-bottom (or left-to-right) gradient.
    void Gradient(int x, int y, int w, int h, Rgb from, Rgb to, bool horizontal = false);

    // Anti-aliased shapes, sampled 4 x 4 per pixel inside the bounding box.
    void FillShape(int x, int y, int w, int h, Rgb c,
                   const std::function<bool(double, double)>& inside);
    void FillRoundRect(double x, double y, double w, double h, double radius, Rgb c);
    // A rounded outline of the given thickness, drawn inside the rectangle.
    void StrokeRoundRect(double x, double y, double w, double h, double radius, double thickness,
                         Rgb c);
    void FillRoundRectGradient(double x, double y, double w, double h, double radius, Rgb top,
                               Rgb bottom);
    void FillCircle(double cx, double cy, double radius, Rgb c);
    // A stroke with round ends from (x1, y1) to (x2, y2).
    void Stroke(double x1, double y1, double x2, double y2, double width, Rgb c);

    // Pastes another canvas at (x, y).
    void Paste(int x, int y, const Canvas& other);

private:
    SkinBitmap bitmap_;
};

// Whether (px, py) lies in a rounded rectangle.
bool InRoundRect(double px, double py, double x, double y, double w, double h, double radius);

}  // namespace kestrone::skinart
