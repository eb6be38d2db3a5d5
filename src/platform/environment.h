// The process and its surroundings: folders Windows knows, our own executable.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::platform {

// Shell folder identifiers used by the engine.
inline constexpr int kCsidlWindows = 0x24;
inline constexpr int kCsidlSystem = 0x25;
inline constexpr int kCsidlProgramFiles = 0x26;

// The user's temporary folder as the system reports it (GetTempPath, 256 bytes).
std::string GetTempFolder();
// A shell folder's path without trailing backslash; empty when unknown.
std::string GetSpecialFolder(int csidl);
// Full path of the running executable.
std::string GetExecutablePath();
uint32_t GetCurrentProcessIdentifier();

}  // namespace kestrone::platform
