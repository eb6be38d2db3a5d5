// Registry keys on the real Win32 API (ANSI functions). Value data is read
// into a buffer larger than the system reports and cut at the reported size,
// so a string stored without its terminating NUL is still read safely.
#include "platform/registry.h"

#include <windows.h>

#include <vector>

#include "core/errors.h"
#include "platform/win32/handles.h"

namespace kestrone::platform {

namespace {

// The predefined roots are sign-extended 32-bit values.
HKEY RootHandle(uint32_t root) {
    return reinterpret_cast<HKEY>(
        static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(root))));
}

HKEY AsKey(uintptr_t handle) {
    return reinterpret_cast<HKEY>(handle);
}

constexpr DWORD kMaxValueNameChars = 16383;  // the registry's own limit
constexpr DWORD kMaxKeyNameChars = 255;
constexpr DWORD kMaxValueBytes = 16u << 20;  // more than any start-up value could hold

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The raw data of a value; false when it is missing or unreadable.
bool QueryRaw(HKEY key, const std::string& name, DWORD& type, std::vector<char>& data) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (size > kMaxValueBytes) return false;
        data.assign(size + 2, '\0');  // room for a missing terminator
        DWORD got = size;
        LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_SUCCESS) {
            data.resize(got <= size ? got : size);
            return true;
        }
        if (status != ERROR_MORE_DATA) return false;
        size = got;  // the value grew meanwhile
    }
    return false;
}

std::string TextOf(const std::vector<char>& data) {
    size_t length = 0;
    while (length < data.size() && data[length] != '\0') ++length;
    return std::string(data.data(), length);
}

bool SetRaw(uintptr_t handle, const std::string& name, DWORD type, const void* data, DWORD size) {
    return handle != 0 && RegSetValueExA(AsKey(handle), name.c_str(), 0, type,
                                         static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

}  // namespace

void RegistryKey::Close() {
    if (handle_ != 0) RegCloseKey(AsKey(handle_));
    handle_ = 0;
}

bool RegistryKey::OpenWith(uint32_t root, const std::string& path, bool write, bool create) {
    Close();
    if (!IsKnownRootKey(root)) return false;
    std::string trimmed = TrimKeyPath(path);
    REGSAM access = write ? KEY_ALL_ACCESS : KEY_READ;
    HKEY key = nullptr;
    LONG status = create ? RegCreateKeyExA(RootHandle(root), trimmed.c_str(), 0, nullptr, 0, access,
                                           nullptr, &key, nullptr)
                         : RegOpenKeyExA(RootHandle(root), trimmed.c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS) return false;
    handle_ = reinterpret_cast<uintptr_t>(key);
    root_ = root;
    path_ = trimmed;
    return true;
}

bool RegistryKey::CreateSubKey(const std::string& subPath) {
    if (handle_ == 0) return false;
    bool fromRoot = !subPath.empty() && subPath[0] == '\\';
    HKEY base = fromRoot ? RootHandle(root_) : AsKey(handle_);
    HKEY created = nullptr;
    LONG status = RegCreateKeyExA(base, TrimKeyPath(subPath).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &created, nullptr);
    KeyHandle owner(created);
    return status == ERROR_SUCCESS;
}

std::vector<std::string> RegistryKey::ValueNames() const {
    std::vector<std::string> names;
    if (handle_ == 0) return names;
    std::vector<char> buffer(kMaxValueNameChars + 2, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxValueNameChars + 1;
        LONG status = RegEnumValueA(AsKey(handle_), index, buffer.data(), &length, nullptr, nullptr,
                                    nullptr, nullptr);
        if (status != ERROR_SUCCESS) break;
        names.emplace_back(buffer.data(),
                           length <= kMaxValueNameChars ? length : kMaxValueNameChars);
    }
    return names;
}

std::vector<std::string> RegistryKey::SubKeyNames() const {
    std::vector<std::string> names;
    if (handle_ == 0) return names;
    char buffer[kMaxKeyNameChars + 2] = {};
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxKeyNameChars + 1;
        if (RegEnumKeyExA(AsKey(handle_), index, buffer, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(buffer, length <= kMaxKeyNameChars ? length : kMaxKeyNameChars);
    }
    return names;
}

bool RegistryKey::ValueType(const std::string& name, uint32_t& type) const {
    DWORD found = 0;
    if (handle_ == 0 || RegQueryValueExA(AsKey(handle_), name.c_str(), nullptr, &found, nullptr,
                                         nullptr) != ERROR_SUCCESS) {
        return false;
    }
    type = found;
    return true;
}

bool RegistryKey::ValueExists(const std::string& name) const {
    uint32_t type = 0;
    return ValueType(name, type);
}

bool RegistryKey::TryReadString(const std::string& name, std::string& value) const {
    DWORD type = 0;
    std::vector<char> data;
    if (handle_ == 0 || !QueryRaw(AsKey(handle_), name, type, data) || !IsStringType(type)) {
        return false;
    }
    value = TextOf(data);
    return true;
}

std::string RegistryKey::ReadString(const std::string& name) const {
    DWORD type = 0;
    std::vector<char> data;
    if (handle_ == 0 || !QueryRaw(AsKey(handle_), name, type, data)) return std::string();
    if (!IsStringType(type)) throw ERegistryError("Invalid data type for '" + name + "'");
    return TextOf(data);
}

bool RegistryKey::ReadDword(const std::string& name, uint32_t& value) const {
    DWORD type = 0;
    std::vector<char> data;
    if (handle_ == 0 || !QueryRaw(AsKey(handle_), name, type, data) || type != REG_DWORD ||
        data.size() != 4) {
        return false;
    }
    CopyMemory(&value, data.data(), 4);
    return true;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& value) {
    return SetRaw(handle_, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool RegistryKey::WriteExpandString(const std::string& name, const std::string& value) {
    return SetRaw(handle_, name, REG_EXPAND_SZ, value.c_str(),
                  static_cast<DWORD>(value.size() + 1));
}

bool RegistryKey::WriteDword(const std::string& name, uint32_t value) {
    DWORD data = value;
    return SetRaw(handle_, name, REG_DWORD, &data, sizeof data);
}

bool RegistryKey::DeleteValue(const std::string& name) {
    return handle_ != 0 && RegDeleteValueA(AsKey(handle_), name.c_str()) == ERROR_SUCCESS;
}

bool DeleteKeyTree(uint32_t root, const std::string& path) {
    if (!IsKnownRootKey(root)) return false;
    std::string trimmed = TrimKeyPath(path);
    if (trimmed.empty()) return false;  // never a whole root
    std::vector<std::string> children;
    {
        RegistryKey key;
        if (!key.OpenForReading(root, trimmed)) return false;
        children = key.SubKeyNames();
    }
    // RegDeleteKey refuses keys that still have sub-keys: deepest first.
    for (const std::string& child : children) DeleteKeyTree(root, trimmed + "\\" + child);
    return RegDeleteKeyA(RootHandle(root), trimmed.c_str()) == ERROR_SUCCESS;
}

}  // namespace kestrone::platform
