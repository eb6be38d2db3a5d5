// The table-driven CRC-32 kernels, which run on any processor.
#include <bit>
#include <cstring>

#include "scan/crc/crc32_kernels.h"

namespace kestrone::crc {
namespace {

// t[0] is the classic table; t[k][b] is the register contribution of byte b
// followed by k zero bytes.
constexpr int kSliceCount = 16;

struct Tables {
    uint32_t t[kSliceCount][256];
};

constexpr Tables MakeTables() {
    Tables tables{};
    for (uint32_t b = 0; b < 256; ++b) {
        uint32_t r = b;
        for (int bit = 0; bit < 8; ++bit) r = (r >> 1) ^ ((r & 1u) ? 0xEDB88320u : 0u);
        tables.t[0][b] = r;
    }
    for (int k = 1; k < kSliceCount; ++k) {
        for (int b = 0; b < 256; ++b) {
            uint32_t previous = tables.t[k - 1][b];
            tables.t[k][b] = (previous >> 8) ^ tables.t[0][previous & 0xFF];
        }
    }
    return tables;
}

constexpr Tables kTables = MakeTables();
static_assert(kTables.t[0][1] == 0x77073096u && kTables.t[0][255] == 0x2D02EF8Du);

uint32_t LoadLittle32(const unsigned char* p) {
    static_assert(std::endian::native == std::endian::little ||
                  std::endian::native == std::endian::big);
    if constexpr (std::endian::native == std::endian::little) {
        uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    } else {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
}

}  // namespace

uint32_t UpdateBytewise(uint32_t crc, const unsigned char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) crc = kTables.t[0][(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

uint32_t UpdateSlicing(uint32_t crc, const unsigned char* data, size_t size) {
    const auto& t = kTables.t;
    while (size >= 16) {
        uint32_t a = LoadLittle32(data) ^ crc;
        uint32_t b = LoadLittle32(data + 4);
        uint32_t c = LoadLittle32(data + 8);
        uint32_t d = LoadLittle32(data + 12);
        crc = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
              t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
              t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
              t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
        data += 16;
        size -= 16;
    }
    return UpdateBytewise(crc, data, size);
}

}  // namespace kestrone::crc
