#include "scan/reg_script.h"

#include "core/definitions.h"
#include "core/errors.h"
#include "core/machine_changes.h"
#include "platform/registry.h"

namespace kestrone {

namespace {

struct RootName {
    const char* name;
    uint32_t root;
};

constexpr RootName kRootNames[] = {
    {"HKLM", platform::kHkeyLocalMachine},
    {"HKEY_LOCAL_MACHINE", platform::kHkeyLocalMachine},
    {"HKCU", platform::kHkeyCurrentUser},
    {"HKEY_CURRENT_USER", platform::kHkeyCurrentUser},
    {"HKEY_USERS", platform::kHkeyUsers},
    {"HKCR", platform::kHkeyClassesRoot},
    {"HKEY_CLASSES_ROOT", platform::kHkeyClassesRoot},
};

// The field at a zero-based index; a missing one is broken definitions data.
const std::string& Field(const TextList& fields, size_t index) {
    if (index >= fields.size()) {
        throw EDataError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return fields[index];
}

int32_t ToInteger(const std::string& text) {
    int32_t value = 0;
    if (!ParseInteger(text, value)) {
        throw EDataError("'" + text + "' is not a valid integer value");
    }
    return value;
}

// Opens the key a path names, with full access and without creating it.
bool OpenExisting(const RegPath& path, platform::RegistryKey& key) {
    return path.valid && key.Open(path.root, path.keyPath);
}

void DeleteValueLine(const TextList& fields) {
    platform::RegistryKey key;
    if (OpenExisting(ParseRegPath(Field(fields, 1)), key)) DeleteRegistryValue(key, Field(fields, 2));
}

void DeleteKeyLine(const TextList& fields) {
    RegPath path = ParseRegPath(Field(fields, 1));
    platform::RegistryKey key;
    if (!OpenExisting(path, key)) return;
    key.Close();
    DeleteRegistryKey(path.root, path.keyPath);
}

void AddKeyLine(const TextList& fields) {
    platform::RegistryKey key;
    if (!OpenExisting(ParseRegPath(Field(fields, 1)), key)) return;
    const std::string& subKey = Field(fields, 2);
    if (!CreateRegistrySubKey(key, subKey)) throw ERegistryError("Failed to create key " + subKey);
}

}  // namespace

RegPath ParseRegPath(const std::string& text) {
    RegPath result;
    size_t slash = text.find('\\');
    if (slash == std::string::npos) return result;
    std::string rootName = UpperCase(text.substr(0, slash));
    for (const RootName& entry : kRootNames) {
        if (rootName == entry.name) {
            result.valid = true;
            result.root = entry.root;
            result.keyPath = text.substr(slash);
            break;
        }
    }
    return result;
}

void WriteRegValue(const std::string& keyPath, const std::string& name, const std::string& type,
                   const std::string& data) {
    platform::RegistryKey key;
    if (!OpenExisting(ParseRegPath(keyPath), key)) return;
    std::string upperType = UpperCase(type);
    bool written = true;
    if (upperType == "REG_DWORD") {
        written = WriteRegistryDword(key, name, static_cast<uint32_t>(ToInteger(data)));
    } else if (upperType == "REG_SZ") {
        written = WriteRegistryString(key, name, data);
    }
    if (!written) throw ERegistryError("Failed to set data for '" + name + "'");
}

void ExecRegLine(const std::string& line) {
    TextList fields = SplitList(line, ',');
    std::string operation = LowerCase(Field(fields, 0));
    if (operation == "regdeletevalue") {
        DeleteValueLine(fields);
    } else if (operation == "regdeletekey") {
        DeleteKeyLine(fields);
    } else if (operation == "regaddvalue") {
        WriteRegValue(Field(fields, 1), Field(fields, 2), Field(fields, 3), Field(fields, 4));
    } else if (operation == "regaddkey") {
        AddKeyLine(fields);
    }
}

void ApplyRegOperate(const std::string& section) {
    int32_t count = ToInteger(ReadDataString(section, "RegOperate", "0", kDefinitionsFile));
    for (int32_t k = 1; k <= count; ++k) {
        ExecRegLine(ReadDataString(section, "Reg" + std::to_string(k), "None", kDefinitionsFile));
    }
}

}  // namespace kestrone
