// The LZHUF decoder on arbitrary packed skins: size field and bit stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/skin/lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view packed(reinterpret_cast<const char*>(data), size);
    std::string unpacked;
    // A small limit keeps each run short; the bound on what a stream can
    // encode is exercised either way.
    if (kestrone::UnpackSkin(packed, unpacked, 1 << 20) && unpacked.size() > (1u << 20)) __builtin_trap();
    return 0;
}
