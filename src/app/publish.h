// The record that companion processes (updater, plug-in interceptor) use to
// find the running program: its folder and its main window's handle, written
// at every start under "Software\Corvane\" of the current user and the machine.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone {

inline constexpr char kCompanionKey[] = "Software\\Corvane\\";
inline constexpr char kMainPathValue[] = "MainPath";
inline constexpr char kHandleValue[] = "Handle";

// Writes "MainPath" (the program's folder with its trailing backslash) and
// "Handle" under both roots, creating the key when missing. The current user's
// record is the one companions need: when it cannot be written an
// ERegistryError is raised. A machine-wide write refused to a user without
// administrator rights is skipped without a word, so such a user's every start
// is not greeted by an error box.
void PublishMainWindow(uint32_t windowHandle);

}  // namespace kestrone
