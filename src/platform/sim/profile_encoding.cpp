#include "platform/sim/profile_encoding.h"

namespace kestrone::platform::sim_profile {

namespace {
constexpr char kUtf16Mark[] = "\xFF\xFE";
}

std::string DecodeProfileText(const std::string& bytes, bool& wide) {
    wide = bytes.size() >= 2 && bytes.compare(0, 2, kUtf16Mark) == 0;
    if (!wide) return bytes;
    std::string text;
    text.reserve(bytes.size() / 2);
    // An odd last byte is half a character and is dropped.
    for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
        unsigned unit = static_cast<unsigned char>(bytes[at]) |
                        (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
        text.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    }
    return text;
}

std::string EncodeProfileText(const std::string& text, bool wide) {
    if (!wide) return text;
    std::string bytes(kUtf16Mark, 2);
    bytes.reserve(2 + text.size() * 2);
    for (char c : text) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

}  // namespace kestrone::platform::sim_profile
