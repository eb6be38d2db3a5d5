// Profile (INI) files through the system's profile functions. Every call opens
// the file anew: nothing is cached, so edits made elsewhere are seen at once.
#pragma once

#include <string>
#include <vector>

namespace kestrone::platform {

// Buffer sizes the callers use: one value, and the key list of one section.
inline constexpr size_t kProfileValueBuffer = 2048;
inline constexpr size_t kProfileKeyListBuffer = 16384;

// A value, trimmed and stripped of one pair of enclosing quotes, cut to
// bufferSize-1 characters; the default for a missing file, section or key.
std::string ReadProfileValue(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize = kProfileValueBuffer);

// Writes (creating file, section and key as needed). False when refused.
bool WriteProfileValue(const std::string& section, const std::string& key,
                       const std::string& value, const std::string& path);

// Removes a key (a missing file, section or key is no error). False when refused.
bool DeleteProfileKey(const std::string& section, const std::string& key, const std::string& path);

// The key names of a section in file order, as the system returns them into a
// buffer of the given size (the last name may be cut when the buffer is full).
std::vector<std::string> ReadProfileKeyNames(const std::string& section, const std::string& path,
                                             size_t bufferSize = kProfileKeyListBuffer);

// The key=value lines of a section in file order (trimmed, quotes kept).
std::vector<std::string> ReadProfileSection(const std::string& section, const std::string& path,
                                            size_t bufferSize = kProfileKeyListBuffer);

}  // namespace kestrone::platform
