// Writes SkinBitmaps as BMP files: 24-bit for the skin art, and every other
// depth the skin reader accepts, so tests can feed it each of them.
#pragma once

#include <string>
#include <vector>

#include "ui/skin/skin_bitmap.h"

namespace kestrone::skinart {

struct BmpOptions {
    int bits = 24;           // 1, 4, 8 (palette), 16 (5-5-5), 24 or 32
    bool topDown = false;    // negative height
    // For 1, 4 and 8 bits: the colours (0x00RRGGBB); every pixel must be in it.
    std::vector<uint32_t> palette;
};

std::string EncodeBmp(const SkinBitmap& bitmap, const BmpOptions& options = {});

}  // namespace kestrone::skinart
