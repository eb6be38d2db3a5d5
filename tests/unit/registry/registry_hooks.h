// What the shared registry tests need from the machine they run on: a fresh
// test key, and ways to plant data the platform layer itself never writes.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::test {

// HKEY_CURRENT_USER below this path is the tests' own; emptied by ResetTestKey.
inline constexpr char kTestKey[] = "Software\\KestroneTest";
void ResetTestKey();
// A REG_SZ value stored without its terminating NUL.
void PlantUnterminatedString(const std::string& path, const std::string& name,
                             const std::string& data);
// A value of any type with raw bytes.
void PlantRawValue(const std::string& path, const std::string& name, uint32_t type,
                   const std::string& data);

}  // namespace kestrone::test
