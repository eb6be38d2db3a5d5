// Reads the BMP files a skin carries (1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed or with bit-field masks, bottom-up or top-down) into 32-bit
// pixels. Every size is checked against the bytes present before it is used.
#pragma once

#include <string_view>

#include "ui/skin/skin_bitmap.h"

namespace kestrone {

// The largest picture a skin may carry (pixels); larger ones are refused.
inline constexpr long long kMaxSkinBitmapPixels = 16LL * 1024 * 1024;

// False (and `out` empty) for anything that is not a complete, supported BMP.
bool DecodeBmp(std::string_view bytes, SkinBitmap& out);

}  // namespace kestrone
