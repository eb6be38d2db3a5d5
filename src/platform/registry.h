// The registry as the engine sees it: keys below the four predefined roots,
// opened without or with creating, string and DWORD values, deletion of values
// and of whole key trees. Key and value names compare without regard to case.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kestrone::platform {

// The predefined roots, with the values Windows gives their handles.
inline constexpr uint32_t kHkeyClassesRoot = 0x80000000u;
inline constexpr uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr uint32_t kHkeyUsers = 0x80000003u;

// Value types, as Windows numbers them.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

// True for the four roots above; nothing else is ever handed to the system.
inline bool IsKnownRootKey(uint32_t root) {
    return root == kHkeyClassesRoot || root == kHkeyCurrentUser || root == kHkeyLocalMachine ||
           root == kHkeyUsers;
}

// An open registry key. Closes itself. Paths name a key below a root; leading
// and trailing backslashes are ignored ("\Software\X\" is "Software\X").
class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept
        : handle_(other.handle_), root_(other.root_), path_(std::move(other.path_)) {
        other.handle_ = 0;
    }
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.handle_;
            root_ = other.root_;
            path_ = std::move(other.path_);
            other.handle_ = 0;
        }
        return *this;
    }

    // Opens an existing key with full access; never creates it. False when the
    // key is missing, the root unknown or full access refused.
    bool Open(uint32_t root, const std::string& path) { return OpenWith(root, path, true, false); }
    // Opens an existing key for reading only.
    bool OpenForReading(uint32_t root, const std::string& path) {
        return OpenWith(root, path, false, false);
    }
    // Opens the key with full access, creating missing levels.
    bool OpenOrCreate(uint32_t root, const std::string& path) {
        return OpenWith(root, path, true, true);
    }
    bool IsOpen() const { return handle_ != 0; }
    // The root and path the key was opened with.
    uint32_t Root() const { return root_; }
    const std::string& Path() const { return path_; }
    void Close();

    // Creates a key path below this key (nested levels allowed); a path that
    // begins with a backslash is taken from this key's root instead.
    bool CreateSubKey(const std::string& subPath);

    std::vector<std::string> ValueNames() const;
    std::vector<std::string> SubKeyNames() const;
    bool ValueExists(const std::string& name) const;
    // The value's type; false when the value does not exist.
    bool ValueType(const std::string& name, uint32_t& type) const;

    // A string value (REG_SZ or REG_EXPAND_SZ, unexpanded, cut at its first
    // NUL). A missing value reads as "". Any other type raises ERegistryError
    // "Invalid data type for '<name>'".
    std::string ReadString(const std::string& name) const;
    // As ReadString, but false (instead of an error) for a missing value or
    // one whose data is not a string.
    bool TryReadString(const std::string& name, std::string& value) const;
    // A REG_DWORD value; false when missing or of another type.
    bool ReadDword(const std::string& name, uint32_t& value) const;

    // Writes (replacing a value of that name and any type). "" names the default value.
    bool WriteString(const std::string& name, const std::string& value);
    bool WriteExpandString(const std::string& name, const std::string& value);
    bool WriteDword(const std::string& name, uint32_t value);
    bool DeleteValue(const std::string& name);

  private:
    bool OpenWith(uint32_t root, const std::string& path, bool write, bool create);

    uintptr_t handle_ = 0;
    uint32_t root_ = 0;
    std::string path_;  // without leading or trailing backslash
};

// Deletes a key with every key below it (deepest first, then the key itself).
// False when the key is missing or any part of it could not be deleted.
bool DeleteKeyTree(uint32_t root, const std::string& path);

// "\A\B\" -> "A\B": the form in which paths reach the system.
inline std::string TrimKeyPath(const std::string& path) {
    size_t begin = path.find_first_not_of('\\');
    if (begin == std::string::npos) return std::string();
    size_t end = path.find_last_not_of('\\');
    return path.substr(begin, end - begin + 1);
}

}  // namespace kestrone::platform
