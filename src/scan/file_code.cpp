// File codes: reading a file piece by piece through the CRC, and the text form.
#include "scan/file_code.h"

#include <cstdio>
#include <memory>

#include "platform/files.h"
#include "scan/crc/crc32_engine.h"

namespace kestrone {

uint32_t Crc32Update(uint32_t crc, const void* data, size_t size) {
    return crc::Crc32UpdateUsing(crc::ActiveCrc32Engine(), crc, data, size);
}

uint32_t Crc32(const void* data, size_t size) {
    return ~Crc32Update(0xFFFFFFFFu, data, size);
}

uint32_t FileCrc32(const std::string& path) {
    platform::FileStream file;
    if (!file.Open(path, platform::FileStream::Mode::Read)) return 0;
    // Not zero-filled: every byte used has just been read.
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[kFileCodeChunkSize]);
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t n; (n = file.Read(buffer.get(), kFileCodeChunkSize)) > 0;) {
        crc = Crc32Update(crc, buffer.get(), n);
    }
    return ~crc;
}

std::string FormatFileCode(uint32_t crc) {
    char text[16];
    int length = std::snprintf(text, sizeof text, "%4.4X", static_cast<unsigned>(crc));
    std::string code(text, length > 0 ? static_cast<size_t>(length) : 0);
    if (code.size() == 7) code.insert(code.begin(), '0');
    return code;
}

std::string GetFileCode(const std::string& path) {
    if (!platform::FileExists(path)) return std::string();
    return FormatFileCode(FileCrc32(path));
}

}  // namespace kestrone
