#include "bmp_writer.h"

#include <algorithm>
#include <cstdint>

namespace kestrone::skinart {
namespace {

void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string Row(const SkinBitmap& b, int y, const BmpOptions& o, size_t stride) {
    std::string row(stride, '\0');
    for (int x = 0; x < b.width; ++x) {
        const uint32_t p = b.At(x, y);
        switch (o.bits) {
            case 1:
            case 4:
            case 8: {
                const auto it = std::find(o.palette.begin(), o.palette.end(), p);
                const uint32_t index = it == o.palette.end() ? 0 : static_cast<uint32_t>(it - o.palette.begin());
                const int bitPos = x * o.bits;
                const int shift = 8 - o.bits - bitPos % 8;
                row[bitPos / 8] = static_cast<char>(static_cast<uint8_t>(row[bitPos / 8]) | index << shift);
                break;
            }
            case 16: {
                const uint32_t v = ((p >> 19) & 0x1F) << 10 | ((p >> 11) & 0x1F) << 5 | ((p >> 3) & 0x1F);
                row[x * 2] = static_cast<char>(v & 0xFF);
                row[x * 2 + 1] = static_cast<char>(v >> 8);
                break;
            }
            case 24:
                row[x * 3] = static_cast<char>(p & 0xFF);
                row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
                row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
                break;
            default:
                for (int i = 0; i < 4; ++i) row[x * 4 + i] = static_cast<char>((p >> (8 * i)) & 0xFF);
        }
    }
    return row;
}

}  // namespace

std::string EncodeBmp(const SkinBitmap& b, const BmpOptions& o) {
    const size_t stride = ((static_cast<size_t>(b.width) * o.bits + 31) / 32) * 4;
    const uint32_t paletteCount = o.bits <= 8 ? static_cast<uint32_t>(o.palette.size()) : 0;
    const uint32_t pixelsAt = 14 + 40 + paletteCount * 4;
    const uint32_t imageSize = static_cast<uint32_t>(stride * b.height);
    std::string out = "BM";
    Put32(out, pixelsAt + imageSize);
    Put32(out, 0);
    Put32(out, pixelsAt);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(b.width));
    Put32(out, static_cast<uint32_t>(o.topDown ? -b.height : b.height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(o.bits));
    Put32(out, 0);  // uncompressed
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, paletteCount);
    Put32(out, 0);
    for (uint32_t i = 0; i < paletteCount; ++i) Put32(out, o.palette[i]);
    for (int i = 0; i < b.height; ++i) out += Row(b, o.topDown ? i : b.height - 1 - i, o, stride);
    return out;
}

}  // namespace kestrone::skinart
