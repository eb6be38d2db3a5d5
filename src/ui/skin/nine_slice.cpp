#include "ui/skin/nine_slice.h"

#include <algorithm>

namespace kestrone {

Margins EffectiveMargins(Margins m, int frameWidth, int frameHeight, int width, int height) {
    m.left = std::clamp(m.left, 0, frameWidth);
    m.right = std::clamp(m.right, 0, frameWidth - m.left);
    m.top = std::clamp(m.top, 0, frameHeight);
    m.bottom = std::clamp(m.bottom, 0, frameHeight - m.top);
    if (width < m.left + m.right) m.left = m.right = 0;
    if (height < m.top + m.bottom) m.top = m.bottom = 0;
    return m;
}

std::vector<Slice> NineSlices(int fw, int fh, int width, int height, Margins margins,
                              bool tileCentre, int dpi) {
    Margins m = EffectiveMargins(margins, fw, fh, fw, fh);
    Margins t{ScaleToDpi(m.left, dpi), ScaleToDpi(m.top, dpi), ScaleToDpi(m.right, dpi),
              ScaleToDpi(m.bottom, dpi)};
    // A destination too small for the margins drops them, as at 96 DPI.
    if (width < t.left + t.right) m.left = m.right = t.left = t.right = 0;
    if (height < t.top + t.bottom) m.top = m.bottom = t.top = t.bottom = 0;
    // Source and target spans of the three columns and the three rows.
    const int sx[4] = {0, m.left, fw - m.right, fw};
    const int tx[4] = {0, t.left, width - t.right, width};
    const int sy[4] = {0, m.top, fh - m.bottom, fh};
    const int ty[4] = {0, t.top, height - t.bottom, height};
    std::vector<Slice> slices;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            Slice s;
            s.source = {sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]};
            s.target = {tx[col], ty[row], tx[col + 1] - tx[col], ty[row + 1] - ty[row]};
            s.centre = row == 1 && col == 1;
            s.tile = tileCentre && s.centre;
            if (s.source.width <= 0 || s.source.height <= 0) continue;
            if (s.target.width <= 0 || s.target.height <= 0) continue;
            slices.push_back(s);
        }
    }
    return slices;
}

namespace {

void Put(SkinBitmap& target, int x, int y, uint32_t pixel, bool transparent) {
    if (x < 0 || y < 0 || x >= target.width || y >= target.height) return;
    if (transparent && pixel == kMagentaPixel) return;
    target.At(x, y) = pixel;
}

}  // namespace

void PaintNineSlice(SkinBitmap& target, int x, int y, int width, int height,
                    const SkinBitmap& source, int frameCount, int frame, bool stacked,
                    Margins margins, bool tileCentre, bool transparent) {
    if (source.Empty() || width <= 0 || height <= 0) return;
    const FrameRect f = FrameOf(source, frameCount, frame, stacked);
    if (f.width <= 0 || f.height <= 0) return;
    for (const Slice& s : NineSlices(f.width, f.height, width, height, margins, tileCentre)) {
        for (int ty = 0; ty < s.target.height; ++ty) {
            const int sy = s.tile ? ty % s.source.height
                                  : static_cast<int>(int64_t{ty} * s.source.height / s.target.height);
            for (int tx = 0; tx < s.target.width; ++tx) {
                const int sx = s.tile ? tx % s.source.width
                                      : static_cast<int>(int64_t{tx} * s.source.width / s.target.width);
                const uint32_t pixel = source.At(f.x + s.source.x + sx, f.y + s.source.y + sy);
                Put(target, x + s.target.x + tx, y + s.target.y + ty, pixel, transparent);
            }
        }
    }
}

void PaintBitmap(SkinBitmap& target, int x, int y, const SkinBitmap& source,
                 const FrameRect& frame, bool transparent) {
    for (int row = 0; row < frame.height; ++row) {
        for (int col = 0; col < frame.width; ++col) {
            Put(target, x + col, y + row, source.At(frame.x + col, frame.y + row), transparent);
        }
    }
}

}  // namespace kestrone
