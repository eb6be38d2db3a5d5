// Which carry-less multiplication kernels this processor can run. A kernel
// needs both the instructions (CPUID) and, for the wide vectors, the system's
// promise to save those registers on a task switch (XGETBV).
#include "scan/crc/crc32_kernels.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace kestrone::crc {
namespace {

#if defined(__i386__) || defined(__x86_64__)

constexpr uint64_t kStateSse = 1u << 1, kStateAvx = 1u << 2;
constexpr uint64_t kStateAvx512 =
    (1u << 5) | (1u << 6) | (1u << 7);  // opmask, ZMM upper halves, ZMM16-31

uint64_t EnabledRegisterState() {
    uint32_t low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<uint64_t>(high) << 32) | low;
}

CpuFeatures Detect() {
    CpuFeatures features;
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return features;
    const bool pclmul = (c & bit_PCLMUL) != 0, sse41 = (c & bit_SSE4_1) != 0;
    const bool osxsave = (c & bit_OSXSAVE) != 0, avx = (c & bit_AVX) != 0;
    features.clmul = pclmul && sse41;
    if (!features.clmul || !osxsave || !avx || __get_cpuid_max(0, nullptr) < 7) return features;

    unsigned b7 = 0, c7 = 0;
    __cpuid_count(7, 0, a, b7, c7, d);
    const uint64_t state = EnabledRegisterState();
    const bool ymm = (state & (kStateSse | kStateAvx)) == (kStateSse | kStateAvx);
    const bool zmm = ymm && (state & kStateAvx512) == kStateAvx512;
    const bool vpclmul = (c7 & bit_VPCLMULQDQ) != 0;
    features.vpclmul256 = vpclmul && ymm && (b7 & bit_AVX2) != 0;
    features.vpclmul512 = features.vpclmul256 && zmm && (b7 & bit_AVX512F) != 0;
    return features;
}

#else

CpuFeatures Detect() {
    return {};
}

#endif

}  // namespace

const CpuFeatures& ProcessorFeatures() {
    static const CpuFeatures features = Detect();
    return features;
}

}  // namespace kestrone::crc
