#include "ui/skin/bmp_decoder.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace kestrone {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;

uint32_t U16(std::string_view d, size_t at) {
    return static_cast<uint8_t>(d[at]) | static_cast<uint32_t>(static_cast<uint8_t>(d[at + 1])) << 8;
}
uint32_t U32(std::string_view d, size_t at) { return U16(d, at) | U16(d, at + 2) << 16; }

struct Header {
    int width = 0;
    int height = 0;      // positive
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t paletteCount = 0;
    size_t paletteAt = 0;
    int paletteEntrySize = 4;  // 3 in the old core header
    std::array<uint32_t, 3> masks{};  // red, green, blue
};

// A channel extracted with a bit mask, scaled to 8 bits.
uint32_t Channel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const uint32_t m = mask >> shift;
    const uint32_t v = (value >> shift) & m;
    return m == 0 ? 0 : (v * 255 + m / 2) / m;
}

bool ReadHeader(std::string_view d, Header& h) {
    if (d.size() < kFileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M') return false;
    const uint32_t infoSize = U32(d, kFileHeaderSize);
    if (infoSize < kCoreHeaderSize || kFileHeaderSize + infoSize > d.size()) return false;
    const size_t at = kFileHeaderSize;
    int64_t width, height;
    if (infoSize == kCoreHeaderSize) {
        width = U16(d, at + 4);
        height = static_cast<int16_t>(U16(d, at + 6));
        h.bits = static_cast<int>(U16(d, at + 10));
        h.paletteEntrySize = 3;
        h.paletteCount = h.bits <= 8 ? 1u << h.bits : 0;
    } else {
        if (infoSize < 40) return false;
        width = static_cast<int32_t>(U32(d, at + 4));
        height = static_cast<int32_t>(U32(d, at + 8));
        h.bits = static_cast<int>(U16(d, at + 14));
        h.compression = U32(d, at + 16);
        h.paletteCount = U32(d, at + 32);
        if (h.bits <= 8 && (h.paletteCount == 0 || h.paletteCount > (1u << h.bits))) {
            h.paletteCount = 1u << h.bits;
        }
        if (h.compression == kBiBitfields) {
            const size_t maskAt = infoSize >= 52 ? at + 40 : at + infoSize;
            if (maskAt + 12 > d.size()) return false;
            h.masks = {U32(d, maskAt), U32(d, maskAt + 4), U32(d, maskAt + 8)};
            if (infoSize < 52) h.paletteAt = 12;  // masks sit between header and pixels
        }
    }
    h.paletteAt += at + infoSize;
    h.topDown = height < 0;
    h.height = static_cast<int>(std::llabs(height));
    if (width <= 0 || h.height <= 0 || width * h.height > kMaxSkinBitmapPixels) return false;
    h.width = static_cast<int>(width);
    return true;
}

bool SupportedFormat(Header& h) {
    switch (h.bits) {
        case 1: case 4: case 8: case 24:
            return h.compression == kBiRgb;
        case 16:
            if (h.compression == kBiRgb) h.masks = {0x7C00, 0x03E0, 0x001F};
            return h.compression == kBiRgb || h.compression == kBiBitfields;
        case 32:
            if (h.compression == kBiRgb) h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
            return h.compression == kBiRgb || h.compression == kBiBitfields;
        default:
            return false;
    }
}

uint32_t PixelAt(std::string_view row, const Header& h, const std::vector<uint32_t>& palette,
                 int x) {
    switch (h.bits) {
        case 1:
        case 4:
        case 8: {
            const int bitPos = x * h.bits;
            const int byte = static_cast<uint8_t>(row[bitPos / 8]);
            const int shift = 8 - h.bits - (bitPos % 8);
            const uint32_t index = (byte >> shift) & ((1u << h.bits) - 1);
            return index < palette.size() ? palette[index] : 0;
        }
        case 24: {
            const size_t at = static_cast<size_t>(x) * 3;
            return static_cast<uint8_t>(row[at]) | static_cast<uint8_t>(row[at + 1]) << 8 |
                   static_cast<uint32_t>(static_cast<uint8_t>(row[at + 2])) << 16;
        }
        default: {
            const uint32_t v = h.bits == 16 ? U16(row, static_cast<size_t>(x) * 2)
                                            : U32(row, static_cast<size_t>(x) * 4);
            return Channel(v, h.masks[0]) << 16 | Channel(v, h.masks[1]) << 8 |
                   Channel(v, h.masks[2]);
        }
    }
}

}  // namespace

bool DecodeBmp(std::string_view d, SkinBitmap& out) {
    out = SkinBitmap();
    Header h;
    if (!ReadHeader(d, h) || !SupportedFormat(h)) return false;
    std::vector<uint32_t> palette;
    if (h.bits <= 8) {
        if (h.paletteAt + static_cast<size_t>(h.paletteCount) * h.paletteEntrySize > d.size()) {
            return false;
        }
        for (uint32_t i = 0; i < h.paletteCount; ++i) {
            const size_t at = h.paletteAt + static_cast<size_t>(i) * h.paletteEntrySize;
            palette.push_back(static_cast<uint8_t>(d[at]) | static_cast<uint8_t>(d[at + 1]) << 8 |
                              static_cast<uint32_t>(static_cast<uint8_t>(d[at + 2])) << 16);
        }
    }
    const size_t pixelsAt = U32(d, 10);
    const size_t stride = ((static_cast<size_t>(h.width) * h.bits + 31) / 32) * 4;
    if (pixelsAt > d.size() || stride * h.height > d.size() - pixelsAt) return false;
    SkinBitmap bitmap(h.width, h.height);
    for (int y = 0; y < h.height; ++y) {
        const int sourceRow = h.topDown ? y : h.height - 1 - y;
        const std::string_view row = d.substr(pixelsAt + stride * sourceRow, stride);
        for (int x = 0; x < h.width; ++x) bitmap.At(x, y) = PixelAt(row, h, palette, x);
    }
    out = std::move(bitmap);
    return true;
}

}  // namespace kestrone
