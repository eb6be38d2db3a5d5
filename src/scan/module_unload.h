// Unloading modules that a virus injected into other running programs,
// without ending those programs: the host itself is made to look up the
// module's handle and free it, by two threads started in it. Critical Windows
// processes are never opened. The debug privilege is enabled on the first
// attempt and stays enabled.
#pragma once

#include <cstdint>
#include <string>

#include "core/text.h"

namespace kestrone {

// How long each remote thread may take. A host that never runs the thread
// (a suspended one, or one stuck in its loader) must not hold the scan.
inline constexpr uint32_t kRemoteThreadTimeoutMs = 5000;

// The attempts an "UnloadDll" list asks for: every module in every target.
struct UnloadPlan {
    TextList targets;  // process names, "ALL" replaced by every running program's name
    TextList modules;  // module paths or names, path macros expanded
};

// Splits entries "process\module" into targets and modules, in entry order.
// An entry without a backslash has an empty target (no process has that
// name); a module part without a path macro or drive is kept as it stands (a
// bare module name), one with a macro is expanded.
UnloadPlan PlanUnload(const TextList& entries);

// Reads the virus's "UnloadDll" list and tries every module in every target,
// modules in the outer loop. Results are not looked at.
void UnloadDlls(const std::string& virusName);

// Makes the process free the module once (lowering its reference count by
// one); true when the process's FreeLibrary reported success. A process id of
// 0 means the first running process with that file name.
bool UnloadRemoteModule(const std::string& processName, const std::string& modulePath,
                        uint32_t processId);

}  // namespace kestrone
