// File codes: the CRC-32 (IEEE 802.3) of a whole file written as upper-case
// hexadecimal text of 4, 5, 6 or 8 digits. A file code is how the definitions
// name a threat file, and it is computed for every candidate file of a scan,
// so the CRC runs on the fastest engine the processor offers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrone {

// Files are read in pieces of this many bytes.
inline constexpr size_t kFileCodeChunkSize = 65521;

// Runs bytes through the CRC register (reflected polynomial 0xEDB88320). No
// complement is applied: start from 0xFFFFFFFF and complement the end result
// for the CRC-32 of the data, or pass the register on to continue with more data.
uint32_t Crc32Update(uint32_t crc, const void* data, size_t size);
// The complete CRC-32 of a block ("123456789" gives 0xCBF43926).
uint32_t Crc32(const void* data, size_t size);

// The CRC-32 of a file's content; 0 when the file cannot be opened for reading.
uint32_t FileCrc32(const std::string& path);
// "%4.4X", with one "0" in front of a seven-digit result: 0012, ABCDE, 0ABCDEF1.
std::string FormatFileCode(uint32_t crc);
// The file's code; empty when no such file exists, "0000" when it exists but
// cannot be opened.
std::string GetFileCode(const std::string& path);

}  // namespace kestrone
