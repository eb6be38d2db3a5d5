// The individual CRC-32 kernels and the processor checks that guard them.
// Every kernel updates the bare CRC register (reflected 0xEDB88320, no
// complement); callers add the initial value and the final complement.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrone::crc {

uint32_t UpdateBytewise(uint32_t crc, const unsigned char* data, size_t size);
uint32_t UpdateSlicing(uint32_t crc, const unsigned char* data, size_t size);

// Kernels using special instructions; only call them when the matching
// Has... check holds. On processors other than x86 they are absent and the
// checks say no.
uint32_t UpdateClmul(uint32_t crc, const unsigned char* data, size_t size);
uint32_t UpdateVpclmul256(uint32_t crc, const unsigned char* data, size_t size);
uint32_t UpdateVpclmul512(uint32_t crc, const unsigned char* data, size_t size);

struct CpuFeatures {
    bool clmul = false;       // PCLMULQDQ and SSE4.1
    bool vpclmul256 = false;  // VPCLMULQDQ with AVX2, YMM state enabled by the system
    bool vpclmul512 = false;  // VPCLMULQDQ with AVX-512F, ZMM state enabled by the system
};
const CpuFeatures& ProcessorFeatures();

// The register after `bits` zero bits run through it from x^0: the remainder
// of x^bits modulo the polynomial, bit-reflected and moved up by one bit, the
// form that carry-less multiplication of reflected operands expects.
constexpr uint64_t FoldConstant(unsigned bits) {
    uint32_t r = 0x80000000u;
    for (unsigned i = 0; i < bits; ++i) r = (r >> 1) ^ ((r & 1u) ? 0xEDB88320u : 0u);
    return static_cast<uint64_t>(r) << 1;
}

// Multipliers that carry a 128-bit lane `distance` bits further along the
// data: the low (earlier) half travels 64 bits further than the high half.
struct FoldPair {
    uint64_t low;
    uint64_t high;
};
constexpr FoldPair FoldDistance(unsigned distance) {
    return {FoldConstant(distance + 32), FoldConstant(distance - 32)};
}

static_assert(FoldDistance(512).low == 0x154442BD4u && FoldDistance(512).high == 0x1C6E41596u,
              "folding multipliers follow the IEEE polynomial");

}  // namespace kestrone::crc
