// Drives and environment of the simulated machine.
#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/sim/world.h"

namespace kestrone::platform {

uint32_t GetLogicalDriveMask() { return sim::TheWorld().DriveMask(); }

unsigned GetDriveKind(const std::string& root) {
    // Like GetDriveTypeA: "C:" and "C:\" work, anything else names no root.
    if (root.size() < 2 || root[1] != ':' || (root.size() > 2 && root.substr(2) != "\\")) {
        return kDriveNoRootDir;
    }
    unsigned type = sim::TheWorld().DriveType(root[0]);
    return type == 0 ? static_cast<unsigned>(kDriveNoRootDir) : type;
}

bool GetVolumeIdentity(const std::string& root, VolumeIdentity& identity) {
    identity = {};
    unsigned type = GetDriveKind(root);
    if (type == kDriveNoRootDir || type == kDriveUnknown) return false;
    identity = sim::TheWorld().VolumeIdentityOf(root[0]);
    return true;
}

std::string GetTempFolder() { return sim::TheWorld().tempFolder_; }

std::string GetSpecialFolder(int csidl) {
    auto& folders = sim::TheWorld().specialFolders_;
    auto it = folders.find(csidl);
    return it == folders.end() ? std::string() : it->second;
}

std::string GetExecutablePath() { return sim::TheWorld().executablePath_; }

std::string CurrentLocalTimeText() { return sim::TheWorld().localTime_; }

uint32_t GetCurrentProcessIdentifier() { return sim::TheWorld().currentProcessId_; }
uint32_t GetDesktopHostProcessIdentifier() { return sim::TheWorld().desktopHostProcessId_; }

}  // namespace kestrone::platform
