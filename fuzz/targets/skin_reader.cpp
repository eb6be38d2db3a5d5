// The container reader on arbitrary unpacked bytes, then every lookup.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/skin/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kestrone::TSkinReader reader;
    if (!reader.ReadUnpacked(std::string(reinterpret_cast<const char*>(data), size))) return 0;
    uint64_t total = 0;
    for (uint32_t entrySize : reader.Sizes()) total += entrySize;
    for (const std::string& name : reader.Names()) {
        if (reader.Entry(name).size() > size) __builtin_trap();
    }
    std::string bytes, name;
    reader.FindContaining(".ini", bytes, name);
    if (total > size) __builtin_trap();  // entries can only hold bytes that were there
    return 0;
}
