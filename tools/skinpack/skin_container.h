// Writes the skin container that the program's skin reader splits: header,
// entry names, sizes and the entries' bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone::skinpack {

struct ContainerEntry {
    std::string name;
    std::string bytes;
};

// Format 20000, or 30000 with its 256-byte block (zero-filled).
std::string BuildContainer(const std::vector<ContainerEntry>& entries, uint32_t format = 20000);

}  // namespace kestrone::skinpack
