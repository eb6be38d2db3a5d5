// The four system repairs a repair item can ask for: a registry script, the
// silent import of a registry export file, the reset of the hosts file and the
// removal of "Debugger" hijacks of programs. They run on the user-interface
// thread, one after the other, as the repair page applies its ticked items.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone {

// The hosts file below the system directory, and its content after a reset.
inline constexpr char kHostsFileBelowSystem[] = "drivers\\etc\\Hosts";
inline constexpr char kResetHostsContent[] = "127.0.0.1       localhost\r\n";
// Where Windows looks for a debugger to start instead of a program.
inline constexpr char kImageFileExecutionOptionsKey[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File "
    "Execution Options";
inline constexpr char kDebuggerValue[] = "Debugger";
inline constexpr char kRegistryEditor[] = "regedit.exe";

// Runs the "$"-separated operation lines of a script in order (upper-cased;
// "None" runs nothing). Errors of a line end the script at that line.
void RunRepairScript(const std::string& value);

// Has the registry editor import an export file beside the executable silently
// ("/s " and the file's short path), hidden and without waiting for it. An
// export file that does not exist, or one the system gives no short path for,
// starts nothing: the editor would otherwise be run with "/s " alone.
void ImportRegFile(const std::string& fileName, uintptr_t ownerWindow = 0);

// The hosts file: system directory + "drivers\etc\Hosts".
std::string HostsFilePath();
// Rewrites an existing hosts file with the single localhost line; a missing
// one is not created. A file that cannot be rewritten raises EFileError.
void ResetHostsFile();

// Deletes, with all its sub-keys, every program's entry under the image file
// execution options that holds a "Debugger" value. Entries without one stay.
// Without full access to the options key nothing is removed.
void RemoveDebuggerHijacks();

// The short (8.3) form of an existing path (at most 259 characters), or the
// empty text when the system cannot give one.
std::string GetShortPath(const std::string& path);

}  // namespace kestrone
