// CRC-32 by carry-less multiplication on wide vectors (VPCLMULQDQ): the same
// folding as the 128-bit kernel, with every lane of a 256- or 512-bit register
// folding its own 128-bit slice. Four accumulators cover 128 or 256 bytes per
// step; the lanes are then reduced to one 128-bit value.
#include "scan/crc/crc32_kernels.h"

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#define KESTRONE_VPCLMUL256 __attribute__((target("avx2,vpclmulqdq,pclmul")))
#define KESTRONE_VPCLMUL512 __attribute__((target("avx512f,avx2,vpclmulqdq,pclmul")))

namespace kestrone::crc {
namespace {

// Finishes a folded 128-bit value and the data that did not fill a vector.
uint32_t FinishFolded(const unsigned char (&folded)[16], const unsigned char* data, size_t size) {
    return UpdateSlicing(UpdateSlicing(0, folded, sizeof folded), data, size);
}

// ---- 256-bit vectors ----

KESTRONE_VPCLMUL256 inline __m256i Load256(const unsigned char* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

KESTRONE_VPCLMUL256 inline __m256i Multipliers256(FoldPair pair) {
    return _mm256_broadcastsi128_si256(
        _mm_set_epi64x(static_cast<long long>(pair.high), static_cast<long long>(pair.low)));
}

KESTRONE_VPCLMUL256 inline __m256i Fold256(__m256i x, __m256i k, __m256i next) {
    __m256i low = _mm256_clmulepi64_epi128(x, k, 0x00);
    __m256i high = _mm256_clmulepi64_epi128(x, k, 0x11);
    return _mm256_xor_si256(_mm256_xor_si256(low, high), next);
}

// ---- 512-bit vectors ----

KESTRONE_VPCLMUL512 inline __m512i Load512(const unsigned char* p) {
    return _mm512_loadu_si512(reinterpret_cast<const void*>(p));
}

KESTRONE_VPCLMUL512 inline __m512i Multipliers512(FoldPair pair) {
    const auto high = static_cast<long long>(pair.high), low = static_cast<long long>(pair.low);
    return _mm512_set_epi64(high, low, high, low, high, low, high, low);
}

// The 128-bit lane `index` of a stored 512-bit vector.
KESTRONE_VPCLMUL512 inline __m128i Lane(const unsigned char* vector, int index) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(vector + 16 * index));
}

KESTRONE_VPCLMUL512 inline __m512i Fold512(__m512i x, __m512i k, __m512i next) {
    __m512i low = _mm512_clmulepi64_epi128(x, k, 0x00);
    __m512i high = _mm512_clmulepi64_epi128(x, k, 0x11);
    return _mm512_ternarylogic_epi64(low, high, next, 0x96);  // three-way exclusive or
}

}  // namespace

KESTRONE_VPCLMUL256 uint32_t UpdateVpclmul256(uint32_t crc, const unsigned char* data,
                                              size_t size) {
    if (size < 128) return UpdateClmul(crc, data, size);
    const __m256i by1024 = Multipliers256(FoldDistance(1024));
    const __m256i by256 = Multipliers256(FoldDistance(256));

    __m256i first = _mm256_zextsi128_si256(_mm_cvtsi32_si128(static_cast<int>(crc)));
    __m256i x0 = _mm256_xor_si256(Load256(data), first);
    __m256i x1 = Load256(data + 32);
    __m256i x2 = Load256(data + 64);
    __m256i x3 = Load256(data + 96);
    data += 128;
    size -= 128;
    for (; size >= 128; data += 128, size -= 128) {
        x0 = Fold256(x0, by1024, Load256(data));
        x1 = Fold256(x1, by1024, Load256(data + 32));
        x2 = Fold256(x2, by1024, Load256(data + 64));
        x3 = Fold256(x3, by1024, Load256(data + 96));
    }
    __m256i x = Fold256(Fold256(Fold256(x0, by256, x1), by256, x2), by256, x3);
    for (; size >= 32; data += 32, size -= 32) x = Fold256(x, by256, Load256(data));

    // The earlier lane travels 128 bits to meet the later one.
    const __m128i by128 = _mm_set_epi64x(static_cast<long long>(FoldDistance(128).high),
                                         static_cast<long long>(FoldDistance(128).low));
    __m128i early = _mm256_castsi256_si128(x);
    __m128i late = _mm256_extracti128_si256(x, 1);
    __m128i folded = _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(early, by128, 0x00),
                                                 _mm_clmulepi64_si128(early, by128, 0x11)),
                                   late);
    alignas(16) unsigned char bytes[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), folded);
    return FinishFolded(bytes, data, size);
}

KESTRONE_VPCLMUL512 uint32_t UpdateVpclmul512(uint32_t crc, const unsigned char* data,
                                              size_t size) {
    if (size < 256) return UpdateClmul(crc, data, size);
    const __m512i by2048 = Multipliers512(FoldDistance(2048));
    const __m512i by512 = Multipliers512(FoldDistance(512));

    __m512i first = _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(crc)));
    __m512i x0 = _mm512_xor_si512(Load512(data), first);
    __m512i x1 = Load512(data + 64);
    __m512i x2 = Load512(data + 128);
    __m512i x3 = Load512(data + 192);
    data += 256;
    size -= 256;
    for (; size >= 256; data += 256, size -= 256) {
        x0 = Fold512(x0, by2048, Load512(data));
        x1 = Fold512(x1, by2048, Load512(data + 64));
        x2 = Fold512(x2, by2048, Load512(data + 128));
        x3 = Fold512(x3, by2048, Load512(data + 192));
    }
    __m512i x = Fold512(Fold512(Fold512(x0, by512, x1), by512, x2), by512, x3);
    for (; size >= 64; data += 64, size -= 64) x = Fold512(x, by512, Load512(data));

    // Lanes 0, 1 and 2 travel 384, 256 and 128 bits to meet lane 3, which
    // stays where it is (its multipliers are zero, its own value is added).
    const FoldPair d384 = FoldDistance(384), d256 = FoldDistance(256), d128 = FoldDistance(128);
    const __m512i toLast =
        _mm512_set_epi64(0, 0, static_cast<long long>(d128.high), static_cast<long long>(d128.low),
                         static_cast<long long>(d256.high), static_cast<long long>(d256.low),
                         static_cast<long long>(d384.high), static_cast<long long>(d384.low));
    alignas(64) unsigned char moved[64], last[64];
    _mm512_store_si512(moved, Fold512(x, toLast, _mm512_setzero_si512()));
    _mm512_store_si512(last, x);
    __m128i folded = _mm_xor_si128(_mm_xor_si128(Lane(moved, 0), Lane(moved, 1)),
                                   _mm_xor_si128(Lane(moved, 2), Lane(last, 3)));
    alignas(16) unsigned char bytes[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), folded);
    return FinishFolded(bytes, data, size);
}

}  // namespace kestrone::crc

#else

namespace kestrone::crc {
uint32_t UpdateVpclmul256(uint32_t crc, const unsigned char* data, size_t size) {
    return UpdateSlicing(crc, data, size);
}
uint32_t UpdateVpclmul512(uint32_t crc, const unsigned char* data, size_t size) {
    return UpdateSlicing(crc, data, size);
}
}  // namespace kestrone::crc

#endif
