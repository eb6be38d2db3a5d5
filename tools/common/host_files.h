// Whole-file reads and writes for the host tools (Linux paths, binary bytes).
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace kestrone::tools {

inline bool ReadHostFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return true;
}

inline bool WriteHostFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace kestrone::tools
