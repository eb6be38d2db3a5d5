#include "skin_container.h"

namespace kestrone::skinpack {
namespace {

void Put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string BuildContainer(const std::vector<ContainerEntry>& entries, uint32_t format) {
    std::string names;
    for (const ContainerEntry& e : entries) names += e.name + "\r\n";
    std::string out;
    Put32(out, format);
    Put32(out, static_cast<uint32_t>(names.size()));
    Put32(out, 0);
    Put32(out, 0);
    if (format == 30000) out.append(256, '\0');
    out += names;
    for (const ContainerEntry& e : entries) Put32(out, static_cast<uint32_t>(e.bytes.size()));
    for (const ContainerEntry& e : entries) out += e.bytes;
    return out;
}

}  // namespace kestrone::skinpack
