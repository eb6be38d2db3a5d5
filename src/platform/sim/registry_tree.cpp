// The simulated registry's tree and the test-facing arrangement functions.
#include "platform/sim/registry_tree.h"

#include <cstring>

#include "platform/sim/sim_text.h"

namespace kestrone::sim {

namespace {

std::string DwordBytes(uint32_t value) {
    std::string data(4, '\0');
    std::memcpy(data.data(), &value, 4);
    return data;
}

}  // namespace

RegistryTree& TheRegistry() {
    static RegistryTree tree = [] {
        RegistryTree t;
        t.Reset();
        return t;
    }();
    return tree;
}

std::vector<std::string> SplitKeyPath(const std::string& path) {
    std::vector<std::string> levels;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('\\', start);
        if (slash == std::string::npos) slash = path.size();
        if (slash > start) levels.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return levels;
}

RegValue* RegKeyNode::FindValue(const std::string& valueName) {
    std::string upper = Upper(valueName);
    for (RegValue& value : values) {
        if (Upper(value.name) == upper) return &value;
    }
    return nullptr;
}

const RegValue* RegKeyNode::FindValue(const std::string& valueName) const {
    return const_cast<RegKeyNode*>(this)->FindValue(valueName);
}

void RegistryTree::Reset() {
    roots_.clear();
    for (uint32_t root : {platform::kHkeyClassesRoot, platform::kHkeyCurrentUser,
                          platform::kHkeyLocalMachine, platform::kHkeyUsers}) {
        roots_[root];
    }
    calls_ = 0;
}

RegKeyNode* RegistryTree::Find(uint32_t root, const std::string& path) {
    auto it = roots_.find(root);
    if (it == roots_.end()) return nullptr;
    RegKeyNode* node = &it->second;
    for (const std::string& level : SplitKeyPath(path)) {
        auto child = node->subKeys.find(Upper(level));
        if (child == node->subKeys.end()) return nullptr;
        node = &child->second;
    }
    return node;
}

const RegKeyNode* RegistryTree::Find(uint32_t root, const std::string& path) const {
    return const_cast<RegistryTree*>(this)->Find(root, path);
}

RegKeyNode* RegistryTree::Create(uint32_t root, const std::string& path, bool honourRefusals) {
    auto it = roots_.find(root);
    if (it == roots_.end()) return nullptr;
    RegKeyNode* node = &it->second;
    for (const std::string& level : SplitKeyPath(path)) {
        auto child = node->subKeys.find(Upper(level));
        if (child == node->subKeys.end()) {
            if (honourRefusals && node->refuseWrites) return nullptr;
            child = node->subKeys.emplace(Upper(level), RegKeyNode{}).first;
            child->second.name = level;
        }
        node = &child->second;
    }
    return node;
}

bool RegistryTree::Erase(uint32_t root, const std::string& path) {
    std::vector<std::string> levels = SplitKeyPath(path);
    if (levels.empty()) return false;  // a root cannot be deleted
    std::string last = levels.back();
    levels.pop_back();
    std::string parentPath;
    for (const std::string& level : levels) parentPath += level + "\\";
    RegKeyNode* parent = Find(root, parentPath);
    return parent && parent->subKeys.erase(Upper(last)) > 0;
}

void RegistryTree::AddKey(uint32_t root, const std::string& path) {
    Create(root, path, false);
}

void RegistryTree::SetRaw(uint32_t root, const std::string& path, const std::string& name,
                          uint32_t type, const std::string& data) {
    RegKeyNode* node = Create(root, path, false);
    if (!node) return;
    RegValue* value = node->FindValue(name);
    if (!value) {
        node->values.push_back(RegValue{name, type, data});
        return;
    }
    value->type = type;
    value->data = data;
}

void RegistryTree::SetString(uint32_t root, const std::string& path, const std::string& name,
                             const std::string& value, uint32_t type) {
    SetRaw(root, path, name, type, value + std::string(1, '\0'));
}

void RegistryTree::SetDword(uint32_t root, const std::string& path, const std::string& name,
                            uint32_t value) {
    SetRaw(root, path, name, platform::kRegDword, DwordBytes(value));
}

void RegistryTree::RefuseFullAccess(uint32_t root, const std::string& path, bool refuse) {
    if (RegKeyNode* node = Create(root, path, false)) node->refuseFullAccess = refuse;
}

void RegistryTree::RefuseWrites(uint32_t root, const std::string& path, bool refuse) {
    if (RegKeyNode* node = Create(root, path, false)) node->refuseWrites = refuse;
}

bool RegistryTree::KeyExists(uint32_t root, const std::string& path) const {
    return Find(root, path) != nullptr;
}

bool RegistryTree::HasValue(uint32_t root, const std::string& path, const std::string& name) const {
    const RegKeyNode* node = Find(root, path);
    return node && node->FindValue(name);
}

std::string RegistryTree::StringValue(uint32_t root, const std::string& path,
                                      const std::string& name) const {
    const RegKeyNode* node = Find(root, path);
    const RegValue* value = node ? node->FindValue(name) : nullptr;
    if (!value) return std::string();
    return value->data.substr(0, value->data.find('\0'));
}

uint32_t RegistryTree::DwordValue(uint32_t root, const std::string& path,
                                  const std::string& name) const {
    const RegKeyNode* node = Find(root, path);
    const RegValue* value = node ? node->FindValue(name) : nullptr;
    uint32_t result = 0;
    if (value && value->data.size() >= 4) std::memcpy(&result, value->data.data(), 4);
    return result;
}

uint32_t RegistryTree::ValueType(uint32_t root, const std::string& path,
                                 const std::string& name) const {
    const RegKeyNode* node = Find(root, path);
    const RegValue* value = node ? node->FindValue(name) : nullptr;
    return value ? value->type : platform::kRegNone;
}

std::vector<std::string> RegistryTree::ValueNames(uint32_t root, const std::string& path) const {
    std::vector<std::string> names;
    if (const RegKeyNode* node = Find(root, path)) {
        for (const RegValue& value : node->values) names.push_back(value.name);
    }
    return names;
}

std::vector<std::string> RegistryTree::SubKeyNames(uint32_t root, const std::string& path) const {
    std::vector<std::string> names;
    if (const RegKeyNode* node = Find(root, path)) {
        for (const auto& [upper, child] : node->subKeys) names.push_back(child.name);
    }
    return names;
}

}  // namespace kestrone::sim
