// After an install: the running Kestrone starts using the new definitions,
// by reloading them when it knows the message, else by a restart in the tray.
#pragma once

#include <string>

namespace kestrone::updater {

enum class KestroneTold { NotRunning, Reloaded, Restarted, RestartFailed };

KestroneTold TellKestrone();
std::string DescribeTold(KestroneTold told);

}  // namespace kestrone::updater
