// Registry keys of the simulated machine. An open key remembers its root and
// path and looks its node up on every call, so a key deleted meanwhile simply
// stops working, as a real handle to a deleted key does.
#include "platform/registry.h"

#include <cstring>

#include "core/errors.h"
#include "platform/sim/registry_tree.h"
#include "platform/sim/world.h"

namespace kestrone::platform {

namespace {
constexpr uintptr_t kReadOnlyHandle = 1;
constexpr uintptr_t kFullAccessHandle = 2;

bool IsStringType(uint32_t type) {
    return type == kRegSz || type == kRegExpandSz;
}

// Without administrator rights HKEY_LOCAL_MACHINE opens for reading only.
bool WritesRefusedForToken(uint32_t root) {
    return root == kHkeyLocalMachine && !sim::TheWorld().Elevated();
}
}  // namespace

void RegistryKey::Close() {
    if (handle_ != 0) sim::TheRegistry().CountCall();
    handle_ = 0;
}

bool RegistryKey::OpenWith(uint32_t root, const std::string& path, bool write, bool create) {
    Close();
    if (!IsKnownRootKey(root)) return false;
    sim::RegistryTree& tree = sim::TheRegistry();
    tree.CountCall();
    std::string trimmed = TrimKeyPath(path);
    if ((write || create) && WritesRefusedForToken(root)) return false;
    sim::RegKeyNode* node = create ? tree.Create(root, trimmed, true) : tree.Find(root, trimmed);
    if (!node || (write && node->refuseFullAccess)) return false;
    handle_ = write ? kFullAccessHandle : kReadOnlyHandle;
    root_ = root;
    path_ = trimmed;
    return true;
}

namespace {
sim::RegKeyNode* NodeOf(bool open, uint32_t root, const std::string& path) {
    if (!open) return nullptr;
    sim::TheRegistry().CountCall();
    return sim::TheRegistry().Find(root, path);
}
}  // namespace

bool RegistryKey::CreateSubKey(const std::string& subPath) {
    sim::RegKeyNode* node = NodeOf(handle_ == kFullAccessHandle, root_, path_);
    if (!node) return false;
    std::string target = !subPath.empty() && subPath[0] == '\\' ? subPath : path_ + "\\" + subPath;
    return sim::TheRegistry().Create(root_, TrimKeyPath(target), true) != nullptr;
}

std::vector<std::string> RegistryKey::ValueNames() const {
    return NodeOf(IsOpen(), root_, path_) ? sim::TheRegistry().ValueNames(root_, path_)
                                          : std::vector<std::string>();
}

std::vector<std::string> RegistryKey::SubKeyNames() const {
    return NodeOf(IsOpen(), root_, path_) ? sim::TheRegistry().SubKeyNames(root_, path_)
                                          : std::vector<std::string>();
}

bool RegistryKey::ValueExists(const std::string& name) const {
    uint32_t type = 0;
    return ValueType(name, type);
}

bool RegistryKey::ValueType(const std::string& name, uint32_t& type) const {
    sim::RegKeyNode* node = NodeOf(IsOpen(), root_, path_);
    const sim::RegValue* value = node ? node->FindValue(name) : nullptr;
    if (!value) return false;
    type = value->type;
    return true;
}

bool RegistryKey::TryReadString(const std::string& name, std::string& result) const {
    sim::RegKeyNode* node = NodeOf(IsOpen(), root_, path_);
    const sim::RegValue* value = node ? node->FindValue(name) : nullptr;
    if (!value || !IsStringType(value->type)) return false;
    result = value->data.substr(0, value->data.find('\0'));
    return true;
}

std::string RegistryKey::ReadString(const std::string& name) const {
    sim::RegKeyNode* node = NodeOf(IsOpen(), root_, path_);
    const sim::RegValue* value = node ? node->FindValue(name) : nullptr;
    if (!value) return std::string();
    if (!IsStringType(value->type)) {
        throw ERegistryError("Invalid data type for '" + name + "'");
    }
    return value->data.substr(0, value->data.find('\0'));
}

bool RegistryKey::ReadDword(const std::string& name, uint32_t& result) const {
    sim::RegKeyNode* node = NodeOf(IsOpen(), root_, path_);
    const sim::RegValue* value = node ? node->FindValue(name) : nullptr;
    if (!value || value->type != kRegDword || value->data.size() != 4) return false;
    std::memcpy(&result, value->data.data(), 4);
    return true;
}

namespace {
bool WriteRaw(uintptr_t handle, uint32_t root, const std::string& path, const std::string& name,
              uint32_t type, const std::string& data) {
    sim::RegKeyNode* node = NodeOf(handle == kFullAccessHandle, root, path);
    if (!node || node->refuseWrites) return false;
    sim::TheRegistry().SetRaw(root, path, name, type, data);
    return true;
}
}  // namespace

bool RegistryKey::WriteString(const std::string& name, const std::string& value) {
    return WriteRaw(handle_, root_, path_, name, kRegSz, value + std::string(1, '\0'));
}

bool RegistryKey::WriteExpandString(const std::string& name, const std::string& value) {
    return WriteRaw(handle_, root_, path_, name, kRegExpandSz, value + std::string(1, '\0'));
}

bool RegistryKey::WriteDword(const std::string& name, uint32_t value) {
    std::string data(4, '\0');
    std::memcpy(data.data(), &value, 4);
    return WriteRaw(handle_, root_, path_, name, kRegDword, data);
}

bool RegistryKey::DeleteValue(const std::string& name) {
    sim::RegKeyNode* node = NodeOf(handle_ == kFullAccessHandle, root_, path_);
    if (!node || node->refuseWrites) return false;
    for (auto it = node->values.begin(); it != node->values.end(); ++it) {
        if (node->FindValue(name) == &*it) {
            node->values.erase(it);
            return true;
        }
    }
    return false;
}

namespace {
// Deletes the key's sub-keys deepest first; a key that refuses stays, and with
// it every key above it, as on Windows.
bool DeleteSubKeys(sim::RegKeyNode& node) {
    bool all = true;
    for (auto it = node.subKeys.begin(); it != node.subKeys.end();) {
        sim::RegKeyNode& child = it->second;
        if (!child.refuseFullAccess && !child.refuseWrites && DeleteSubKeys(child)) {
            it = node.subKeys.erase(it);
        } else {
            all = false;
            ++it;
        }
    }
    return all;
}
}  // namespace

bool DeleteKeyTree(uint32_t root, const std::string& path) {
    if (!IsKnownRootKey(root)) return false;
    sim::RegistryTree& tree = sim::TheRegistry();
    tree.CountCall();
    std::string trimmed = TrimKeyPath(path);
    sim::RegKeyNode* node = tree.Find(root, trimmed);
    if (!node || node->refuseFullAccess || node->refuseWrites || WritesRefusedForToken(root))
        return false;
    return DeleteSubKeys(*node) && tree.Erase(root, trimmed);
}

}  // namespace kestrone::platform
