// CRC-32 by carry-less multiplication (PCLMULQDQ): four 128-bit accumulators
// are folded forward over the data, then reduced to one, whose sixteen bytes
// the table kernel finishes together with the tail.
#include "scan/crc/crc32_kernels.h"

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#define KESTRONE_CLMUL __attribute__((target("pclmul,sse4.1")))

namespace kestrone::crc {
namespace {

KESTRONE_CLMUL inline __m128i Load(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

KESTRONE_CLMUL inline __m128i Multipliers(FoldPair pair) {
    return _mm_set_epi64x(static_cast<long long>(pair.high), static_cast<long long>(pair.low));
}

// Carries x forward by the distance of k and adds the data found there.
KESTRONE_CLMUL inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
    __m128i low = _mm_clmulepi64_si128(x, k, 0x00);
    __m128i high = _mm_clmulepi64_si128(x, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

}  // namespace

KESTRONE_CLMUL uint32_t UpdateClmul(uint32_t crc, const unsigned char* data, size_t size) {
    if (size < 64) return UpdateSlicing(crc, data, size);
    const __m128i by512 = Multipliers(FoldDistance(512));
    const __m128i by128 = Multipliers(FoldDistance(128));

    // The register enters as the first four bytes of the data, added in.
    __m128i x0 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x1 = Load(data + 16);
    __m128i x2 = Load(data + 32);
    __m128i x3 = Load(data + 48);
    data += 64;
    size -= 64;
    for (; size >= 64; data += 64, size -= 64) {
        x0 = Fold(x0, by512, Load(data));
        x1 = Fold(x1, by512, Load(data + 16));
        x2 = Fold(x2, by512, Load(data + 32));
        x3 = Fold(x3, by512, Load(data + 48));
    }
    __m128i x = Fold(Fold(Fold(x0, by128, x1), by128, x2), by128, x3);
    for (; size >= 16; data += 16, size -= 16) x = Fold(x, by128, Load(data));

    alignas(16) unsigned char folded[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(folded), x);
    return UpdateSlicing(UpdateSlicing(0, folded, sizeof folded), data, size);
}

}  // namespace kestrone::crc

#else

namespace kestrone::crc {
uint32_t UpdateClmul(uint32_t crc, const unsigned char* data, size_t size) {
    return UpdateSlicing(crc, data, size);
}
}  // namespace kestrone::crc

#endif
