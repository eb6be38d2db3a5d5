// The rights this process runs with, and the ways to get more: whether the
// system splits an administrator's rights from the ordinary ones (user account
// control, Vista and later), whether we hold them now, whether the user's
// ordinary rights may write a folder, links that could redirect a write, and
// starting a program with administrator rights.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::platform {

// True on a system with user account control (Windows Vista and later), where
// an administrator's programs run with ordinary rights until elevated.
bool SystemHasUserAccountControl();

// True when this process holds administrator rights now: an elevated token on
// a system with user account control, membership of Administrators elsewhere.
bool ProcessIsElevated();

// Whether the user's ordinary rights allow creating files in the folder. An
// elevated process answers for its ordinary (linked) rights, not its own, so
// that both instances of the program choose the same data folders; when that
// cannot be told, the answer is false (the safe choice).
bool FolderWritableByUser(const std::string& folder);

// True when the path or any folder above it is a junction, a symbolic link or
// another reparse point: a write through it could land somewhere else.
bool PathPassesThroughLink(const std::string& path);

enum class ElevatedStart {
    Started,   // the elevated program runs
    Declined,  // the user said no at the system's prompt
    Failed,    // it could not be started for another reason
};
// Starts a program with administrator rights (the shell's "runas" verb),
// without waiting for it. The owner window (or 0) parents the system's prompt.
ElevatedStart StartElevated(uintptr_t ownerWindow, const std::string& program,
                            const std::string& parameters);

}  // namespace kestrone::platform
