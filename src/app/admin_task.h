// Commands that need administrator rights. The tray instance never runs
// elevated for long: for one such command it starts a second Kestrone with
// administrator rights (the shell's "runas" verb) and the switch
//   -Admin <reply window> <task> <arguments...>
// That instance does only the task, hands its result back to the reply window
// in one WM_COPYDATA message (kAdminResultTag) and ends. Already elevated, or
// on a system without user account control, the task runs in place.
//
// The elevated instance trusts nothing but its command line, and that only as
// far as each task allows: fixed words, numbers, drive roots and the names of
// repair items that its own definitions list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"

namespace kestrone {

inline constexpr char kAdminSwitch[] = "-Admin";
// dwData of the result message ("KADM").
inline constexpr uintptr_t kAdminResultTag = 0x4B41444D;

enum class AdminTask {
    UsbPolicies,       // arguments: disabled (0/1), write-protected (0/1)
    MachineAutostart,  // argument: on (0/1)
    Repair,            // arguments: the ticked repair items' names
    Undo,              // argument: the undo record's number
    Scan,              // arguments: "memory", "local", "removable" or drive roots
};

struct AdminRequest {
    AdminTask task = AdminTask::Scan;
    TextList arguments;
    uintptr_t replyWindow = 0;
};

struct AdminResult {
    AdminTask task = AdminTask::Scan;
    bool done = false;  // false: an error ended the task; lines say why
    TextList lines;     // what the task reports (report lines, a message)
};

// The parameters after the program's path, each argument quoted where needed.
std::string FormatAdminParameters(const AdminRequest& request);
// The program's arguments (without its own path); false when they are not an
// admin command or not a valid one (the instance then does nothing).
bool ParseAdminArguments(const std::vector<std::string>& arguments, AdminRequest& request);

// The result as it travels in WM_COPYDATA, and back.
std::string FormatAdminResult(const AdminResult& result);
bool ParseAdminResult(const std::string& text, AdminResult& result);

// Carries the task out in this process (the elevated instance, or the tray
// instance when it holds the rights already).
AdminResult RunAdminTask(const AdminRequest& request);

// Whether putting a recorded change back writes where only administrators may:
// the machine's part of the registry, or a system file such as the hosts file.
bool UndoNeedsAdministrator(uint32_t root, const std::string& kind);

// Messages of the tray instance around the elevation.
inline constexpr char kElevationDeclinedMessage[] =
    "Administrator rights were not given, so nothing was changed.";
inline constexpr char kElevationFailedMessage[] =
    "Kestrone could not start with administrator rights, so nothing was changed.";

}  // namespace kestrone
