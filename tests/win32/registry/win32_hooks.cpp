// The shared registry tests' hooks on the real registry (the test prefix's
// HKEY_CURRENT_USER\Software\KestroneTest).
#include <windows.h>

#include "platform/registry.h"
#include "registry_hooks.h"

namespace kestrone::test {

void ResetTestKey() {
    platform::DeleteKeyTree(platform::kHkeyCurrentUser, kTestKey);
}

void PlantRawValue(const std::string& path, const std::string& name, uint32_t type,
                   const std::string& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

void PlantUnterminatedString(const std::string& path, const std::string& name,
                             const std::string& data) {
    PlantRawValue(path, name, REG_SZ, data);  // the size leaves the terminator out
}

}  // namespace kestrone::test
