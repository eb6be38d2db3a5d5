// How Update.exe tells a running Kestrone that new definitions are installed.
// Update.exe registers this message name (RegisterWindowMessageA) and sends it
// to the window published under HKCU\Software\Corvane "Handle"; the main
// window decrypts its data files again and answers kDefinitionsReloadedReply.
// Any other answer (a Kestrone that does not know the message answers 0)
// makes Update.exe ask that Kestrone to end (WM_QUITREQUEST) and start it
// again with -Hide, so the new definitions are in use either way.
#pragma once

#include <cstdint>

namespace kestrone {

inline constexpr char kDefinitionsUpdatedMessage[] = "Kestrone.DefinitionsUpdated";
inline constexpr uintptr_t kDefinitionsReloadedReply = 0x4B524C44;  // "KRLD"
// How long Update.exe waits for the answer before it takes the restart way.
inline constexpr unsigned kDefinitionsReloadTimeoutMs = 15000;

}  // namespace kestrone
