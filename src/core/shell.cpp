#include "core/shell.h"

namespace kestrone {

namespace {
ShellCallbacks g_defaultShell;
ShellCallbacks* g_shell = &g_defaultShell;
}  // namespace

ShellCallbacks& Shell() { return *g_shell; }

void InstallShell(ShellCallbacks* shell) { g_shell = shell ? shell : &g_defaultShell; }

}  // namespace kestrone
