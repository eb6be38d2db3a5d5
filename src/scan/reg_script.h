// Registry operation scripts: the one-line operations the definitions describe
// registry changes with ("regaddkey", "regaddvalue", "regdeletekey",
// "regdeletevalue"), their interpreter, and the key-path parser.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone {

// A key path split into its root and the path below it (from the first
// backslash on). `valid` is false for a root name outside the table or a path
// without a backslash: such a path names no key and reaches no registry call.
struct RegPath {
    bool valid = false;
    uint32_t root = 0;
    std::string keyPath;
};

// "HKLM\Software\X" -> {HKEY_LOCAL_MACHINE, "\Software\X"}. Roots: HKLM,
// HKEY_LOCAL_MACHINE, HKCU, HKEY_CURRENT_USER, HKEY_USERS, HKCR, HKEY_CLASSES_ROOT.
RegPath ParseRegPath(const std::string& text);

// Runs one operation line (fields upper-cased, split at commas). Raises
// EDataError "List index out of bounds (<index>)" for a missing field, "'<text>'
// is not a valid integer value" for bad DWORD data, and ERegistryError
// "Failed to create key <path>" / "Failed to set data for '<name>'" when an open
// key refuses the change. Lines naming a missing key or an unknown root do nothing.
void ExecRegLine(const std::string& line);

// Runs the section's RegOperate script (RegOperate = number of lines, Reg1...).
void ApplyRegOperate(const std::string& section);

// Writes a REG_SZ or REG_DWORD value into an existing key (never creating it);
// other types write nothing.
void WriteRegValue(const std::string& keyPath, const std::string& name, const std::string& type,
                   const std::string& data);

}  // namespace kestrone
