// The simulated registry: the four roots with their key trees, values with
// types and raw data, keys that refuse full access or writes, and a count of
// the calls the platform layer made (so tests can prove that none was made).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace kestrone::sim {

struct RegValue {
    std::string name;  // with the case it was written with
    uint32_t type = platform::kRegSz;
    std::string data;  // raw bytes; strings as written, with or without their NUL
};

struct RegKeyNode {
    std::string name;
    std::map<std::string, RegKeyNode>
        subKeys;                    // by upper-cased name (alphabetical, as Windows lists)
    std::vector<RegValue> values;   // in the order they were first written
    bool refuseFullAccess = false;  // opening for writing fails (read-only opening works)
    bool refuseWrites = false;      // value writes and sub-key creation below fail

    RegValue* FindValue(const std::string& valueName);
    const RegValue* FindValue(const std::string& valueName) const;
};

class RegistryTree {
  public:
    // The four roots, empty.
    void Reset();

    // Arranging the machine (missing keys on the way are created).
    void AddKey(uint32_t root, const std::string& path);
    void SetString(uint32_t root, const std::string& path, const std::string& name,
                   const std::string& value, uint32_t type = platform::kRegSz);
    void SetDword(uint32_t root, const std::string& path, const std::string& name, uint32_t value);
    // Any type with raw bytes (for example a REG_SZ without terminating NUL).
    void SetRaw(uint32_t root, const std::string& path, const std::string& name, uint32_t type,
                const std::string& data);
    void RefuseFullAccess(uint32_t root, const std::string& path, bool refuse = true);
    void RefuseWrites(uint32_t root, const std::string& path, bool refuse = true);

    // Looking at it.
    bool KeyExists(uint32_t root, const std::string& path) const;
    bool HasValue(uint32_t root, const std::string& path, const std::string& name) const;
    // The value's data as text up to its first NUL; empty when missing.
    std::string StringValue(uint32_t root, const std::string& path, const std::string& name) const;
    uint32_t DwordValue(uint32_t root, const std::string& path, const std::string& name) const;
    uint32_t ValueType(uint32_t root, const std::string& path, const std::string& name) const;
    std::vector<std::string> ValueNames(uint32_t root, const std::string& path) const;
    std::vector<std::string> SubKeyNames(uint32_t root, const std::string& path) const;
    // Platform calls made since the last reset (opening, reading, writing, deleting).
    size_t CallCount() const { return calls_; }

    // ---- used by the simulated platform itself ----
    RegKeyNode* Find(uint32_t root, const std::string& path);
    const RegKeyNode* Find(uint32_t root, const std::string& path) const;
    // Creates missing levels; null for an unknown root or when a level refuses writes.
    RegKeyNode* Create(uint32_t root, const std::string& path, bool honourRefusals);
    bool Erase(uint32_t root, const std::string& path);
    void CountCall() { ++calls_; }

  private:
    std::map<uint32_t, RegKeyNode> roots_;
    size_t calls_ = 0;
};

// The one simulated registry of the test process (reset by World::Reset).
RegistryTree& TheRegistry();

// Key path split into its levels (empty levels dropped).
std::vector<std::string> SplitKeyPath(const std::string& path);

}  // namespace kestrone::sim
