#include "ui/skin/skin_bitmap.h"

#include <algorithm>

namespace kestrone {

FrameRect FrameOf(const SkinBitmap& bitmap, int frameCount, int frame, bool stacked) {
    const int count = std::max(frameCount, 1);
    const int k = std::clamp(frame, 1, count);
    if (stacked) {
        const int h = bitmap.height / count;
        return {0, (k - 1) * h, bitmap.width, h};
    }
    const int w = bitmap.width / count;
    return {(k - 1) * w, 0, w, bitmap.height};
}

SkinBitmap CropBitmap(const SkinBitmap& source, int x, int y, int width, int height) {
    const int x0 = std::clamp(x, 0, source.width);
    const int y0 = std::clamp(y, 0, source.height);
    const int x1 = std::clamp(x + width, x0, source.width);
    const int y1 = std::clamp(y + height, y0, source.height);
    SkinBitmap out(x1 - x0, y1 - y0);
    for (int row = y0; row < y1; ++row) {
        std::copy_n(&source.pixels[static_cast<size_t>(row) * source.width + x0], x1 - x0,
                    &out.pixels[static_cast<size_t>(row - y0) * out.width]);
    }
    return out;
}

}  // namespace kestrone
