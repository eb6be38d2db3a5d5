// The process and its surroundings: folders Windows knows, our own executable.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::platform {

// Shell folder identifiers used by the engine.
inline constexpr int kCsidlWindows = 0x24;
inline constexpr int kCsidlSystem = 0x25;
inline constexpr int kCsidlProgramFiles = 0x26;
// The user's own, not roaming, application data ("AppData\Local").
inline constexpr int kCsidlLocalAppData = 0x1C;

// The user's temporary folder as the system reports it (GetTempPath, 256 bytes).
std::string GetTempFolder();
// A shell folder's path without trailing backslash; empty when unknown.
std::string GetSpecialFolder(int csidl);
// Full path of the running executable.
std::string GetExecutablePath();
// The local date and time as "YYYY-MM-DD HH:MM:SS".
std::string CurrentLocalTimeText();
uint32_t GetCurrentProcessIdentifier();
// The process that owns the desktop window; 0 when it cannot be told. On
// Windows that is a critical system process; elsewhere (Wine) it is the
// program that draws the desktop, and ending it would end every window.
uint32_t GetDesktopHostProcessIdentifier();

}  // namespace kestrone::platform
